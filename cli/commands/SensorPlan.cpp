// SPDX-License-Identifier: MIT
#include "commands/SensorPlan.h"

#include "CliError.h"
#include "Messages.h"
#include "input/ReadingRunner.h"
#include "input/UnitText.h"

#include "arith.h"
#include "temperature/SensorCalculation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace cli {

std::vector<std::string> EmfUnitNames()
{
    return {"uV", "µV", "mV"};
}

// The names --class takes, for its completion: the classes of the class tables, then the
// platinum elements' designations as one word ("W0.15"), which FindToleranceClass also takes.
std::string ClassChoices()
{
    std::vector<std::string> names;
    const auto add = [&names](std::string name) {
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const temperature::TToleranceClass &row : temperature::PlatinumClasses)
        add(std::string(row.Name));
    for (const temperature::TToleranceClass &row : temperature::ThermocoupleClasses)
        add(std::string(row.Name));
    for (const temperature::TToleranceClass &row : temperature::PlatinumClasses)
        add(std::string(row.Designation));
    std::string list;
    for (const std::string &name : names)
        list += (list.empty() ? "" : ",") + name;
    return list;
}

namespace {

using namespace temperature;

TTempUnit ParseUnit(const std::string &text)
{
    const std::string unit = Lower(text);
    if (unit == "c")
        return unCelsius;
    if (unit == "f")
        return unFahrenheit;
    throw TCliError("--unit '" + text + "' is not C or F");
}

TEmfUnit ParseEmfUnit(const std::string &text)
{
    if (text == "uV" || text == "µV")
        return TEmfUnit::Microvolt;
    if (text == "mV")
        return TEmfUnit::Millivolt;
    throw TCliError("--emf-unit '" + Echo(text) + "' is not uV or mV"
                    + UnitSuggestion(text, EmfUnitNames()));
}

// The range of electrical inputs the tool takes: those of temperatures within the sensor's
// limits that its inverse function reaches.
std::string ElectricRangeText(const TSensorPlan &plan)
{
    const TElectricImage image = plan.sensor->ElectricImage();
    const std::string temperatures
        = MessageNumber(image.tempMin) + " to " + MessageNumber(image.tempMax) + " °C";
    if (!image.electric)
        return temperatures;
    return plan.ElectricText(image.electric->Low) + " to " + plan.ElectricText(image.electric->High)
           + " " + plan.Electric().unit + " (" + temperatures + ")";
}

// "emf 12.3 mV", or "emf 12.3mV" where the value was written with its unit.
std::string ElectricGiven(const TSensorPlan &plan, const TInputValue &input)
{
    return plan.Electric().key + " " + WithUnit(input.text, plan.Electric().unit);
}

// The electrical input to convert, in the engine's unit. An input outside the sensor's range is
// still taken when it is an end of the range as --to electrical prints it, rounded to the digits
// the input is given with; it is then that end.
Extended AcceptedElectric(const TSensorPlan &plan, const TInputValue &input, Extended engineValue)
{
    const TCliSensor &sensor = *plan.sensor;
    const double coldJunctionEmf
        = plan.coldJunction ? sensor.ColdJunctionEmf(plan.coldJunction->value, plan.unit) : 0;
    if (sensor.ElectricWithin(engineValue + coldJunctionEmf))
        return engineValue;
    const TElectricImage image = sensor.ElectricImage();
    if (image.electric) {
        // the ends as --to electrical gives them for the ends' temperatures, in the engine's unit
        // and as shown
        const auto end = [&](double celsius, double electric) {
            try {
                return sensor.Convert(cdTempToElectricQuant, ShownOf(celsius, plan.unit), plan.unit,
                                      plan.coldJunction
                                          ? std::optional<Extended>(plan.coldJunction->value)
                                          : std::nullopt);
            } catch (const std::exception &) {
                return electric - coldJunctionEmf;
            }
        };
        double ends[2]
            = {end(image.tempMin, image.electric->Low), end(image.tempMax, image.electric->High)};
        // a thermistor's resistance falls as its temperature rises
        if (ends[0] > ends[1])
            std::swap(ends[0], ends[1]);
        double shown[2] = {ends[0], ends[1]};
        if (sensor.Thermocouple()) {
            for (int i = 0; i < 2; ++i) {
                const auto single = static_cast<float>(ends[i]);
                ends[i] = single;
                shown[i] = plan.emfUnit == TEmfUnit::Millivolt ? decimal::Millivolts(single)
                                                               : SingleDecimal(single);
            }
        }
        const int decimals = GivenDecimals(input.text);
        const double given = static_cast<double>(input.value);
        if (given <= shown[0] && given >= RoundedTo(shown[0], decimals))
            return ends[0];
        if (given >= shown[1] && given <= RoundedTo(shown[1], decimals))
            return ends[1];
    }
    const std::string given = ElectricGiven(plan, input);
    if (!plan.coldJunction)
        throw TCliError(given + " is outside the " + sensor.DisplayName() + "'s range, "
                        + ElectricRangeText(plan));
    throw TCliError(given + " plus " + plan.ElectricText(coldJunctionEmf) + " "
                    + plan.Electric().unit + " for the reference junction at "
                    + plan.coldJunction->text + " " + plan.Temperature().unit + " is outside the "
                    + sensor.DisplayName() + "'s range, " + ElectricRangeText(plan));
}

void SetToleranceClass(TSensorPlan &plan, const std::string &text)
{
    const char sensor = ClassSensor(plan, "--class " + text);
    plan.toleranceClass = ParseClass(plan, sensor, text, "class");
}

} // namespace

