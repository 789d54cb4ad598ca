#include "xpbutton/xpbutton.h"

#include "xpbutton/keycodes.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace hitungrama {

bool XPButton::insideShape(QPoint local) const
{
    const QRegion shape = mask();
    return shape.isEmpty() ? rect().contains(local) : shape.contains(local);
}

bool XPButton::IsPointerOver(QPoint local) const
{
    // The point comes with the pointer event, so nothing asks the display
    // server (on Wayland a cursor query only repeats the last event anyway).
    // A cut-off corner or a sibling lying over the button counts as outside.
    if (!insideShape(local))
        return false;
    const QWidget *top = window();
    return top == this || top->childAt(mapTo(top, local)) == this;
}

void XPButton::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_pointerOver = false;
    endHover();
}

void XPButton::handleMouseDown(short button, short shift, float x, float y)
{
    if (!m_enabledFlag)
        return;
    // The press grabs the mouse: Qt holds Leave back until the release, so
    // the timer watches the motion events for the pointer leaving.
    if (m_hoverFlag)
        m_hoverTimer->start();
    QPointer<XPButton> self(this);
    emit MouseDown(button, shift, x, y);
    if (!self)
        return;
    m_pressButton = button;
    m_pressArmed = true;
    const quint64 releasesBefore = m_releaseSerial;
    refresh();
    // Lets queued notifications run first; any of them may disable, hide or
    // destroy this button, or handle the release already.
    QCoreApplication::processEvents();
    if (!self)
        return;
    if (!m_enabledFlag || !isEnabled() || !isVisible()) {
        m_pressArmed = false;
        return;
    }
    if (m_releaseSerial != releasesBefore)
        return;
    Repaint(1);
}

void XPButton::mousePressEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    m_pointerOver = IsPointerOver(at.toPoint());
    handleMouseDown(mouseButtonCode(event->button()), shiftState(event->modifiers()),
                    float(at.x()), float(at.y()));
}

void XPButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (m_pressButton != 1)
        return;
    // The press grabs the mouse, so the coming release reaches this button;
    // that release raises Click like any other, so no quick second press is lost.
    handleMouseDown(1, 0, 0.0f, 0.0f);
}

void XPButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    QPointer<XPButton> self(this);
    ++m_releaseSerial;
    // With every button up, Qt reports a leave that happened during the grab.
    if (event->buttons() == Qt::NoButton)
        m_hoverTimer->stop();
    const bool armed = m_pressArmed;
    m_pressArmed = false;
    const QPointF at = event->position();
    emit MouseUp(mouseButtonCode(event->button()), shiftState(event->modifiers()),
                 float(at.x()), float(at.y()));
    if (!self)
        return;
    Repaint(0);
    refresh();
    // Without the hover look the timer is off and cannot reset the latch; a
    // drag that left and came back would otherwise block every later hover.
    if (!m_hoverFlag)
        m_moveLatch = 0;
    if (armed && insideShape(at.toPoint()))
        handleClick();
}

void XPButton::handleClick()
{
    if (m_pressButton != 1)
        return;
    Repaint(0);
    refresh();
    emit Click();
}

void XPButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    const short button = mouseButtonCode(event->buttons());
    const QPointF at = event->position();
    m_pointerOver = IsPointerOver(at.toPoint());
    if (button < 2) {
        if (m_pointerOver) {
            if (m_moveLatch == 1)
                return;
            m_moveLatch = 1;
            if (button == 0 && !m_hoverFlag) {
                m_hoverFlag = true;
                m_moveLatch = 0;
                Repaint(0);
                QPointer<XPButton> self(this);
                emit MouseOver();
                if (!self)
                    return;
            } else if (button == 1) {
                m_hoverFlag = true;
                Repaint(1);
                m_hoverFlag = false;
            }
        } else {
            if (m_moveLatch == 0)
                return;
            Repaint(0);
        }
    }
    emit MouseMove(button, shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void XPButton::hoverTimerTick()
{
    // Runs only while a mouse button is held over the hovered button; the
    // last motion event says whether the pointer is still over it.
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        m_hoverTimer->stop();
    if (!m_pointerOver)
        endHover();
}

void XPButton::endHover()
{
    m_hoverTimer->stop();
    if (!m_hoverFlag)
        return;
    m_hoverFlag = false;
    m_moveLatch = 0;
    Repaint(0);
    emit MouseOut();
}

} // namespace hitungrama
