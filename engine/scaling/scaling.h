// SPDX-License-Identifier: MIT
#pragma once

// Scaling between the current of a 4-20 mA loop and the transmitter's output value, and the
// straight line through two points, evaluated either way. The window's calculators and the
// command-line tool call these same functions so that both give the same results. Everything is
// computed in extended precision; a step that would fault on a trapping floating-point unit (a
// zero divisor, an overflow, an invalid operation) throws the matching arith failure instead.

#include "Extended.h"

#include <array>
#include <string>

namespace scaling {

// The loop's current at the low end of the range and its span up to 20 mA.
inline constexpr Extended LoopCurrentLo = 4.0L;
inline constexpr Extended LoopCurrentSpan = 16.0L;

// The output values a transmitter gives at 4 mA (lo) and at 20 mA (hi). lo above hi is a falling
// characteristic.
struct TLoopRange
{
    Extended lo = 0;
    Extended hi = 0;
};

// The output value for a loop current in mA. Equal ends give that value for every current.
// Currents outside 4..20 mA are extrapolated along the same line.
Extended LoopValue(const TLoopRange &range, Extended current);

// The loop current in mA for an output value. Equal ends divide by zero (arith::EZeroDivide).
Extended LoopCurrent(const TLoopRange &range, Extended value);

// A preset range of the current loop: the values at 4 mA and at 20 mA.
struct TLoopPreset
{
    int lo;
    int hi;
};

inline constexpr std::array<TLoopPreset, 10> LoopPresets{{
    {-100, 200},
    {-30, 80},
    {-30, 105},
    {-30, 125},
    {0, 35},
    {0, 50},
    {0, 100},
    {0, 150},
    {0, 250},
    {0, 400},
}};

// The preset as a list item whose columns line up in a fixed-pitch font: both numbers padded on
// the left to four characters (longer numbers are not cut), the high one signed with "+" when the
// range crosses from negative to positive, e.g. " -30 ..  +80".
std::string LoopPresetText(const TLoopPreset &preset);

// The straight line through (x0, y0) and (x1, y1).
struct TLine
{
    Extended x0 = 0;
    Extended x1 = 0;
    Extended y0 = 0;
    Extended y1 = 0;
};

// y = f(x). Equal x0 and x1 divide by zero; equal y0 and y1 give a constant.
Extended LineY(const TLine &line, Extended x);

// x = f^-1(y). Equal y0 and y1 divide by zero; equal x0 and x1 give a constant.
Extended LineX(const TLine &line, Extended y);

} // namespace scaling
