// SPDX-License-Identifier: MIT
#pragma once

// Guarded floating-point arithmetic. The calculators were designed for a floating-point unit that
// traps on a zero divisor, an invalid operation and an overflow; here nothing traps, so a guarded
// calculation checks its divisors and the finiteness of its results and throws the matching
// failure instead. The messages are the ones a user may see.

#include "Extended.h"

#include <cmath>
#include <limits>
#include <stdexcept>

// The extended type in which the engine computes: Extended, whatever its width on the platform
// (80-bit on x86-64 Linux and MinGW, 128-bit on aarch64 Linux). A build configured with
// VELMORA_EXTENDED_AS_DOUBLE makes it double, the Extended of MSVC and Apple silicon, so that
// the results can be proved at that precision on any machine.
#ifdef VELMORA_EXTENDED_AS_DOUBLE
using Extended = double;
#else
using Extended = Extended;
#endif

namespace arith {

class EMathError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide();
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp();
};

class EOverflow : public EMathError
{
public:
    EOverflow();
};

// Fails as a trapping unit would on a NaN (invalid operation) or an infinity (overflow).
template<typename T>
T Checked(T x)
{
    if (std::isnan(x))
        throw EInvalidOp();
    if (std::isinf(x))
        throw EOverflow();
    return x;
}

template<typename T>
T Div(T numerator, T divisor)
{
    if (divisor == 0)
        throw EZeroDivide();
    return Checked(numerator / divisor);
}

// Natural logarithm: a negative argument is an invalid operation, zero a division by zero.
template<typename T>
T Ln(T x)
{
    if (std::isnan(x) || x < 0)
        throw EInvalidOp();
    if (x == 0)
        throw EZeroDivide();
    return Checked(std::log(x));
}

template<typename T>
T Exp(T x)
{
    return Checked(std::exp(Checked(x)));
}

namespace detail {

// Throws EInvalidOp for a NaN, EOverflow otherwise; out of line, so that the narrowing stays small.
[[noreturn]] void NarrowingFault(bool isNaN);

template<typename T>
T Narrow(Extended x)
{
    static_assert(std::numeric_limits<T>::is_iec559);
    // An infinity stays one and a finite value too large becomes one; a NaN stays a NaN, tested on
    // the extended value, which (on x87) spares waiting for the narrowed one.
    const T rounded = static_cast<T>(x);
    if (std::isinf(rounded) || std::isnan(x)) [[unlikely]]
        NarrowingFault(std::isnan(rounded));
    return rounded;
}

} // namespace detail

// The one narrowing of an extended value to double or single. It fails as a trapping unit would
// on the store: a NaN (left by an invalid operation) throws EInvalidOp, an infinity (left by an
// overflow or a division by zero) or a finite value beyond the narrower type's range throws
// EOverflow. Anything else is rounded to nearest; a value too small for the narrower type becomes
// a subnormal or zero, as an untrapped underflow does.
inline double ToDouble(Extended x)
{
    return detail::Narrow<double>(x);
}

inline float ToSingle(Extended x)
{
    return detail::Narrow<float>(x);
}

} // namespace arith
