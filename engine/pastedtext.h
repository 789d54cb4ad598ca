#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace hitungrama {

// The rule for text pasted into the display. The paste takes the text's first
// line (up to the first line feed or carriage return) and trims blanks and
// tabs at both ends. What is left must be, in ASCII, an optional sign, digits
// with at most one point and an optional exponent (e or E, an optional sign,
// digits), read as parseStrict reads it: a finite value, or 0 when it is too
// small for a double. A single comma is the point when the text holds no "."
// and the comma is not followed by exactly three digits ("1,5" is 1.5;
// "1,000" may be a thousand and is refused). In binary mode only the digits
// 0 and 1 are accepted, read as decimal digits, as typing them reads them.
// Anything else, and a first line longer than kLongestPaste bytes, gives no
// number. The text is UTF-8; any byte outside ASCII is refused.

inline constexpr std::size_t kLongestPaste = 1000;

std::optional<double> readPastedText(const std::string &text, bool binaryMode);

} // namespace hitungrama
