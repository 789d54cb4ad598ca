#include "engine/pastedtext.h"

#include "engine/engineerror.h"
#include "engine/numbertext.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace hitungrama {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The comma as the point: only a single one, in a text without ".", and not
// before a group of exactly three digits. Returns false for any other comma.
bool replaceDecimalComma(std::string &text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return true;
    if (text.find(',', comma + 1) != std::string::npos || text.find('.') != std::string::npos)
        return false;
    std::size_t digits = 0;
    while (comma + 1 + digits < text.size() && isDigit(text[comma + 1 + digits]))
        ++digits;
    if (digits == 3)
        return false;
    text[comma] = '.';
    return true;
}

} // namespace

std::optional<double> readPastedText(const std::string &text, bool binaryMode)
{
    const std::string_view firstLine = std::string_view(text).substr(0, text.find_first_of("\n\r"));
    if (firstLine.size() > kLongestPaste)
        return std::nullopt;
    std::string number(trimmed(firstLine));
    if (number.empty())
        return std::nullopt;

    const std::string_view allowed = binaryMode ? "01" : "0123456789+-.eE,";
    const bool onlyAllowed = std::all_of(number.begin(), number.end(), [allowed](char c) {
        return allowed.find(c) != std::string_view::npos;
    });
    if (!onlyAllowed || !replaceDecimalComma(number))
        return std::nullopt;
    // Only digits, signs, one point and exponent letters are left, so the
    // words parseStrict also reads ("Infinity", "NaN") cannot occur.
    try {
        const double value = parseStrict(number);
        if (!std::isfinite(value))
            return std::nullopt;
        return value == 0 ? 0.0 : value;
    } catch (const EngineError &) {
        return std::nullopt;
    }
}

} // namespace hitungrama
