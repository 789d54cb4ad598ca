#pragma once

// The texts a user can read on a window, a box or a menu, as the widgets
// show them, for checks of the language a screen speaks.

#include <QList>
#include <QString>

class QMenu;
class QWidget;

namespace hitungrama::ScreenTexts {

struct Text {
    QString where; // the widget's object name or class, and the kind of text
    QString text;  // without the "&" of access keys
};

// The window's title and, for it and each visible widget inside it: the
// accessible name and description (a button's caption, a label's text, a
// box's text), the accessible value of a text field, the tooltip, a button's
// text, the key bindings of a press action, column and row headers of item
// views and the texts of the widgets' own actions. An item view's rows are
// data, not texts of the program, and are left out.
QList<Text> of(QWidget &top);

// The texts of a menu's actions and of their submenus.
QList<Text> ofMenu(const QMenu &menu);

} // namespace hitungrama::ScreenTexts
