#pragma once

// The engine computes in extended precision and rounds each result once to its declared type.
// A processor that traps on overflow faults when that rounding overflows; here nothing traps, so
// the rounding checks and throws the same failure. Infinities and NaNs already present in the
// extended value pass through, as they would on the trapping unit.

#include "arith.h"

#include <cmath>
#include <limits>

namespace temperature {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the engine's results are defined for the 80-bit extended type");

[[noreturn]] void ThrowOverflow();
[[noreturn]] void ThrowZeroDivide();

template<typename T>
inline T RoundExtended(long double x)
{
    const T rounded = static_cast<T>(x);
    if (std::isinf(rounded) && std::isfinite(x)) [[unlikely]]
        ThrowOverflow();
    return rounded;
}

inline double ToDouble(long double x)
{
    return RoundExtended<double>(x);
}

inline float ToSingle(long double x)
{
    return RoundExtended<float>(x);
}

} // namespace temperature
