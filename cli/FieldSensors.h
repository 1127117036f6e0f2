// SPDX-License-Identifier: MIT
#pragma once

// The sensors that velmora-cli offers beyond the window's ten: thermocouple types E and R,
// platinum by curve and size or by its own Callendar-Van Dusen coefficients, the Ni1000 TK5000
// and copper curves, and thermistors by their data; and the window's sensors that have tolerance
// classes. Each is a temperature::TFieldSensor once its options are checked.

#include "temperature/FieldSensor.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace cli {

// The options that size or define a sensor, as typed.
struct TCurveArgs
{
    std::string r0;
    std::string cvd;
    std::string curve;
    std::string r25;
    std::string beta;
    std::string sh;
};

void AddCurveOptions(CLI::App &command, TCurveArgs &args);

struct TFieldSetup
{
    std::string shortName;
    std::string
        displayName; // "type E thermocouple", "Pt500", "NTC (beta 3435 K, 10000 Ω at 25 °C)"
    temperature::TFieldSensor sensor;
    std::string definition; // the options that define the curve, as typed, for messages
};

// The field sensors' names, separated by `separator`.
std::string FieldSensorList(const std::string &separator);

// Whether `name` is one of the field sensors (e, r, pt, ni1000-tk5000, cu, ntc).
bool IsFieldSensorName(const std::string &name);

// The field sensor of that name with its options; throws TCliError naming the value and the rule
// for an unknown curve, a size that is not positive, coefficients that are not three numbers, a
// model given twice or not at all, or an option that the sensor does not take.
TFieldSetup ParseFieldSensor(const std::string &name, const TCurveArgs &args);

// Throws TCliError when a sensor that the options do not size or define (a window sensor) is
// given one of them.
void RefuseCurveOptions(const TCurveArgs &args, const std::string &displayName);

// Throws TCliError unless the characteristic is one-to-one from tLow to tHigh °C, naming the
// options that define it.
void CheckMonotonic(const TFieldSetup &setup, double tLow, double tHigh);

} // namespace cli
