// SPDX-License-Identifier: MIT
// check: whether a sensor's reading at a reference temperature is within its tolerance classes.

#include "commands/Command.h"
#include "commands/SensorPlan.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace cli {

namespace {

using namespace temperature;

struct TCheckArgs
{
    TSensorArgs sensor;
    std::string reference;
    std::string reading;
    std::vector<std::string> classes;
};

struct TCheckPlan
{
    TSensorPlan sensor;
    char classSensor = 0; // 'P' or a thermocouple's letter
    TInputValue reference;
    TInputValue reading;
    // --class: the classes to answer for, each once, in the order named
    std::vector<TClassKey> classes;
};

// How a verdict names a class: "class B", "class F 0.3" (a film element named by its
// designation), "class 2".
std::string ClassName(const TClassKey &key)
{
    if (key.Sensor != 'F')
        return "class " + std::string(key.Name);
    for (const TToleranceClass &row : PlatinumClasses) {
        if (row.Sensor == key.Sensor && row.Name == key.Name)
            return "class " + std::string(row.Designation);
    }
    return "class " + std::string(key.Name);
}

// The classes a deviation meets, each platinum class once: the wire-wound and film elements'
// tolerances are the same, and their ranges decide only whether the class applies at all.
std::string ClassesMetText(const std::vector<TClassKey> &met)
{
    std::vector<std::string_view> names;
    for (const TClassKey &key : met) {
        if (std::find(names.begin(), names.end(), key.Name) == names.end())
            names.push_back(key.Name);
    }
    std::string text;
    for (const std::string_view name : names)
        text += (text.empty() ? "" : ", ") + std::string(name);
    return text.empty() ? "none" : text;
}

TCheckPlan PlanCheck(const TCheckArgs &args, const TInputArgs &, TRunContext &)
{
    TCheckPlan plan;
    plan.sensor = PlanSensor(args.sensor, cdElectricQuantToTemp);
    plan.classSensor = ClassSensor(plan.sensor, "check");
    plan.reference = ParseNumber(args.reference, "--reference");
    CheckTemperature(plan.sensor, plan.reference, "--reference");
    plan.reading = ElectricValue(plan.sensor, args.reading, "--reading");
    for (const std::string &text : args.classes) {
        const TClassKey key = ParseClass(plan.sensor, plan.classSensor, text, "--class");
        if (std::none_of(plan.classes.begin(), plan.classes.end(), [&key](const TClassKey &k) {
                return k.Sensor == key.Sensor && k.Name == key.Name;
            }))
            plan.classes.push_back(key);
    }
    return plan;
}

void RunCheck(const TCheckPlan &plan, TRunContext &context)
{
    const TSensorPlan &sensor = plan.sensor;
    const double measured = ConvertValue(sensor, plan.reading);
    const double deviation = measured - static_cast<double>(plan.reference.value);
    const double celsius = sensor.Celsius(plan.reference.value);
    const double celsiusDeviation = sensor.unit == unFahrenheit ? deviation / 1.8 : deviation;
    const TColumn t = sensor.Temperature();

    std::vector<TColumn> columns{
        {"reading", "reading", sensor.Electric().unit, sensor.Electric().asciiUnit},
        sensor.Result(),
        {"reference", "reference", t.unit, t.asciiUnit},
        {"deviation", "deviation", t.unit, t.asciiUnit}};
    TRow row{TValue::Given(plan.reading.text, static_cast<double>(plan.reading.value)),
             TValue::Number(measured),
             TValue::Given(plan.reference.text, static_cast<double>(plan.reference.value)),
             TValue::Number(deviation)};
    // With --class, the answer for each class named, one a line; without, the classes met.
    for (const TClassKey &key : plan.classes) {
        const std::optional<double> permitted = PermittedDeviation(key, celsius);
        std::string verdict;
        if (!permitted) {
            const TClassRange range = ClassRange(key);
            verdict = "misses " + ClassName(key) + ": it applies from " + MessageNumber(range.Low)
                      + " to " + MessageNumber(range.High) + " °C only";
            context.AnswerNo();
        } else if (std::fabs(celsiusDeviation) <= *permitted) {
            verdict = "meets " + ClassName(key);
        } else {
            const double by = (std::fabs(celsiusDeviation) - *permitted)
                              * (sensor.unit == unFahrenheit ? 1.8 : 1.0);
            verdict = "misses " + ClassName(key) + " by "
                      + FormatNumber(by, context.Options().decimals) + " " + t.unit;
            context.AnswerNo();
        }
        std::string columnKey = ClassName(key);
        std::replace(columnKey.begin(), columnKey.end(), ' ', '_');
        columns.push_back({columnKey, columns.size() == 4 ? "verdict" : "", "", "", true});
        row.push_back(TValue::Word(verdict));
    }
    if (plan.classes.empty()) {
        columns.push_back({"classes_met", "classes met", "", "", true});
        row.push_back(
            TValue::Word(ClassesMetText(ClassesMet(plan.classSensor, celsius, celsiusDeviation))));
    }
    TReportWriter writer("check", columns, Settings(sensor), context.Options(),
                         TLayout::Quantities);
    writer.AddRow(std::move(row));
    writer.Finish(context.Out());
}

void AddCheckOptions(CLI::App &command, TCheckArgs &args)
{
    AddSensorOptions(command, args.sensor, true, false);
    AddNumberOption(command, "--reference", args.reference, "the reference temperature, in --unit")
        ->required();
    AddNumberOption(command, "--reading", args.reading,
                    "the sensor's reading: resistance in Ω or thermo-voltage in --emf-unit, or "
                    "either with its unit (138.5ohm, 12.3mV)")
        ->required();
    command
        .add_option("--class", args.classes,
                    "a class to answer for, repeated or as a comma list: IEC 60751 AA, A, B, C "
                    "(W 0.1 ... F 0.6 for the element designations) for platinum on the IEC "
                    "curve, IEC 60584-1 1, 2, 3 for thermocouples; the exit status is 0 when the "
                    "reading meets every one, 1 when it misses any")
        ->type_name("CLASS:{" + ClassChoices() + "}")
        ->delimiter(',');
}

} // namespace

TCommand AddCheckCommand(CLI::App &app)
{
    return DefineCommand(
        app,
        {"check",
         "Whether a sensor is within its class: the reading converted, its deviation from the "
         "reference temperature, and the classes that deviation meets.",
         "A class is met when the reference temperature lies within the class's range and the "
         "deviation is within its tolerance there. Without --class, the classes met are listed "
         "(for platinum each of AA, A, B and C once: a film element's range decides only whether "
         "the class applies) and the exit status is 0. With --class, each class named is met or "
         "missed, and by how much; the exit status is 0 when every one is met, 1 when any is "
         "missed, 2 for refused input, as cmp and test answer.",
         "",
         {"velmora-cli check pt100 --reference 100 --reading 138.62 --class A",
          "velmora-cli check k --reference 500 --reading 19800 --cj 22"}},
        TInputOptions::None, AddCheckOptions, PlanCheck, RunCheck);
}

} // namespace cli
