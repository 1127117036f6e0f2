// SPDX-License-Identifier: MIT
// table: a reference table of a sensor, temperature against resistance or thermo-voltage.

#include "commands/Command.h"
#include "commands/SensorPlan.h"
#include "input/ReadingRunner.h"
#include "input/TableRows.h"

namespace cli {

namespace {

using namespace temperature;

struct TTableArgs
{
    TSensorArgs sensor;
    std::string from;
    std::string to;
    std::string step = "1";
};

struct TTablePlan
{
    TSensorPlan sensor;
    TInputValue from;
    TInputValue to;
    TInputValue step;
};

// The rows of a table as the reading runner takes them: each reading is the index of a row.
class TTableSource
{
public:
    explicit TTableSource(std::size_t count)
        : m_count(count)
    {
    }

    bool Next(TReading &reading)
    {
        if (m_next >= m_count)
            return false;
        reading.index = m_next++;
        return true;
    }

private:
    std::size_t m_count;
    std::size_t m_next = 0;
};

TTablePlan PlanTable(const TTableArgs &args, const TInputArgs &, TRunContext &)
{
    TTablePlan plan;
    plan.sensor = PlanSensor(args.sensor, cdTempToElectricQuant);
    const TValueRange limits = plan.sensor.sensor->TempLimits();
    const double lo = ShownOf(limits.Low, plan.sensor.unit);
    const double hi = ShownOf(limits.High, plan.sensor.unit);
    plan.from = ParseNumber(args.from.empty() ? MessageNumber(lo) : args.from, "--from");
    plan.to = ParseNumber(args.to.empty() ? MessageNumber(hi) : args.to, "--to");
    plan.step = ParseNumber(args.step, "--step");
    CheckTemperature(plan.sensor, plan.from, "--from");
    CheckTemperature(plan.sensor, plan.to, "--to");
    if (plan.from.value > plan.to.value)
        throw TCliError("--from " + plan.from.text + " lies above --to " + plan.to.text);
    if (!(plan.step.value > 0) && plan.from.value != plan.to.value)
        throw TCliError("--step " + plan.step.text + " must be greater than 0");
    plan.sensor.sensor->CheckOneToOne(plan.sensor.Celsius(plan.from.value),
                                      plan.sensor.Celsius(plan.to.value));
    return plan;
}

void RunTable(const TTablePlan &plan, TRunContext &context)
{
    const TSensorPlan &sensor = plan.sensor;
    const TTableRows rows(plan.from, plan.to, plan.step);
    nlohmann::ordered_json settings = Settings(sensor);
    settings["from"] = static_cast<double>(plan.from.value);
    settings["to"] = static_cast<double>(plan.to.value);
    settings["step"] = static_cast<double>(plan.step.value);
    const bool tolerance = sensor.toleranceClass.has_value();
    std::vector<TColumn> columns{sensor.Temperature(), sensor.Result()};
    if (tolerance) {
        const std::vector<TColumn> plus = ToleranceColumns(sensor);
        columns = {columns[0], plus[0], columns[1], plus[1]};
    }
    const std::size_t result = tolerance ? 2 : 1;
    TReportWriter writer("table", columns, std::move(settings), context.Options());
    bool noted = false;
    TTableSource source(rows.Count());
    RunReadings(source, context, writer, [&](const TReading &reading, TRow &row) {
        const TInputValue t = rows.At(reading.index);
        row[0] = TValue::Given(t.text, static_cast<double>(t.value));
        const double value = ConvertValue(sensor, t);
        if (tolerance)
            PutTolerance(sensor, sensor.Celsius(static_cast<double>(t.value)), context, noted, row,
                         1, 3);
        row[result] = TValue::Number(value);
    });
    writer.Finish(context.Out());
}

void AddTableOptions(CLI::App &command, TTableArgs &args)
{
    AddSensorOptions(command, args.sensor, true, true);
    AddNumberOption(command, "--from", args.from, "first temperature (default: lower limit)");
    AddNumberOption(command, "--to", args.to, "last temperature (default: upper limit)");
    AddNumberOption(command, "--step", args.step, "temperature step")->default_str("1");
}

} // namespace

TCommand AddTableCommand(CLI::App &app)
{
    return DefineCommand(
        app,
        {"table",
         "A reference table of a sensor: temperature and resistance or thermo-voltage.",
         "Rows run from --from to --to by --step, exactly as given, over the sensor's "
         "temperature limits by default; at most "
             + std::to_string(TTableRows::MaxRows) + " rows.",
         "",
         {"velmora-cli table k --from 0 --to 200 --step 10 --cj 23"}},
        TInputOptions::None, AddTableOptions, PlanTable, RunTable);
}

} // namespace cli
