#include "engine/engine.h"

#include "engine/engineerror.h"
#include "engine/enginemath.h"
#include "engine/enginetexts.h"
#include "engine/entrytext.h"
#include "engine/numbertext.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace hitungrama {

using namespace enginetext;

namespace {

constexpr int kFactorialLimit = 200;
constexpr int kTableRows = 10;
constexpr int kBinaryDigits = 8;
constexpr std::size_t kLongestBinaryNumeral = 32;

std::size_t countCharacters(const std::string &utf8)
{
    std::size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U)
            ++count;
    }
    return count;
}

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

Engine::Engine(Panel &panel)
    : m_panel(panel)
{
}

template <typename Step>
void Engine::guarded(Step step)
{
    try {
        step();
    } catch (const EngineError &) {
        m_panel.inputRefused();
    }
}

void Engine::load()
{
    m_pendingOperator = Operator::None;
    setDisplay("0");
}

void Engine::displayChanged()
{
    m_divisionMessageShown = false;
    m_panel.setBackColor(BackTarget::Display, kYellow);
}

// Number entry

void Engine::digitClicked(int index)
{
    if (index < 0 || index > 9)
        return;
    guarded([this, index] { enterDigit(index); });
}

void Engine::enterDigit(int digit)
{
    if (m_startNewNumber) {
        setDisplay("0");
        m_startNewNumber = false;
    }
    const EntryEdit edit = typeDigit(display(), digit);
    if (edit.kind == EntryEdit::Kind::Refused) {
        m_panel.inputRefused();
        return;
    }
    m_currentValue = parseStrict(edit.text);
    setDisplay(edit.text);
}

// After an operator or a result the point starts a new number, "0.".
void Engine::decimalPointClicked()
{
    const EntryEdit edit = m_startNewNumber ? EntryEdit{EntryEdit::Kind::NewNumber, "0."}
                                            : typePoint(display());
    switch (edit.kind) {
    case EntryEdit::Kind::Refused:
        m_panel.inputRefused();
        return;
    case EntryEdit::Kind::Unchanged:
        return;
    case EntryEdit::Kind::NewNumber:
        m_currentValue = 0;
        m_startNewNumber = false;
        break;
    case EntryEdit::Kind::Text:
        break;
    }
    setDisplay(edit.text);
}

// Takes the last character of a typed number; an exponent form is divided
// by ten and rounded down instead.
void Engine::backSpaceClicked()
{
    guarded([this] {
        const std::string text = display();
        if (const std::optional<std::string> shorter = backSpaceText(text)) {
            m_currentValue = parseStrict(*shorter);
            setDisplay(*shorter);
            return;
        }
        m_currentValue = floorValue(parseLenient(text) / 10);
        showCurrentValue();
    });
}

void Engine::clearEntryClicked()
{
    m_currentValue = 0;
    setDisplay("");
}

void Engine::numberPasted(double value)
{
    m_currentValue = value;
    showCurrentValue();
    m_startNewNumber = false;
}

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

// Resets the evaluation and empties the table; the memory stays.
void Engine::onClicked()
{
    m_currentValue = 0;
    m_totalValue = 0;
    showCurrentValue();
    m_pendingOperator = Operator::None;
    m_startNewNumber = false;
    m_chain.clear();
    for (m_loopCounter = 0; m_loopCounter < kTableRows; ++m_loopCounter) {
        const int row = static_cast<int>(m_loopCounter);
        m_panel.setLabelCaption(LabelGroup::Label5, row, "");
        m_panel.setLabelCaption(LabelGroup::Label8, row, "");
    }
}

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

// Memory

void Engine::memoryClicked(MemoryKey key)
{
    guarded([this, key] {
        applyPendingOperator();
        switch (key) {
        case MemoryKey::Store:
            storeMemory();
            break;
        case MemoryKey::Clear:
            clearMemory();
            break;
        case MemoryKey::Recall:
            recallMemory();
            break;
        }
    });
}

