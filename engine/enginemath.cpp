#include "engine/enginemath.h"

#include <cmath>

namespace hitungrama {

double raisePower(double base, double exponent)
{
    if (!(exponent >= 1.0) || std::floor(exponent) != exponent)
        return std::pow(base, exponent);
    const double rounds = exponent - 1.0;
    if (rounds > kMaxPowerRounds)
        return std::pow(base, exponent);

    const bool flipsSign = base < 0.0;
    const bool settled = base == 0.0 || base == 1.0 || base == -1.0 || std::isnan(base);
    double value = base;
    for (auto left = static_cast<long>(rounds); left > 0; --left) {
        if (settled || value == 0.0 || !std::isfinite(value)) {
            if (flipsSign && left % 2 == 1)
                value = -value;
            break;
        }
        value = base * value;
    }
    return value;
}

bool isPrime(std::int32_t value)
{
    if (value < 2)
        return false;
    if (value < 4)
        return true;
    if (value % 2 == 0)
        return false;
    for (std::int64_t divisor = 3; divisor * divisor <= value; divisor += 2) {
        if (value % divisor == 0)
            return false;
    }
    return true;
}

std::string binaryNumeral(std::int32_t value)
{
    std::string digits;
    auto rest = static_cast<std::uint32_t>(value < 0 ? 0 : value);
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (rest & 1U)));
        rest >>= 1U;
    } while (rest != 0);
    if (digits.size() < 8)
        digits.insert(0, 8 - digits.size(), '0');
    return digits;
}

} // namespace hitungrama
