#pragma once

#include "engine/calculation.h"

#include <functional>

namespace hitungrama {

class TapeStore;

// Turns each calculation the engine finishes into a tape line, stamped with
// the time and whether binary mode is on, and queues it on the store (made
// at the first line); the engine goes on at once. A message result is kept in the language installed
// when the line was made.
class TapeRecorder : public CalculationListener {
public:
    TapeRecorder(std::function<TapeStore *()> tape, std::function<bool()> binaryMode);

    void calculationFinished(const Calculation &calculation) override;

private:
    std::function<TapeStore *()> m_tape;
    std::function<bool()> m_binaryMode;
};

} // namespace hitungrama
