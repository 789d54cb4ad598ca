#include "engine/engine.h"

#include "engine/engineerror.h"
#include "engine/enginemath.h"
#include "engine/enginetexts.h"
#include "engine/numbertext.h"

#include <cmath>
#include <cstdint>

namespace hitungrama {

using namespace enginetext;

namespace {

constexpr int kFactorialLimit = 200;

} // namespace

// Functions of one operand

void Engine::functionClicked(Function function)
{
    m_failedOperation.clear();
    guarded([this, function] {
        if (!requireEnteredNumber())
            return;
        switch (function) {
        case Function::Sine:
            trigonometric(static_cast<double (*)(double)>(std::sin), "sin");
            break;
        case Function::Tangent:
            trigonometric(static_cast<double (*)(double)>(std::tan), "tan");
            break;
        case Function::Cosine:
            trigonometric(static_cast<double (*)(double)>(std::cos), "cos");
            break;
        case Function::Square:
            square();
            break;
        case Function::Cube:
            cube();
            break;
        case Function::SquareRoot:
            squareRoot();
            break;
        case Function::Factorial:
            factorial();
            break;
        case Function::Table:
            multiplicationTable();
            break;
        case Function::Prime:
            primeTest();
            break;
        case Function::SignChange:
            signChange();
            break;
        case Function::Percent:
            percent();
            break;
        case Function::NaturalLog:
            naturalLog();
            break;
        }
    });
    m_failedOperation.clear();
}

// A display that reads as 0 means no operand was entered.
bool Engine::requireEnteredNumber()
{
    if (parseStrict(display()) != 0)
        return true;
    message(kEnterNumber);
    m_startNewNumber = true;
    return false;
}

void Engine::finishFunction()
{
    m_startNewNumber = true;
    m_pendingOperator = Operator::None;
}

void Engine::trigonometric(double (*function)(double), const char *name)
{
    const std::string operand = completeForFunction();
    const double result = function(m_totalValue);
    m_currentValue = result;
    m_totalValue = result;
    showCurrentValue();
    finishFunction();
    finishLine(std::string(name) + "(" + operand + ")", result);
}

// The square drops a pending operation instead of completing it.
void Engine::square()
{
    m_pendingOperator = Operator::None;
    const std::string operand = completeForFunction();
    const double result = m_totalValue * m_totalValue;
    m_currentValue = result;
    m_totalValue = result;
    showCurrentValue();
    finishFunction();
    finishLine(bracketed(operand) + "^2", result);
}

void Engine::cube()
{
    const std::string operand = completeForFunction();
    const double result = (m_totalValue * m_totalValue) * m_totalValue;
    m_currentValue = result;
    m_totalValue = result;
    showCurrentValue();
    finishFunction();
    finishLine(bracketed(operand) + "^3", result);
}

void Engine::squareRoot()
{
    const std::string expression = "sqrt(" + completeForFunction() + ")";
    const bool positive = m_totalValue > 0;
    if (positive) {
        const double result = std::sqrt(m_totalValue);
        m_currentValue = result;
        m_totalValue = result;
    } else {
        message(kNegativeRoot);
        m_currentValue = 0;
        m_totalValue = 0;
    }
    showCurrentValue();
    finishFunction();
    if (positive)
        finishLine(expression, m_currentValue);
    else
        finishLine(expression, kNegativeRoot, true);
}

// Negates the display, not the operand; a pending operation stays pending.
void Engine::signChange()
{
    m_currentValue = -parseLenient(display());
    showCurrentValue();
    m_startNewNumber = true;
}

void Engine::percent()
{
    const std::string operand = completeForFunction();
    const double result = m_totalValue / 100;
    m_currentValue = result;
    m_totalValue = result;
    showCurrentValue();
    m_totalValue = 0;
    finishFunction();
    finishLine(bracketed(operand) + "%", result);
}

// "log" is the natural logarithm.
void Engine::naturalLog()
{
    const std::string expression = "ln(" + completeForFunction() + ")";
    if (!(m_totalValue > 0)) {
        message(kNegativeLog);
        finishLine(expression, kNegativeLog, true);
        return;
    }
    const double result = std::log(m_totalValue);
    m_currentValue = result;
    m_totalValue = result;
    showCurrentValue();
    finishFunction();
    finishLine(expression, result);
}

// The number of factors comes from the display (through its 15-digit text),
// which must hold a whole number from 1 to 200; the product starts from the
// completed operand.
void Engine::factorial()
{
    const bool applied = applyPendingOperator();
    const std::string completed = operandText(applied);
    if (m_totalValue == 0)
        m_totalValue = m_currentValue;
    const double operand = parseStrict(display());
    const double bound = parseLenient(formatGeneral(operand - 1));
    // The product is the start value times (operand - 1)!: the operand's
    // factorial when the start value is the operand, as it nearly always is.
    const bool ofOperand = !m_failedOperation.empty() || numberText(m_totalValue) == numberText(operand);
    const std::string expression = ofOperand
        ? bracketed(applied ? completed : numberText(operand)) + "!"
        : numberText(m_totalValue) + " * " + bracketed(numberText(operand - 1)) + "!";
    if (bound > kFactorialLimit - 1 || !(operand >= 1) || std::floor(operand) != operand) {
        message(kFactorialRange);
        finishLine(expression, kFactorialRange, true);
        return;
    }
    double product = m_totalValue;
    for (m_loopCounter = 1; m_loopCounter <= bound; ++m_loopCounter)
        product *= m_loopCounter;
    if (std::isinf(product)) {
        message(kOverflow);
        finishLine(expression, kOverflow, true);
        return;
    }
    m_currentValue = product;
    showCurrentValue();
    m_totalValue = 0;
    m_startNewNumber = true;
    m_pendingOperator = Operator::None;
    finishLine(expression, product);
}

// Fills the table from currentValue, not from the display, and widens the
// window to show it. The evaluation state is left alone.
void Engine::multiplicationTable()
{
    m_panel.setWidthToggleVisible(true);
    m_panel.setOuterWidthTwips(kWideWidthTwips);
    for (m_loopCounter = 0; m_loopCounter < kTableRows; ++m_loopCounter) {
        const int row = static_cast<int>(m_loopCounter);
        m_panel.setLabelCaption(LabelGroup::Label5, row, formatGeneral(m_currentValue));
        m_panel.setLabelCaption(LabelGroup::Label8, row, formatGeneral(m_currentValue * (row + 1)));
    }
}

// The operand is tested as the nearest 32-bit integer (ties to even).
void Engine::primeTest()
{
    const std::string operandText = completeForFunction();
    const double operand = m_totalValue;
    if (!(operand >= 0)) {
        message(kNegativePrime);
        finishLine("Prm(" + operandText + ")", kNegativePrime, true);
        return;
    }
    std::int32_t whole = 0;
    try {
        whole = roundToInt32(operand);
    } catch (const EngineError &) {
        message(kOverflow);
        finishLine("Prm(" + operandText + ")", kOverflow, true);
        return;
    }
    const std::string &verdict = isPrime(whole) ? kPrime : kNotPrime;
    message(verdict, MessageButtons::Ok, MessageIcon::Information);
    m_currentValue = 0;
    showCurrentValue();
    m_startNewNumber = true;
    m_pendingOperator = Operator::None;
    // The test works on the rounded operand.
    const std::string used = whole == operand ? operandText : numberText(whole);
    finishLine("Prm(" + used + ")", verdict, true);
}

} // namespace hitungrama
