#include "engine/pastedtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace hitungrama {
namespace {

struct PasteCase {
    const char *name;
    std::string text;
    bool binary;
    std::optional<double> value; // none: refused
};

void PrintTo(const PasteCase &c, std::ostream *out)
{
    *out << c.name;
}

class PastedText : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PastedText, reads_a_number_or_refuses)
{
    const PasteCase &c = GetParam();
    const std::optional<double> value = readPastedText(c.text, c.binary);
    ASSERT_EQ(value.has_value(), c.value.has_value());
    if (value) {
        EXPECT_EQ(*value, *c.value);
        EXPECT_EQ(std::signbit(*value), std::signbit(*c.value)) << "-0 enters 0";
    }
}

// The window's paste table covers the length limit and the refusals of NUL,
// bad UTF-8, grouping, nan, inf and overflow through the real clipboard.
constexpr std::nullopt_t kRefused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Texts, PastedText, ::testing::Values(
    PasteCase{"whole_number", "77", false, 77},
    PasteCase{"blanks_and_tabs_trimmed", " \t-12.5e3\t ", false, -12500},
    PasteCase{"plus_sign", "+5", false, 5},
    PasteCase{"point_first", ".5", false, 0.5},
    PasteCase{"first_line_only", "42\n17", false, 42},
    PasteCase{"carriage_return_ends_the_line", "3.5\r\n9", false, 3.5},
    PasteCase{"comma_as_point", "1,5", false, 1.5},
    PasteCase{"comma_before_two_digits", "0,25", false, 0.25},
    PasteCase{"comma_before_five_digits", "3,14159", false, 3.14159},
    PasteCase{"comma_before_exponent", "1,5e2", false, 150},
    PasteCase{"negative_zero_enters_zero", "-0", false, 0},
    PasteCase{"largest_display_text", "1.79769313486232E+308", false, 1.7976931348623157e308},
    PasteCase{"empty", "", false, kRefused},
    PasteCase{"blanks_only", " \t ", false, kRefused},
    PasteCase{"comma_before_three_digits", "1,000", false, kRefused},
    PasteCase{"comma_grouping", "12,345", false, kRefused},
    PasteCase{"two_commas", "1,2,5", false, kRefused},
    PasteCase{"two_points", "1.2.3", false, kRefused},
    PasteCase{"infinity_word", "Infinity", false, kRefused},
    PasteCase{"exponent_without_digits", "1e", false, kRefused},
    PasteCase{"lone_sign", "-", false, kRefused},
    PasteCase{"hexadecimal", "0x1F", false, kRefused},
    PasteCase{"no_break_space", "1\xC2\xA0" "000", false, kRefused},
    PasteCase{"unicode_minus", "\xE2\x88\x92" "5", false, kRefused},
    PasteCase{"binary_digits_read_as_typed", " 0101 ", true, 101},
    PasteCase{"binary_refuses_other_digits", "12", true, kRefused},
    PasteCase{"binary_refuses_sign", "-1", true, kRefused},
    PasteCase{"binary_refuses_point", "1.0", true, kRefused}),
    [](const ::testing::TestParamInfo<PasteCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace hitungrama
