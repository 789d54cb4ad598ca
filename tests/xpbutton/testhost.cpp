#include "testhost.h"

#include <QCursor>

namespace hitungrama::test {

EventLog::EventLog(XPButton *button)
{
    // The event's name, then its arguments in brackets if it has any.
    auto line = [this](const char *name) {
        return [this, name](auto... arguments) {
            QStringList values;
            (values.append(QString::number(double(arguments))), ...);
            m_lines << (values.isEmpty() ? QLatin1String(name)
                                         : QStringLiteral("%1(%2)").arg(QLatin1String(name), values.join(',')));
        };
    };
    connect(button, &XPButton::Click, this, line("Click"));
    connect(button, &XPButton::MouseOver, this, line("MouseOver"));
    connect(button, &XPButton::MouseOut, this, line("MouseOut"));
    connect(button, &XPButton::MouseDown, this, line("MouseDown"));
    connect(button, &XPButton::MouseUp, this, line("MouseUp"));
    connect(button, &XPButton::MouseMove, this, line("MouseMove"));
    connect(button, &XPButton::KeyDown, this, line("KeyDown"));
    connect(button, &XPButton::KeyUp, this, line("KeyUp"));
    connect(button, &XPButton::KeyPress, this, line("KeyPress"));
}

void readDefaults(XPButton &button, const QString &name)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.75);
    button.readProperties(PropertyBag(), AmbientProperties{font, 0x80000012, name});
}

TestHost::TestHost() : m_window(std::make_unique<QWidget>())
{
    m_window->setGeometry(100, 100, 320, 200);
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new XPButton(m_window.get());
        readDefaults(*m_buttons[i], QStringLiteral("XPButton%1").arg(i + 1));
        m_buttons[i]->setGeometry(20 + i * 90, 40, 80, 30);
    }
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the test window did not become active");
    m_window->setFocus();
    // A key with no modifier clears any modifier an earlier test left held.
    QTest::keyClick(m_window->windowHandle(), Qt::Key_F35);
    movePointerAway();
}

void TestHost::movePointerTo(QWidget *widget, QPoint local)
{
    QCursor::setPos(widget->mapToGlobal(local));
    QCoreApplication::processEvents();
}

void TestHost::movePointerAway()
{
    // Two steps: Qt drops a move to the point it saw last, which may be this one.
    movePointerTo(m_window.get(), QPoint(301, 181));
    movePointerTo(m_window.get(), QPoint(300, 180));
}

void TestHost::mouse(QTest::MouseAction action, QWidget *widget, QPoint local, Qt::MouseButton button)
{
    const QPoint inWindow = widget->window()->mapFromGlobal(widget->mapToGlobal(local));
    QTest::mouseEvent(action, widget->window()->windowHandle(), button, {}, inWindow);
}

} // namespace hitungrama::test
