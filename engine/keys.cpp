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

} // namespace hitungrama
