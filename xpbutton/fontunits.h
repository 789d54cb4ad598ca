#pragma once

#include <QFont>
#include <QString>

namespace hitungrama {

// The size of a font that no one has sized: the buttons' initial font, the
// size a stored font falls back to, and a layout font's default.
inline constexpr double kDefaultFontPoints = 8.25;

// Builds a font whose size is a pixel size of round(points * 96 / 72), so the
// look does not depend on the screen's dots per inch.
QFont fontFromPoints(const QString &family, double points, bool bold = false,
                     bool italic = false, bool underline = false, bool strikeOut = false);

// The size of a font in points at 96 dpi: its point size when it has one,
// otherwise its pixel size * 72 / 96. Returns 0 when neither is set.
double fontPoints(const QFont &font);

// Family (case-insensitive), size in points, bold, italic, underline and
// strike-out all match.
bool sameFontDescription(const QFont &a, const QFont &b);

} // namespace hitungrama
