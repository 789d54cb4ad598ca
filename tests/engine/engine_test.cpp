#include "keypad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace hitungrama {
namespace {

constexpr OleColor kYellow = 65535;
constexpr OleColor kGreen = 65280;

struct KeysCase {
    const char *name;
    const char *keys;
    const char *display;
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
}

INSTANTIATE_TEST_SUITE_P(Keys, KeySequence, ::testing::Values(
    KeysCase{"zero_after_point_vanishes_with_it", "1 . 0 5", "15"},
    KeysCase{"point_on_empty_display", "CE . 5", "0.5"},
    KeysCase{"seventeenth_digit_joins_exponent", "12345678901234567", "1.23456789012346E+157"},
    KeysCase{"eighteenth_digit_refused", "123456789012345678", "1.23456789012346E+157"},
    KeysCase{"point_after_operator_is_lost", "2 + . 5", "5"},
    KeysCase{"negative_extends", "'-5' 3", "-53"},
    KeysCase{"backspace_rounds_down", "'-123' BS", "-13"},
    KeysCase{"backspace_takes_fraction", "12.5 BS", "1"},
    KeysCase{"backspace_message_text", "0 M+ BS", "0"},
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
    KeysCase{"square_keeps_entry_open", "2 x^2 5", "45"},
    KeysCase{"sign_change_keeps_pending", "3 + 12 +/- =", "-9"},
    KeysCase{"factorial_170", "170 !", "7.257415615308E+306"},
    KeysCase{"factorial_completes_pending", "3 + 2 !", "120"},
    KeysCase{"binary_of_256_unpadded", "256 BIN", "100000000"},
    KeysCase{"binary_rounds_to_even", "2.5 BIN", "00000010"},
    KeysCase{"digit_after_binary_reads_decimal", "10 BIN 1", "10101"},
    KeysCase{"decimal_ignores_after_eighth", "'100000000' Desimal", "128"}),
    caseName<KeysCase>);

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

TEST_F(EngineTest, divide_by_zero_flashes_message_then_zero)
{
    press("8 / 0 =");
    const auto &writes = panel.displayWrites;
    EXPECT_EQ(writes[writes.size() - 2], "Tidak ada pembagian dengan nol");
    EXPECT_EQ(writes.back(), "0");
    EXPECT_EQ(engine.totalValue(), 0);
    EXPECT_TRUE(panel.boxes.empty());
}

TEST_F(EngineTest, failed_step_keeps_earlier_assignments_and_is_refused)
{
    press("5 * CE =");
    EXPECT_EQ(panel.refusals, 1);
    EXPECT_EQ(engine.currentValue(), 1); // the 0 was already replaced by 1
    EXPECT_EQ(engine.pendingOperator(), operatorCode(Operator::Multiply));
    press("ON 0 M+ 5");
    EXPECT_EQ(panel.refusals, 2);
    EXPECT_EQ(panel.display, "memory can't Accept 0");
    press("Sin");
    EXPECT_EQ(panel.refusals, 3);
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
