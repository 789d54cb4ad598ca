#include "engine/engine.h"
#include "engine/numbertext.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using namespace hitungrama;

// Keeps the display text and answers every box; nothing else is drawn.
class BenchPanel : public Panel {
public:
    std::string displayText() const override { return m_display; }
    void setDisplayText(const std::string &text) override
    {
        m_display = text;
        if (engine != nullptr)
            engine->displayChanged();
    }
    void setLabelCaption(LabelGroup, int, const std::string &) override {}
    void setBackColor(BackTarget, OleColor) override {}
    void setDigitButtonEnabled(int, bool) override {}
    void setDecimalButtonEnabled(bool) override {}
    void setWidthToggleVisible(bool) override {}
    int outerWidthTwips() const override { return 4650; }
    void setOuterWidthTwips(int) override {}
    MessageAnswer showMessage(const std::string &, const std::string &, MessageButtons buttons,
                              MessageIcon) override
    {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    void inputRefused() override {}

    Engine *engine = nullptr;

private:
    std::string m_display;
};

constexpr int kPower = 5;
constexpr int kEquals = 4;
constexpr int kFactorial = 6;
constexpr int kPrime = 8;
constexpr int kSignChange = 9;

struct Calculator {
    Calculator()
    {
        panel.engine = &engine;
        engine.load();
    }

    // Puts a value into currentValue the way a user can: type it into the
    // display, then change its sign twice.
    void enter(const std::string &text)
    {
        panel.setDisplayText(text);
        engine.functionClicked(kSignChange);
        engine.functionClicked(kSignChange);
    }

    void typeDigits(const std::string &digits)
    {
        for (const char c : digits)
            engine.digitClicked(c - '0');
    }

    BenchPanel panel;
    Engine engine{panel};
};

void power(benchmark::State &state, const char *exponent)
{
    Calculator calc;
    for (auto _ : state) {
        state.PauseTiming();
        calc.engine.onClicked();
        calc.enter("1.0000001");
        calc.engine.operatorClicked(kPower);
        calc.enter(exponent);
        state.ResumeTiming();
        calc.engine.operatorClicked(kEquals);
    }
    benchmark::DoNotOptimize(calc.panel.displayText());
}

void BM_PowerExponent1E300(benchmark::State &state)
{
    power(state, "1E+300");
}
BENCHMARK(BM_PowerExponent1E300)->Unit(benchmark::kMicrosecond);

// The longest loop that still runs: 10,000,000 multiplications.
void BM_PowerExponent10000001(benchmark::State &state)
{
    power(state, "10000001");
}
BENCHMARK(BM_PowerExponent10000001)->Unit(benchmark::kMillisecond);

void functionOn(benchmark::State &state, const std::string &digits, int function)
{
    Calculator calc;
    for (auto _ : state) {
        state.PauseTiming();
        calc.engine.onClicked();
        calc.typeDigits(digits);
        state.ResumeTiming();
        calc.engine.functionClicked(function);
    }
    benchmark::DoNotOptimize(calc.panel.displayText());
}

void BM_Factorial170(benchmark::State &state)
{
    functionOn(state, "170", kFactorial);
}
BENCHMARK(BM_Factorial170)->Unit(benchmark::kMicrosecond);

// Overflows the double range: answered with a box.
void BM_Factorial200(benchmark::State &state)
{
    functionOn(state, "200", kFactorial);
}
BENCHMARK(BM_Factorial200)->Unit(benchmark::kMicrosecond);

void BM_PrimeTest2147483647(benchmark::State &state)
{
    functionOn(state, "2147483647", kPrime);
}
BENCHMARK(BM_PrimeTest2147483647)->Unit(benchmark::kMicrosecond);

void BM_FormatGeneral(benchmark::State &state)
{
    const std::array<double, 6> values{1.0 / 3, 1234567890123456.0, 0.00001, -2.5, 7.257415615307999e306, 120};
    for (auto _ : state) {
        for (const double value : values)
            benchmark::DoNotOptimize(formatGeneral(value));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}
BENCHMARK(BM_FormatGeneral);

void BM_ParseStrict(benchmark::State &state)
{
    const std::array<std::string, 6> texts{"0.333333333333333", "1.23456789012346E+15", "1E-05", " -2.5 ",
                                           "7.257415615308E+306", "120"};
    for (auto _ : state) {
        for (const std::string &text : texts)
            benchmark::DoNotOptimize(parseStrict(text));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(BM_ParseStrict);

} // namespace

BENCHMARK_MAIN();
