#include "engine/engine.h"

#include "engine/engineerror.h"
#include "engine/enginemath.h"
#include "engine/enginetexts.h"
#include "engine/numbertext.h"

namespace hitungrama {

using namespace enginetext;

namespace {

// The whole number an operand rounds to, or the operand when it can't be
// rounded (too big): what the modulo step worked on.
double wholeIfPossible(double value)
{
    try {
        return roundToInt32(value);
    } catch (const EngineError &) {
        return value;
    }
}

} // namespace

// Binary operations, evaluated strictly from left to right

void Engine::operatorClicked(Operator op)
{
    switch (op) {
    case Operator::Equals:
        guarded([this] { equals(); });
        return;
    case Operator::Add:
    case Operator::Subtract:
    case Operator::Multiply:
    case Operator::Divide:
    case Operator::Power:
    case Operator::Modulo:
        guarded([this, op] {
            applyPendingOperator();
            m_pendingOperator = op;
            m_startNewNumber = true;
        });
        return;
    case Operator::None:
        return;
    }
}

void Engine::equals()
{
    const bool performed = runPendingOperator();
    if (performed)
        m_startNewNumber = true;
    m_currentValue = m_totalValue;
    m_pendingOperator = Operator::None;
    if (!performed)
        return;
    if (m_chain.hasFailed())
        finishLine(m_chain.text(), m_chain.message(), true);
    else
        finishLine(m_chain.text(), m_currentValue);
}

// With no operator pending, the entered number becomes the left operand.
// True when an operation was completed.
bool Engine::applyPendingOperator()
{
    if (runPendingOperator())
        return true;
    m_totalValue = m_currentValue;
    m_currentValue = 0;
    return false;
}

// Completes the pending operation; false when none is pending.
bool Engine::runPendingOperator()
{
    switch (m_pendingOperator) {
    case Operator::Add:
        doAdd();
        return true;
    case Operator::Subtract:
        doSubtract();
        return true;
    case Operator::Multiply:
        doMultiply();
        return true;
    case Operator::Divide:
        doDivide();
        return true;
    case Operator::Power:
        doPower();
        return true;
    case Operator::Modulo:
        doModulo();
        return true;
    case Operator::None:
    case Operator::Equals:
        break;
    }
    return false;
}

void Engine::doAdd()
{
    const double left = m_totalValue;
    const double right = m_currentValue;
    const double result = m_currentValue + m_totalValue;
    m_totalValue = result;
    m_currentValue = result;
    showCurrentValue();
    m_currentValue = 0;
    m_chain.operation(left, operatorSymbol(Operator::Add), right, result);
}

// A left operand of 0 counts as none: 0 - 5 gives 5.
void Engine::doSubtract()
{
    if (m_totalValue != 0) {
        const double right = m_currentValue;
        m_currentValue = m_totalValue - m_currentValue;
        m_chain.operation(m_totalValue, operatorSymbol(Operator::Subtract), right, m_currentValue);
    } else {
        m_chain.restartFrom(m_currentValue);
    }
    showCurrentValue();
    m_totalValue = m_currentValue;
    m_currentValue = 0;
}

// A right operand of 0 counts as none (5 * 0 gives 5), and so does a left one.
void Engine::doMultiply()
{
    if (m_currentValue == 0)
        m_currentValue = 1;
    if (m_totalValue == 0) {
        m_totalValue = m_currentValue;
        m_chain.restartFrom(m_totalValue);
    } else {
        const double left = m_totalValue;
        // A display reading 0 leaves the left operand as it is: times 1.
        double right = 1;
        if (parseStrict(display()) != 0) {
            right = m_currentValue;
            m_totalValue *= m_currentValue;
        }
        m_currentValue = m_totalValue;
        m_chain.operation(left, operatorSymbol(Operator::Multiply), right, m_totalValue);
    }
    showCurrentValue();
    m_currentValue = 0;
    m_startNewNumber = true;
}

// The zero test reads the display: with no number entered after "/" the
// display still shows the left operand and the division is by 1. A division
// by zero leaves its message in the display, read as 0 by what follows.
void Engine::doDivide()
{
    if (m_currentValue == 0 && m_totalValue == 0)
        m_pendingOperator = Operator::None;
    const char *symbol = operatorSymbol(Operator::Divide);
    if (parseStrict(display()) == 0) {
        m_chain.failed(m_totalValue, symbol, 0, kDivisionByZero);
        setDisplay(kDivisionByZero);
        m_divisionMessageShown = true;
        m_totalValue = 0;
    } else {
        if (m_currentValue == 0)
            m_currentValue = 1;
        const double left = m_totalValue;
        m_totalValue /= m_currentValue;
        m_chain.operation(left, symbol, m_currentValue, m_totalValue);
        m_currentValue = m_totalValue;
        showCurrentValue();
    }
    m_currentValue = 0;
}

// An exponent of 0 counts as none: the result is 0 and is not shown.
void Engine::doPower()
{
    if (m_currentValue == 0 && m_totalValue == 0)
        m_pendingOperator = Operator::None;
    if (m_currentValue == 0) {
        m_totalValue = 0;
        m_chain.restartFrom(m_totalValue);
        return;
    }
    const double base = m_totalValue;
    m_totalValue = raisePower(m_totalValue, m_currentValue);
    m_chain.operation(base, operatorSymbol(Operator::Power), m_currentValue, m_totalValue);
    m_currentValue = m_totalValue;
    showCurrentValue();
    m_currentValue = 0;
}

// The remainder works on the operands rounded to whole numbers; where a zero
// rule leaves an operand alone, the chain goes on from the value kept.
void Engine::doModulo()
{
    if (m_currentValue == 0 && m_totalValue == 0) {
        m_pendingOperator = Operator::None;
        m_currentValue = 0;
        m_chain.restartFrom(m_totalValue);
        return;
    }
    if (m_totalValue == 0) {
        m_totalValue = m_currentValue;
        m_currentValue = 0;
        m_chain.restartFrom(m_totalValue);
        return;
    }
    if (m_currentValue == 0) {
        m_chain.restartFrom(m_totalValue);
        return;
    }
    const char *symbol = operatorSymbol(Operator::Modulo);
    const double left = wholeIfPossible(m_totalValue);
    const double right = wholeIfPossible(m_currentValue);
    double result = 0;
    try {
        result = remainderInt32(m_totalValue, m_currentValue);
    } catch (const EngineError &) {
        message(kOverflow);
        m_chain.failed(left, symbol, right, kOverflow);
        return;
    }
    m_chain.operation(left, symbol, right, result);
    m_totalValue = result;
    m_currentValue = result;
    showCurrentValue();
    m_currentValue = 0;
}

} // namespace hitungrama
