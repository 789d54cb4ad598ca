#include "keypad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace hitungrama {
namespace {

constexpr OleColor kYellow = 65535;
constexpr OleColor kGreen = 65280;

// Keys that would make the display hold another number than the one typed
// are refused: they change nothing and reach the panel as a refusal.
struct KeysCase {
    const char *name;
    const char *keys;
    const char *display;
    int refusals = 0;
};

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

class KeySequence : public EngineTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(KeySequence, shows)
{
    press(GetParam().keys);
    EXPECT_EQ(panel.display, GetParam().display);
    EXPECT_EQ(panel.refusals, GetParam().refusals);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeySequence, ::testing::Values(
    KeysCase{"zero_after_point_stays", "1 . 0 5", "1.05"},
    KeysCase{"leading_zero_before_point", "0 . 0 5", "0.05"},
    KeysCase{"trailing_zero_stays", "2.50", "2.50"},
    KeysCase{"third_fraction_digit", "2.501", "2.501"},
    KeysCase{"zero_on_zero_stays", "0 0 0", "0"},
    KeysCase{"point_on_empty_display", "CE . 5", "0.5"},
    KeysCase{"point_after_operator_starts_number", "2 + . 5 =", "2.5"},
    KeysCase{"point_after_result_starts_number", "2 + 3 = . + 4 =", "4"},
    KeysCase{"digit_on_message_starts_number", "0 M+ 7", "7"},
    KeysCase{"point_on_infinity_starts_number", "'Infinity' . 5", "0.5"},
    KeysCase{"digit_on_nan_starts_number", "'NaN' 5", "5"},
    KeysCase{"negative_extends", "'-5' 3", "-53"},
    KeysCase{"fifteenth_digit_taken", "123456789012345", "123456789012345"},
    KeysCase{"sixteenth_digit", "123456789012345 6 7", "123456789012345", 2},
    KeysCase{"sixteenth_digit_after_zero_point", "0.123456789012345 6", "0.123456789012345", 1},
    KeysCase{"sixteenth_negative_digit", "'-12345678901234' 5 6", "-123456789012345", 1},
    KeysCase{"sixteenth_binary_digit", "Biner 111111111111111 1", "111111111111111", 1},
    KeysCase{"digit_on_sixteen_binary_ones", "65535 BIN 1", "1111111111111111", 1},
    KeysCase{"digit_on_pasted_exponent", "[1e20] 5", "1E+20", 1},
    KeysCase{"point_on_pasted_exponent", "[1.5e20] .", "1.5E+20", 1},
    KeysCase{"second_point_is_quiet", "1.5 .", "1.5"},
    KeysCase{"backspace_takes_last_digit_of_result", "5 - 128 = BS", "-12"},
    KeysCase{"backspace_takes_fraction_digit", "12.5 BS", "12."},
    KeysCase{"backspace_takes_point", "12.5 BS BS", "12"},
    KeysCase{"backspace_leaves_no_lone_sign", "'-1' BS", "0"},
    KeysCase{"backspace_exponent_divides", "[1e20] BS", "1E+19"},
    KeysCase{"backspace_message_text", "0 M+ BS", "0"},
    KeysCase{"backspace_infinity", "10 x^y 400 = BS", "0"},
    KeysCase{"digit_after_equals_starts_over", "2 + 3 = 7 + 1 =", "8"},
    KeysCase{"second_operator_replaces_first", "5 + * 3 =", "15"},
    KeysCase{"second_operator_after_power_zeroes", "5 x^y + 3 =", "3"},
    KeysCase{"equals_first_loses_number", "5 = + 3 =", "3"},
    KeysCase{"negative_exponent", "2 x^y 3 +/- =", "0.125"},
    KeysCase{"negative_base_fractional_exponent", "2 +/- x^y 0.5 =", "NaN"},
    KeysCase{"huge_exponent_finishes", "'1.0000001' +/- +/- x^y '1E+300' +/- +/- =", "Infinity"},
    KeysCase{"infinity_reads_back", "10 x^y 400 = +/-", "-Infinity"},
    KeysCase{"declined_exit_clears_left_operand", "5 + OFF-No 3 =", "3"},
    KeysCase{"memory_stores_completed_result", "3 + 4 M+ ON MRC", "7"},
    KeysCase{"declined_exit_keeps_memory", "9 M+ 5 + OFF-No MRC", "9"},
    KeysCase{"refused_function_keeps_pending", "5 + 0 Sin 3 =", "8"},
    KeysCase{"modulo_by_zero_keeps_dividend", "7 mod 0 = + 1 =", "8"},
    KeysCase{"modulo_overflow_keeps_dividend", "5000000000 mod 3 = + 1 =", "5000000001"},
    KeysCase{"decimal_leaves_operand", "Biner 101 Desimal + 1 =", "102"},
    KeysCase{"sine_in_radians", "30 Sin", "-0.988031624092862"},
    KeysCase{"square_ends_entry", "5 x^2 3", "3"},
    KeysCase{"cube_ends_entry", "2 x^3 5", "5"},
    KeysCase{"sign_change_keeps_pending", "3 + 12 +/- =", "-9"},
    KeysCase{"factorial_170", "170 !", "7.257415615308E+306"},
    KeysCase{"factorial_completes_pending", "3 + 2 !", "120"},
    KeysCase{"binary_of_256_unpadded", "256 BIN", "100000000"},
    KeysCase{"binary_rounds_to_even", "2.5 BIN", "00000010"},
    KeysCase{"digit_after_binary_reads_decimal", "10 BIN 1", "10101"},
    KeysCase{"digit_after_binary_drops_zeros", "5 BIN 1", "1011"},
    KeysCase{"point_after_binary_drops_zeros", "5 BIN . 0 5", "101.05"},
    KeysCase{"decimal_reads_ninth_digit", "'100000000' Desimal", "256"},
    KeysCase{"decimal_reads_long_numeral", "300 BIN Biner Desimal", "300"},
    KeysCase{"decimal_reads_32_digits", "'11111111111111111111111111111111' Desimal", "4294967295"}),
    caseName<KeysCase>);

// Whatever is typed, the number entered is the number shown.
TEST_F(EngineTest, entered_number_is_the_number_shown)
{
    static const char *const keys[] = {"0", "1", "5", "9", ".", "BS", "+/-", "CE", "+", "=", "BIN"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(keys) - 1);
    for (int i = 0; i < 20000; ++i) {
        const std::string key = keys[pick(random)];
        const int refusals = panel.refusals;
        press(key);
        const bool entry = key != "." && key.find_first_not_of("0123456789BS") == std::string::npos;
        if (entry && panel.refusals == refusals && panel.display.find('E') == std::string::npos) {
            ASSERT_EQ(engine.currentValue(), parseStrict(panel.display)) << "after " << key;
        }
    }
}

TEST_F(EngineTest, backspace_walks_a_negative_fraction_down_to_zero)
{
    press("0.05 +/-");
    std::vector<std::string> shown{panel.display};
    for (int i = 0; i < 4; ++i) {
        press("BS");
        shown.push_back(panel.display);
        EXPECT_EQ(engine.currentValue(), parseStrict(panel.display)) << panel.display;
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"-0.05", "0.0", "0.", "0", "0"}));
    EXPECT_TRUE(engine.startNewNumber());
}

