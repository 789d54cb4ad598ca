#pragma once

#include "layout/formlayout.h"
#include "xpbutton/ambientproperties.h"

class QWidget;

namespace hitungrama {

// Creates the widget of one control description inside the window: a
// QLineEdit for a text box, a QCheckBox, a QLabel, or an XPButton that takes
// its values through the read path of its saved property set. The layout's
// words are shown in the installed language (TranslationTable::layout()).
class ControlFactory {
public:
    ControlFactory(QWidget *window, const FormDescription &form);

    // nullptr for a line, which the window paints itself.
    QWidget *create(const ControlDescription &control) const;

    // What the window lends a button: its font, its text colour, the name.
    AmbientProperties ambientFor(const ControlDescription &control) const;

private:
    QWidget *createTextBox(const ControlDescription &control) const;
    QWidget *createCheckBox(const ControlDescription &control) const;
    QWidget *createLabel(const ControlDescription &control) const;
    QWidget *createButton(const ControlDescription &control) const;
    void place(QWidget *widget, const ControlDescription &control) const;

    QWidget *m_window;
    const FormDescription &m_form;
    QFont m_formFont;
};

} // namespace hitungrama
