#pragma once

#include <string>

namespace hitungrama {

// A finished calculation as the engine performed it: the expression written
// over the operands it actually used (so that, read as plain left-to-right
// arithmetic, it gives the result), and the value it produced or the message
// it showed instead.
struct Calculation {
    std::string expression;
    std::string result;
    bool resultIsMessage = false;

    std::string text() const { return expression + " = " + result; }
};

// Told of every finished calculation; the engine works the same without one.
class CalculationListener {
public:
    virtual ~CalculationListener() = default;
    virtual void calculationFinished(const Calculation &calculation) = 0;
};

// The expression of a conversion of operand to base 2, "BIN(10)": its
// button's caption, the same in every language.
std::string binaryConversion(const std::string &operand);
// Whether a finished line's expression is a conversion to base 2, whose
// result is a base-2 numeral rather than a decimal number.
bool isBinaryConversion(const std::string &expression);
// Whether a finished line's result text is a message rather than a number,
// told from the text alone (as a kept line has it): the resultIsMessage the
// engine gave the line.
bool isMessageResult(const std::string &result);

} // namespace hitungrama
