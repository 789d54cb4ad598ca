#include "engine/numbertext.h"

#include "engine/engineerror.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <system_error>

namespace hitungrama {

namespace {

constexpr std::string_view kInfinity = "Infinity";
constexpr std::string_view kNaN = "NaN";
constexpr int kSignificantDigits = 15;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Length of the longest leading part of the text that has the number form:
// sign, digits with at most one point (at least one digit), exponent with at
// least one digit. 0 when no digit starts the text.
std::size_t numberPrefixLength(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool point = false;
    std::size_t digits = 0;
    while (i < n) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (digits == 0)
        return 0;
    std::size_t end = i;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        std::size_t k = j;
        while (k < n && isDigit(text[k]))
            ++k;
        if (k > j)
            end = k;
    }
    return end;
}

// Length of a leading word ("Infinity" with an optional sign, or "NaN") and
// its value; 0 when the text does not start with one.
std::size_t wordPrefix(std::string_view text, double &value)
{
    if (startsWith(text, kNaN)) {
        value = std::numeric_limits<double>::quiet_NaN();
        return kNaN.size();
    }
    std::size_t sign = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        sign = 1;
        negative = text[0] == '-';
    }
    if (startsWith(text.substr(sign), kInfinity)) {
        const double inf = std::numeric_limits<double>::infinity();
        value = negative ? -inf : inf;
        return sign + kInfinity.size();
    }
    return 0;
}

// Decimal exponent of the leading non-zero digit of a number form whose value
// the conversion found out of range: non-negative means too large.
long long decimalMagnitude(std::string_view form)
{
    long long beforePoint = 0;
    long long firstNonZero = -1;
    long long index = 0;
    bool point = false;
    std::size_t i = 0;
    for (; i < form.size() && (isDigit(form[i]) || form[i] == '.'); ++i) {
        if (form[i] == '.') {
            point = true;
            continue;
        }
        if (!point)
            ++beforePoint;
        if (firstNonZero < 0 && form[i] != '0')
            firstNonZero = index;
        ++index;
    }
    long long exponent = 0;
    if (i < form.size()) {
        ++i; // the exponent letter
        bool negative = false;
        if (form[i] == '+' || form[i] == '-') {
            negative = form[i] == '-';
            ++i;
        }
        constexpr long long kCap = 1000000000000LL;
        for (; i < form.size(); ++i) {
            if (exponent < kCap)
                exponent = exponent * 10 + (form[i] - '0');
        }
        if (negative)
            exponent = -exponent;
    }
    return exponent + beforePoint - firstNonZero - 1;
}

// Whether a number form that the conversion found too large is at most the
// largest double rounded to 15 digits, the text formatGeneral writes for it.
bool roundsToLargestDouble(std::string_view form)
{
    constexpr std::string_view kLargest = "179769313486232";
    if (decimalMagnitude(form) != 308)
        return false;
    std::string digits;
    for (const char c : form) {
        if (c == 'E' || c == 'e')
            break;
        if (isDigit(c) && (c != '0' || !digits.empty()))
            digits += c;
    }
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    if (digits.size() < kLargest.size())
        digits.append(kLargest.size() - digits.size(), '0');
    const std::string_view head = std::string_view(digits).substr(0, kLargest.size());
    return head < kLargest || (head == kLargest && digits.size() == kLargest.size());
}

// Converts a text that has the number form exactly.
double convertNumber(std::string_view form)
{
    bool negative = false;
    if (form[0] == '+' || form[0] == '-') {
        negative = form[0] == '-';
        form.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(form.data(), form.data() + form.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (roundsToLargestDouble(form))
            value = std::numeric_limits<double>::max();
        else if (decimalMagnitude(form) >= 0)
            throw EngineError(EngineError::Kind::Overflow);
        else
            value = 0.0;
    } else if (result.ec != std::errc() || result.ptr != form.data() + form.size()) {
        throw EngineError(EngineError::Kind::NotANumber);
    }
    return negative ? -value : value;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

double roundHalfEven(double value)
{
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole;
}

template <typename Int>
Int roundToInt(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min())
          && rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        throw EngineError(EngineError::Kind::Overflow);
    return static_cast<Int>(rounded);
}

// Drops the trailing zeros of a run of fraction digits (the point is not in
// it); an all-zero run becomes empty, and the caller then writes no point.
void trimFraction(std::string &digits)
{
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
}

} // namespace

std::string formatGeneral(double value)
{
    if (std::isnan(value))
        return std::string(kNaN);
    if (std::isinf(value))
        return value < 0 ? "-" + std::string(kInfinity) : std::string(kInfinity);
    if (value == 0.0)
        return "0";

    // "d.dddddddddddddde+x": the value rounded to 15 significant digits.
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = scientific.find('e');
    std::string digits;
    digits.reserve(kSignificantDigits);
    digits += scientific[0];
    digits += scientific.substr(2, e - 2);
    const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());

    std::string text = value < 0 ? "-" : "";
    if (exponent > -5 && exponent < 15) {
        std::string integer;
        std::string fraction;
        if (exponent >= 0) {
            integer = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
            fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
        } else {
            integer = "0";
            fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        trimFraction(fraction);
        text += integer;
        if (!fraction.empty())
            text += "." + fraction;
        return text;
    }

    std::string fraction = digits.substr(1);
    trimFraction(fraction);
    text += digits[0];
    if (!fraction.empty())
        text += "." + fraction;
    text += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

double parseStrict(const std::string &text)
{
    std::string_view view(text);
    while (!view.empty() && isBlank(view.front()))
        view.remove_prefix(1);
    while (!view.empty() && isBlank(view.back()))
        view.remove_suffix(1);

    double word = 0.0;
    if (const std::size_t length = wordPrefix(view, word); length != 0 && length == view.size())
        return word;
    if (view.empty() || numberPrefixLength(view) != view.size())
        throw EngineError(EngineError::Kind::NotANumber);
    return convertNumber(view);
}

double parseLenient(const std::string &text)
{
    std::string compact;
    compact.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
    double word = 0.0;
    if (wordPrefix(compact, word) != 0)
        return word;
    const std::size_t length = numberPrefixLength(compact);
    if (length == 0)
        return 0.0;
    return convertNumber(std::string_view(compact).substr(0, length));
}

bool isExponentForm(const std::string &text)
{
    const std::size_t exponent = text.find_first_of("Ee");
    return exponent != std::string::npos && numberPrefixLength(text) == text.size()
        && numberPrefixLength(std::string_view(text).substr(0, exponent)) == exponent;
}

std::int32_t roundToInt32(double value)
{
    return roundToInt<std::int32_t>(value);
}

std::int16_t roundToInt16(double value)
{
    return roundToInt<std::int16_t>(value);
}

double remainderInt32(double dividend, double divisor)
{
    const std::int32_t a = roundToInt32(dividend);
    const std::int32_t b = roundToInt32(divisor);
    if (b == 0)
        throw EngineError(EngineError::Kind::DivisionByZero);
    if (a == std::numeric_limits<std::int32_t>::min() && b == -1)
        throw EngineError(EngineError::Kind::Overflow);
    return static_cast<double>(a % b);
}

double floorValue(double value)
{
    return std::floor(value);
}

} // namespace hitungrama