// Replaces the memory (asking first when it is not empty); 0 is refused in
// the display itself.
void Engine::storeMemory()
{
    if (parseStrict(display()) == 0) {
        setDisplay(kMemoryRefusesZero);
        return;
    }
    if (m_memoryValue != 0
        && message(kReplaceMemory, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    m_memoryValue = parseLenient(display());
    m_panel.setLabelCaption(LabelGroup::Label3, 0, formatGeneral(m_memoryValue));
    m_panel.setBackColor(BackTarget::Label3, kGreen);
    m_panel.setBackColor(BackTarget::Label4, kGreen);
    m_startNewNumber = true;
}

void Engine::clearMemory()
{
    m_memoryValue = 0;
    m_currentValue = 0;
    m_panel.setLabelCaption(LabelGroup::Label3, 0, "");
    m_startNewNumber = true;
}

void Engine::recallMemory()
{
    m_currentValue = m_memoryValue;
    m_panel.setLabelCaption(LabelGroup::Label3, 0, formatGeneral(m_memoryValue));
    m_panel.setBackColor(BackTarget::Label3, kYellow);
    m_panel.setBackColor(BackTarget::Label4, kYellow);
    showCurrentValue();
    m_startNewNumber = true;
    m_totalValue = 0;
}

// Binary mode and base conversion: they work on the display text alone.

void Engine::binaryModeClicked(int checkValue)
{
    if (checkValue != 0 && checkValue != 1)
        return;
    const bool binary = checkValue == 1;
    m_panel.setDecimalButtonEnabled(binary);
    for (int digit = 2; digit <= 9; ++digit)
        m_panel.setDigitButtonEnabled(digit, !binary);
}

void Engine::toBinaryClicked()
{
    double value = 0;
    std::int32_t whole = 0;
    try {
        value = parseStrict(display());
        whole = roundToInt32(value);
    } catch (const EngineError &) {
        message(kCannotConvert, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    if (value < 0) {
        message(kCannotConvert, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const std::string numeral = binaryNumeral(whole);
    setDisplay(numeral);
    finishLine("BIN(" + numberText(whole) + ")", numeral, false);
}

// Pads the display to eight characters, then reads it whole as a base-2
// numeral of at most 32 digits; anything but "0" and "1" is refused.
void Engine::toDecimalClicked()
{
    std::string text = display();
    const std::size_t length = countCharacters(text);
    if (length < kBinaryDigits) {
        text.insert(0, kBinaryDigits - length, '0');
        setDisplay(text);
    }
    if (text.size() > kLongestBinaryNumeral || text.find_first_not_of("01") != std::string::npos) {
        message(kCannotConvert, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    double sum = 0;
    for (const char c : text)
        sum = sum * 2 + (c == '1' ? 1 : 0);
    setDisplay(formatGeneral(sum));
    finishLine(kDecimalFunction + "(" + text + ")", sum);
}

void Engine::exitDeclined()
{
    m_currentValue = 0;
    m_totalValue = 0;
    showCurrentValue();
}

// Calculation lines

// Completes the pending operation before a function and returns the
// function's operand text.
std::string Engine::completeForFunction()
{
    return operandText(applyPendingOperator());
}

// The operand of a function: the chain when the function completed a pending
// operation, the number it used otherwise. When the operation failed with a
// message, the operand is the failed chain and the function's line ends in
// that message, whatever the function then shows.
std::string Engine::operandText(bool appliedPending)
{
    if (appliedPending && m_chain.hasFailed()) {
        m_failedOperation = m_chain.message();
        return m_chain.text();
    }
    return appliedPending ? m_chain.operandFor(m_totalValue) : numberText(m_totalValue);
}

void Engine::finishLine(const std::string &expression, double result)
{
    finishLine(expression, numberText(result), false);
}

// A finished line ends the chain: what follows starts a new one.
void Engine::finishLine(const std::string &expression, const std::string &result, bool isMessage)
{
    const Calculation line = m_failedOperation.empty()
        ? Calculation{expression, result, isMessage}
        : Calculation{expression, m_failedOperation, true};
    m_failedOperation.clear();
    m_chain.clear();
    if (m_listener != nullptr)
        m_listener->calculationFinished(line);
}

// Display and panel helpers

void Engine::showCurrentValue()
{
    setDisplay(formatGeneral(m_currentValue));
}

// The division-by-zero message stands for the 0 it leaves: every step reads
// the display as "0" until the next write.
std::string Engine::display() const
{
    return m_divisionMessageShown ? std::string("0") : m_panel.displayText();
}

void Engine::setDisplay(const std::string &text)
{
    m_panel.setDisplayText(text);
}

MessageAnswer Engine::message(const std::string &text, MessageButtons buttons, MessageIcon icon)
{
    return m_panel.showMessage(text, kAppTitle, buttons, icon);
}

} // namespace hitungrama
