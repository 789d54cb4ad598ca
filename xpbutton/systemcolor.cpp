#include "xpbutton/systemcolor.h"

#include <array>

namespace hitungrama {

namespace {

// System colours of the standard desktop scheme (blue theme), by index.
constexpr std::array<QRgb, 31> kSystemColours = {
    qRgb(212, 208, 200), //  0 scroll bar
    qRgb(0, 78, 152),    //  1 desktop
    qRgb(0, 84, 227),    //  2 active title bar
    qRgb(122, 150, 223), //  3 inactive title bar
    qRgb(255, 255, 255), //  4 menu background
    qRgb(255, 255, 255), //  5 window background
    qRgb(0, 0, 0),       //  6 window frame
    qRgb(0, 0, 0),       //  7 menu text
    qRgb(0, 0, 0),       //  8 window text
    qRgb(255, 255, 255), //  9 title-bar text
    qRgb(212, 208, 200), // 10 active border
    qRgb(212, 208, 200), // 11 inactive border
    qRgb(128, 128, 128), // 12 application workspace
    qRgb(49, 106, 197),  // 13 highlight
    qRgb(255, 255, 255), // 14 highlighted text
    qRgb(236, 233, 216), // 15 button face
    qRgb(172, 168, 153), // 16 button shadow
    qRgb(172, 168, 153), // 17 grey text
    qRgb(0, 0, 0),       // 18 button text
    qRgb(216, 228, 248), // 19 inactive title-bar text
    qRgb(255, 255, 255), // 20 button highlight
    qRgb(113, 111, 100), // 21 3-D dark shadow
    qRgb(241, 239, 226), // 22 3-D light
    qRgb(0, 0, 0),       // 23 tooltip text
    qRgb(255, 255, 225), // 24 tooltip background
    qRgb(0, 0, 0),       // 25 unused: black
    qRgb(0, 0, 128),     // 26 hot-tracked item
    qRgb(61, 149, 255),  // 27 active title-bar gradient
    qRgb(157, 185, 235), // 28 inactive title-bar gradient
    qRgb(49, 106, 197),  // 29 menu highlight
    qRgb(236, 233, 216), // 30 menu bar
};

} // namespace

bool isSystemColorReference(quint32 value)
{
    return (value & 0x80000000u) != 0;
}

QColor colorFromOle(quint32 value)
{
    if (isSystemColorReference(value)) {
        const quint32 index = value & 0x7FFFFFFFu;
        if (index < kSystemColours.size())
            return QColor(kSystemColours[index]);
        return QColor(Qt::black);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace hitungrama
