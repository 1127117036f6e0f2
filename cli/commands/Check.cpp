// SPDX-License-Identifier: MIT
// check: whether a sensor's reading at a reference temperature is within its tolerance classes.

#include "commands/Command.h"
#include "commands/SensorPlan.h"

namespace cli {

namespace {

using namespace temperature;

struct TCheckArgs
{
    TSensorArgs sensor;
    std::string reference;
    std::string reading;
};

struct TCheckPlan
{
    TSensorPlan sensor;
    char classSensor = 0; // 'P' or a thermocouple's letter
    TInputValue reference;
    TInputValue reading;
};

TCheckPlan PlanCheck(const TCheckArgs &args, const TInputArgs &, TRunContext &)
{
    TCheckPlan plan;
    plan.sensor = PlanSensor(args.sensor, cdElectricQuantToTemp);
    plan.classSensor = ClassSensor(plan.sensor, "check");
    plan.reference = ParseNumber(args.reference, "--reference");
    CheckTemperature(plan.sensor, plan.reference, "--reference");
    plan.reading = ElectricValue(plan.sensor, args.reading, "--reading");
    return plan;
}

void RunCheck(const TCheckPlan &plan, TRunContext &context)
{
    const TSensorPlan &sensor = plan.sensor;
    const double measured = ConvertValue(sensor, plan.reading);
    const double deviation = measured - static_cast<double>(plan.reference.value);
    const double celsius = sensor.Celsius(plan.reference.value);
    std::string met;
    for (const TClassKey &key : ClassesMet(
             plan.classSensor, celsius, sensor.unit == unFahrenheit ? deviation / 1.8 : deviation))
        met += (met.empty() ? "" : ", ") + ClassLabel(key);
    if (met.empty())
        met = "none";

    const TColumn t = sensor.Temperature();
    const std::vector<TColumn> columns{
        {"reading", "reading", sensor.Electric().unit, sensor.Electric().asciiUnit},
        sensor.Result(),
        {"reference", "reference", t.unit, t.asciiUnit},
        {"deviation", "deviation", t.unit, t.asciiUnit},
        {"classes_met", "classes met", "", "", true}};
    TReportWriter writer("check", columns, Settings(sensor), context.Options(),
                         TLayout::Quantities);
    writer.AddRow({TValue::Given(plan.reading.text, static_cast<double>(plan.reading.value)),
                   TValue::Number(measured),
                   TValue::Given(plan.reference.text, static_cast<double>(plan.reference.value)),
                   TValue::Number(deviation), TValue::Word(met)});
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
         "deviation is within its tolerance there.",
         "",
         {"velmora-cli check pt100 --reference 100 --reading 138.62",
          "velmora-cli check k --reference 500 --reading 19800 --cj 22"}},
        TInputOptions::None, AddCheckOptions, PlanCheck, RunCheck);
}

} // namespace cli
