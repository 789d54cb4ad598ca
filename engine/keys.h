#pragma once

namespace hitungrama {

// The engine's indexed buttons. Each value is the button's index within its
// control group, which is what the window passes to the engine's handlers; an
// index outside the enumerators is ignored by the handler that receives it.

// The operator buttons. The operator waiting for its right operand is kept as
// one of these (never Equals), or None.
enum class Operator {
    None = -1,
    Add = 0,
    Subtract = 1,
    Multiply = 2,
    Divide = 3,
    Equals = 4,
    Power = 5,
    Modulo = 6,
};

enum class Function {
    Sine = 0,
    Square = 1,
    Cube = 2,
    Tangent = 3,
    Cosine = 4,
    SquareRoot = 5,
    Factorial = 6,
    Table = 7,
    Prime = 8,
    SignChange = 9,
    Percent = 10,
    NaturalLog = 11,
};

enum class MemoryKey {
    Store = 0,
    Clear = 1,
    Recall = 2,
};

// The pending operator is reported and compared as a number: the operator's
// button index, -1 for none.
constexpr double operatorCode(Operator op)
{
    return static_cast<double>(static_cast<int>(op));
}

// The operator a code names; None for any code that names no operator that
// can be pending (Equals, fractions, out of range, NaN).
Operator operatorFromCode(double code);

// How a calculation line writes the operator: "+", "-", "*", "/", "^", "mod";
// "" for None and Equals.
const char *operatorSymbol(Operator op);

} // namespace hitungrama
