// SPDX-License-Identifier: MIT
#pragma once

// The options that size or define a sensor beyond the window's ten (--r0, --cvd, --curve, --r25,
// --beta, --sh), and the sensor they make: a temperature::TFieldSensor once they are checked.

#include "sensors/SensorTable.h"

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
    const TSensorEntry *entry = nullptr;
    std::string
        displayName; // "type E thermocouple", "Pt500", "NTC (beta 3435 K, 10000 Ω at 25 °C)"
    temperature::TFieldSensor sensor;
    std::string definition; // the options that define the curve, as typed, for messages
};

// The sensor of a table entry that is not one of the window's, made by its options; throws
// TCliError naming the value and the rule for an unknown curve, a size that is not positive,
// coefficients that are not three numbers, a model given twice or not at all, or an option that the
// sensor does not take.
TFieldSetup ParseFieldSensor(const TSensorEntry &entry, const TCurveArgs &args);

// Throws TCliError when a sensor that the options do not size or define (a window sensor) is
// given one of them.
void RefuseCurveOptions(const TCurveArgs &args, const std::string &displayName);

// Throws TCliError unless the characteristic is one-to-one from tLow to tHigh °C, naming the
// options that define it.
void CheckMonotonic(const TFieldSetup &setup, double tLow, double tHigh);

} // namespace cli
