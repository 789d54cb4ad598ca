#include "engine/calculationchain.h"

#include "engine/numbertext.h"

namespace hitungrama {

std::string numberText(double value)
{
    return formatGeneral(value);
}

std::string bracketed(const std::string &operand)
{
    if (operand.find_first_not_of("0123456789.") == std::string::npos)
        return operand;
    return "(" + operand + ")";
}

void CalculationChain::operation(double left, const char *symbol, double right, double result)
{
    // Equal values also continue a chain whose operations are unrelated: its
    // text still evaluates to the left operand, so the line stays true.
    if (m_text.empty() || m_failed || !(m_value == left))
        restartFrom(left);
    m_text += ' ';
    m_text += symbol;
    m_text += ' ';
    m_text += numberText(right);
    m_value = result;
}

void CalculationChain::failed(double left, const char *symbol, double right,
                              const std::string &message)
{
    operation(left, symbol, right, 0);
    m_failed = true;
    m_message = message;
}

void CalculationChain::restartFrom(double value)
{
    m_text = numberText(value);
    m_value = value;
    m_failed = false;
    m_message.clear();
}

void CalculationChain::clear()
{
    *this = CalculationChain();
}

std::string CalculationChain::operandFor(double value) const
{
    if (m_text.empty() || m_failed || !(m_value == value))
        return numberText(value);
    return m_text;
}

} // namespace hitungrama
