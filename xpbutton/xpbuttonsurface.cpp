#include "xpbutton/xpbutton.h"

#include "xpbutton/xpbuttonrenderer.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace hitungrama {

const QImage &XPButton::image() const
{
    drawDeferredLook();
    return m_image;
}

void XPButton::Measure()
{
    m_clientWidth = std::max(width(), 0);
    m_clientHeight = std::max(height(), 0);
    m_ratio = devicePixelRatioF();
    const QSize device = deviceSize(m_ratio);
    m_columns = PixelGrid(m_clientWidth, device.width(), m_ratio);
    m_rows = PixelGrid(m_clientHeight, device.height(), m_ratio);
    if (m_image.size() != device || m_image.devicePixelRatio() != m_ratio) {
        m_image = device.isEmpty() ? QImage() : QImage(device, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(m_ratio);
    }
    Repaint(0);
}

QSize XPButton::deviceSize(qreal ratio) const
{
    // At a fractional ratio the device size depends on where the button lies
    // in its window, since Qt rounds each edge to the nearest device pixel.
    const QPoint at = PixelGrid::isWhole(ratio) ? QPoint() : mapTo(window(), QPoint(0, 0));
    return QSize(PixelGrid::deviceSpan(at.x(), m_clientWidth, ratio),
                 PixelGrid::deviceSpan(at.y(), m_clientHeight, ratio));
}

bool XPButton::deviceGeometryChanged() const
{
    const qreal ratio = devicePixelRatioF();
    return ratio != m_ratio
        || deviceSize(ratio) != QSize(m_columns.deviceLength(), m_rows.deviceLength());
}

void XPButton::Repaint(short pressRequested)
{
    // A hidden button is drawn when it is shown (showEvent repaints), so the
    // resizes and property writes of start-up draw each button only once.
    if (!isVisible())
        return;
    drawLook(currentLook(pressRequested));
}

void XPButton::drawLook(const ButtonLook &look)
{
    m_lookDeferred = false;
    if (!m_image.isNull())
        XPButtonRenderer::paint(m_image, m_columns, m_rows, look);
    ApplyWindowShape();
    update();
}

ButtonLook XPButton::currentLook(short pressRequested) const
{
    ButtonLook look;
    look.enabled = m_enabledFlag;
    look.hover = m_hoverFlag;
    look.focus = m_focusFlag;
    look.pressRequested = pressRequested == 1;
    look.pressButton = m_pressButton;
    look.caption = m_captionText;
    look.font = m_font;
    look.foreColor = m_foreColor;
    look.foreHover = m_foreHoverColor;
    return look;
}

void XPButton::drawDeferredLook() const
{
    if (!m_lookDeferred)
        return;
    m_lookDeferred = false;
    if (!m_image.isNull())
        XPButtonRenderer::paint(m_image, m_columns, m_rows, m_deferredLook);
}

void XPButton::ApplyWindowShape()
{
    QRegion shape = XPButtonRenderer::windowShape(m_clientWidth, m_clientHeight);
    // An empty mask would show the whole widget; a button too small to keep
    // any pixel gets a shape that lies wholly outside it instead.
    if (shape.isEmpty())
        shape = QRegion(-1, -1, 1, 1);
    setMask(shape);
}

void XPButton::refresh()
{
    update();
}

void XPButton::paintEvent(QPaintEvent *event)
{
    // The window may have moved to a screen with another ratio.
    if (deviceGeometryChanged())
        Measure();
    drawDeferredLook();
    QPainter painter(this);
    if (m_image.isNull())
        return;
    if (m_ratio == 1.0) {
        painter.drawImage(event->rect(), m_image, event->rect());
        return;
    }
    // Image pixel 0 goes to the device pixel that Qt's clip gives the left
    // edge, so at a fractional ratio no column is split or lost.
    const QPointF origin = painter.deviceTransform().map(QPointF(0, 0));
    const QPointF shift((qRound(origin.x()) - origin.x()) / m_ratio,
                        (qRound(origin.y()) - origin.y()) / m_ratio);
    painter.drawImage(QRectF(shift, QSizeF(m_image.size()) / m_ratio), m_image,
                      QRectF(m_image.rect()));
}

void XPButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Measure();
}

void XPButton::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The resting look as it is now, drawn before the button first reaches
    // the screen: a window shows all its buttons before it is mapped, and
    // drawing them here would hold its first appearance back. Any later
    // repaint draws at once and replaces this one.
    m_deferredLook = currentLook(0);
    m_lookDeferred = true;
    ApplyWindowShape();
    update();
}

void XPButton::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!PixelGrid::isWhole(m_ratio) && deviceGeometryChanged())
        Measure();
}

} // namespace hitungrama
