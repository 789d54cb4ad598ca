#pragma once

#include <cmath>

namespace hitungrama::twips {

// The window is laid out in twips; 15 twips are one logical pixel.
constexpr int kPerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / kPerPixel;
}

constexpr int fromPixels(int pixels)
{
    return pixels * kPerPixel;
}

// HIMETRIC (hundredths of a millimetre), rounded to the nearest unit.
inline int toHimetric(int twips)
{
    return static_cast<int>(std::lround(twips * 2540.0 / 1440.0));
}

} // namespace hitungrama::twips