// After a division by zero its message stands in the display, and every
// step that reads the display reads the 0 it stands for.
struct StandingCase {
    const char *name;
    const char *keys;
    const char *display;
    const char *box;
};

class DivisionMessage : public EngineTest, public ::testing::WithParamInterface<StandingCase> {};

TEST_P(DivisionMessage, reads_as_zero)
{
    press("5 / 0 =");
    ASSERT_EQ(panel.display, "Tidak ada pembagian dengan nol");
    press(GetParam().keys);
    EXPECT_EQ(panel.display, GetParam().display);
    const std::string box = panel.boxes.empty() ? "" : panel.boxes.back().text;
    EXPECT_EQ(box, GetParam().box);
    EXPECT_EQ(panel.refusals, 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, DivisionMessage, ::testing::Values(
    StandingCase{"nothing_more", "", "Tidak ada pembagian dengan nol", ""},
    StandingCase{"sine", "Sin", "Tidak ada pembagian dengan nol", "Masukan bilangan ! "},
    StandingCase{"sign_change", "+/-", "Tidak ada pembagian dengan nol", "Masukan bilangan ! "},
    StandingCase{"to_binary", "BIN", "00000000", ""},
    StandingCase{"memory_store", "M+", "memory can't Accept 0", ""},
    StandingCase{"backspace", "BS", "0", ""},
    StandingCase{"digit", "7", "7", ""},
    StandingCase{"point", ". 5", "0.5", ""},
    StandingCase{"next_division", "/ =", "Tidak ada pembagian dengan nol", ""},
    StandingCase{"next_operator", "+ 3 =", "3", ""}),
    caseName<StandingCase>);

// A pasted number replaces the entry and is the right operand of a pending
// operator; a digit after it appends.
struct PasteCase {
    const char *name;
    const char *keys;
    const char *display;
    double currentValue;
};

class PastedNumber : public EngineTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PastedNumber, enters_the_number)
{
    press(GetParam().keys);
    EXPECT_EQ(panel.display, GetParam().display);
    EXPECT_EQ(engine.currentValue(), GetParam().currentValue);
    EXPECT_EQ(panel.refusals, 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, PastedNumber, ::testing::Values(
    PasteCase{"replaces_the_entry", "12 [5]", "5", 5},
    PasteCase{"shows_the_display_form", "[1e5]", "100000", 100000},
    PasteCase{"digit_appends", "[5] 3", "53", 53},
    PasteCase{"point_and_digit_append", "[5] . 2", "5.2", 5.2},
    PasteCase{"left_operand", "5 [77] + 1 =", "78", 78},
    PasteCase{"right_operand_of_plus", "2 + [10] =", "12", 12},
    PasteCase{"right_operand_of_power", "2 x^y [10] =", "1024", 1024},
    PasteCase{"after_equals", "2 + 3 = [4] + 1 =", "5", 5},
    PasteCase{"after_a_function", "3 Sin [2] x^3", "8", 8}),
    caseName<PasteCase>);

TEST_F(EngineTest, paste_keeps_the_rest_of_the_state)
{
    press("4 M+ 2 + [10]");
    EXPECT_EQ(engine.totalValue(), 2);
    EXPECT_EQ(engine.pendingOperator(), operatorCode(Operator::Add));
    EXPECT_EQ(engine.memoryValue(), 4);
    EXPECT_FALSE(engine.startNewNumber());
}

struct BoxCase {
    const char *name;
    const char *keys;
    const char *text;
    MessageIcon icon;
    const char *display;
};

class MessageBox : public EngineTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBox, shows_one_box)
{
    press(GetParam().keys);
    ASSERT_EQ(panel.boxes.size(), 1U);
    const FakePanel::Box &box = panel.boxes.front();
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(box.title, "Hitungrama");
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.icon, GetParam().icon);
    EXPECT_EQ(panel.display, GetParam().display);
    EXPECT_EQ(panel.refusals, 0);
}

