#include "engine/engineerror.h"
#include "engine/enginemath.h"
#include "engine/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace hitungrama {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Kind = EngineError::Kind;

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

struct FormatCase {
    const char *name;
    double value;
    const char *text;
};

class FormatGeneral : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneral, writes_fifteen_significant_digits)
{
    EXPECT_EQ(formatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatGeneral, ::testing::Values(
    FormatCase{"one_third", 1.0 / 3, "0.333333333333333"},
    FormatCase{"binary_noise_vanishes", 0.1 + 0.2, "0.3"},
    FormatCase{"sixteen_digits_use_exponent", 1234567890123456.0, "1.23456789012346E+15"},
    FormatCase{"rounding_decides_the_form", 999999999999999.5, "1E+15"},
    FormatCase{"rounding_up_to_plain_form", 9.9999999999999995e-5, "0.0001"},
    FormatCase{"exponent_minus_five", 0.00001, "1E-05"},
    FormatCase{"negative_three_digit_exponent", -1.5e-300, "-1.5E-300"},
    FormatCase{"negative_zero", -0.0, "0"},
    FormatCase{"infinity", kInf, "Infinity"},
    FormatCase{"negative_infinity", -kInf, "-Infinity"},
    FormatCase{"not_a_number", kNaN, "NaN"}),
    caseName<FormatCase>);

struct ParseCase {
    const char *name;
    const char *text;
    double value; // NaN: the error kind below
    Kind kind = Kind::NotANumber;
};

class ParseStrict : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseStrict, reads_whole_text_or_fails)
{
    const ParseCase &c = GetParam();
    if (!std::isnan(c.value)) {
        EXPECT_EQ(parseStrict(c.text), c.value);
        return;
    }
    try {
        parseStrict(c.text);
        ADD_FAILURE() << "accepted";
    } catch (const EngineError &error) {
        EXPECT_EQ(error.kind(), c.kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseStrict, ::testing::Values(
    ParseCase{"trailing_point", "12.", 12},
    ParseCase{"blanks_and_tabs_around", " \t+12.5e1\t ", 125},
    ParseCase{"seventeen_digit_entry", "1.23456789012346E+157", 1.23456789012346e157},
    ParseCase{"underflow_gives_zero", "1E-400", 0},
    ParseCase{"rounded_max_reads_as_max", "-179769313486232000E+291", -1.7976931348623157e308},
    ParseCase{"signed_infinity_word", "-Infinity", -kInf},
    ParseCase{"largest_double_text", "1.79769313486232E+308", 1.7976931348623157e308},
    ParseCase{"empty", "", kNaN},
    ParseCase{"point_only", ".", kNaN},
    ParseCase{"two_points", "1.2.3", kNaN},
    ParseCase{"radix_prefix", "0x1F", kNaN},
    ParseCase{"other_exponent_letter", "1D5", kNaN},
    ParseCase{"exponent_without_digits", "1E+", kNaN},
    ParseCase{"point_after_exponent", "1E-05.3", kNaN},
    ParseCase{"line_feed_is_no_blank", "12\n", kNaN},
    ParseCase{"exponent_beyond_range", "1E+1577", kNaN, Kind::Overflow},
    ParseCase{"just_beyond_rounded_max", "1.797693134862321E+308", kNaN, Kind::Overflow},
    ParseCase{"many_digits_beyond_range", "1000000000000000000000000000000E+290", kNaN, Kind::Overflow}),
    caseName<ParseCase>);

class ParseLenient : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLenient, reads_the_leading_number)
{
    EXPECT_EQ(parseLenient(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseLenient, ::testing::Values(
    ParseCase{"blanks_tabs_line_feeds_inside", "  1\t2 \n3", 123},
    ParseCase{"trailing_letters", "-7.5x", -7.5},
    ParseCase{"empty", "", 0},
    ParseCase{"message_text", "memory can't Accept 0", 0},
    ParseCase{"second_point_stops", "1.2.3", 1.2},
    ParseCase{"dangling_exponent_sign", "12E+x", 12},
    ParseCase{"no_radix_prefix", "0x1F", 0},
    ParseCase{"infinity_word", "-Infinity!", -kInf}),
    caseName<ParseCase>);

TEST(RaisePower, whole_exponent_matches_repeated_multiplication)
{
    double expected = 1.1;
    for (int round = 1; round < 1000; ++round)
        expected = 1.1 * expected;
    EXPECT_EQ(raisePower(1.1, 1000), expected);
}

TEST(RaisePower, early_end_keeps_the_sign_and_huge_exponents_finish)
{
    EXPECT_EQ(raisePower(-1e200, 3), -kInf);
    EXPECT_EQ(raisePower(-1e200, 4), kInf);
    EXPECT_TRUE(std::signbit(raisePower(-1e-200, 1001)));
    EXPECT_EQ(raisePower(-1, 9999999), -1);
    EXPECT_EQ(raisePower(1.0000001, 1e300), kInf);
    EXPECT_EQ(raisePower(0.9999999, 1e300), 0);
    EXPECT_EQ(raisePower(1.0000001, kMaxPowerRounds + 2), std::pow(1.0000001, kMaxPowerRounds + 2));
}

TEST(IsPrime, agrees_with_a_sieve_and_at_the_top_of_the_range)
{
    constexpr int kLimit = 100000;
    std::vector<bool> composite(kLimit + 1, false);
    for (int i = 2; i * i <= kLimit; ++i) {
        for (int j = i * i; j <= kLimit; j += i)
            composite[static_cast<std::size_t>(j)] = true;
    }
    for (int n = 0; n <= kLimit; ++n)
        ASSERT_EQ(isPrime(n), n >= 2 && !composite[static_cast<std::size_t>(n)]) << n;
    EXPECT_TRUE(isPrime(2147483647));
    EXPECT_TRUE(isPrime(2147483629));
    EXPECT_FALSE(isPrime(2147117569)); // 46337 squared
}

} // namespace
} // namespace hitungrama
