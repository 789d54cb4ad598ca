// Fuzzes the number text rules: no input may crash them, and every finite
// value that formatGeneral writes must read back with parseStrict as the value
// rounded to 15 significant digits.
#include "engine/engineerror.h"
#include "engine/numbertext.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

double roundedTo15Digits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    return std::strtod(buffer, nullptr);
}

void checkRoundTrip(double value)
{
    if (!std::isfinite(value))
        return;
    const std::string text = hitungrama::formatGeneral(value);
    double back = 0;
    try {
        back = hitungrama::parseStrict(text);
    } catch (const hitungrama::EngineError &) {
        std::fprintf(stderr, "formatGeneral wrote unreadable text %s for %.17g\n", text.c_str(), value);
        std::abort();
    }
    double expected = roundedTo15Digits(value);
    if (std::isinf(expected)) // 15-digit rounding of the largest doubles
        expected = std::copysign(std::numeric_limits<double>::max(), value);
    if (back != expected && !(back == 0 && expected == 0)) {
        std::fprintf(stderr, "round trip of %.17g: %s read back as %.17g, expected %.17g\n", value,
                     text.c_str(), back, expected);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    try {
        checkRoundTrip(hitungrama::parseStrict(text));
    } catch (const hitungrama::EngineError &) {
    }
    try {
        checkRoundTrip(hitungrama::parseLenient(text));
    } catch (const hitungrama::EngineError &) {
    }
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkRoundTrip(value);
        try {
            hitungrama::roundToInt32(value);
            hitungrama::roundToInt16(value);
        } catch (const hitungrama::EngineError &) {
        }
        if (size >= 2 * sizeof(double)) {
            double divisor;
            std::memcpy(&divisor, data + sizeof value, sizeof divisor);
            try {
                hitungrama::remainderInt32(value, divisor);
            } catch (const hitungrama::EngineError &) {
            }
        }
    }
    return 0;
}
