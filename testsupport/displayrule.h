#pragma once

#include <string>

namespace hitungrama {

// What the display may hold after any action: a number text the engine
// reads back (including "Infinity", "-Infinity", "NaN" and binary numerals),
// the two system messages that stay in the display, or nothing. "Desimal"
// pads any text with zeros on the left and the decimal point appends "." to
// any text without one, so both are allowed around each of these. Texts are
// UTF-8.
namespace DisplayRule {

bool accepts(const std::string &display);

// The text without one trailing "." and without leading zeros.
std::string normalised(const std::string &text);

} // namespace DisplayRule

} // namespace hitungrama
