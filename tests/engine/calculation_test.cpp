#include "keypad.h"

#include "engine/numbertext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace hitungrama {
namespace {

// Every line the engine finished, one per row.
std::string linesOf(const FakePanel &panel)
{
    std::string all;
    for (const Calculation &line : panel.calculations)
        all += (all.empty() ? "" : "\n") + line.text();
    return all;
}

struct LinesCase {
    const char *name;
    const char *keys;
    const char *lines;
};

class CalculationLines : public EngineTest, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(CalculationLines, tell_what_was_computed)
{
    press(GetParam().keys);
    EXPECT_EQ(linesOf(panel), GetParam().lines);
    // A kept line has only its text to tell a message from a number.
    for (const Calculation &line : panel.calculations)
        EXPECT_EQ(isMessageResult(line.result), line.resultIsMessage) << line.text();
}

// Only the conversion to base 2 leaves a numeral that a decimal entry must
// not take.
TEST_F(EngineTest, conversion_to_base_two_is_known_by_its_line)
{
    press("10 BIN ON Biner 1 0 1 Desimal ON 4 x^2");
    ASSERT_EQ(panel.calculations.size(), 3U);
    EXPECT_TRUE(isBinaryConversion(panel.calculations[0].expression));
    EXPECT_FALSE(isBinaryConversion(panel.calculations[1].expression));
    EXPECT_FALSE(isBinaryConversion(panel.calculations[2].expression));
}

INSTANTIATE_TEST_SUITE_P(Keys, CalculationLines, ::testing::Values(
    LinesCase{"chain_left_to_right", "12 + 3 * 4 =", "12 + 3 * 4 = 60"},
    LinesCase{"result_starts_the_next_chain", "1 / 3 = * 3 =",
              "1 / 3 = 0.333333333333333\n0.333333333333333 * 3 = 1"},
    LinesCase{"times_zero_is_times_one", "5 * 0 =", "5 * 1 = 5"},
    LinesCase{"divide_without_operand_by_one", "8 / =", "8 / 1 = 8"},
    LinesCase{"zero_left_of_times_keeps_right", "0 * 7 =", "7 = 7"},
    LinesCase{"modulo_rounds_operands", "7.6 mod 2 =", "8 mod 2 = 0"},
    LinesCase{"modulo_of_chain_restarts_from_rounded", "2 + 5.6 mod 3 =", "8 mod 3 = 2"},
    LinesCase{"zero_minus_keeps_right", "0 - 5 =", "5 = 5"},
    LinesCase{"zero_rule_mid_chain_restarts", "5 - 5 - 3 =", "3 = 3"},
    LinesCase{"power_of_zero_voided", "2 x^y 0 =", "0 = 0"},
    LinesCase{"modulo_by_zero_keeps_dividend", "5 mod 0 =", "5 = 5"},
    LinesCase{"whole_power", "2 x^y 10 =", "2 ^ 10 = 1024"},
    LinesCase{"negative_operand", "7 +/- mod 3 =", "-7 mod 3 = -1"},
    LinesCase{"division_by_zero_message", "5 / 0 =", "5 / 0 = Tidak ada pembagian dengan nol"},
    LinesCase{"division_by_zero_mid_chain_restarts", "5 / 0 + 3 =", "0 + 3 = 3"},
    LinesCase{"modulo_overflow_message", "5000000000 mod 3 =",
              "5000000000 mod 3 = Hitungrama Overflow"},
    LinesCase{"failed_operation_ends_function_line", "10 x^y 400 = mod 870406983 Sin",
              "10 ^ 400 = Infinity\nsin(Infinity mod 870406983) = Hitungrama Overflow"},
    LinesCase{"second_equals_adds_nothing", "2 + 3 = =", "2 + 3 = 5"},
    LinesCase{"on_empties_the_chain", "1 + 2 + ON 3 + 4 =", "3 + 4 = 7"},
    LinesCase{"declined_exit_restarts", "5 + 4 + OFF-No 3 =", "0 + 3 = 3"},
    LinesCase{"memory_key_completes_into_chain", "2 + 3 M+ 4 =", "2 + 3 + 4 = 9"},
    LinesCase{"recall_restarts", "2 + 3 MRC =", "0 + 0 = 0"},
    LinesCase{"sine_of_chain", "2 + 3 Sin", "sin(2 + 3) = -0.958924274663138"},
    LinesCase{"cosine_and_tangent", "0.5 Cos 1 Tan",
              "cos(0.5) = 0.877582561890373\ntan(1) = 1.5574077246549"},
    LinesCase{"square_drops_pending", "2 + 3 x^2", "3^2 = 9"},
    LinesCase{"negative_square_bracketed", "3 +/- x^2", "(-3)^2 = 9"},
    LinesCase{"exponent_form_bracketed", "10 x^y 20 = x^2", "10 ^ 20 = 1E+20\n(1E+20)^2 = 1E+40"},
    LinesCase{"cube_of_chain", "2 + 3 x^3", "(2 + 3)^3 = 125"},
    LinesCase{"percent_of_chain", "200 + 50 %", "(200 + 50)% = 2.5"},
    LinesCase{"square_root_and_negative", "16 Sqrt 4 +/- Sqrt",
              "sqrt(16) = 4\nsqrt(-4) = Tidak dapat mengkalkulasikan bilangan negatif "},
    LinesCase{"log_is_natural", "100 log 5 +/- log",
              "ln(100) = 4.60517018598809\nln(-5) = Tidak dapat mengkalkulasikan bilangan negatif"},
    LinesCase{"factorial", "5 ! 3 + 2 !", "5! = 120\n(3 + 2)! = 120"},
    LinesCase{"factorial_out_of_range", "2 + 250 !",
              "(2 + 250)! = Diluar batas masukkan bilangan 1 sampai 200"},
    LinesCase{"factorial_overflow", "171 !", "171! = Hitungrama Overflow"},
    LinesCase{"factorial_from_other_start_value", "5 M+ !", "0 * 4! = 0"},
    LinesCase{"prime_verdicts", "7 Prm 8 Prm",
              "Prm(7) = Merupakan bilangan primer\nPrm(8) = Bukan bilangan primer"},
    LinesCase{"prime_rounds_operand", "2 + 0.5 Prm", "Prm(2) = Merupakan bilangan primer"},
    LinesCase{"prime_of_negative", "5 +/- Prm",
              "Prm(-5) = Tidak ada bilangan primer lebih kecil dari nol"},
    LinesCase{"base_conversions", "10 BIN ON Biner 1 0 1 Desimal",
              "BIN(10) = 00001010\nDesimal(00000101) = 5"},
    LinesCase{"refused_conversions_add_nothing", "'-3' BIN '12' Desimal", ""},
    LinesCase{"refusals_add_nothing", "0 Sin 5 * 3 CE = =", ""},
    LinesCase{"entry_and_other_keys_add_nothing", "5 . 5 +/- Tbl BS M+ MRC M- CE ON", ""},
    LinesCase{"refusal_after_work_keeps_chain", "2 + 3 * 4 CE = 1 =", "2 + 3 * 1 = 5"}),
    [](const ::testing::TestParamInfo<LinesCase> &info) { return std::string(info.param.name); });

// Reads a line's expression as plain left-to-right arithmetic, noting the
// largest magnitude met: it scales the rounding a result may carry.
class LeftToRight {
public:
    explicit LeftToRight(std::string text)
        : m_text(std::move(text))
    {
    }

