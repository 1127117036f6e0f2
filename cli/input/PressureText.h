// SPDX-License-Identifier: MIT
#pragma once

#include "input/NumberText.h"

#include "humidity/PressureUnits.h"

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <string>
#include <string_view>

namespace cli {

// The unit names a pressure may carry, for help and messages: "Pa, hPa, kPa, MPa, mbar, bar,
// psi, kPag, barg or psig".
std::string PressureUnitList();

// The unit of --pressure-unit: a TCliError naming the nearest unit or the choices when there is
// none of that name.
const humidity::TPressureUnit &PressureUnitOption(const std::string &name);

// How the pressures of a run are read: the unit of a number alone (--pressure-unit) and the
// atmosphere a gauge pressure is added to (--atmosphere).
struct TPressureSetting
{
    const humidity::TPressureUnit *unit = nullptr;
    TInputValue atmosphere; // absolute, in Pa
    // Whether the run names its atmosphere in the settings: --atmosphere is given or a gauge
    // pressure is on the command line. A gauge pressure of the input is refused otherwise, so
    // that no result rests on an atmosphere its output does not state.
    bool named = false;
};

// --pressure-unit and --atmosphere checked; `given` are the pressures of the command line (an
// empty one is not given). A number alone in --atmosphere is in --pressure-unit, or in its
// absolute counterpart for a gauge unit (bar for barg).
TPressureSetting PlanPressures(const std::string &unit, const std::string &atmosphere,
                               std::initializer_list<std::string_view> given);

// A pressure as written ("1013.25hPa", "7barg"; without a unit in the setting's unit), in
// absolute pascals. Its text is the one given when that is in pascals, else the value in pascals,
// so that output and messages stay in Pa. `what` names it in the message of a TCliError; a
// gauge pressure whose absolute value is not above 0 is refused here, naming the atmosphere.
TInputValue ParsePressureText(std::string_view text, std::string_view what,
                              const TPressureSetting &setting);

// The settings member "atmosphere" (in Pa) where the run names it.
void AddAtmosphere(nlohmann::ordered_json &settings, const TPressureSetting &setting);

// The pressures humidity and pressure-dew-point take, as the window's pressure field holds them:
// above 0 and a whole number of at most 15 digits.
inline constexpr double PressureMax = 999'999'999'999'999;

// Throws a TCliError naming `what` and the rule unless the pressure is one of those.
void CheckPressure(const TInputValue &pressure, const std::string &what);

} // namespace cli
