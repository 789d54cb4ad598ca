#include "engine/engine.h"

#include "engine/enginetexts.h"
#include "engine/numbertext.h"

namespace hitungrama {

using namespace enginetext;

Engine::Engine(Panel &panel)
    : m_panel(panel)
{
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
