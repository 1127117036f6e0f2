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

} // namespace arith
