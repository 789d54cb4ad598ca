#pragma once

#include <QString>
#include <Qt>

class QWidget;

namespace hitungrama {

class Form1;
class TapeWindow;

// The action runner's "tape" actions: the tape window driven through real
// key events, as a user drives it from the keyboard. Each returns why it
// could not be done, or nothing.
//
// A line is named by its place in the list counted from the newest line the
// list shows: 1 is the newest (at the bottom), 2 the one above it, and so
// on, within the search when there is one. Older lines are fetched as far
// as needed.
class TapeDriver {
public:
    explicit TapeDriver(Form1 &form);

    // Ctrl+H to the widget that has the keyboard in the main window; waits
    // until the tape window is shown.
    QString open(QWidget *keyTarget);
    // Selects line n with the list's own keys (End, then Up), then presses
    // Enter ("Pakai") or Delete ("Hapus"); a delete waits until it has
    // committed.
    QString use(int n);
    QString remove(int n);
    // Ctrl+F, then the text typed over the search field's old text (an empty
    // text clears it); waits until the search has filled the list.
    QString search(const QString &text);

private:
    TapeWindow *shownWindow(QString *error) const;
    QString selectLine(TapeWindow &window, int n);
    QString pressOnLine(int n, Qt::Key key);
    bool settled(TapeWindow &window) const;

    Form1 &m_form;
};

} // namespace hitungrama