constexpr MessageIcon kNone = MessageIcon::None;
constexpr MessageIcon kInfo = MessageIcon::Information;
constexpr MessageIcon kWarn = MessageIcon::Exclamation;
constexpr const char *kRange = "Diluar batas masukkan bilangan 1 sampai 200";
constexpr const char *kOverflow = "Hitungrama Overflow";
constexpr const char *kPrime = "Merupakan bilangan primer";
constexpr const char *kNotPrime = "Bukan bilangan primer";
constexpr const char *kCannotConvert = "Tidak dapat mengkonvert bilangan tersebut";

INSTANTIATE_TEST_SUITE_P(Texts, MessageBox, ::testing::Values(
    BoxCase{"function_on_text_reading_zero", "'0.000' Tbl", "Masukan bilangan ! ", kNone, "0.000"},
    BoxCase{"root_of_negative", "5 +/- Sqrt", "Tidak dapat mengkalkulasikan bilangan negatif ", kNone, "0"},
    BoxCase{"log_of_negative", "5 +/- log", "Tidak dapat mengkalkulasikan bilangan negatif", kNone, "-5"},
    BoxCase{"factorial_above_200", "201 !", kRange, kNone, "201"},
    BoxCase{"factorial_fraction", "4.5 !", kRange, kNone, "4.5"},
    BoxCase{"factorial_negative", "3 +/- !", kRange, kNone, "-3"},
    BoxCase{"factorial_171_overflows", "171 !", kOverflow, kNone, "171"},
    BoxCase{"prime_beyond_16_bits", "65537 Prm", kPrime, kInfo, "0"},
    BoxCase{"prime_largest_32_bit", "2147483647 Prm", kPrime, kInfo, "0"},
    BoxCase{"one_is_not_prime", "1 Prm", kNotPrime, kInfo, "0"},
    BoxCase{"fraction_tested_rounded", "7.5 Prm", kNotPrime, kInfo, "0"},
    BoxCase{"prime_negative", "5 +/- Prm", "Tidak ada bilangan primer lebih kecil dari nol", kNone, "-5"},
    BoxCase{"prime_beyond_32_bits", "2147483648 Prm", kOverflow, kNone, "2147483648"},
    BoxCase{"modulo_divisor_rounds_to_zero", "7 mod 0.4 =", kOverflow, kNone, "0.4"},
    BoxCase{"modulo_smallest_by_minus_one", "2147483648 +/- mod 1 +/- =", kOverflow, kNone, "-1"},
    BoxCase{"binary_of_negative", "5 +/- BIN", kCannotConvert, kWarn, "-5"},
    BoxCase{"binary_of_empty", "CE BIN", kCannotConvert, kWarn, ""},
    BoxCase{"binary_beyond_32_bits", "4294967296 BIN", kCannotConvert, kWarn, "4294967296"},
    BoxCase{"decimal_keeps_padding", "'1.5' Desimal", kCannotConvert, kWarn, "000001.5"},
    BoxCase{"decimal_refuses_digit_9", "'10000009' Desimal", kCannotConvert, kWarn, "10000009"},
    BoxCase{"decimal_refuses_33_digits", "'111111111111111111111111111111111' Desimal", kCannotConvert,
            kWarn, "111111111111111111111111111111111"},
    BoxCase{"decimal_pads_by_characters", "'\xC3\xA9' Desimal", kCannotConvert, kWarn, "0000000\xC3\xA9"}),
    caseName<BoxCase>);

