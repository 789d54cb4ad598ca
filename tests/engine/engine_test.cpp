#include "keypad.h"

#include <gtest/gtest.h>

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

std::string keysName(const ::testing::TestParamInfo<KeysCase> &info)
{
    return info.param.name;
}

class KeySequence : public EngineTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(KeySequence, shows)
{
    press(GetParam().keys);
    EXPECT_EQ(panel.display, GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(Entry, KeySequence, ::testing::Values(
    KeysCase{"leading_zero_goes", "1 2 3", "123"},
    KeysCase{"zero_on_zero_stays", "0 0", "0"},
    KeysCase{"zero_after_point_vanishes_with_it", "1 . 0 5", "15"},
    KeysCase{"digits_after_point", "2 . 5 0 1", "2.51"},
    KeysCase{"point_on_empty_display", "CE . 5", "0.5"},
    KeysCase{"sixteenth_digit_gives_exponent", "1234567890123456", "1.23456789012346E+15"},
    KeysCase{"seventeenth_digit_joins_exponent", "12345678901234567", "1.23456789012346E+157"},
    KeysCase{"eighteenth_digit_refused", "123456789012345678", "1.23456789012346E+157"},
    KeysCase{"point_after_operator_is_lost", "2 + . 5", "5"},
    KeysCase{"negative_extends", "'-5' 3", "-53"},
    KeysCase{"point_after_exponent_then_digit_refused", "'1E-05' . 3", "1E-05."},
    KeysCase{"backspace_drops_last_digit", "1 2 3 BS", "12"},
    KeysCase{"backspace_single_digit", "5 BS", "0"},
    KeysCase{"backspace_rounds_down", "'-123' BS", "-13"},
    KeysCase{"backspace_takes_fraction", "12.5 BS", "1"},
    KeysCase{"backspace_exponent", "'1E+20' BS", "1E+19"},
    KeysCase{"backspace_message_text", "0 M+ BS", "0"},
    KeysCase{"clear_entry_empties", "1 2 CE", ""},
    KeysCase{"digit_after_clear_entry", "CE 7", "7"},
    KeysCase{"point_after_clear_entry", "CE .", "."},
    KeysCase{"sixteen_binary_digits", "Biner 1111111111111111", "1.11111111111111E+15"}),
    keysName);

INSTANTIATE_TEST_SUITE_P(Chains, KeySequence, ::testing::Values(
    KeysCase{"operator_shows_intermediate", "2 + 3 *", "5"},
    KeysCase{"left_to_right", "2 + 3 * 4 =", "20"},
    KeysCase{"operator_after_equals_continues", "2 + 3 = * 4 =", "20"},
    KeysCase{"digit_after_equals_starts_over", "2 + 3 = 7 + 1 =", "8"},
    KeysCase{"second_operator_replaces_first", "5 + * 3 =", "15"},
    KeysCase{"second_operator_after_minus", "5 - * 3 =", "15"},
    KeysCase{"second_operator_after_mod", "5 mod * 3 =", "15"},
    KeysCase{"second_operator_after_power_zeroes", "5 x^y + 3 =", "3"},
    KeysCase{"equals_first_loses_number", "5 = + 3 =", "3"},
    KeysCase{"second_equals_repeats_nothing", "2 + 3 = =", "5"},
    KeysCase{"zero_minus_takes_right", "0 - 5 =", "5"},
    KeysCase{"subtraction", "10 - 4 =", "6"},
    KeysCase{"zero_times_takes_right", "0 * 5 =", "5"},
    KeysCase{"times_zero_keeps_left", "5 * 0 =", "5"},
    KeysCase{"zero_divided", "0 / 5 =", "0"},
    KeysCase{"divide_without_operand", "8 / =", "8"},
    KeysCase{"divide_by_zero_shows_zero", "8 / 0 =", "0"},
    KeysCase{"thirds", "1 / 3 =", "0.333333333333333"},
    KeysCase{"whole_power", "2 x^y 10 =", "1024"},
    KeysCase{"power_zero_not_shown", "2 x^y 0 =", "0"},
    KeysCase{"zero_to_power", "0 x^y 3 =", "0"},
    KeysCase{"fractional_exponent", "2 x^y 0.5 =", "1.4142135623731"},
    KeysCase{"fractional_exponent_above_one", "2 x^y 2.9 =", "7.46426393229446"},
    KeysCase{"negative_exponent", "2 x^y 3 +/- =", "0.125"},
    KeysCase{"negative_base_fractional_exponent", "2 +/- x^y 0.5 =", "NaN"},
    KeysCase{"power_beyond_range", "10 x^y 400 =", "Infinity"},
    KeysCase{"huge_exponent_finishes", "'1.0000001' +/- +/- x^y '1E+300' +/- +/- =", "Infinity"},
    KeysCase{"infinity_reads_back", "10 x^y 400 = +/-", "-Infinity"},
    KeysCase{"infinity_continues", "10 x^y 400 = * 2 =", "Infinity"},
    KeysCase{"modulo", "7 mod 3 =", "1"},
    KeysCase{"modulo_negative_dividend", "7 +/- mod 3 =", "-1"},
    KeysCase{"modulo_negative_divisor", "7 mod 3 +/- =", "1"},
    KeysCase{"modulo_rounds_operands", "7.5 mod 2 =", "0"},
    KeysCase{"modulo_by_zero_changes_nothing", "7 mod 0 =", "0"},
    KeysCase{"declined_exit_clears_left_operand", "5 + OFF-No 3 =", "3"},
    KeysCase{"declined_exit_over_message", "0 M+ OFF-No", "0"}),
    keysName);

INSTANTIATE_TEST_SUITE_P(Functions, KeySequence, ::testing::Values(
    KeysCase{"sine_in_radians", "30 Sin", "-0.988031624092862"},
    KeysCase{"cosine_in_radians", "60 Cos", "-0.952412980415156"},
    KeysCase{"tangent", "1 Tan", "1.5574077246549"},
    KeysCase{"natural_log", "100 log", "4.60517018598809"},
    KeysCase{"square_root", "9 Sqrt", "3"},
    KeysCase{"square_root_irrational", "2 Sqrt", "1.4142135623731"},
    KeysCase{"root_of_negative_zeroes", "5 +/- Sqrt", "0"},
    KeysCase{"log_of_negative_keeps_display", "5 +/- log", "-5"},
    KeysCase{"square_drops_pending", "3 + 2 x^2", "4"},
    KeysCase{"cube_completes_pending", "3 + 2 x^3", "125"},
    KeysCase{"square_keeps_entry_open", "2 x^2 5", "45"},
    KeysCase{"sine_starts_new_number", "2 Sin 5", "5"},
    KeysCase{"percent", "50 %", "0.5"},
    KeysCase{"percent_of_completed_result", "200 + 50 %", "2.5"},
    KeysCase{"sign_change_keeps_pending", "3 + 12 +/- =", "-9"},
    KeysCase{"factorial", "5 !", "120"},
    KeysCase{"factorial_12", "12 !", "479001600"},
    KeysCase{"factorial_20", "20 !", "2.43290200817664E+18"},
    KeysCase{"factorial_170", "170 !", "7.257415615308E+306"},
    KeysCase{"factorial_one", "1 !", "1"},
    KeysCase{"factorial_completes_pending", "3 + 2 !", "120"},
    KeysCase{"prime_answer_clears_display", "7 Prm", "0"},
    KeysCase{"binary_of_5", "5 BIN", "00000101"},
    KeysCase{"binary_of_255", "255 BIN", "11111111"},
    KeysCase{"binary_of_256_unpadded", "256 BIN", "100000000"},
    KeysCase{"binary_of_zero", "BIN", "00000000"},
    KeysCase{"binary_rounds_to_even", "2.5 BIN", "00000010"},
    KeysCase{"binary_largest", "2147483647 BIN", "1111111111111111111111111111111"},
    KeysCase{"digit_after_binary_reads_decimal", "10 BIN 1", "10101"},
    KeysCase{"decimal_of_binary_entry", "Biner 1 0 1 Desimal", "5"},
    KeysCase{"decimal_ignores_after_eighth", "'100000000' Desimal", "128"},
    KeysCase{"decimal_of_empty_display", "CE Desimal", "0"},
    KeysCase{"decimal_of_ascii_after_pad", "'1' Desimal", "1"}),
    keysName);

struct BoxCase {
    const char *name;
    const char *keys;
    const char *text;
    MessageIcon icon;
    const char *display;
};

std::string boxName(const ::testing::TestParamInfo<BoxCase> &info)
{
    return info.param.name;
}

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

INSTANTIATE_TEST_SUITE_P(Texts, MessageBox, ::testing::Values(
    BoxCase{"function_on_zero", "Sin", "Masukan bilangan ! ", kNone, "0"},
    BoxCase{"function_on_text_reading_zero", "'0.000' Tbl", "Masukan bilangan ! ", kNone, "0.000"},
    BoxCase{"root_of_negative", "5 +/- Sqrt", "Tidak dapat mengkalkulasikan bilangan negatif ", kNone, "0"},
    BoxCase{"root_after_zero_result", "5 - 5 Sqrt", "Tidak dapat mengkalkulasikan bilangan negatif ", kNone, "0"},
    BoxCase{"log_of_negative", "5 +/- log", "Tidak dapat mengkalkulasikan bilangan negatif", kNone, "-5"},
    BoxCase{"factorial_above_200", "201 !", "Diluar batas masukkan bilangan 1 sampai 200", kNone, "201"},
    BoxCase{"factorial_fraction_above_200", "200.5 !", "Diluar batas masukkan bilangan 1 sampai 200", kNone, "200.5"},
    BoxCase{"factorial_fraction", "4.5 !", "Diluar batas masukkan bilangan 1 sampai 200", kNone, "4.5"},
    BoxCase{"factorial_negative", "3 +/- !", "Diluar batas masukkan bilangan 1 sampai 200", kNone, "-3"},
    BoxCase{"factorial_below_one", "0.5 !", "Diluar batas masukkan bilangan 1 sampai 200", kNone, "0.5"},
    BoxCase{"factorial_171_overflows", "171 !", "Hitungrama Overflow", kNone, "171"},
    BoxCase{"factorial_200_overflows", "200 !", "Hitungrama Overflow", kNone, "200"},
    BoxCase{"prime_7", "7 Prm", "Merupakan bilangan primer", kInfo, "0"},
    BoxCase{"prime_97", "97 Prm", "Merupakan bilangan primer", kInfo, "0"},
    BoxCase{"prime_2", "2 Prm", "Merupakan bilangan primer", kInfo, "0"},
    BoxCase{"prime_tie_rounds_to_2", "2.5 Prm", "Merupakan bilangan primer", kInfo, "0"},
    BoxCase{"prime_beyond_16_bits", "65537 Prm", "Merupakan bilangan primer", kInfo, "0"},
    BoxCase{"prime_largest_32_bit", "2147483647 Prm", "Merupakan bilangan primer", kInfo, "0"},
    BoxCase{"not_prime_9", "9 Prm", "Bukan bilangan primer", kInfo, "0"},
    BoxCase{"not_prime_4", "4 Prm", "Bukan bilangan primer", kInfo, "0"},
    BoxCase{"one_is_not_prime", "1 Prm", "Bukan bilangan primer", kInfo, "0"},
    BoxCase{"rounds_to_zero_not_prime", "0.4 Prm", "Bukan bilangan primer", kInfo, "0"},
    BoxCase{"fraction_tested_rounded", "7.5 Prm", "Bukan bilangan primer", kInfo, "0"},
    BoxCase{"prime_negative", "5 +/- Prm", "Tidak ada bilangan primer lebih kecil dari nol", kNone, "-5"},
    BoxCase{"prime_beyond_32_bits", "2147483648 Prm", "Hitungrama Overflow", kNone, "2147483648"},
    BoxCase{"modulo_divisor_rounds_to_zero", "7 mod 0.4 =", "Hitungrama Overflow", kNone, "0.4"},
    BoxCase{"modulo_dividend_too_large", "5000000000 mod 3 =", "Hitungrama Overflow", kNone, "3"},
    BoxCase{"binary_of_negative", "5 +/- BIN", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "-5"},
    BoxCase{"binary_of_empty", "CE BIN", "Tidak dapat mengkonvert bilangan tersebut", kWarn, ""},
    BoxCase{"binary_of_text", "'abc' BIN", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "abc"},
    BoxCase{"binary_beyond_32_bits", "4294967296 BIN", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "4294967296"},
    BoxCase{"binary_of_infinity", "10 x^y 400 = BIN", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "Infinity"},
    BoxCase{"decimal_keeps_padding", "'1.5' Desimal", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "000001.5"},
    BoxCase{"decimal_refuses_digit_2", "'2' Desimal", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "00000002"},
    BoxCase{"decimal_refuses_digit_9", "'10000009' Desimal", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "10000009"},
    BoxCase{"decimal_pads_by_characters", "'\xC3\xA9' Desimal", "Tidak dapat mengkonvert bilangan tersebut", kWarn, "0000000\xC3\xA9"}),
    boxName);

TEST_F(EngineTest, load_shows_zero_on_yellow)
{
    EXPECT_EQ(panel.display, "0");
    EXPECT_EQ(panel.colours[BackTarget::Display], kYellow);
    EXPECT_EQ(engine.pendingOperator(), -1);
    EXPECT_FALSE(engine.startNewNumber());
}

TEST_F(EngineTest, divide_by_zero_flashes_message_then_zero)
{
    press("8 / 0 =");
    ASSERT_GE(panel.displayWrites.size(), 2U);
    EXPECT_EQ(panel.displayWrites[panel.displayWrites.size() - 2], "Tidak ada pembagian dengan nol");
    EXPECT_EQ(panel.displayWrites.back(), "0");
    EXPECT_EQ(engine.totalValue(), 0);
    EXPECT_EQ(engine.currentValue(), 0);
    EXPECT_TRUE(panel.boxes.empty());
}

TEST_F(EngineTest, modulo_overflow_keeps_both_operands)
{
    press("5000000000 mod 3");
    press("=");
    EXPECT_EQ(engine.currentValue(), 5e9);
    EXPECT_EQ(engine.pendingOperator(), -1);
}

TEST_F(EngineTest, modulo_zero_rules)
{
    press("7 mod 0 =");
    EXPECT_EQ(engine.currentValue(), 7);
    press("ON 0 mod 5 =");
    EXPECT_EQ(engine.totalValue(), 5);
    EXPECT_EQ(panel.display, "5");
}

TEST_F(EngineTest, failed_step_keeps_earlier_assignments_and_is_refused)
{
    press("5 * CE =");
    EXPECT_EQ(panel.refusals, 1);
    EXPECT_EQ(engine.currentValue(), 1); // the 0 was already replaced by 1
    EXPECT_EQ(engine.pendingOperator(), 2);
    press("ON 5 / CE =");
    EXPECT_EQ(panel.refusals, 2);
    EXPECT_EQ(engine.pendingOperator(), 3);
    press("0 M+ 5");
    EXPECT_EQ(panel.refusals, 3);
    EXPECT_EQ(panel.display, "memory can't Accept 0");
    press("Sin");
    EXPECT_EQ(panel.refusals, 4);
    EXPECT_TRUE(panel.boxes.empty());
}

TEST_F(EngineTest, refusal_of_function_keeps_pending_operator)
{
    press("5 + 0 Sin");
    EXPECT_EQ(engine.pendingOperator(), 0);
    EXPECT_EQ(engine.totalValue(), 5);
    EXPECT_TRUE(engine.startNewNumber());
}

TEST_F(EngineTest, factorial_refusal_changes_nothing_after_completion)
{
    press("3 + 200 !");
    EXPECT_EQ(panel.display, "203");
    EXPECT_EQ(engine.totalValue(), 203);
    EXPECT_EQ(engine.pendingOperator(), 0); // the addition stays the pending code
}

TEST_F(EngineTest, table_fills_from_current_value_and_widens)
{
    press("7 Tbl");
    EXPECT_TRUE(panel.widthToggleVisible);
    EXPECT_EQ(panel.widthTwips, 8100);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(panel.caption(LabelGroup::Label5, row), "7");
        EXPECT_EQ(panel.caption(LabelGroup::Label8, row), std::to_string(7 * (row + 1)));
    }
    EXPECT_EQ(panel.display, "7");
    EXPECT_EQ(engine.currentValue(), 7);
    press("ON 0.1 Tbl");
    EXPECT_EQ(panel.caption(LabelGroup::Label8, 2), "0.3");
    press("+ Tbl");
    EXPECT_EQ(panel.caption(LabelGroup::Label8, 9), "0");
    EXPECT_EQ(engine.pendingOperator(), 0);
}

TEST_F(EngineTest, on_resets_evaluation_and_table_but_not_memory)
{
    press("4 M+ 3 Tbl + 4 ON");
    EXPECT_EQ(panel.display, "0");
    EXPECT_EQ(engine.pendingOperator(), -1);
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
    EXPECT_EQ(panel.display, "5");

    panel.answers = {MessageAnswer::No, MessageAnswer::Yes};
    press("7 M+");
    ASSERT_EQ(panel.boxes.size(), 1U);
    EXPECT_EQ(panel.boxes[0].text, "Apakah Anda akan mengganti memory !");
    EXPECT_EQ(panel.boxes[0].title, "Hitungrama");
    EXPECT_EQ(panel.boxes[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(panel.boxes[0].icon, MessageIcon::None);
    EXPECT_EQ(engine.memoryValue(), 5);
    press("M+");
    EXPECT_EQ(engine.memoryValue(), 7);
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "7");

    press("ON MRC");
    EXPECT_EQ(panel.display, "7");
    EXPECT_EQ(panel.colours[BackTarget::Label3], kYellow);
    EXPECT_EQ(panel.colours[BackTarget::Label4], kYellow);
    press("2");
    EXPECT_EQ(panel.display, "2");

    press("M-");
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "");
    EXPECT_EQ(panel.display, "2");
    EXPECT_EQ(panel.colours[BackTarget::Label4], kYellow);
    press("M+");
    EXPECT_EQ(panel.boxes.size(), 2U);
    EXPECT_EQ(engine.memoryValue(), 2);
}

TEST_F(EngineTest, memory_edge_cases)
{
    press("MRC");
    EXPECT_EQ(panel.display, "0");
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "0");
    press("M+");
    EXPECT_EQ(panel.display, "memory can't Accept 0");
    EXPECT_EQ(panel.colours[BackTarget::Label3], kYellow);
    press("ON 3 + 4 M+");
    EXPECT_EQ(panel.display, "7");
    EXPECT_EQ(engine.memoryValue(), 7);
    press("ON M- 12 . M+");
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "12");
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
    for (const bool enabled : panel.digitEnabled)
        EXPECT_TRUE(enabled);
}