TInputValue ElectricValue(const TSensorPlan &plan, std::string_view text, std::string_view what)
{
    const bool emf = plan.sensor->Thermocouple();
    return ParseElectricText(text, what, emf ? TQuantityKind::Emf : TQuantityKind::Resistance,
                             emf && plan.emfUnit == TEmfUnit::Millivolt ? 3 : 0);
}

TColumn TSensorPlan::Temperature() const
{
    return unit == unFahrenheit ? TColumn{"temperature", "temperature", "°F", "F"}
                                : TColumn{"temperature", "temperature", "°C", "C"};
}

TColumn TSensorPlan::Electric() const
{
    if (!sensor->Thermocouple())
        return {"resistance", "resistance", "Ω", "ohm"};
    return emfUnit == TEmfUnit::Millivolt ? TColumn{"emf", "emf", "mV", "mV"}
                                          : TColumn{"emf", "emf", "µV", "uV"};
}

TColumn TSensorPlan::Result() const
{
    TColumn column = ToElectric() ? Electric() : Temperature();
    // The thermocouple functions answer in single precision, compensated or not; millivolts
    // and degrees Fahrenheit are computed from that single.
    column.single = sensor->Thermocouple()
                    && (ToElectric() ? emfUnit == TEmfUnit::Microvolt : unit != unFahrenheit);
    return column;
}

Extended TSensorPlan::ElectricScale() const
{
    return sensor->Thermocouple() && emfUnit == TEmfUnit::Millivolt ? 1000 : 1;
}

std::string TSensorPlan::ElectricText(double engineValue) const
{
    if (sensor->Thermocouple() && emfUnit == TEmfUnit::Millivolt)
        return FormatNumber(decimal::Millivolts(static_cast<float>(engineValue)), DefaultDecimals);
    if (sensor->Thermocouple())
        return FormatNumber(static_cast<float>(engineValue), DefaultDecimals);
    return FormatNumber(engineValue, DefaultDecimals);
}

TClassKey ParseClass(const TSensorPlan &plan, char classSensor, const std::string &text,
                     const std::string &option)
{
    if (const std::optional<TClassKey> key = FindToleranceClass(classSensor, text))
        return *key;
    std::string known;
    for (const TClassKey &key : ToleranceClassesOf(classSensor)) {
        if (key.Sensor != 'F')
            known += (known.empty() ? "" : ", ") + std::string(key.Name);
    }
    if (classSensor == 'P')
        known += " (wire-wound), or the designations W 0.1 to W 0.6 and F 0.1 to F 0.6";
    throw TCliError("unknown " + option + " '" + Echo(text) + "' for the "
                    + plan.sensor->DisplayName() + "; expected " + known);
}

char ClassSensor(TSensorPlan &plan, const std::string &option)
{
    plan.classSensor = plan.sensor->ClassSensor();
    const char sensor = plan.classSensor ? plan.classSensor->ToleranceSensor() : 0;
    if (sensor == 0)
        throw TCliError(option + ": the " + plan.sensor->DisplayName()
                        + " has no tolerance classes; they are defined for platinum on the "
                          "IEC 60751 curve (pt100, pt1000, pt) and for thermocouples");
    return sensor;
}

TSensorPlan PlanSensor(const TSensorArgs &args, TConversionDirection direction)
{
    TSensorPlan plan;
    plan.direction = direction;
    plan.unit = ParseUnit(args.unit);
    plan.emfUnit = ParseEmfUnit(args.emfUnit);
    plan.sensor = MakeSensor(args.sensor, args.curve);
    if (direction == cdElectricQuantToTemp) {
        const TValueRange range = plan.sensor->TempLimits();
        plan.sensor->CheckOneToOne(range.Low, range.High);
    }
    if (!args.coldJunction.empty()) {
        if (!plan.sensor->Thermocouple())
            throw TCliError("--cj applies to thermocouples only, not to the "
                            + plan.sensor->DisplayName());
        const TInputValue coldJunction = ParseNumber(args.coldJunction, "--cj");
        CheckTemperature(plan, coldJunction, "--cj");
        plan.coldJunction = coldJunction;
    }
    if (!args.toleranceClass.empty())
        SetToleranceClass(plan, args.toleranceClass);
    return plan;
}

void CheckTemperature(const TSensorPlan &plan, const TInputValue &input, const std::string &what)
{
    if (plan.sensor->TemperatureWithin(input.value, plan.unit))
        return;
    const TValueRange limits = plan.sensor->TempLimits();
    const double lo = ShownOf(limits.Low, plan.unit);
    const double hi = ShownOf(limits.High, plan.unit);
    const std::string unit = plan.Temperature().unit;
    throw TCliError(what + " " + input.text + " " + unit + " is outside the "
                    + plan.sensor->DisplayName() + "'s limits, " + MessageNumber(lo) + " to "
                    + MessageNumber(hi) + " " + unit);
}

