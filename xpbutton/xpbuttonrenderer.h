#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

namespace hitungrama {

class Canvas;
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
class XPButtonRenderer {
public:
    // Face geometry: left, top, the last column and one past the last row.
    struct Face {
        int L = 0;
        int T = 0;
        int R = -1;
        int B = 0;
    };

    static constexpr quint32 kBackgroundColour = 0x80000005;
    static constexpr QRgb kDisabledCaption = 0xFFA1A192; // (161, 161, 146)
    static constexpr int kCaptionFlags =
        Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;

    // The image's logical size is its size divided by its whole ratio.
    static void paint(QImage &image, const ButtonLook &look);
    // The grids give the logical size and where each logical pixel falls.
    static void paint(QImage &image, const PixelGrid &columns, const PixelGrid &rows,
                      const ButtonLook &look);

    // The client rectangle less its four corner pixels.
    static QRegion windowShape(int width, int height);
    // Where a caption of the given text height goes: full width, centred
    // vertically with halves rounded to even.
    static QRect captionRect(int width, int height, int textHeight);
    static int roundHalfEven(double value);
    static QColor captionColour(const ButtonLook &look);

    static Face faceFor(int width, int height);
    static void drawNormalFace(Canvas &canvas, const Face &f);
    static void drawPressedFace(Canvas &canvas, const Face &f);
    static void drawDisabledFace(Canvas &canvas, const Face &f);
    static void drawBorder(Canvas &canvas, const Face &f);
    static void drawFocusRing(Canvas &canvas, const Face &f);
    static void drawHoverRing(Canvas &canvas, const Face &f);
    static void drawCaption(QImage &image, QSize logicalSize, const ButtonLook &look);
};

} // namespace hitungrama
