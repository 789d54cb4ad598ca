#include "engine/pastedtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace hitungrama {
namespace {

// The window's paste table covers the length limit and the refusals of NUL,
// bad UTF-8, grouping, nan, inf and overflow through the real clipboard.
TEST(PastedText, reads_a_number_or_refuses)
{
    constexpr std::nullopt_t kRefused = std::nullopt;
    const struct {
        const char *name;
        std::string text;
        bool binary;
        std::optional<double> value;
    } cases[] = {
        {"whole_number", "77", false, 77},
        {"blanks_and_tabs_trimmed", " \t-12.5e3\t ", false, -12500},
        {"plus_sign", "+5", false, 5},
        {"point_first", ".5", false, 0.5},
        {"first_line_only", "42\n17", false, 42},
        {"carriage_return_ends_the_line", "3.5\r\n9", false, 3.5},
        {"comma_as_point", "1,5", false, 1.5},
        {"comma_before_five_digits", "3,14159", false, 3.14159},
        {"comma_before_exponent", "1,5e2", false, 150},
        {"negative_zero_enters_zero", "-0", false, 0},
        {"largest_display_text", "1.79769313486232E+308", false, 1.7976931348623157e308},
        {"empty", "", false, kRefused},
        {"blanks_only", " \t ", false, kRefused},
        {"comma_before_three_digits", "1,000", false, kRefused},
        {"two_commas", "1,2,5", false, kRefused},
        {"two_points", "1.2.3", false, kRefused},
        {"infinity_word", "Infinity", false, kRefused},
        {"exponent_without_digits", "1e", false, kRefused},
        {"lone_sign", "-", false, kRefused},
        {"hexadecimal", "0x1F", false, kRefused},
        {"no_break_space", "1\xC2\xA0" "000", false, kRefused},
        {"unicode_minus", "\xE2\x88\x92" "5", false, kRefused},
        {"binary_digits_read_as_typed", " 0101 ", true, 101},
        {"binary_refuses_other_digits", "12", true, kRefused},
        {"binary_refuses_sign", "-1", true, kRefused},
        {"binary_refuses_point", "1.0", true, kRefused},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> value = readPastedText(c.text, c.binary);
        EXPECT_EQ(value.has_value(), c.value.has_value());
        if (value && c.value) {
            EXPECT_EQ(*value, *c.value);
            EXPECT_EQ(std::signbit(*value), std::signbit(*c.value)) << "-0 enters 0";
        }
    }
}

} // namespace
} // namespace hitungrama
