#pragma once

#include <QObject>

class QLineEdit;
class QMenu;
class QWidget;

namespace hitungrama {

class Form1;

// Copy and paste of the display. The display takes no typed characters (the
// key map has them), so text written by hand comes in only by pasting: the
// whole display text becomes the clipboard's first line, as if typed.
class DisplayClipboard : public QObject {
    Q_OBJECT

public:
    static constexpr int kLongestPaste = 1000; // characters

    // Makes the display read-only and gives it the "Salin"/"Tempel" menu.
    DisplayClipboard(Form1 &form, QLineEdit &display);

    // Puts the selected text, or the whole text when nothing is selected, on
    // the clipboard as plain text.
    void copy();
    // Replaces the display text with the clipboard's first line. A first line
    // that is empty or longer than kLongestPaste is refused with a beep.
    void paste();
    // The context menu of the display; the caller owns it.
    QMenu *createMenu(QWidget *parent);

private:
    Form1 &m_form;
    QLineEdit &m_display;
};

} // namespace hitungrama
