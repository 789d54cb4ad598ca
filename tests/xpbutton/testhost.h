#pragma once

#include "xpbutton/xpbutton.h"

#include <QStringList>
#include <QTest>

#include <memory>
#include <utility>

namespace hitungrama::test {

// Writes every event a button raises as one line, e.g. "MouseDown(1,0,5,6)".
class EventLog : public QObject {
public:
    explicit EventLog(XPButton *button);
    QStringList take() { return std::exchange(m_lines, {}); }
    const QStringList &lines() const { return m_lines; }
    int count(const QString &line) const { return int(m_lines.count(line)); }

private:
    QStringList m_lines;
};

// A shown, active window holding three enabled buttons in tab order; none has the focus.
class TestHost {
public:
    TestHost();
    QWidget *window() const { return m_window.get(); }
    XPButton *first() const { return m_buttons[0]; }
    XPButton *second() const { return m_buttons[1]; }
    XPButton *third() const { return m_buttons[2]; }

    // Moves the pointer as the platform does, so QCursor::pos() follows.
    static void movePointerTo(QWidget *widget, QPoint local);
    void movePointerAway();
    // Mouse buttons through the platform: Qt grabs the mouse on a press and
    // turns a quick second press into a double click.
    static void mouse(QTest::MouseAction action, QWidget *widget, QPoint local, Qt::MouseButton button);
    static void press(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { mouse(QTest::MousePress, w, p, b); }
    static void release(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        mouse(QTest::MouseRelease, w, p, b);
    }
    static void doubleClick(QWidget *w, QPoint p) { mouse(QTest::MouseDClick, w, p, Qt::LeftButton); }

private:
    std::unique_ptr<QWidget> m_window;
    XPButton *m_buttons[3] = {};
};


// Sets a button up through the read path with an empty bag.
void readDefaults(XPButton &button, const QString &name = QStringLiteral("XPButton1"));

} // namespace hitungrama::test
