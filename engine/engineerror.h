#pragma once

#include <stdexcept>

namespace hitungrama {

// The one error type of the number rules. A step that meets it ends at once;
// the button handler that started the step turns it into a refused input.
class EngineError : public std::runtime_error {
public:
    enum class Kind { Overflow, DivisionByZero, NotANumber };

    explicit EngineError(Kind kind);

    Kind kind() const noexcept { return m_kind; }

private:
    Kind m_kind;
};

} // namespace hitungrama