double ConvertValue(const TSensorPlan &plan, const TInputValue &input)
{
    const bool toElectric = plan.ToElectric();
    const Extended engineInput = toElectric ? input.value : input.value * plan.ElectricScale();
    try {
        if (toElectric)
            CheckTemperature(plan, input, "temperature");
        const std::optional<Extended> coldJunction
            = plan.coldJunction ? std::optional(plan.coldJunction->value) : std::nullopt;
        const double value = plan.sensor->Convert(
            plan.direction, toElectric ? engineInput : AcceptedElectric(plan, input, engineInput),
            plan.unit, coldJunction);
        if (!plan.sensor->Thermocouple() || (!toElectric && plan.unit == unFahrenheit))
            return value;
        const auto single = static_cast<float>(value);
        if (toElectric && plan.emfUnit == TEmfUnit::Millivolt)
            return decimal::Millivolts(single);
        return single;
    } catch (const ECannotCalculate &) {
        throw TCliError((toElectric ? "temperature " : plan.Electric().key + " ") + input.text
                        + " has no result within the " + plan.sensor->DisplayName() + "'s range, "
                        + ElectricRangeText(plan));
    } catch (const arith::EMathError &error) {
        throw TCalculationError(input.text, error);
    }
}

nlohmann::ordered_json Settings(const TSensorPlan &plan)
{
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["sensor"] = plan.sensor->ShortName();
    if (const std::optional<std::string> curve = plan.sensor->Curve())
        settings["curve"] = *curve;
    settings["unit"] = plan.unit == unFahrenheit ? "F" : "C";
    if (plan.sensor->Thermocouple()) {
        settings["emf_unit"] = plan.emfUnit == TEmfUnit::Millivolt ? "mV" : "uV";
        settings["cold_junction"]
            = plan.coldJunction
                  ? nlohmann::ordered_json(static_cast<double>(plan.coldJunction->value))
                  : nlohmann::ordered_json(0.0);
    }
    if (plan.toleranceClass)
        settings["class"] = ClassLabel(*plan.toleranceClass);
    return settings;
}

std::vector<TColumn> ToleranceColumns(const TSensorPlan &plan)
{
    const TColumn t = plan.Temperature();
    const TColumn e = plan.Electric();
    return {{"temperature_tolerance", "±", t.unit, t.asciiUnit, false, true},
            {e.key + "_tolerance", "±", e.unit, e.asciiUnit, false, true}};
}

void PutTolerance(const TSensorPlan &plan, double celsius, TRunContext &context, bool &noted,
                  TRow &row, std::size_t temperature, std::size_t electric)
{
    const std::optional<double> deviation = PermittedDeviation(*plan.toleranceClass, celsius);
    if (!deviation) {
        if (!noted) {
            const TClassRange range = ClassRange(*plan.toleranceClass);
            context.Note(ClassLabel(*plan.toleranceClass) + " is defined from "
                         + MessageNumber(range.Low) + " to " + MessageNumber(range.High)
                         + " °C only; outside, no tolerance is given");
            noted = true;
        }
        row[temperature] = TValue::Word("outside class");
        row[electric] = TValue();
        return;
    }
    const double electricDeviation = plan.classSensor->ElectricDeviation(celsius, *deviation)
                                     / static_cast<double>(plan.ElectricScale());
    row[temperature] = TValue::Number(plan.unit == unFahrenheit ? *deviation * 1.8 : *deviation);
    row[electric] = TValue::Number(electricDeviation);
}

void AddSensorOptions(CLI::App &command, TSensorArgs &args, bool coldJunction, bool classOption)
{
    command.add_option("SENSOR", args.sensor, SensorHelp())
        ->type_name(SensorNames("|"))
        ->required();
    command.add_option("--unit", args.unit, "unit of every temperature: C or F")
        ->type_name("C|F")
        ->default_str("C");
    if (coldJunction)
        command
            .add_option("--cj", args.coldJunction,
                        "reference junction temperature of a thermocouple, in --unit (default: 0 "
                        "°C, no compensation); compensated in voltage as E(t) - E(cj)")
            ->type_name("T");
    command
        .add_option("--emf-unit", args.emfUnit,
                    "unit of a thermocouple's thermo-voltage, input and output: uV or mV")
        ->type_name("uV|mV")
        ->default_str("uV");
    if (classOption)
        command
            .add_option("--class", args.toleranceClass,
                        "tolerance class, adding its ± in the temperature and the electrical unit: "
                        "IEC 60751 AA, A, B, C (wire-wound; W 0.1 ... F 0.6 for the element "
                        "designations) for platinum on the IEC curve, IEC 60584-1 1, 2, 3 for "
                        "thermocouples")
            ->type_name("CLASS:{" + ClassChoices() + "}");
    AddCurveOptions(command, args.curve);
}

} // namespace cli
