#pragma once

// The replay harness's core: performs one action line on a live Form1 through
// real input events and reports the state after it.
//
// Pointer actions move the cursor to the point first and deliver each press
// and release to whatever widget lies under that point of the window, as a
// real pointer would: a hidden control is not found there, a disabled one
// takes nothing, and a release goes to the widget that took the press.

#include "window/recordingmessageboxservice.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace hitungrama {

class Form1;

class ActionRunner {
public:
    ActionRunner(Form1 &form, RecordingMessageBoxService &boxes);

    // Centres and shows the window and waits until it is active.
    void showWindow();

    // Performs one input line; returns one JSON text per result: none for an
    // empty or comment line, one per REF of a click, else one.
    QStringList perform(const QString &line);

    // "OFF" was answered Yes: nothing more is performed.
    bool exited() const { return m_exited; }

private:
    enum class Press { Down, Up };

    QString report(const QString &action, const QString &error = QString());
    QWidget *resolve(const QString &ref, QString *error) const;
    QPoint centreOf(QWidget *widget) const;
    void movePointer(const QPoint &windowPoint);
    void moveAway();
    void pointerButton(const QPoint &windowPoint, Press press);
    void doubleClick(const QPoint &windowPoint);
    QString typeText(const QString &text);
    QString pressKeys(const QString &keys);
    QString shoot(const QString &ref, const QString &file);
    void settle(int milliseconds);

    Form1 &m_form;
    RecordingMessageBoxService &m_boxes;
    QPointer<QWidget> m_pressTarget;
    int m_beeps = 0;
    bool m_exited = false;
};

} // namespace hitungrama