    std::optional<double> value()
    {
        const std::optional<double> result = expression();
        return m_at == m_text.size() ? result : std::nullopt;
    }

    double largest() const { return m_largest; }

private:
    template <typename F>
    using Table = std::initializer_list<std::pair<const char *, F>>;
    using Unary = double (*)(double);
    using Binary = double (*)(double, double);

    std::optional<double> expression()
    {
        static const Table<Binary> operators = {
            {" + ", [](double a, double b) { return a + b; }}, {" - ", [](double a, double b) { return a - b; }},
            {" * ", [](double a, double b) { return a * b; }}, {" / ", [](double a, double b) { return a / b; }},
            {" ^ ", [](double a, double b) { return std::pow(a, b); }},
            {" mod ", [](double a, double b) { return std::fmod(a, b); }}};
        std::optional<double> value = term();
        for (const Binary *op; value && (op = takeAny(operators)) != nullptr;) {
            const std::optional<double> right = term();
            value = right ? std::optional<double>(note((*op)(*value, *right))) : std::nullopt;
        }
        return value;
    }

    std::optional<double> term()
    {
        static const Table<Unary> postfix = {
            {"^2", [](double x) { return x * x; }}, {"^3", [](double x) { return x * x * x; }},
            {"!", [](double x) { return std::tgamma(x + 1); }}, {"%", [](double x) { return x / 100; }}};
        std::optional<double> value = atom();
        for (const Unary *op; value && (op = takeAny(postfix)) != nullptr;)
            value = note((*op)(*value));
        return value;
    }

