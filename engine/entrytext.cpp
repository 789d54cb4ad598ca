#include "engine/entrytext.h"

#include "engine/numbertext.h"

#include <string_view>

namespace hitungrama {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text)
{
    for (const char c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// A display text read in typed form: sign, whole digits without leading
// zeros (empty when none were typed), point, fraction digits.
struct TypedNumber {
    bool negative = false;
    std::string whole;
    bool point = false;
    std::string fraction;

    int digitCount() const
    {
        const std::size_t counted = whole == "0" ? 0 : whole.size();
        return static_cast<int>(counted + fraction.size());
    }

    bool isZero() const
    {
        return whole.find_first_not_of('0') == std::string::npos
            && fraction.find_first_not_of('0') == std::string::npos;
    }

    std::string text() const
    {
        std::string result = negative ? "-" : "";
        result += whole.empty() && point ? "0" : whole;
        if (point)
            result += "." + fraction;
        return result;
    }
};

// The text as a typed number, leading zeros dropped ("00000101" is 101, "000"
// is 0); nothing when it is not one. The empty text is a number with no
// digits yet.
std::optional<TypedNumber> readTyped(std::string_view text)
{
    TypedNumber number;
    if (!text.empty() && text.front() == '-') {
        number.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view()
                                                                      : text.substr(point + 1);
    if (!allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    const std::size_t first = whole.find_first_not_of('0');
    if (first != std::string_view::npos)
        number.whole = std::string(whole.substr(first));
    else if (!whole.empty())
        number.whole = "0";
    number.point = point != std::string_view::npos;
    number.fraction = std::string(fraction);
    return number;
}

bool hasDigit(const std::string &text)
{
    return text.find_first_of("0123456789") != std::string::npos;
}

} // namespace

EntryEdit typeDigit(const std::string &display, int digit)
{
    const char typed = static_cast<char>('0' + digit);
    std::optional<TypedNumber> number = readTyped(display);
    if (!number) {
        if (isExponentForm(display))
            return {EntryEdit::Kind::Refused, {}};
        return {EntryEdit::Kind::NewNumber, std::string(1, typed)};
    }
    if (!number->point && (number->whole.empty() || number->whole == "0")) {
        number->whole = std::string(1, typed);
        return {EntryEdit::Kind::Text, number->text()};
    }
    if (number->digitCount() >= kMaxTypedDigits)
        return {EntryEdit::Kind::Refused, {}};
    (number->point ? number->fraction : number->whole) += typed;
    return {EntryEdit::Kind::Text, number->text()};
}

EntryEdit typePoint(const std::string &display)
{
    if (display.empty())
        return {EntryEdit::Kind::Text, "."};
    std::optional<TypedNumber> number = readTyped(display);
    if (!number) {
        if (isExponentForm(display))
            return {EntryEdit::Kind::Refused, {}};
        return {EntryEdit::Kind::NewNumber, "0."};
    }
    if (number->point)
        return {EntryEdit::Kind::Unchanged, {}};
    number->point = true;
    return {EntryEdit::Kind::Text, number->text()};
}

std::optional<std::string> backSpaceText(const std::string &display)
{
    const std::optional<TypedNumber> number = readTyped(display);
    if (!number)
        return isExponentForm(display) ? std::nullopt : std::optional<std::string>("0");
    std::string text = number->text();
    if (!text.empty())
        text.pop_back();
    if (!hasDigit(text))
        return std::string("0");
    std::optional<TypedNumber> shorter = readTyped(text);
    if (shorter->isZero())
        shorter->negative = false;
    return shorter->text();
}

} // namespace hitungrama
