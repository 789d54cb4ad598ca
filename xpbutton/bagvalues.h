#pragma once

#include <QFont>
#include <QString>
#include <QVariant>

#include <optional>

namespace hitungrama {

// Conversions of stored values to the types of the button's keys. Each gives
// nothing when the value cannot be turned into that type cleanly.

// bool; integers (0 false, any other true); "True"/"False", "-1", "0", "1".
std::optional<bool> booleanFromBag(const QVariant &value);
// Integers from -2^31 to 2^32 - 1 (negative ones as their 32-bit pattern),
// integral doubles, and text in decimal, "0x..." or "&H...&" notation.
std::optional<quint32> colourFromBag(const QVariant &value);
// Text, bytes (UTF-8), a character or a number.
std::optional<QString> textFromBag(const QVariant &value);
// A QFont with a point or pixel size, or QFont::toString text.
std::optional<QFont> fontFromBag(const QVariant &value);

// How the button stores a font: a QFont sized in points at 96 dpi.
QVariant fontToBag(const QFont &font, double points);

} // namespace hitungrama
