#include "testhost.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTest>

namespace hitungrama::test {

namespace {
QString mouseLine(const char *name, short button, short shift, float x, float y)
{
    return QStringLiteral("%1(%2,%3,%4,%5)")
        .arg(QLatin1String(name))
        .arg(button)
        .arg(shift)
        .arg(double(x))
        .arg(double(y));
}
} // namespace

EventLog::EventLog(XPButton *button)
{
    connect(button, &XPButton::Click, this, [this] { m_lines << "Click"; });
    connect(button, &XPButton::MouseOver, this, [this] { m_lines << "MouseOver"; });
    connect(button, &XPButton::MouseOut, this, [this] { m_lines << "MouseOut"; });
    connect(button, &XPButton::MouseDown, this, [this](short b, short s, float x, float y) {
        m_lines << mouseLine("MouseDown", b, s, x, y);
    });
    connect(button, &XPButton::MouseUp, this, [this](short b, short s, float x, float y) {
        m_lines << mouseLine("MouseUp", b, s, x, y);
    });
    connect(button, &XPButton::MouseMove, this, [this](short b, short s, float x, float y) {
        m_lines << mouseLine("MouseMove", b, s, x, y);
    });
    connect(button, &XPButton::KeyDown, this, [this](short code, short shift) {
        m_lines << QStringLiteral("KeyDown(%1,%2)").arg(code).arg(shift);
    });
    connect(button, &XPButton::KeyUp, this, [this](short code, short shift) {
        m_lines << QStringLiteral("KeyUp(%1,%2)").arg(code).arg(shift);
    });
    connect(button, &XPButton::KeyPress, this,
            [this](short ascii) { m_lines << QStringLiteral("KeyPress(%1)").arg(ascii); });
}

QStringList EventLog::take()
{
    QStringList result;
    result.swap(m_lines);
    return result;
}

void readDefaults(XPButton &button, const QString &name)
{
    AmbientProperties ambient;
    ambient.font = QFont(QStringLiteral("DejaVu Sans"));
    ambient.font.setPointSizeF(9.75);
    ambient.foreColor = 0x80000012;
    ambient.displayName = name;
    button.readProperties(PropertyBag(), ambient);
}

TestHost::TestHost() : m_window(std::make_unique<QWidget>())
{
    m_window->setGeometry(100, 100, 320, 200);
    for (int i = 0; i < 3; ++i) {
        auto *button = new XPButton(m_window.get());
        readDefaults(*button, QStringLiteral("XPButton%1").arg(i + 1));
        button->setGeometry(20 + i * 90, 40, 80, 30);
        m_buttons[i] = button;
    }
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the test window did not become active");
    // No button starts with the focus, so hover pixels are not mixed with the focus ring.
    m_window->setFocus();
    movePointerAway();
    waitFor([this] { return !m_buttons[0]->image().isNull(); });
}

TestHost::~TestHost() = default;

void TestHost::movePointerTo(QWidget *widget, QPoint local)
{
    QCursor::setPos(widget->mapToGlobal(local));
    QCoreApplication::processEvents();
}

void TestHost::movePointerAway()
{
    // Two steps: Qt drops a move to the point it last saw, which may be this one.
    movePointerTo(m_window.get(), QPoint(301, 181));
    movePointerTo(m_window.get(), QPoint(300, 180));
}

namespace {
QPoint inWindow(QWidget *widget, QPoint local)
{
    return widget->window()->mapFromGlobal(widget->mapToGlobal(local));
}
} // namespace

void TestHost::press(QWidget *widget, QPoint local, Qt::MouseButton button)
{
    QTest::mousePress(widget->window()->windowHandle(), button, {}, inWindow(widget, local));
}

void TestHost::release(QWidget *widget, QPoint local, Qt::MouseButton button)
{
    QTest::mouseRelease(widget->window()->windowHandle(), button, {}, inWindow(widget, local));
}

void TestHost::click(QWidget *widget, QPoint local, Qt::MouseButton button)
{
    QTest::mouseClick(widget->window()->windowHandle(), button, {}, inWindow(widget, local));
}

void TestHost::doubleClick(QWidget *widget, QPoint local)
{
    QTest::mouseDClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                       inWindow(widget, local));
}

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(2);
    }
    return true;
}

} // namespace hitungrama::test
