// SPDX-License-Identifier: MIT
#pragma once

// The ranges of the humidity calculator's inputs, ends included, for callers that check an input
// before they calculate and say which rule it broke.

#include "Extended.h"

namespace humidity {

// The air temperature and relative humidity for which CheckInputs lets the calculation run.
inline constexpr double InputTempMin = -100;  // °C
inline constexpr double InputTempMax = 200;   // °C
inline constexpr double InputRelHumMin = 0;   // %
inline constexpr double InputRelHumMax = 100; // %

// The highest frost point: ice does not exist above 0 °C. Dew points, frost points and wet bulbs
// share the air temperature's lowest value.
inline constexpr double InputFrostPointMax = 0; // °C

// The stated accuracies a calculation takes: from 0 up to these, in ± °C and ± percentage points.
inline constexpr double TempAccuracyMax = 200;
inline constexpr double RelHumAccuracyMax = 100;

// False for an accuracy outside its range, or one that is not a number. Compared in extended
// precision, as the fields hold them.
bool TempAccuracyValid(Extended tempAccuracy);
bool RelHumAccuracyValid(Extended relHumAccuracy);

// False for a total pressure that is not a finite number above 0 Pa.
bool PressureValid(double pressure);

} // namespace humidity
