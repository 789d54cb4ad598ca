#include "engine/engine.h"
#include "engine/numbertext.h"
#include "testsupport/fakepanel.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using namespace hitungrama;

struct Calculator {
    Calculator()
    {
        panel.attach(engine);
        engine.load();
    }

    // Resets the engine between timed runs and drops what the panel recorded.
    void reset()
    {
        engine.onClicked();
        panel.clearHistory();
    }

    // Puts a value into currentValue the way a user can: type it into the
    // display, then change its sign twice.
    void enter(const std::string &text)
    {
        panel.setDisplayText(text);
        engine.functionClicked(Function::SignChange);
        engine.functionClicked(Function::SignChange);
    }

    void typeDigits(const std::string &digits)
    {
        for (const char c : digits)
            engine.digitClicked(c - '0');
    }

    FakePanel panel;
    Engine engine{panel};
};

void power(benchmark::State &state, const char *exponent)
{
    Calculator calc;
    for (auto _ : state) {
        state.PauseTiming();
        calc.reset();
        calc.enter("1.0000001");
        calc.engine.operatorClicked(Operator::Power);
        calc.enter(exponent);
        state.ResumeTiming();
        calc.engine.operatorClicked(Operator::Equals);
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

void functionOn(benchmark::State &state, const std::string &digits, Function function)
{
    Calculator calc;
    for (auto _ : state) {
        state.PauseTiming();
        calc.reset();
        calc.typeDigits(digits);
        state.ResumeTiming();
        calc.engine.functionClicked(function);
    }
    benchmark::DoNotOptimize(calc.panel.displayText());
}

void BM_Factorial170(benchmark::State &state)
{
    functionOn(state, "170", Function::Factorial);
}
BENCHMARK(BM_Factorial170)->Unit(benchmark::kMicrosecond);

// Overflows the double range: answered with a box.
void BM_Factorial200(benchmark::State &state)
{
    functionOn(state, "200", Function::Factorial);
}
BENCHMARK(BM_Factorial200)->Unit(benchmark::kMicrosecond);

void BM_PrimeTest2147483647(benchmark::State &state)
{
    functionOn(state, "2147483647", Function::Prime);
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
