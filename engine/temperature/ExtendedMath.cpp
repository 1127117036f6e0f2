// SPDX-License-Identifier: MIT
#include "temperature/ExtendedMath.h"

namespace temperature::extmath {

Extended LnOutside(Extended x)
{
    if (std::isnan(x) || x < 0)
        throw arith::EInvalidOp();
    if (x == 0)
        throw arith::EZeroDivide();
    return arith::Checked(std::log(x));
}

Extended ExpOutside(Extended x)
{
    if (std::isnan(x))
        throw arith::EInvalidOp();
    return arith::Checked(std::exp(x));
}

} // namespace temperature::extmath
