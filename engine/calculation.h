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

} // namespace hitungrama
