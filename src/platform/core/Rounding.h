#pragma once
// Conversion of lengths and scaled values to integers: to the nearest integer, ties to the even one,
// whatever the floating-point environment says.

#include <cmath>
#include <cstdint>

namespace plat {

inline long double RoundHalfEven(long double v)
{
    long double fl = std::floor(v);
    long double diff = v - fl;
    if (diff < 0.5L)
        return fl;
    if (diff > 0.5L)
        return fl + 1.0L;
    return std::fmod(fl, 2.0L) == 0.0L ? fl : fl + 1.0L;
}

inline int RoundToInt(long double v) { return static_cast<int>(RoundHalfEven(v)); }
inline int64_t RoundToInt64(long double v) { return static_cast<int64_t>(RoundHalfEven(v)); }

// Integer part toward zero, as Pascal's Trunc.
inline int TruncToInt(long double v) { return static_cast<int>(std::trunc(v)); }

} // namespace plat
