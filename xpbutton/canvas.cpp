#include "xpbutton/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace hitungrama {

Canvas::Canvas(QImage &image)
    : Canvas(image, PixelGrid(image.width(), image.width(), 1.0),
             PixelGrid(image.height(), image.height(), 1.0))
{
}

Canvas::Canvas(QImage &image, const PixelGrid &columns, const PixelGrid &rows)
    : m_image(image), m_columns(columns), m_rows(rows)
{
}

int Canvas::width() const
{
    return m_columns.logicalLength();
}

int Canvas::height() const
{
    return m_rows.logicalLength();
}

void Canvas::clear(QRgb colour)
{
    fillRect(0, 0, width(), height(), colour);
}

void Canvas::pixel(int x, int y, QRgb colour)
{
    fillRect(x, y, x + 1, y + 1, colour);
}

void Canvas::fillRect(int left, int top, int right, int bottom, QRgb colour)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width());
    bottom = std::min(bottom, height());
    if (left >= right || top >= bottom)
        return;
    const int deviceLeft = m_columns.start(left);
    const int deviceRight = std::min(m_columns.start(right), m_image.width());
    const int deviceBottom = std::min(m_rows.start(bottom), m_image.height());
    for (int y = m_rows.start(top); y < deviceBottom; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        std::fill(row + deviceLeft, row + deviceRight, colour);
    }
}

void Canvas::frameRect(int left, int top, int right, int bottom, QRgb colour)
{
    if (left >= right || top >= bottom)
        return;
    fillRect(left, top, right, top + 1, colour);
    fillRect(left, bottom - 1, right, bottom, colour);
    fillRect(left, top, left + 1, bottom, colour);
    fillRect(right - 1, top, right, bottom, colour);
}

void Canvas::stamp(int x, int y, int penWidth, QRgb colour)
{
    const int start = penWidth / 2;
    fillRect(x - start, y - start, x - start + penWidth, y - start + penWidth, colour);
}

void Canvas::line(int x1, int y1, int x2, int y2, int penWidth, QRgb colour)
{
    penWidth = std::max(penWidth, 1);
    if (x1 == x2 && y1 == y2)
        return;
    const int start = penWidth / 2;
    if (y1 == y2) {
        // Horizontal: the path is x1 .. x2 - 1 (or x2 + 1 .. x1 going left).
        const int first = x2 > x1 ? x1 : x2 + 1;
        const int last = x2 > x1 ? x2 - 1 : x1;
        fillRect(first - start, y1 - start, last - start + penWidth, y1 - start + penWidth,
                 colour);
        return;
    }
    if (x1 == x2) {
        const int first = y2 > y1 ? y1 : y2 + 1;
        const int last = y2 > y1 ? y2 - 1 : y1;
        fillRect(x1 - start, first - start, x1 - start + penWidth, last - start + penWidth,
                 colour);
        return;
    }
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        stamp(x, y, penWidth, colour);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace hitungrama
