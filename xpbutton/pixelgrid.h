#pragma once

#include <QtGlobal>

namespace hitungrama {

// Where the logical pixels of one axis of a button fall on device pixels.
//
// A button's look is drawn pixel by pixel in logical pixels; each logical
// pixel fills a block of device pixels. At ratio 1 the grid is the identity
// and at a whole ratio k every pixel is k device pixels wide. At a
// fractional ratio the outer kEdgePixels pixels on each side, which hold
// every frame, ring and shade line of the look, are edgeWidth() device
// pixels each, and the pixels between them share what is left evenly; so a
// one-pixel line has the same device width on every side of every button.
// An axis too short to give its inner pixels one device pixel each is
// spread evenly instead.
class PixelGrid {
public:
    static constexpr int kEdgePixels = 4;

    PixelGrid() = default;
    PixelGrid(int logicalLength, int deviceLength, qreal ratio);

    int logicalLength() const { return m_logical; }
    int deviceLength() const { return m_device; }
    // The first device pixel of logical pixel i, for i from 0 to
    // logicalLength(); start(logicalLength()) is deviceLength().
    int start(int i) const;

    // The device width of the outer pixels at a fractional ratio: the ratio
    // rounded to the nearest whole number, halves up, at least 1.
    static int edgeWidth(qreal ratio);
    static bool isWhole(qreal ratio);
    // The device pixels a widget at the logical position `position` (in its
    // top-level window) with the logical length `length` covers: Qt rounds
    // both of its edges to the nearest device pixel.
    static int deviceSpan(int position, int length, qreal ratio);

private:
    enum class Rule { Scaled, Edges, Even };

    int m_logical = 0;
    int m_device = 0;
    int m_scale = 1; // Scaled: device pixels per logical pixel
    int m_edge = 1;  // Edges: device width of the outer pixels
    Rule m_rule = Rule::Scaled;
};

} // namespace hitungrama
