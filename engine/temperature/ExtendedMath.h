// SPDX-License-Identifier: MIT
#pragma once

// Natural logarithm and exponential in extended precision, checked like arith::Ln and arith::Exp:
// they throw where a trapping processor would fault.
//
// Where the extended type has a 64-bit significand (x87 on x86-64 Linux and MinGW) they are
// computed here, within about one unit in the last place, at a fraction of the cost of the C
// library's logl and expl: the thermistor's closed form takes two of each and one more
// exponential per call, and the type K reference function one exponential (README, Benchmarks).
// Every other width takes the standard library's: as fast for double, and the series below are
// too short for a 113-bit significand. Inline, because passing extended values through calls costs
// as much as the arithmetic itself.
//
// The reductions split the argument through an IEEE double: same-size moves between the
// floating-point and the integer registers, where the 80-bit layout would stall. The double's
// rounding can move a table index by one, which leaves the reduced argument within the range the
// series covers.

#include "arith.h"
#include "temperature/ExtendedMathTables.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace temperature {

namespace extmath {

inline constexpr bool OwnLnExp = std::numeric_limits<Extended>::digits == 64;
static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == sizeof(std::uint64_t));

inline std::uint64_t BitsOf(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline double PowerOfTwo(int e) // 2^e for |e| <= 1022
{
    const std::uint64_t bits = static_cast<std::uint64_t>(1023 + e) << 52;
    double x = 0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// Adding this to a double below 2^51 rounds it to an integer, which then sits in the low bits.
inline constexpr double RoundingShift = 0x1.8p52;

// The arguments that the reductions do not cover, and the faults.
Extended LnOutside(Extended x);
Extended ExpOutside(Extended x);

} // namespace extmath

// throws arith::EInvalidOp for a negative argument or a NaN, arith::EZeroDivide for zero
inline Extended ExtLn(Extended x)
{
    using namespace extmath;
    if constexpr (!OwnLnExp)
        return arith::Ln(x);
    if (!(x > 0x1p-1000L && x < 0x1p1000L))
        return LnOutside(x);
    const std::uint64_t bits = BitsOf(static_cast<double>(x));
    const int e = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    const int j = static_cast<int>((bits >> 46) & 63);
    // x = 2^e · m, m = c + d with c = 1 + j/64 and |d| <= 1/64; both steps exact
    const Extended m = x * PowerOfTwo(-e);
    const Extended c = 1 + j / 64.0L;
    // ln(m/c) = 2·atanh(s), |s| <= 1/128
    const Extended s = (m - c) / (m + c);
    const Extended s2 = s * s;
    const Extended series
        = 2 * s * (1 + s2 * (1.0L / 3 + s2 * (1.0L / 5 + s2 * (1.0L / 7 + s2 * (1.0L / 9)))));
    return (e * Ln2Hi + LnTable[j]) + (series + e * Ln2Lo);
}

// throws arith::EInvalidOp for a NaN argument, arith::EOverflow when the result overflows
inline Extended ExtExp(Extended x)
{
    using namespace extmath;
    if constexpr (!OwnLnExp)
        return arith::Exp(x);
    if (!(std::fabs(x) < 700))
        return ExpOutside(x);
    // x = n·ln2/32 + r with |r| about ln2/64; exp(x) = 2^(n div 32) · 2^((n mod 32)/32) · exp(r)
    const double shifted = static_cast<double>(x * InvExpStep) + RoundingShift;
    const auto n = static_cast<std::int32_t>(static_cast<std::uint32_t>(BitsOf(shifted)));
    const Extended nf = shifted - RoundingShift;
    const Extended r = (x - nf * ExpStepHi) - nf * ExpStepLo;
    const Extended r2 = r * r;
    // exp(r) - 1 to degree 7, evaluated in pairs; the first omitted term is below 5 × 10⁻²¹
    const Extended p
        = r
          + r2
                * ((0.5L + r * (1.0L / 6))
                   + r2 * ((1.0L / 24 + r * (1.0L / 120)) + r2 * (1.0L / 720 + r * (1.0L / 5040))));
    const Extended t = Exp2Table[n & 31];
    return (t + t * p) * PowerOfTwo(n >> 5);
}

} // namespace temperature