TEST_F(EngineTest, conversions_leave_the_operand_alone)
{
    press("Biner 101 Desimal");
    EXPECT_EQ(engine.currentValue(), 101);
    press("+");
    EXPECT_EQ(engine.totalValue(), 101);
    press("ON 10 BIN");
    EXPECT_EQ(engine.currentValue(), 10);
}

TEST_F(EngineTest, declined_exit_clears_operands_only)
{
    press("9 M+ 5 + Biner");
    panel.widthTwips = 8100;
    press("OFF-No");
    EXPECT_EQ(panel.display, "0");
    EXPECT_EQ(engine.totalValue(), 0);
    EXPECT_EQ(engine.currentValue(), 0);
    EXPECT_EQ(engine.pendingOperator(), 0);
    EXPECT_EQ(engine.memoryValue(), 9);
    EXPECT_EQ(panel.caption(LabelGroup::Label3, 0), "9");
    EXPECT_TRUE(panel.decimalEnabled);
    EXPECT_EQ(panel.widthTwips, 8100);
}

TEST_F(EngineTest, typed_text_turns_display_yellow_only)
{
    panel.colours.clear();
    panel.type("42");
    EXPECT_EQ(panel.colours[BackTarget::Display], kYellow);
    EXPECT_EQ(engine.currentValue(), 0);
}

} // namespace
} // namespace hitungrama