    std::optional<double> atom()
    {
        static const Table<Unary> functions = {
            {"sin(", [](double x) { return std::sin(x); }}, {"cos(", [](double x) { return std::cos(x); }},
            {"tan(", [](double x) { return std::tan(x); }}, {"sqrt(", [](double x) { return std::sqrt(x); }},
            {"ln(", [](double x) { return std::log(x); }}, {"(", [](double x) { return x; }}};
        if (const Unary *function = takeAny(functions)) {
            const std::optional<double> inner = expression();
            return inner && take(")") ? std::optional<double>((*function)(*inner)) : std::nullopt;
        }
        const char *start = m_text.c_str() + m_at;
        char *end = nullptr;
        const double number = std::strtod(start, &end);
        if (end == start)
            return std::nullopt;
        m_at += static_cast<std::size_t>(end - start);
        return note(number);
    }

    template <typename F>
    const F *takeAny(const Table<F> &table)
    {
        for (const auto &[token, f] : table) {
            if (take(token))
                return &f;
        }
        return nullptr;
    }

    bool take(const std::string &token)
    {
        if (m_text.compare(m_at, token.size(), token) != 0)
            return false;
        m_at += token.size();
        return true;
    }

    double note(double value)
    {
        if (std::isfinite(value))
            m_largest = std::max(m_largest, std::abs(value));
        return value;
    }

    std::string m_text;
    std::size_t m_at = 0;
    double m_largest = 1;
};

// Random sessions on the keypad: every numeric line, read left to right,
// gives its result up to the rounding of its operands to 15 digits.
TEST_F(EngineTest, every_line_reads_as_its_result)
{
    static const char *const keys[] = {
        "1", "2", "3", "7", "0", ".", "25", "+", "-", "*", "/", "=", "=", "x^y", "mod", "Sin",
        "Cos", "x^2", "x^3", "Sqrt", "!", "%", "log", "+/-", "M+", "MRC", "M-", "CE", "BS", "ON",
        "Tbl"};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(keys) - 1);
    int checked = 0;
    for (int session = 0; session < 400; ++session) {
        std::string sequence;
        for (int i = 0; i < 40; ++i)
            sequence += std::string(keys[pick(random)]) + " ";
        panel.answers.assign(40, MessageAnswer::Yes);
        panel.calculations.clear();
        press(sequence);
        for (const Calculation &line : panel.calculations) {
            EXPECT_EQ(isMessageResult(line.result), line.resultIsMessage) << line.text();
            if (line.resultIsMessage)
                continue;
            LeftToRight reading(line.expression);
            const std::optional<double> value = reading.value();
            ASSERT_TRUE(value.has_value()) << line.text() << "\nafter: " << sequence;
            const double shown = parseLenient(line.result);
            if (!std::isfinite(*value) || line.result.find_first_of("IN") != std::string::npos) {
                EXPECT_EQ(formatGeneral(*value), line.result) << "after: " << sequence;
                continue;
            }
            EXPECT_LE(std::abs(*value - shown), 1e-9 * std::max(reading.largest(), std::abs(shown)))
                << line.text() << "\nafter: " << sequence;
            ++checked;
        }
        press("ON");
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
} // namespace hitungrama
