// SPDX-License-Identifier: MIT
#include "arith.h"

namespace arith {

EZeroDivide::EZeroDivide()
    : EMathError("Floating point division by zero")
{
}

EInvalidOp::EInvalidOp()
    : EMathError("Invalid floating point operation")
{
}

EOverflow::EOverflow()
    : EMathError("Floating point overflow")
{
}

namespace detail {

void NarrowingFault(bool isNaN)
{
    if (isNaN)
        throw EInvalidOp();
    throw EOverflow();
}

} // namespace detail

} // namespace arith
