#include "xpbutton/fontunits.h"

#include <algorithm>
#include <cmath>

namespace hitungrama {

namespace {
constexpr double kDotsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kLargestPixels = 4096.0;
} // namespace

QFont fontFromPoints(const QString &family, double points, bool bold, bool italic,
                     bool underline, bool strikeOut)
{
    QFont font(family);
    double pixels = std::round(points * kDotsPerInch / kPointsPerInch);
    // A pixel size must be positive; invalid or tiny sizes get the smallest one
    // and absurd ones a large but drawable one.
    if (!std::isfinite(pixels) || pixels < 1.0)
        pixels = 1.0;
    font.setPixelSize(int(std::min(pixels, kLargestPixels)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

double fontPoints(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0)
        return font.pixelSize() * kPointsPerInch / kDotsPerInch;
    return 0.0;
}

bool sameFontDescription(const QFont &a, const QFont &b)
{
    return a.family().compare(b.family(), Qt::CaseInsensitive) == 0
        && std::abs(fontPoints(a) - fontPoints(b)) < 1e-6 && a.bold() == b.bold()
        && a.italic() == b.italic() && a.underline() == b.underline()
        && a.strikeOut() == b.strikeOut();
}

} // namespace hitungrama
