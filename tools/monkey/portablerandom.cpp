#include "portablerandom.h"

namespace hitungrama {

PortableRandom::PortableRandom(std::uint32_t seed)
    : m_engine(seed)
{
}

std::uint32_t PortableRandom::below(std::uint32_t bound)
{
    if (bound == 0)
        return 0;
    // Rejects the top partial block of the 32-bit range so that every
    // residue is equally likely.
    const std::uint64_t range = std::uint64_t(1) << 32;
    const std::uint64_t limit = range - range % bound;
    std::uint64_t value = 0;
    do {
        value = static_cast<std::uint32_t>(m_engine());
    } while (value >= limit);
    return static_cast<std::uint32_t>(value % bound);
}

int PortableRandom::between(int low, int high)
{
    if (high <= low)
        return low;
    const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(high) - low + 1);
    return static_cast<int>(low + static_cast<std::int64_t>(below(span)));
}

bool PortableRandom::chance(std::uint32_t numerator, std::uint32_t denominator)
{
    return below(denominator) < numerator;
}

} // namespace hitungrama
