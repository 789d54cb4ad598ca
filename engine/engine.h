#pragma once

#include "engine/calculation.h"
#include "engine/calculationchain.h"
#include "engine/engineerror.h"
#include "engine/keys.h"
#include "engine/panel.h"

#include <string>

namespace hitungrama {

// The calculator engine. The window forwards each button click to one of the
// *Clicked handlers; a handler runs its steps on the engine state and on the
// display text, which is both the entry buffer and the output: digits are
// appended to it as typed (entrytext.h) and read back with parseStrict, and
// results are written with formatGeneral.
// Everything visible (display, labels, colours, enabled states, width, boxes)
// goes out through the Panel; the texts among it are those of enginetexts.h,
// in Indonesian, which the window translates. An EngineError ends the step where it arises,
// keeps what the step already assigned, and reaches the panel as inputRefused.
// Beside its state the engine keeps the chain of operations it performed;
// each "=" that completes an operation, each function and each base
// conversion finishes a Calculation, which goes to the listener, if any.
// The steps are defined by concern: engineentry.cpp (number entry),
// engineoperators.cpp, enginefunctions.cpp, enginememory.cpp and
// enginebinary.cpp (binary mode and base conversion); engine.cpp holds the
// resets, the calculation lines and the display.
class Engine {
public:
    static constexpr OleColor kYellow = 65535;
    static constexpr OleColor kGreen = 65280;
    static constexpr int kWideWidthTwips = 8100;

    explicit Engine(Panel &panel);

    void setCalculationListener(CalculationListener *listener) { m_listener = listener; }

    void load();
    void displayChanged();

    void digitClicked(int index);
    void decimalPointClicked();
    void backSpaceClicked();
    void clearEntryClicked();
    // A number pasted into the display (see readPastedText) replaces the
    // number being entered; entry goes on after it, a pending operator stays.
    void numberPasted(double value);
    void operatorClicked(Operator op);
    void onClicked();
    void functionClicked(Function function);
    void memoryClicked(MemoryKey key);
    void binaryModeClicked(int checkValue);
    void toBinaryClicked();
    void toDecimalClicked();
    void exitDeclined();

    double currentValue() const { return m_currentValue; }
    double totalValue() const { return m_totalValue; }
    // The pending operator's code (see operatorCode).
    double pendingOperator() const { return operatorCode(m_pendingOperator); }
    double memoryValue() const { return m_memoryValue; }
    bool startNewNumber() const { return m_startNewNumber; }

private:
    static constexpr int kTableRows = 10; // rows of the multiplication table

    template <typename Step>
    void guarded(Step step);

    void enterDigit(int digit);
    void equals();
    bool applyPendingOperator();
    bool runPendingOperator();
    void doAdd();
    void doSubtract();
    void doMultiply();
    void doDivide();
    void doPower();
    void doModulo();

    bool requireEnteredNumber();
    void finishFunction();
    void trigonometric(double (*function)(double), const char *name);
    void square();
    void cube();
    void squareRoot();
    void signChange();
    void percent();
    void naturalLog();
    void factorial();
    void multiplicationTable();
    void primeTest();

    void storeMemory();
    void clearMemory();
    void recallMemory();

    std::string completeForFunction();
    std::string operandText(bool appliedPending);
    void finishLine(const std::string &expression, double result);
    void finishLine(const std::string &expression, const std::string &result, bool isMessage);

    void showCurrentValue();
    std::string display() const;
    void setDisplay(const std::string &text);
    MessageAnswer message(const std::string &text, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::None);

    Panel &m_panel;
    CalculationListener *m_listener = nullptr;
    CalculationChain m_chain;
    double m_currentValue = 0;
    double m_totalValue = 0;
    Operator m_pendingOperator = Operator::None;
    double m_memoryValue = 0;
    bool m_startNewNumber = false;
    // Set while the division-by-zero message stands in the display; any
    // write to the display clears it.
    bool m_divisionMessageShown = false;
    // The message of a pending operation that a function completed and that
    // failed: the function's line ends in it.
    std::string m_failedOperation;
    // The counter of the ON reset, factorial and table loops. No step reads it
    // outside its own loop; the power and prime helpers, which may stop early,
    // count with their own locals.
    double m_loopCounter = 0;
};

// Runs one step of a button handler; an EngineError ends it as a refused input.
template <typename Step>
void Engine::guarded(Step step)
{
    try {
        step();
    } catch (const EngineError &) {
        m_panel.inputRefused();
    }
}

} // namespace hitungrama
