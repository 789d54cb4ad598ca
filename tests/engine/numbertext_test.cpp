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

Kind errorKind(double (*parse)(const std::string &), const std::string &text)
{
    try {
        parse(text);
    } catch (const EngineError &error) {
        return error.kind();
    }
    ADD_FAILURE() << "no error for \"" << text << "\"";
    return Kind::NotANumber;
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
    FormatCase{"two_thirds_rounds_up", 2.0 / 3, "0.666666666666667"},
    FormatCase{"binary_noise_vanishes", 0.1 + 0.2, "0.3"},
    FormatCase{"fifteen_digit_integer", 123456789012345.0, "123456789012345"},
    FormatCase{"integer_rounds_at_fifteen_digits", 123456789012345.6, "123456789012346"},
    FormatCase{"sixteen_digits_use_exponent", 1234567890123456.0, "1.23456789012346E+15"},
    FormatCase{"ten_to_fifteen", 1e15, "1E+15"},
    FormatCase{"rounding_decides_the_form", 999999999999999.5, "1E+15"},
    FormatCase{"rounding_up_to_plain_form", 9.9999999999999995e-5, "0.0001"},
    FormatCase{"smallest_plain_exponent", 0.0001, "0.0001"},
    FormatCase{"exponent_minus_five", 0.00001, "1E-05"},
    FormatCase{"negative_small_mantissa", -1.5e-7, "-1.5E-07"},
    FormatCase{"three_digit_exponent", 1e-300, "1E-300"},
    FormatCase{"googol", 1e100, "1E+100"},
    FormatCase{"negative_fraction", -2.5, "-2.5"},
    FormatCase{"negative_zero", -0.0, "0"},
    FormatCase{"factorial_170", 7.257415615307998967e306, "7.257415615308E+306"},
    FormatCase{"infinity", kInf, "Infinity"},
    FormatCase{"negative_infinity", -kInf, "-Infinity"},
    FormatCase{"not_a_number", kNaN, "NaN"}),
    caseName<FormatCase>);

TEST(FormatGeneralRoundTrip, every_text_reads_back_to_the_same_text)
{
    for (const double value : {1.0 / 3, -1e-300, 1.7976931348623157e308, 5e-324, 123.456, -kInf, kInf, kNaN}) {
        const std::string text = formatGeneral(value);
        EXPECT_EQ(formatGeneral(parseStrict(text)), text);
        EXPECT_EQ(formatGeneral(parseLenient(text)), text);
    }
}

struct ParseCase {
    const char *name;
    const char *text;
    double value;
};

class ParseStrictAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseStrictAccepts, reads_the_number)
{
    EXPECT_EQ(parseStrict(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseStrictAccepts, ::testing::Values(
    ParseCase{"trailing_point", "12.", 12},
    ParseCase{"leading_point", ".5", 0.5},
    ParseCase{"blanks_and_tabs_around", " \t12.5\t ", 12.5},
    ParseCase{"plus_sign", "+3", 3},
    ParseCase{"minus_sign", "-0.5", -0.5},
    ParseCase{"leading_zeros", "007", 7},
    ParseCase{"lower_case_exponent", "1e3", 1000},
    ParseCase{"point_before_exponent", "2.E2", 200},
    ParseCase{"seventeen_digit_entry", "1.23456789012346E+157", 1.23456789012346e157},
    ParseCase{"underflow_gives_zero", "1E-400", 0},
    ParseCase{"rounded_max_reads_as_max", "1.79769313486232E+308", 1.7976931348623157e308},
    ParseCase{"rounded_max_long_form", "-179769313486232000E+291", -1.7976931348623157e308},
    ParseCase{"zero_with_huge_exponent", "0E+99999999999999999999", 0},
    ParseCase{"infinity_word", "Infinity", kInf},
    ParseCase{"signed_infinity_word", "-Infinity", -kInf},
    ParseCase{"plus_infinity_word", "+Infinity", kInf}),
    caseName<ParseCase>);

TEST(ParseStrict, reads_the_not_a_number_word)
{
    EXPECT_TRUE(std::isnan(parseStrict(" NaN ")));
}

struct RejectCase {
    const char *name;
    const char *text;
    Kind kind;
};

class ParseStrictRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(ParseStrictRejects, with_the_error_kind)
{
    EXPECT_EQ(errorKind(parseStrict, GetParam().text), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseStrictRejects, ::testing::Values(
    RejectCase{"empty", "", Kind::NotANumber},
    RejectCase{"blanks_only", "  ", Kind::NotANumber},
    RejectCase{"point_only", ".", Kind::NotANumber},
    RejectCase{"sign_only", "-", Kind::NotANumber},
    RejectCase{"two_points", "1.2.3", Kind::NotANumber},
    RejectCase{"comma_separator", "1,5", Kind::NotANumber},
    RejectCase{"currency", "$5", Kind::NotANumber},
    RejectCase{"radix_prefix", "0x1F", Kind::NotANumber},
    RejectCase{"other_exponent_letter", "1D5", Kind::NotANumber},
    RejectCase{"exponent_without_digits", "1E+", Kind::NotANumber},
    RejectCase{"point_after_exponent", "1E-05.3", Kind::NotANumber},
    RejectCase{"inner_blank", "1 2", Kind::NotANumber},
    RejectCase{"line_feed_is_no_blank", "12\n", Kind::NotANumber},
    RejectCase{"lower_case_word", "infinity", Kind::NotANumber},
    RejectCase{"signed_nan", "-NaN", Kind::NotANumber},
    RejectCase{"message_text", "Tidak ada pembagian dengan nol", Kind::NotANumber},
    RejectCase{"exponent_beyond_range", "1E+1577", Kind::Overflow},
    RejectCase{"negative_beyond_range", "-1E+1577", Kind::Overflow},
    RejectCase{"just_beyond_max", "1.8E+308", Kind::Overflow},
    RejectCase{"just_beyond_rounded_max", "1.797693134862321E+308", Kind::Overflow},
    RejectCase{"many_digits_beyond_range", "1000000000000000000000000000000E+290", Kind::Overflow}),
    caseName<RejectCase>);

class ParseLenient : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLenient, reads_the_leading_number)
{
    EXPECT_EQ(parseLenient(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseLenient, ::testing::Values(
    ParseCase{"blanks_inside", "  12 3", 123},
    ParseCase{"tabs_and_line_feeds_inside", "1\t2\n3", 123},
    ParseCase{"trailing_letters", "12abc", 12},
    ParseCase{"empty", "", 0},
    ParseCase{"negative_with_rest", "-7.5x", -7.5},
    ParseCase{"exponent", "1E+20", 1e20},
    ParseCase{"message_text", "memory can't Accept 0", 0},
    ParseCase{"second_point_stops", "1.2.3", 1.2},
    ParseCase{"dangling_exponent_letter", "12E", 12},
    ParseCase{"dangling_exponent_sign", "12E+x", 12},
    ParseCase{"no_radix_prefix", "0x1F", 0},
    ParseCase{"binary_numeral_as_decimal", "00000101", 101},
    ParseCase{"infinity_word", "-Infinity", -kInf}),
    caseName<ParseCase>);

TEST(ParseLenientOverflow, number_beyond_range_is_an_error)
{
    EXPECT_EQ(errorKind(parseLenient, "9E+999abc"), Kind::Overflow);
}

struct RoundCase {
    const char *name;
    double value;
    double expected; // NaN: the overflow error
};

class RoundToInt32 : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt32, ties_go_to_even_and_range_is_checked)
{
    if (std::isnan(GetParam().expected)) {
        EXPECT_THROW(roundToInt32(GetParam().value), EngineError);
    } else {
        EXPECT_EQ(roundToInt32(GetParam().value), GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RoundToInt32, ::testing::Values(
    RoundCase{"half_to_zero", 0.5, 0},
    RoundCase{"one_and_half_up", 1.5, 2},
    RoundCase{"two_and_half_down", 2.5, 2},
    RoundCase{"negative_tie_to_even", -2.5, -2},
    RoundCase{"just_above_tie", 2.5000000001, 3},
    RoundCase{"largest", 2147483647.4, 2147483647},
    RoundCase{"tie_above_largest", 2147483647.5, kNaN},
    RoundCase{"tie_to_smallest", -2147483648.5, -2147483648.0},
    RoundCase{"below_smallest", -2147483649.0, kNaN},
    RoundCase{"not_a_number", kNaN, kNaN},
    RoundCase{"infinity", kInf, kNaN}),
    caseName<RoundCase>);

TEST(RoundToInt16, range_is_sixteen_bits)
{
    EXPECT_EQ(roundToInt16(48.5), 48);
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_THROW(roundToInt16(32767.5), EngineError);
}

struct RemainderCase {
    const char *name;
    double dividend;
    double divisor;
    double expected; // NaN: an error of the given kind
    Kind kind;
};

class RemainderInt32 : public ::testing::TestWithParam<RemainderCase> {};

TEST_P(RemainderInt32, truncates_toward_zero)
{
    const RemainderCase &c = GetParam();
    if (!std::isnan(c.expected)) {
        EXPECT_EQ(remainderInt32(c.dividend, c.divisor), c.expected);
        return;
    }
    try {
        remainderInt32(c.dividend, c.divisor);
        ADD_FAILURE() << "no error";
    } catch (const EngineError &error) {
        EXPECT_EQ(error.kind(), c.kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RemainderInt32, ::testing::Values(
    RemainderCase{"sign_of_negative_dividend", -7, 3, -1, Kind::Overflow},
    RemainderCase{"sign_of_positive_dividend", 7, -3, 1, Kind::Overflow},
    RemainderCase{"operands_rounded_first", 7.5, 2, 0, Kind::Overflow},
    RemainderCase{"divisor_rounds_to_zero", 7, 0.4, kNaN, Kind::DivisionByZero},
    RemainderCase{"dividend_out_of_range", 5e9, 3, kNaN, Kind::Overflow},
    RemainderCase{"smallest_by_minus_one", -2147483648.0, -1, kNaN, Kind::Overflow}),
    caseName<RemainderCase>);

TEST(RaisePower, whole_exponent_matches_repeated_multiplication)
{
    double expected = 1.1;
    for (int round = 1; round < 1000; ++round)
        expected = 1.1 * expected;
    EXPECT_EQ(raisePower(1.1, 1000), expected);
    EXPECT_EQ(raisePower(2, 10), 1024);
    EXPECT_EQ(raisePower(7, 1), 7);
}

TEST(RaisePower, early_end_keeps_the_sign_of_every_round)
{
    EXPECT_EQ(raisePower(-1e200, 3), -kInf);
    EXPECT_EQ(raisePower(-1e200, 4), kInf);
    EXPECT_TRUE(std::signbit(raisePower(-1e-200, 1001)));
    EXPECT_FALSE(std::signbit(raisePower(-1e-200, 1000)));
    EXPECT_EQ(raisePower(-1, 9999999), -1);
    EXPECT_EQ(raisePower(-1, 1e300), 1);
}

TEST(RaisePower, other_exponents_use_the_power_function)
{
    EXPECT_EQ(raisePower(2, 0.5), std::sqrt(2.0));
    EXPECT_EQ(raisePower(2, 2.9), std::pow(2.0, 2.9));
    EXPECT_EQ(raisePower(2, -3), 0.125);
    EXPECT_TRUE(std::isnan(raisePower(-8, 1.0 / 3)));
    EXPECT_EQ(raisePower(1.0000001, 1e300), kInf);
    EXPECT_EQ(raisePower(0.9999999, 1e300), 0);
    EXPECT_EQ(raisePower(1.0000001, kMaxPowerRounds + 2), std::pow(1.0000001, kMaxPowerRounds + 2));
}

TEST(IsPrime, agrees_with_a_sieve_up_to_100000)
{
    constexpr int kLimit = 100000;
    std::vector<bool> composite(kLimit + 1, false);
    for (int i = 2; i * i <= kLimit; ++i) {
        for (int j = i * i; j <= kLimit; j += i)
            composite[static_cast<std::size_t>(j)] = true;
    }
    for (int n = 0; n <= kLimit; ++n)
        ASSERT_EQ(isPrime(n), n >= 2 && !composite[static_cast<std::size_t>(n)]) << n;
}

TEST(IsPrime, largest_values)
{
    EXPECT_TRUE(isPrime(2147483647));
    EXPECT_TRUE(isPrime(2147483629));
    EXPECT_FALSE(isPrime(2147483646));
    EXPECT_FALSE(isPrime(2147117569)); // 46337 squared
}

} // namespace
} // namespace hitungrama
