#pragma once

#include "xpbutton/pixelgrid.h"

#include <QImage>

namespace hitungrama {

// Solid-colour drawing on a QImage (32-bit format), clipped to the image.
// Rectangles take left and top inclusive, right and bottom exclusive.
// Coordinates are logical pixels; the two grids say which block of device
// pixels of the image each one fills (by default the image's own pixels).
//
// Pen coverage: a pen of width n stamps an n-by-n square at every pixel of the
// one-pixel path, from x - n/2 to x - n/2 + n - 1 (likewise for y, n/2
// rounded down), so width 1 is exactly the one-pixel path and the end point is
// left out for every width.
class Canvas {
public:
    explicit Canvas(QImage &image);
    Canvas(QImage &image, const PixelGrid &columns, const PixelGrid &rows);

    int width() const;
    int height() const;

    void clear(QRgb colour);
    // From (x1, y1) up to but excluding (x2, y2); a line to its own start
    // point draws nothing. Slanted lines follow Bresenham's steps.
    void line(int x1, int y1, int x2, int y2, int penWidth, QRgb colour);
    void pixel(int x, int y, QRgb colour);
    void fillRect(int left, int top, int right, int bottom, QRgb colour);
    // A one-pixel frame on the inside of the rectangle.
    void frameRect(int left, int top, int right, int bottom, QRgb colour);

private:
    void stamp(int x, int y, int penWidth, QRgb colour);

    QImage &m_image;
    PixelGrid m_columns;
    PixelGrid m_rows;
};

} // namespace hitungrama
