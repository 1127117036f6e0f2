// SPDX-License-Identifier: MIT
// tolerance: the permitted deviation of a tolerance class at each temperature, in the
// temperature and the electrical unit.

#include "commands/Command.h"
#include "commands/SensorPlan.h"
#include "input/ReadingRunner.h"
#include "output/SvgPlot.h"

#include <algorithm>

namespace cli {

namespace {

using namespace temperature;

struct TToleranceArgs
{
    TSensorArgs sensor;
    std::string from;
    std::string to;
    std::vector<std::string> values;
};

struct TTolerancePlan
{
    TSensorPlan sensor;
    std::unique_ptr<TReadings> readings;
    // --format svg: each class of --class A,B drawn as a band from --from to --to.
    std::vector<TSensorPlan> classes;
    TInputValue from;
    TInputValue to;
};

// Samples of a band: enough that a limit bending at 0 °C shows its corner.
constexpr int BandSteps = 200;

void PlanBands(TTolerancePlan &plan, const TToleranceArgs &args)
{
    if (args.from.empty() || args.to.empty() || !args.values.empty())
        throw TCliError("--format svg draws the classes from --from to --to; give both, and no "
                        "temperatures");
    plan.from = ParseNumber(args.from, "--from");
    plan.to = ParseNumber(args.to, "--to");
    if (!(plan.from.value < plan.to.value))
        throw TCliError("--from " + plan.from.text + " must be below --to " + plan.to.text);
    std::size_t start = 0;
    const std::string &list = args.sensor.toleranceClass;
    while (true) {
        const std::size_t end = list.find(',', start);
        TSensorArgs one = args.sensor;
        one.toleranceClass = list.substr(start, end - start);
        plan.classes.push_back(PlanSensor(one, cdTempToElectricQuant));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    plan.sensor = plan.classes.front();
    CheckTemperature(plan.sensor, plan.from, "--from");
    CheckTemperature(plan.sensor, plan.to, "--to");
}

void WriteBands(const TTolerancePlan &plan, TRunContext &context)
{
    svgplot::TPlot plot;
    const TColumn t = plan.sensor.Temperature();
    plot.title = plan.sensor.sensor->DisplayName() + " tolerance classes";
    plot.x = {"Temperature", t.unit};
    plot.y = {"Tolerance", t.unit};
    const double from = static_cast<double>(plan.from.value);
    const double to = static_cast<double>(plan.to.value);
    std::vector<double> xs;
    for (int i = 0; i <= BandSteps; ++i)
        xs.push_back(from + (to - from) * i / BandSteps);
    const double zero = plan.sensor.unit == unFahrenheit ? 32 : 0;
    if (zero > from && zero < to)
        xs.push_back(zero);
    std::sort(xs.begin(), xs.end());
    // The widest class first, so that the narrower ones stand over it.
    for (auto c = plan.classes.rbegin(); c != plan.classes.rend(); ++c) {
        svgplot::TBand band{"class " + ClassLabel(*c->toleranceClass), {}};
        for (const double x : xs) {
            const std::optional<double> deviation
                = PermittedDeviation(*c->toleranceClass, c->Celsius(x));
            if (!deviation)
                continue;
            const double shown = plan.sensor.unit == unFahrenheit ? *deviation * 1.8 : *deviation;
            band.samples.push_back({x, -shown, shown});
        }
        if (band.samples.empty())
            context.Note(ClassLabel(*c->toleranceClass) + " is not defined from " + plan.from.text
                         + " to " + plan.to.text + " " + t.unit);
        plot.bands.push_back(std::move(band));
    }
    context.Out() << svgplot::RenderSvg(plot);
}

TTolerancePlan PlanTolerance(const TToleranceArgs &args, const TInputArgs &input,
                             TRunContext &context)
{
    TTolerancePlan plan;
    if (context.Options().format == TFormat::Svg) {
        PlanBands(plan, args);
        return plan;
    }
    if (!args.from.empty() || !args.to.empty())
        throw TCliError("--from and --to draw the classes' bands: give --format svg");
    plan.sensor = PlanSensor(args.sensor, cdTempToElectricQuant);
    plan.readings = std::make_unique<TReadings>(args.values, context.In(), input);
    return plan;
}

void RunTolerance(const TTolerancePlan &plan, TRunContext &context)
{
    if (context.Options().format == TFormat::Svg) {
        WriteBands(plan, context);
        return;
    }
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
    AddNumberOption(command, "--from", args.from,
                    "with --format svg: the lowest temperature drawn, in --unit (--class may then "
                    "list classes: A,B)");
    AddNumberOption(command, "--to", args.to, "with --format svg: the highest temperature drawn");
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
                           "velmora-cli tolerance pt100 --class A,B --from -50 --to 250 --format svg",
                           "velmora-cli tolerance k --class 2 --emf-unit mV 500"}},
                         TInputOptions::InputAndColumn, AddToleranceOptions, PlanTolerance,
                         RunTolerance);
}

} // namespace cli
