// SPDX-License-Identifier: MIT
#pragma once

// What a loop current says beyond its scaled value: how far along the 4-20 mA span it lies, and
// whether a receiver following NAMUR NE 43 reads it as a measurement, as out of range or as a
// signalled failure.

#include "Extended.h"

namespace scaling {

// The percentage of the 4-20 mA span: 0 at 4 mA, 100 at 20 mA, extrapolated beyond both.
Extended LoopPercentOfSpan(Extended current);

// NE 43 keeps 3.8 to 20.5 mA for measuring information; at or beyond 3.6 and 21 mA a transmitter
// signals a failure; the narrow bands between are out of range but still not a failure.
inline constexpr Extended NamurMeasuringLo = 3.8L;
inline constexpr Extended NamurMeasuringHi = 20.5L;
inline constexpr Extended NamurFailureLo = 3.6L;
inline constexpr Extended NamurFailureHi = 21.0L;

enum TNamurZone { nzMeasuring, nzOutOfRange, nzFailure };

// A current that is not a number is a failure: no receiver could take it for a measurement.
TNamurZone NamurZone(Extended current);

// "measuring", "out of range" or "failure".
const char *NamurZoneText(TNamurZone zone);

} // namespace scaling
