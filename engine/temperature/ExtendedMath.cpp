#include "temperature/ExtendedMath.h"

#include "temperature/ExtendedRounding.h"

namespace temperature::extmath {

long double LnOutside(long double x)
{
    if (std::isnan(x) || x < 0)
        throw arith::EInvalidOp();
    if (x == 0)
        throw arith::EZeroDivide();
    return arith::Checked(std::log(x));
}

long double ExpOutside(long double x)
{
    if (std::isnan(x))
        throw arith::EInvalidOp();
    return arith::Checked(std::exp(x));
}

} // namespace temperature::extmath

namespace temperature {

void ThrowOverflow()
{
    throw arith::EOverflow();
}

void ThrowZeroDivide()
{
    throw arith::EZeroDivide();
}

} // namespace temperature
