#pragma once

#include <cstdint>
#include <random>

namespace hitungrama {

// Draws built on std::mt19937's raw output only, whose sequence the standard
// fixes; the library's distributions differ between implementations, so a
// seed would not replay the same run everywhere.
class PortableRandom {
public:
    explicit PortableRandom(std::uint32_t seed);

    // Uniform in [0, bound); bound 0 gives 0.
    std::uint32_t below(std::uint32_t bound);
    // Uniform in [low, high]; high < low gives low.
    int between(int low, int high);
    // True with probability numerator / denominator.
    bool chance(std::uint32_t numerator, std::uint32_t denominator);

private:
    std::mt19937 m_engine;
};

} // namespace hitungrama
