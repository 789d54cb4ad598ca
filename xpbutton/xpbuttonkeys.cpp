#include "xpbutton/xpbutton.h"

#include "xpbutton/keycodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace hitungrama {

namespace {

void postFocusMove(bool forward)
{
    // Delivered later to whatever then has the focus, as a typed Tab would be.
    QMetaObject::invokeMethod(
        qApp,
        [forward] {
            QWidget *target = QApplication::focusWidget();
            if (!target)
                return;
            // Backtab alone means Shift+Tab; a Shift modifier here would stick in
            // the application's idea of the held modifiers.
            QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(target, &tab);
        },
        Qt::QueuedConnection);
}

} // namespace

bool XPButton::clickFromKeyboard(int pressedMs)
{
    if (!m_enabledFlag || !isEnabled() || !isVisible())
        return false;
    showPressedFor(pressedMs);
    emit Click();
    return true;
}

void XPButton::showPressedFor(int milliseconds)
{
    // The pressed face as a left press draws it, without touching pressButton:
    // the key map is not a press of this button's own.
    ButtonLook look = currentLook(1);
    look.pressButton = 1;
    drawLook(look);
    if (m_pressedLookTimer == nullptr) {
        m_pressedLookTimer = new QTimer(this);
        m_pressedLookTimer->setSingleShot(true);
        connect(m_pressedLookTimer, &QTimer::timeout, this, [this] { Repaint(0); });
    }
    m_pressedLookTimer->start(milliseconds);
}

void XPButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_focusFlag = true;
    if (m_enabledFlag) {
        m_pressButton = 1;
        refresh();
        Repaint(0);
    }
}

void XPButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_focusFlag = false;
    // A key-up clicks only after a key-down this button saw since it gained
    // the focus: the release of the Return that closed a box this button
    // opened reaches it again and must not open the box anew.
    m_lastKeyCode = 0;
    Repaint(0);
}

void XPButton::keyPressEvent(QKeyEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    QPointer<XPButton> self(this);
    const short code = keyCodeOf(*event);
    const short shift = shiftState(event->modifiers());
    const bool repeat = m_keyRepeat.isRepeat(*event);
    // The waiting release was half of this pair: the key is still held.
    if (m_keyRepeat.completesPair(*event))
        m_keyUpTimer->stop();
    finishWaitingKeyUp();
    if (!self || !m_enabledFlag)
        return;
    // Only a fresh press made while this button has the focus starts a key
    // press; a repeat continues one that has not clicked yet. A key already
    // down when the focus came, such as the Return that closed a box this
    // button opened, neither arms the button nor looks pressed.
    const bool pressing = !repeat || m_lastKeyCode == code;
    m_lastKeyCode = pressing ? code : 0;
    switch (code) {
    case KeyCode::Enter:
    case KeyCode::Space:
        if (pressing)
            Repaint(1);
        break;
    case KeyCode::Left:
    case KeyCode::Right:
        postFocusMove(true);
        break;
    case KeyCode::Up:
    case KeyCode::Down:
        postFocusMove(false);
        break;
    default:
        break;
    }
    emit KeyDown(code, shift);
    if (!self)
        return;
    // The character as a 16-bit code unit (those above 0x7FFF come out negative).
    const QString text = event->text();
    if (!text.isEmpty())
        emit KeyPress(short(text.at(0).unicode()));
}

void XPButton::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats only its key-down, so its one release clicks once.
    if (event->isAutoRepeat())
        return;
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    QPointer<XPButton> self(this);
    finishWaitingKeyUp();
    if (!self || !m_enabledFlag)
        return;
    const short code = keyCodeOf(*event);
    const short shift = shiftState(event->modifiers());
    m_keyUpCode = code;
    m_keyUpShift = shift;
    m_keyRepeat.noteRelease(*event);
    if ((code == KeyCode::Space && m_lastKeyCode == KeyCode::Space)
        || (code == KeyCode::Enter && m_lastKeyCode == KeyCode::Enter)) {
        // A release from the window system may be the first half of a repeat:
        // Click and KeyUp wait for its press. One without a time cannot be.
        if (KeyRepeat::mayPair(*event))
            m_keyUpTimer->start();
        else
            finishKeyUp();
        return;
    }
    emit KeyUp(code, shift);
}

void XPButton::finishKeyUp()
{
    // A button disabled while its release waited gives no Click.
    if (!m_enabledFlag || !isEnabled()) {
        Repaint(0);
        return;
    }
    QPointer<XPButton> self(this);
    Repaint(0);
    m_pressButton = 1;
    // One key-down, one Click. Where no window manager moves the focus to
    // the box this Click opens, the focus never leaves this button, and the
    // release of the Return that closed the box arrives here next.
    m_lastKeyCode = 0;
    refresh();
    emit Click();
    if (!self)
        return;
    emit KeyUp(m_keyUpCode, m_keyUpShift);
}

void XPButton::finishWaitingKeyUp()
{
    // Any other key event shows that the waiting release was a real one; its
    // Click comes first.
    if (!m_keyUpTimer->isActive())
        return;
    m_keyUpTimer->stop();
    finishKeyUp();
}

} // namespace hitungrama