TEST_F(EngineTest, load_and_typing_turn_display_yellow)
{
    EXPECT_EQ(panel.display, "0");
    EXPECT_EQ(panel.colours[BackTarget::Display], kYellow);
    EXPECT_EQ(engine.pendingOperator(), operatorCode(Operator::None));
    panel.colours.clear();
    panel.type("42");
    EXPECT_EQ(panel.colours[BackTarget::Display], kYellow);
    EXPECT_EQ(engine.currentValue(), 0);
}

TEST_F(EngineTest, divide_by_zero_leaves_its_message)
{
    press("8 / 0 =");
    EXPECT_EQ(panel.display, "Tidak ada pembagian dengan nol");
    EXPECT_EQ(engine.totalValue(), 0);
    EXPECT_EQ(engine.currentValue(), 0);
    EXPECT_TRUE(panel.boxes.empty());
    // A write by anyone else ends the message's standing for 0.
    panel.type("Tidak ada pembagian dengan nol");
    press("Sin");
    EXPECT_EQ(panel.refusals, 1);
}

TEST_F(EngineTest, failed_step_keeps_earlier_assignments_and_is_refused)
{
    press("5 * CE =");
    EXPECT_EQ(panel.refusals, 1);
    EXPECT_EQ(engine.currentValue(), 1); // the 0 was already replaced by 1
    EXPECT_EQ(engine.pendingOperator(), operatorCode(Operator::Multiply));
    press("ON 0 M+ Sin");
    EXPECT_EQ(panel.refusals, 2);
    EXPECT_EQ(panel.display, "memory can't Accept 0");
    EXPECT_TRUE(panel.boxes.empty());
}

