#include "engine/engineerror.h"

namespace hitungrama {

namespace {

const char *describe(EngineError::Kind kind)
{
    switch (kind) {
    case EngineError::Kind::Overflow:
        return "overflow";
    case EngineError::Kind::DivisionByZero:
        return "division by zero";
    case EngineError::Kind::NotANumber:
        return "not a number";
    }
    return "engine error";
}

} // namespace

EngineError::EngineError(Kind kind)
    : std::runtime_error(describe(kind))
    , m_kind(kind)
{
}

} // namespace hitungrama
