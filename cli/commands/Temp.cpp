// SPDX-License-Identifier: MIT
// temp: temperatures to resistance or thermo-voltage, or back, as the "Temperature sensors" tab
// converts them.

#include "commands/Command.h"
#include "commands/SensorPlan.h"
#include "input/ReadingRunner.h"

namespace cli {

namespace {

using namespace temperature;

struct TTempArgs
{
    TSensorArgs sensor;
    std::string to;
    std::vector<std::string> values;
};

struct TTempPlan
{
    TSensorPlan sensor;
    std::string to;
    std::string inputName; // "temperature", "resistance" or "emf"
    std::unique_ptr<TReadings> readings;
};

TConversionDirection ParseDirection(const std::string &text)
{
    if (text == "electrical")
        return cdTempToElectricQuant;
    if (text == "temperature")
        return cdElectricQuantToTemp;
    throw TCliError("--to '" + text + "' is not electrical or temperature");
}

TTempPlan PlanTemp(const TTempArgs &args, const TInputArgs &input, TRunContext &context)
{
    TTempPlan plan;
    plan.sensor = PlanSensor(args.sensor, ParseDirection(args.to));
    plan.to = args.to;
    plan.inputName = plan.sensor.ToElectric() ? "temperature" : plan.sensor.Electric().key;
    plan.readings = std::make_unique<TReadings>(args.values, context.In(), input);
    return plan;
}

void RunTemp(const TTempPlan &plan, TRunContext &context)
{
    const TSensorPlan &sensor = plan.sensor;
    const bool toElectric = sensor.ToElectric();
    nlohmann::ordered_json settings = Settings(sensor);
    settings["to"] = plan.to;
    // the input, then the result; with a class, each quantity followed by its ±
    const bool tolerance = sensor.toleranceClass.has_value();
    std::vector<TColumn> columns{toElectric ? sensor.Temperature() : sensor.Electric(),
                                 sensor.Result()};
    // where the temperature's and the electrical quantity's ± stand
    std::size_t temperaturePlus = 0;
    std::size_t electricPlus = 0;
    if (tolerance) {
        const std::vector<TColumn> plus = ToleranceColumns(sensor);
        columns = {columns[0], plus[toElectric ? 0 : 1], columns[1], plus[toElectric ? 1 : 0]};
        temperaturePlus = toElectric ? 1 : 3;
        electricPlus = toElectric ? 3 : 1;
    }
    const std::size_t result = tolerance ? 2 : 1;
    TReportWriter writer("temp", columns, std::move(settings), context.Options());
    bool noted = false;
    RunReadings(
        *plan.readings, context, writer, plan.inputName, [&](const TReading &reading, TRow &row) {
            const TInputValue input = ReadingValue(reading, 0, plan.inputName);
            row[0] = TValue::Given(input.text, static_cast<double>(input.value));
            const double value = ConvertValue(sensor, input);
            if (tolerance)
                PutTolerance(sensor,
                             sensor.Celsius(toElectric ? static_cast<double>(input.value) : value),
                             context, noted, row, temperaturePlus, electricPlus);
            row[result] = TValue::Number(value);
        });
    writer.Finish(context.Out());
}

void AddTempOptions(CLI::App &command, TTempArgs &args)
{
    AddSensorOptions(command, args.sensor, true, true);
    command
        .add_option("--to", args.to,
                    "electrical (temperature in) or temperature (resistance in Ω or "
                    "thermo-voltage in --emf-unit in)")
        ->type_name("electrical|temperature")
        ->required();
    AddValueArguments(command, args.values,
                      "temperatures (in --unit) to convert, or resistances (Ω) or thermo-voltages "
                      "(in --emf-unit)");
}

} // namespace

TCommand AddTempCommand(CLI::App &app)
{
    return DefineCommand(app,
                         {"temp",
                          R"(Convert temperatures to resistance or thermo-voltage, or back, as
the "Temperature sensors" tab does.)",
                          R"(A temperature outside the sensor's limits is refused (the window would
bring it back onto the limit). A resistance or thermo-voltage is taken over the image of those
limits, as far as the sensor's inverse function reaches. )",
                          "VALUEs",
                          {"velmora-cli temp pt100 --to electrical 0 100",
                           "velmora-cli temp k --to temperature 3095.9 --cj 25"}},
                         TInputOptions::InputAndColumn, AddTempOptions, PlanTemp, RunTemp);
}

} // namespace cli
