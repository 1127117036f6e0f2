// SPDX-License-Identifier: MIT
#pragma once

#include "input/NumberText.h"

#include "humidity/PressureUnits.h"

#include <string>
#include <string_view>

namespace cli {

// The unit names a pressure may carry, for help and messages: "Pa, hPa, kPa, MPa, mbar, bar or
// psi".
std::string PressureUnitList();

// The unit of --pressure-unit: a TCliError naming the choices when there is none of that name.
const humidity::TPressureUnit &PressureUnitOption(const std::string &name);

// A pressure as written ("1013.25hPa"; without a unit in `defaultUnit`), in pascals. Its text is
// the one given when that is in pascals, else the value in pascals, so that output and messages
// stay in Pa. `what` names it in the message of a TCliError.
TInputValue ParsePressureText(std::string_view text, std::string_view what,
                              const humidity::TPressureUnit &defaultUnit);

// The pressures humidity and pressure-dew-point take, as the window's pressure field holds them:
// above 0 and a whole number of at most 15 digits.
inline constexpr double PressureMax = 999'999'999'999'999;

// Throws a TCliError naming `what` and the rule unless the pressure is one of those.
void CheckPressure(const TInputValue &pressure, const std::string &what);

} // namespace cli
