#include "xpbutton/xpbuttonrenderer.h"

#include "xpbutton/canvas.h"
#include "xpbutton/pixelgrid.h"
#include "xpbutton/systemcolor.h"

#include <QPainter>

#include <cmath>

namespace hitungrama {

using namespace XPButtonRenderer;

namespace {

// Face geometry: left, top, the last column and one past the last row.
struct Face {
    int L = 0;
    int T = 0;
    int R = -1;
    int B = 0;
};

struct Rgb {
    int r;
    int g;
    int b;
    QRgb value() const { return qRgb(r, g, b); }
};

void clearToBackground(Canvas &canvas)
{
    canvas.clear(colorFromOle(XPButtonRenderer::kBackgroundColour).rgb());
}

struct CornerPixel {
    int dx;
    bool fromRight;
    int dy;
    bool fromBottom;
    bool inner;
};

void setCornerPixels(Canvas &canvas, const Face &f, const CornerPixel *pixels,
                     int count, QRgb outer, QRgb inner)
{
    for (int i = 0; i < count; ++i) {
        const CornerPixel &p = pixels[i];
        const int x = p.fromRight ? f.R + p.dx : f.L + p.dx;
        const int y = p.fromBottom ? f.B + p.dy : f.T + p.dy;
        canvas.pixel(x, y, p.inner ? inner : outer);
    }
}

Face faceFor(int width, int height)
{
    return Face{0, 0, width - 1, height};
}

void drawNormalFace(Canvas &canvas, const Face &f)
{
    clearToBackground(canvas);
    Rgb c{255, 255, 253};
    for (int y = f.T + 3; y <= f.B - 3; ++y) {
        canvas.line(f.L, y, f.R, y, 1, c.value());
        if (c.b >= 230) {
            --c.r;
            --c.g;
            --c.b;
        }
    }
    canvas.line(f.L, f.B - 2, f.R, f.B - 2, 1, qRgb(214, 208, 197));
    canvas.line(f.L, f.B - 3, f.R, f.B - 3, 1, qRgb(226, 223, 214));
    canvas.line(f.L, f.B - 4, f.R, f.B - 4, 1, qRgb(236, 235, 230));
}

void drawPressedFace(Canvas &canvas, const Face &f)
{
    clearToBackground(canvas);
    Rgb c{226, 225, 218};
    for (int y = f.T + 3; y <= f.B - 2; y += 4) {
        canvas.line(f.L, y, f.R, y, 4, c.value());
        if (c.b >= 218) {
            --c.r;
            --c.g;
            --c.b;
        }
    }
    canvas.line(f.L, f.T + 1, f.R, f.T + 1, 1, qRgb(209, 204, 192));
    canvas.line(f.L, f.T + 2, f.R, f.T + 2, 1, qRgb(220, 216, 207));
    canvas.line(f.L, f.B - 3, f.R, f.B - 3, 1, qRgb(234, 233, 227));
    canvas.line(f.L, f.B - 2, f.R, f.B - 2, 1, qRgb(242, 241, 238));
}

void drawDisabledFace(Canvas &canvas, const Face &f)
{
    clearToBackground(canvas);
    const int width = f.R + 1;
    canvas.fillRect(0, 0, width, f.B, qRgb(245, 244, 234));
    canvas.frameRect(0, 0, width, f.B, qRgb(201, 199, 186));
    static constexpr CornerPixel kCorners[] = {
        {0, false, 1, false, false},  {1, false, 1, false, false},  {1, false, 0, false, false},
        {1, false, 2, false, true},   {2, false, 1, false, true},   {-1, true, 0, false, false},
        {-1, true, 1, false, false},  {0, true, 1, false, false},   {-2, true, 1, false, true},
        {-1, true, 2, false, true},   {0, false, -2, true, false},  {1, false, -2, true, false},
        {1, false, -1, true, false},  {1, false, -3, true, true},   {2, false, -2, true, true},
        {0, true, -2, true, false},   {-1, true, -2, true, false},  {-1, true, -1, true, false},
        {-1, true, -3, true, true},   {-2, true, -2, true, true},
    };
    setCornerPixels(canvas, f, kCorners, int(std::size(kCorners)), qRgb(216, 213, 199),
                    qRgb(234, 233, 222));
}

void drawBorder(Canvas &canvas, const Face &f)
{
    canvas.frameRect(0, 0, f.R + 1, f.B, qRgb(0, 60, 116));
    static constexpr CornerPixel kCorners[] = {
        {0, false, 1, false, false},  {1, false, 1, false, true},   {1, false, 0, false, false},
        {-1, true, 0, false, false},  {-1, true, 1, false, true},   {0, true, 1, false, false},
        {0, false, -2, true, false},  {1, false, -2, true, true},   {1, false, -1, true, false},
        {0, true, -2, true, false},   {-1, true, -2, true, true},   {-1, true, -1, true, false},
    };
    setCornerPixels(canvas, f, kCorners, int(std::size(kCorners)), qRgb(122, 149, 168),
                    qRgb(37, 87, 131));
}

void drawFocusRing(Canvas &canvas, const Face &f)
{
    canvas.line(f.L + 2, f.T + 1, f.R - 1, f.T + 1, 1, qRgb(206, 231, 251));
    canvas.line(f.L + 1, f.T + 2, f.R, f.T + 2, 1, qRgb(188, 212, 246));
    Rgb c{186, 211, 246};
    for (int y = f.T + 3; y <= f.B - 4; ++y) {
        canvas.line(f.L + 2, y, f.L + 2, y + 1, 2, c.value());
        canvas.line(f.R - 1, y, f.R - 1, y + 1, 2, c.value());
        if (c.b >= 228) {
            c.r -= 4;
            c.g -= 3;
            c.b -= 1;
        }
    }
    canvas.line(f.L + 1, f.B - 3, f.R - 1, f.B - 3, 1, c.value());
    canvas.pixel(f.L + 2, f.B - 2, qRgb(77, 125, 193));
    canvas.line(f.L + 3, f.B - 2, f.R - 2, f.B - 2, 1, qRgb(97, 125, 229));
    canvas.pixel(f.R - 2, f.B - 2, qRgb(77, 125, 193));
}

void drawHoverRing(Canvas &canvas, const Face &f)
{
    canvas.line(f.L + 2, f.T + 1, f.R - 1, f.T + 1, 1, qRgb(255, 240, 207));
    canvas.line(f.L + 1, f.T + 2, f.R, f.T + 2, 1, qRgb(253, 216, 137));
    Rgb c{254, 223, 154};
    for (int y = f.T + 2; y <= f.B - 3; ++y) {
        canvas.line(f.L + 1, y, f.L + 1, y + 1, 1, c.value());
        canvas.line(f.R - 1, y, f.R - 1, y + 1, 1, c.value());
        if (c.b >= 49) {
            c.r -= 1;
            c.g -= 3;
            c.b -= 7;
        }
    }
    Rgb d{252, 210, 121};
    for (int y = f.T + 3; y <= f.B - 3; ++y) {
        canvas.line(f.L + 2, y, f.L + 2, y + 1, 1, d.value());
        canvas.line(f.R - 2, y, f.R - 2, y + 1, 1, d.value());
        if (d.b >= 57) {
            d.r -= 1;
            d.g -= 4;
            d.b -= 8;
        }
    }
    canvas.line(f.L + 3, f.B - 3, f.R, f.B - 3, 1, d.value());
    canvas.line(f.L + 2, f.B - 2, f.R - 1, f.B - 2, 1, qRgb(229, 151, 0));
}

QColor captionColour(const ButtonLook &look)
{
    if (!look.enabled)
        return QColor(kDisabledCaption);
    return colorFromOle(look.hover ? look.foreHover : look.foreColor);
}

void drawCaption(QImage &image, QSize logicalSize, const ButtonLook &look)
{
    if (look.caption.isEmpty() || image.isNull())
        return;
    // The painter works in logical pixels and draws the letters at the
    // image's device pixel ratio.
    QPainter painter(&image);
    painter.setFont(look.font);
    painter.setPen(captionColour(look));
    const QRect client(QPoint(0, 0), logicalSize);
    const int textHeight = painter.boundingRect(client, kCaptionFlags, look.caption).height();
    painter.drawText(captionRect(client.width(), client.height(), textHeight), kCaptionFlags,
                     look.caption);
}

} // namespace

QRegion XPButtonRenderer::windowShape(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QRegion();
    QRegion shape(0, 0, width, height);
    const QRect corners[] = {QRect(0, 0, 1, 1), QRect(0, height - 1, 1, 1),
                             QRect(width - 1, 0, 1, 1), QRect(width - 1, height - 1, 1, 1)};
    for (const QRect &corner : corners)
        shape -= QRegion(corner);
    return shape;
}

int XPButtonRenderer::roundHalfEven(double value)
{
    if (!std::isfinite(value) || std::abs(value) > 1e9)
        return 0;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return int(lower) + 1;
    if (fraction < 0.5)
        return int(lower);
    return std::fmod(lower, 2.0) == 0.0 ? int(lower) : int(lower) + 1;
}

QRect XPButtonRenderer::captionRect(int width, int height, int textHeight)
{
    const float scaleHeight = float(height);
    const float scaleWidth = float(width);
    const int top = roundHalfEven(scaleHeight * 0.5 - textHeight * 0.5);
    const int bottom = roundHalfEven(scaleHeight * 0.5 + textHeight * 0.5);
    const int right = roundHalfEven(scaleWidth);
    return QRect(QPoint(0, top), QPoint(right - 1, bottom - 1));
}

void XPButtonRenderer::paint(QImage &image, const ButtonLook &look)
{
    const qreal ratio = image.devicePixelRatio();
    const int scale = PixelGrid::isWhole(ratio) ? int(ratio) : 1;
    paint(image, PixelGrid(image.width() / scale, image.width(), scale),
          PixelGrid(image.height() / scale, image.height(), scale), look);
}

void XPButtonRenderer::paint(QImage &image, const PixelGrid &columns, const PixelGrid &rows,
                             const ButtonLook &look)
{
    Canvas canvas(image, columns, rows);
    const Face f = faceFor(canvas.width(), canvas.height());
    if (!look.enabled) {
        drawDisabledFace(canvas, f);
    } else if (look.pressRequested && look.pressButton == 1) {
        drawPressedFace(canvas, f);
        drawBorder(canvas, f);
    } else {
        drawNormalFace(canvas, f);
        if (look.hover)
            drawHoverRing(canvas, f);
        else if (look.focus)
            drawFocusRing(canvas, f);
        drawBorder(canvas, f);
    }
    drawCaption(image, QSize(canvas.width(), canvas.height()), look);
}

} // namespace hitungrama
