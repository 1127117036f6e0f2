// SPDX-License-Identifier: MIT
#pragma once

// Temperature and resistance of the resistive sensors: the platinum thermometer Pt1000
// (3850 ppm/K, Callendar-Van Dusen as in IEC 60751), the nickel thermometer Ni1000 (6180 ppm/K,
// DIN 43760) and the NTC thermistor NTC2252 (Steinhart-Hart). A Pt100 is a Pt1000 divided by ten.
// Each function computes in extended precision and rounds its result once to a double.

namespace temperature {

// Returned by the platinum and nickel inverse functions when a resistance has no temperature
// within their bounds; callers compare with it for equality.
inline constexpr double TempOutOfRange = 9999;

double PtTempToRes(double t);
// TempOutOfRange outside -210..650 °C.
double PtResToTemp(double r);
// The same function up to `highBound` °C instead of 650 °C, for callers that accept the forward
// range of the thermometer (up to 850 °C).
double PtResToTempUpTo(double r, double highBound);

double NiTempToRes(double t);
// TempOutOfRange outside -50..300 °C.
double NiResToTemp(double r);

// These two throw arith::EZeroDivide, arith::EInvalidOp or arith::EOverflow where a trapping
// processor would fault: a temperature at or near absolute zero, a resistance that is not positive.
double NtcTempToRes(double t);
double NtcResToTemp(double r);

} // namespace temperature
