#include "testsupport/displayrule.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace hitungrama {
namespace {

struct DisplayCase {
    const char *name;
    const char *display;
    bool accepted;
};

void PrintTo(const DisplayCase &c, std::ostream *out)
{
    *out << c.name;
}

class DisplayRuleTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayRuleTest, judges_the_display)
{
    const DisplayCase &c = GetParam();
    EXPECT_EQ(DisplayRule::accepts(c.display), c.accepted);
}

const DisplayCase kCases[] = {
    {"empty_display", "", true},
    {"engine_number", "-1.5E-05", true},
    {"infinity_words", "-Infinity", true},
    {"not_a_number_word", "NaN", true},
    {"binary_numeral", "1011010", true},
    {"memory_refusal_stays", "memory can't Accept 0", true},
    {"division_message_stays", "Tidak ada pembagian dengan nol", true},
    {"padded_number_with_point", "0000012.", true},
    {"zero_padded_zero", "00000000", true},
    {"exponent_without_digits", "1E+", false},
    {"lone_sign", "-", false},
    {"letters", "abc", false},
    {"overflow_message_must_not_stay", "Hitungrama Overflow", false},
    {"two_points", "1.2.3", false},
    {"number_beyond_double_range", "1E+400", false},
};

INSTANTIATE_TEST_SUITE_P(Displays, DisplayRuleTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<DisplayCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace hitungrama
