#pragma once

#include <cstdint>
#include <string>

namespace hitungrama {

// The conversions between numbers and display text. The display is both the
// entry buffer and the output, so every operation reads it back through these
// rules. None of them depends on the user's locale.

// Rounds to 15 significant digits, then writes plain decimal notation for
// decimal exponents -4 to 14 and the exponent form ("1E+15", "-2.5E-05")
// otherwise. Zero of either sign is "0"; non-finite values are "Infinity",
// "-Infinity" and "NaN".
std::string formatGeneral(double value);

// The whole text must be a number: optional blanks (space, tab) around, an
// optional sign, digits with at most one ".", at least one digit, an optional
// exponent (E or e, optional sign, digits); or one of the words "Infinity",
// "+Infinity", "-Infinity", "NaN". Throws EngineError: NotANumber for any
// other text, Overflow beyond the double range. Underflow gives zero; a value
// up to the 15-digit text of the largest double reads as the largest double,
// so every text that formatGeneral writes reads back.
double parseStrict(const std::string &text);

// Ignores spaces, tabs and line feeds anywhere, then reads the longest leading
// number of the same form (or one of the words); no digits gives 0. Throws
// EngineError Overflow for a number beyond the double range.
double parseLenient(const std::string &text);

// Whether the whole text is a number written with an exponent: "1E+20",
// "-1.5e-3" (no blanks).
bool isExponentForm(const std::string &text);

// Nearest integer, ties to even. Throws EngineError Overflow when the rounded
// value (or NaN) does not fit the type.
std::int32_t roundToInt32(double value);
std::int16_t roundToInt16(double value);

// Both operands rounded with roundToInt32; remainder of the division truncated
// toward zero (sign of the dividend). Throws Overflow (an operand out of range,
// or -2147483648 by -1) or DivisionByZero (divisor rounds to 0).
double remainderInt32(double dividend, double divisor);

// The largest whole number not greater than the value.
double floorValue(double value);

} // namespace hitungrama
