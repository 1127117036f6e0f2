// SPDX-License-Identifier: MIT
// tolerance: the permitted deviation of a tolerance class at each temperature, in the
// temperature and the electrical unit.

#include "commands/Command.h"
#include "commands/SensorPlan.h"
#include "input/ReadingRunner.h"

namespace cli {

namespace {

using namespace temperature;

struct TToleranceArgs
{
    TSensorArgs sensor;
    std::vector<std::string> values;
};

struct TTolerancePlan
{
    TSensorPlan sensor;
    std::unique_ptr<TReadings> readings;
};

TTolerancePlan PlanTolerance(const TToleranceArgs &args, const TInputArgs &input,
                             TRunContext &context)
{
    TTolerancePlan plan;
    plan.sensor = PlanSensor(args.sensor, cdTempToElectricQuant);
    plan.readings = std::make_unique<TReadings>(args.values, context.In(), input);
    return plan;
}

void RunTolerance(const TTolerancePlan &plan, TRunContext &context)
{
    const TSensorPlan &sensor = plan.sensor;
    const std::vector<TColumn> plus = ToleranceColumns(sensor);
    TReportWriter writer("tolerance", {sensor.Temperature(), plus[0], plus[1]}, Settings(sensor),
                         context.Options());
    bool noted = false;
    RunReadings(*plan.readings, context, writer, "temperature",
                [&](const TReading &reading, TRow &row) {
                    const TInputValue input = ReadingValue(reading, 0, "temperature");
                    row[0] = TValue::Given(input.text, static_cast<double>(input.value));
                    CheckTemperature(sensor, input, "temperature");
                    PutTolerance(sensor, sensor.Celsius(input.value), context, noted, row, 1, 2);
                });
    writer.Finish(context.Out());
}

void AddToleranceOptions(CLI::App &command, TToleranceArgs &args)
{
    AddSensorOptions(command, args.sensor, false, true);
    command.get_option("--class")->required();
    AddValueArguments(command, args.values, "temperatures (in --unit)");
}

} // namespace

TCommand AddToleranceCommand(CLI::App &app)
{
    return DefineCommand(app,
                         {"tolerance",
                          R"(The permitted deviation of a tolerance class at each temperature, in
the temperature and the electrical unit.)",
                          R"(Classes: IEC 60751:2008 AA, A, B, C for platinum on the IEC 60751 curve
(pt100, pt1000, pt of any --r0), wire-wound elements (W 0.1 ... W 0.6) or film elements (F 0.1 ... F 0.6);
IEC 60584-1:2013 1, 2, 3 for the thermocouples, reference junction at 0 °C. Outside its range a
class has no tolerance, and the row says so. )",
                          "VALUEs",
                          {"velmora-cli tolerance pt100 --class A -50 0 100",
                           "velmora-cli tolerance k --class 2 --emf-unit mV 500"}},
                         TInputOptions::InputAndColumn, AddToleranceOptions, PlanTolerance,
                         RunTolerance);
}

} // namespace cli
