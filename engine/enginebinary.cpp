#include "engine/engine.h"

#include "engine/engineerror.h"
#include "engine/enginemath.h"
#include "engine/enginetexts.h"
#include "engine/numbertext.h"

#include <cstddef>
#include <cstdint>

namespace hitungrama {

using namespace enginetext;

namespace {

constexpr int kBinaryDigits = 8;
constexpr std::size_t kLongestBinaryNumeral = 32;

std::size_t countCharacters(const std::string &utf8)
{
    std::size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U)
            ++count;
    }
    return count;
}

} // namespace

// Binary mode and base conversion: they work on the display text alone.

void Engine::binaryModeClicked(int checkValue)
{
    if (checkValue != 0 && checkValue != 1)
        return;
    const bool binary = checkValue == 1;
    m_panel.setDecimalButtonEnabled(binary);
    for (int digit = 2; digit <= 9; ++digit)
        m_panel.setDigitButtonEnabled(digit, !binary);
}

void Engine::toBinaryClicked()
{
    double value = 0;
    std::int32_t whole = 0;
    try {
        value = parseStrict(display());
        whole = roundToInt32(value);
    } catch (const EngineError &) {
        message(kCannotConvert, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (value < 0) {
        message(kCannotConvert, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const std::string numeral = binaryNumeral(whole);
    setDisplay(numeral);
    finishLine(binaryConversion(numberText(whole)), numeral, false);
}

// Pads the display to eight characters, then reads it whole as a base-2
// numeral of at most 32 digits; anything but "0" and "1" is refused.
void Engine::toDecimalClicked()
{
    std::string text = display();
    const std::size_t length = countCharacters(text);
    if (length < kBinaryDigits) {
        text.insert(0, kBinaryDigits - length, '0');
        setDisplay(text);
    }
    if (text.size() > kLongestBinaryNumeral || text.find_first_not_of("01") != std::string::npos) {
        message(kCannotConvert, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    double sum = 0;
    for (const char c : text)
        sum = sum * 2 + (c == '1' ? 1 : 0);
    setDisplay(formatGeneral(sum));
    finishLine(kDecimalFunction + "(" + text + ")", sum);
}

} // namespace hitungrama
