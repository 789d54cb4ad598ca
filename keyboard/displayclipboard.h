#pragma once

#include <QObject>

#include <string>

class QLineEdit;
class QMenu;
class QWidget;

namespace hitungrama {

class InputRefusal;
class KeyboardHost;

// Copy and paste of the display. The display takes no typed characters (the
// key map has them); a paste enters a number through the paste rule
// (readPastedText): an accepted number replaces the number being entered,
// anything else is refused with a beep and changes nothing.
//
// Reading the clipboard may wait for its owner: on X11 Qt waits up to 5 s for
// each answer. The paste asks for the list of formats once and then fetches
// exactly one text format, so an owner that never answers costs one wait and
// one that answers only the list two. Keys typed meanwhile act afterwards in
// order, except Ctrl+V presses made during the wait, which are dropped.
class DisplayClipboard : public QObject {
    Q_OBJECT

public:
    // How long after a paste's end a press may still be stamped inside it:
    // the time a key press takes to reach the window.
    static constexpr int kKeyArrivalMs = 20;

    // Makes the display read-only and gives it the "Salin"/"Tempel"/"Riwayat" menu.
    DisplayClipboard(KeyboardHost &host, InputRefusal &refusal, QLineEdit &display);

    // Puts the selected text, or the whole text when nothing is selected, on
    // the clipboard as plain text.
    void copy();
    // Reads the clipboard's text and pastes it as pasteText does; a clipboard
    // without text is refused.
    void paste();
    // A paste key pressed at the event time given (milliseconds of the
    // platform's clock): dropped when the time lies inside the previous
    // key's paste, else a paste.
    void pasteFromKey(quint64 eventTime);
    // Applies the paste rule to the text without touching the clipboard.
    // Returns false when it was refused (after the beep).
    bool pasteText(const QString &text);
    // The context menu of the display; the caller owns it.
    QMenu *createMenu(QWidget *parent);

private:
    bool pasteUtf8(const std::string &text);

    KeyboardHost &m_host;
    InputRefusal &m_refusal;
    QLineEdit &m_display;
    quint64 m_keyPasteTime = 0;
    qint64 m_keyPasteSpanMs = -1; // none yet
};

} // namespace hitungrama
