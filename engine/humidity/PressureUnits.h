// SPDX-License-Identifier: MIT
#pragma once

// Pressures as engineers write them: a number with an optional unit ("1013.25hPa", "8 bar",
// "14.7psi", "7barg"), read into absolute pascals.

#include <span>
#include <string_view>

namespace humidity {

struct TPressureUnit
{
    std::string_view name; // as written, case and all ("mPa" is not "MPa")
    double pascals;        // one unit in Pa
    // A gauge pressure's unit (barg, psig, kPag): the value is above the atmosphere, to which
    // it is added.
    bool gauge = false;
};

// The standard atmosphere that a gauge pressure is added to unless another is given.
inline constexpr double StandardAtmosphere = 101325.0;

// Every unit a pressure may carry, the pascal first.
std::span<const TPressureUnit> PressureUnits();
// The unit of that name, or nullptr.
const TPressureUnit *FindPressureUnit(std::string_view name);

enum TPressureTextFault {
    pfNone,
    pfNotANumber,  // no finite decimal number where the text starts
    pfUnknownUnit, // what follows the number names no unit of PressureUnits
    pfOutOfRange,  // the value in pascals does not fit a double
};

struct TPressureText
{
    double pascals = 0; // absolute
    TPressureTextFault fault = pfNone;
    bool gauge = false; // given in a gauge unit, `atmosphere` added
};

// A decimal number with a point (optional sign and exponent), then optionally blanks and a unit;
// without a unit the number is in defaultUnit. Blanks around the whole are ignored. The sign is
// kept: whether a pressure is usable is PressureValid's question. A gauge pressure has
// `atmosphere` (in Pa) added.
TPressureText ParsePressure(std::string_view text, const TPressureUnit &defaultUnit,
                            double atmosphere = StandardAtmosphere);

} // namespace humidity
