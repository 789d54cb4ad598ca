#pragma once

#include <cstdint>
#include <string>

namespace hitungrama {

// Rounds of repeated multiplication that the power step still runs; an
// exponent that needs more is computed with std::pow instead.
constexpr double kMaxPowerRounds = 10000000.0;

// The power step for a non-zero exponent. A whole exponent of 1 or more
// multiplies the base into itself exponent - 1 times, in order; the loop stops
// as soon as the value can only flip its sign (0, an infinity, NaN, a base of
// 0 or +-1). Any other exponent (fractional, negative, NaN) uses std::pow.
double raisePower(double base, double exponent);

// Trial division up to the square root. 0 and 1 are not prime.
bool isPrime(std::int32_t value);

// Base-2 digits of a non-negative value, left-padded with "0" to 8 characters.
std::string binaryNumeral(std::int32_t value);

} // namespace hitungrama
