#pragma once

// The replay harness's core: performs one action line on a live Form1 through
// real input events and reports the state after it.
//
// Pointer actions move the cursor to the point first and deliver each press
// and release to the window at that point, as a real pointer does: the widget
// under the point takes the press (a hidden control is not found there, a
// disabled one takes nothing), and while the button is held every move and
// the release go to the widget that took the press.

#include "harness/recordingmessageboxservice.h"
#include "harness/tapedriver.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace hitungrama {

class Form1;

class ActionRunner {
public:
    // Long enough for the enter and leave events of a move to arrive and, while
    // a mouse button is held, for the buttons' 1 ms hover timer to run a few times.
    static constexpr int kDefaultHoverSettleMs = 8;

    ActionRunner(Form1 &form, RecordingMessageBoxService &boxes);

    // How long each pointer move lets the window's timers run.
    void setHoverSettleMs(int milliseconds) { m_hoverSettleMs = milliseconds; }

    // Centres and shows the window and waits until it is active.
    void showWindow();

    // Performs one input line; returns one JSON text per result: none for an
    // empty or comment line, one per REF of a click, else one.
    QStringList perform(const QString &line);

    // A left click at a point of the window (which the action language cannot
    // name), delivered as "click" delivers it; reported under the given action.
    QString clickAt(const QPoint &windowPoint, const QString &action);

    // The refused inputs of the last action (or of the last REF of a click).
    int beeps() const { return m_beeps; }

    // Why the last action (or the last REF of a click) was refused; empty
    // when it was performed.
    const QString &lastError() const { return m_lastError; }

    // "OFF" was answered Yes: nothing more is performed.
    bool exited() const { return m_exited; }

private:
    enum class Press { Down, Up };
    struct Line;
    using Verb = QStringList (ActionRunner::*)(const Line &line);

    static Verb verbNamed(const QString &name);

    QStringList click(const Line &line);
    QStringList dblclick(const Line &line);
    QStringList press(const Line &line);
    QStringList release(const Line &line);
    QStringList move(const Line &line);
    QStringList answer(const Line &line);
    QStringList type(const Line &line);
    QStringList paste(const Line &line);
    QStringList key(const Line &line);
    QStringList shot(const Line &line);
    QStringList state(const Line &line);
    QStringList tape(const Line &line);

    // Moves the pointer to the centre of the line's one REF.
    std::optional<QPoint> pointAtControl(const Line &line, QString *error);
    void startAction();
    void activateMainWindow();
    QString report(const QString &action, const QString &error = QString());
    QWidget *resolve(const QString &ref, QString *error) const;
    QPoint centreOf(QWidget *widget) const;
    void movePointer(const QPoint &windowPoint);
    void moveAway();
    void pointerButton(const QPoint &windowPoint, Press press);
    void doubleClick(const QPoint &windowPoint);
    QWidget *keyTarget() const;
    QString typeText(const QString &text);
    QString pasteText(const QString &text);
    QString pressKeys(const QString &keys);
    QString shoot(const QString &ref, const QString &file);
    void settle(int milliseconds);

    Form1 &m_form;
    RecordingMessageBoxService &m_boxes;
    TapeDriver m_tape;
    int m_hoverSettleMs = kDefaultHoverSettleMs;
    QString m_lastError;
    int m_beeps = 0;
    bool m_exited = false;
    bool m_inDoubleClick = false;
};

} // namespace hitungrama
