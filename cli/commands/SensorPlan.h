// SPDX-License-Identifier: MIT
#pragma once

// What temp, table, tolerance and check share: the sensor options, the sensor plan they are
// checked into, the conversion of one value and a class's tolerance, each as numbers, and the
// columns and settings that the report shows them under.

#include "Arguments.h"
#include "RunContext.h"
#include "input/NumberText.h"
#include "output/Formats.h"
#include "sensors/Sensor.h"

#include "temperature/TempScales.h"
#include "temperature/ToleranceClasses.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// The sensor options as typed.
struct TSensorArgs
{
    std::string sensor;
    std::string unit = "C";
    std::string coldJunction;
    std::string emfUnit = "uV";
    std::string toleranceClass;
    TCurveArgs curve;
};

// Adds SENSOR, --unit, --emf-unit and the curve options; `coldJunction` adds --cj, `classOption`
// --class.
void AddSensorOptions(CLI::App &command, TSensorArgs &args, bool coldJunction, bool classOption);

// The thermo-voltage in the unit the user asks for; the engine works in microvolts.
enum class TEmfUnit { Microvolt, Millivolt };

// The names --emf-unit takes.
std::vector<std::string> EmfUnitNames();

// One sensor as a command uses it: which, which way, in which units, where its reference
// junction is (thermocouples only) and which tolerance class applies.
struct TSensorPlan
{
    std::shared_ptr<const TCliSensor> sensor;
    temperature::TConversionDirection direction = temperature::cdTempToElectricQuant;
    temperature::TTempUnit unit = temperature::unCelsius;
    TEmfUnit emfUnit = TEmfUnit::Microvolt;
    std::optional<TInputValue> coldJunction;
    // --class: the class, and the sensor whose electrical quantity gives its ± in Ω or µV.
    std::optional<temperature::TClassKey> toleranceClass;
    std::optional<temperature::TFieldSensor> classSensor;

    bool ToElectric() const { return direction == temperature::cdTempToElectricQuant; }
    double Celsius(Extended t) const { return CelsiusOf(t, unit); }
    TColumn Temperature() const;
    TColumn Electric() const;
    // The column of the conversion's result, single precision where the thermocouple functions
    // give it so.
    TColumn Result() const;
    // How many of the engine's electrical units (Ω or µV) one shown unit holds.
    Extended ElectricScale() const;
    // An electrical value of the engine as shown.
    std::string ElectricText(double engineValue) const;
};

// The sensor options checked: a TCliError for an unknown sensor, unit or class, options that do
// not fit the sensor, a reference junction outside its limits.
TSensorPlan PlanSensor(const TSensorArgs &args, temperature::TConversionDirection direction);

// The sensor whose tolerance classes apply and its class letter ('P' or a thermocouple's); a
// TCliError naming `option` for a sensor without classes.
char ClassSensor(TSensorPlan &plan, const std::string &option);

// A resistance or thermo-voltage as written, with or without its unit ("138.5", "2.2kohm",
// "12.3mV"), in the shown unit (Ω, or --emf-unit for an emf); its text as typed. A TCliError
// naming `what` for a unit of another quantity or none known.
TInputValue ElectricValue(const TSensorPlan &plan, std::string_view text, std::string_view what);

// The names --class takes, joined by commas, for its completion.
std::string ClassChoices();

// The class that `text` names for the plan's class sensor (ClassSensor first); a TCliError naming
// `option` and the known classes where it names none.
temperature::TClassKey ParseClass(const TSensorPlan &plan, char classSensor,
                                  const std::string &text, const std::string &option);

// Unlike the window's field, which brings such a value back onto the limit, the tool refuses a
// temperature outside the sensor's limits.
void CheckTemperature(const TSensorPlan &plan, const TInputValue &input, const std::string &what);

// The conversion of one value in the shown unit (a temperature, Ω, or the emf in --emf-unit):
// the result in the shown unit; one of single precision as its double. A TCliError naming the
// value where it is outside the sensor's range or has no result.
double ConvertValue(const TSensorPlan &plan, const TInputValue &input);

// The settings line and JSON member of the sensor commands.
nlohmann::ordered_json Settings(const TSensorPlan &plan);

// The ± columns of a class: the permitted deviation in the temperature unit and in the
// electrical one.
std::vector<TColumn> ToleranceColumns(const TSensorPlan &plan);

// The class's permitted deviation at `celsius` into row[temperature] and row[electric]; where
// the class is not defined, the words "outside class" and no value, said once on standard error.
void PutTolerance(const TSensorPlan &plan, double celsius, TRunContext &context, bool &noted,
                  TRow &row, std::size_t temperature, std::size_t electric);

} // namespace cli
