#include "engine/keys.h"

#include <initializer_list>

namespace hitungrama {

Operator operatorFromCode(double code)
{
    for (const Operator op : {Operator::Add, Operator::Subtract, Operator::Multiply,
                              Operator::Divide, Operator::Power, Operator::Modulo}) {
        if (code == operatorCode(op))
            return op;
    }
    return Operator::None;
}

const char *operatorSymbol(Operator op)
{
    switch (op) {
    case Operator::Add:
        return "+";
    case Operator::Subtract:
        return "-";
    case Operator::Multiply:
        return "*";
    case Operator::Divide:
        return "/";
    case Operator::Power:
        return "^";
    case Operator::Modulo:
        return "mod";
    case Operator::None:
    case Operator::Equals:
        break;
    }
    return "";
}

} // namespace hitungrama