TEST_F(EngineTest, table_fills_from_current_value_and_widens)
{
    press("7 Tbl");
    EXPECT_TRUE(panel.widthToggleVisible);
    EXPECT_EQ(panel.widthTwips, 8100);
    EXPECT_EQ(panel.caption(LabelGroup::Label5, 9), "7");
    EXPECT_EQ(panel.caption(LabelGroup::Label8, 9), "70");
    EXPECT_EQ(panel.display, "7");
    press("ON 0.1 Tbl");
    EXPECT_EQ(panel.caption(LabelGroup::Label8, 2), "0.3");
    press("+ Tbl");
    EXPECT_EQ(panel.caption(LabelGroup::Label8, 9), "0");
    EXPECT_EQ(engine.pendingOperator(), operatorCode(Operator::Add));
}

TEST_F(EngineTest, on_resets_evaluation_and_table_but_not_memory)
{
    press("4 M+ 3 Tbl + 4 ON");
    EXPECT_EQ(panel.display, "0");
    EXPECT_EQ(engine.pendingOperator(), operatorCode(Operator::None));
    EXPECT_FALSE(engine.startNewNumber());
    EXPECT_EQ(engine.memoryValue(), 4);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(panel.caption(LabelGroup::Label5, row), "");
        EXPECT_EQ(panel.caption(LabelGroup::Label8, row), "");
    }
}

TEST_F(EngineTest, memory_store_replace_recall_clear)
{
    press("5 M+");
    EXPECT_TRUE(panel.boxes.empty());
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "5");
    EXPECT_EQ(panel.colours[BackTarget::Label3], kGreen);
    EXPECT_EQ(panel.colours[BackTarget::Label4], kGreen);

    panel.answers = {MessageAnswer::No, MessageAnswer::Yes};
    press("7 M+");
    ASSERT_EQ(panel.boxes.size(), 1U);
    EXPECT_EQ(panel.boxes[0].text, "Apakah Anda akan mengganti memory !");
    EXPECT_EQ(engine.memoryValue(), 5);
    press("M+");
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "7");

    press("ON MRC");
    EXPECT_EQ(panel.display, "7");
    EXPECT_EQ(panel.colours[BackTarget::Label3], kYellow);
    EXPECT_EQ(panel.colours[BackTarget::Label4], kYellow);
    press("2 M-");
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "");
    EXPECT_EQ(panel.display, "2");
    press("M+");
    EXPECT_EQ(panel.boxes.size(), 2U);
    EXPECT_EQ(engine.memoryValue(), 2);
}

TEST_F(EngineTest, binary_mode_switches_buttons)
{
    press("Biner");
    EXPECT_TRUE(panel.decimalEnabled);
    for (int digit = 0; digit < 10; ++digit)
        EXPECT_EQ(panel.digitEnabled[static_cast<std::size_t>(digit)], digit < 2) << digit;
    engine.binaryModeClicked(2);
    EXPECT_TRUE(panel.decimalEnabled);
    press("Decimal-mode");
    EXPECT_FALSE(panel.decimalEnabled);
    EXPECT_TRUE(panel.digitEnabled[9]);
}

// The pending operator is reported as a number and read back from it.
TEST(OperatorCode, round_trips_pending_operators_only)
{
    for (const Operator op : {Operator::None, Operator::Add, Operator::Subtract, Operator::Multiply,
                              Operator::Divide, Operator::Power, Operator::Modulo})
        EXPECT_EQ(operatorFromCode(operatorCode(op)), op) << operatorCode(op);
    EXPECT_EQ(operatorCode(Operator::Power), 5);
    for (const double code : {4.0, 0.5, -2.0, 7.0, std::nan("")})
        EXPECT_EQ(operatorFromCode(code), Operator::None) << code;
}

} // namespace
} // namespace hitungrama
