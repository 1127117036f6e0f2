// SPDX-License-Identifier: MIT
#pragma once

// calibrate's options as typed and the plan they are checked into: the transmitter's input (a
// sensor or a linear quantity), its range and output, the test points, the tolerance, and the
// as-found and as-left readings judged against it.

#include "Arguments.h"
#include "RunContext.h"
#include "commands/SensorPlan.h"

#include "calibration/Calibration.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace cli {

struct TCalibrateArgs
{
    TSensorArgs sensor; // SENSOR is a sensor's name or "linear"
    std::string inputUnit;
    std::string range;
    std::string output = "4-20mA";
    std::string points = "5";
    bool upDown = false;
    std::string tolerance;
    std::string found;
    std::string left;
    std::string foundColumn;
    std::string leftColumn;
    std::string tag;
    std::string date;
};

// One set of readings and its verdict.
struct TCalibrationSet
{
    std::string name; // "as-found", "as-left"
    std::string key;  // "as_found", "as_left"
    std::vector<calibration::TGiven> readings;
    calibration::TSetCheck check;
};

struct TCalibratePlan
{
    std::optional<TSensorPlan> sensor; // none for a linear transmitter
    TColumn input;                     // the input quantity with its unit
    std::optional<TColumn> terminals;  // what a simulator applies: Ω, mV or µV
    calibration::TPlan plan;
    std::optional<calibration::TTolerance> tolerance;
    std::string toleranceText; // "±0.25 % of span"
    std::vector<TCalibrationSet> sets; // as given, the as-found first
    std::string rangeText;             // "0,150" as typed
    std::string tag;
    std::string date;

    const calibration::TOutputSignal &Output() const
    {
        return calibration::OutputSignal(plan.output);
    }
};

void AddCalibrateOptions(CLI::App &command, TCalibrateArgs &args);

// Every option checked, the readings read and judged; a TCliError naming the value and the rule.
TCalibratePlan PlanCalibrate(const TCalibrateArgs &args, const TInputArgs &input,
                             TRunContext &context);

} // namespace cli
