#pragma once

// Guarded floating-point arithmetic. The calculators were designed for a floating-point unit that
// traps on a zero divisor, an invalid operation and an overflow; here nothing traps, so a guarded
// calculation checks its divisors and the finiteness of its results and throws the matching
// failure instead. The messages are the ones a user may see.

#include <cmath>
#include <stdexcept>

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

} // namespace arith
