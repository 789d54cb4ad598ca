#pragma once

#include <string>

namespace hitungrama {

// The text of the chain of binary operations the engine is working through,
// and the value that chain computes. It records only what was performed: an
// operation whose left operand is not the chain's value starts it again from
// that operand, and a zero rule that keeps one operand starts it again from
// the value kept, so the text always evaluates, left to right, to value().
class CalculationChain {
public:
    // left symbol right gave result.
    void operation(double left, const char *symbol, double right, double result);
    // The operation on left and right was not completed: it showed message.
    // Whatever comes next starts the chain again.
    void failed(double left, const char *symbol, double right, const std::string &message);
    // A zero rule kept value and dropped the rest of the operation.
    void restartFrom(double value);
    void clear();

    bool isEmpty() const { return m_text.empty(); }
    bool hasFailed() const { return m_failed; }
    // The message of a failed operation.
    const std::string &message() const { return m_message; }
    const std::string &text() const { return m_text; }

    // The operand text of a function of value: the chain if it computed
    // value, else value itself.
    std::string operandFor(double value) const;

private:
    std::string m_text;
    double m_value = 0;
    bool m_failed = false;
    std::string m_message;
};

// The text of a number as the display writes it.
std::string numberText(double value);

// The operand in brackets when it holds more than a plain number, so that a
// postfix (^2, !, %) applies to the whole of it.
std::string bracketed(const std::string &operand);

} // namespace hitungrama
