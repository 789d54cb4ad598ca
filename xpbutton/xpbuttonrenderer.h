#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

namespace hitungrama {

class PixelGrid;

// Everything one repaint of a button depends on.
struct ButtonLook {
    bool enabled = true;
    bool hover = false;
    bool focus = false;
    bool pressRequested = false;
    short pressButton = 0; // 1 = left
    QString caption;
    QFont font;
    quint32 foreColor = 0x80000006;
    quint32 foreHover = 0;
};

// Draws a whole button into an image: face, ring, frame and caption.
// The image keeps its size. The look is laid out in logical pixels; the
// image may be made at a device pixel ratio (QImage::devicePixelRatio), and
// then each logical pixel of the frames, rings and faces fills its block of
// device pixels (see PixelGrid) while the caption is drawn at the image's
// full resolution.
namespace XPButtonRenderer {

inline constexpr quint32 kBackgroundColour = 0x80000005;
inline constexpr QRgb kDisabledCaption = 0xFFA1A192; // (161, 161, 146)
inline constexpr int kCaptionFlags =
    Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;

// The image's logical size is its size divided by its whole ratio.
void paint(QImage &image, const ButtonLook &look);
// The grids give the logical size and where each logical pixel falls.
void paint(QImage &image, const PixelGrid &columns, const PixelGrid &rows, const ButtonLook &look);

// The client rectangle less its four corner pixels.
QRegion windowShape(int width, int height);
// Where a caption of the given text height goes: full width, centred
// vertically with halves rounded to even.
QRect captionRect(int width, int height, int textHeight);
int roundHalfEven(double value);

} // namespace XPButtonRenderer

} // namespace hitungrama
