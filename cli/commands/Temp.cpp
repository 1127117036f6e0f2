// SPDX-License-Identifier: MIT
// temp: temperatures to resistance or thermo-voltage, or back, as the "Temperature sensors" tab
// converts them.

#include "commands/Command.h"
#include "commands/SensorPlan.h"
#include "input/ReadingRunner.h"
#include "input/UnitText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace cli {

namespace {

using namespace temperature;

// Far beyond any lead, yet keeping the sum finite.
constexpr Extended MaxLeadResistance = 1e6;

struct TTempArgs
{
    TSensorArgs sensor;
    std::string to;
    std::string leadResistance;
    std::vector<std::string> values;
};

struct TTempPlan
{
    TSensorPlan sensor;
    std::string to;
    std::string inputName; // "temperature", "resistance" or "emf"
    // A two-wire resistance thermometer's leads, in series with the sensor.
    std::optional<TInputValue> lead;
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
    if (!args.leadResistance.empty()) {
        const TInputValue lead = ParseElectricText(args.leadResistance, "--lead-resistance",
                                                   TQuantityKind::Resistance, 0);
        if (plan.sensor.sensor->Thermocouple())
            throw TCliError("--lead-resistance applies to resistance thermometers and "
                            "thermistors, not to the "
                            + plan.sensor.sensor->DisplayName());
        if (!(lead.value >= 0 && lead.value <= MaxLeadResistance))
            throw TCliError("--lead-resistance " + WithUnit(lead.text, "Ω") + " is outside 0 to "
                            + MessageNumber(static_cast<double>(MaxLeadResistance)) + " Ω");
        plan.lead = lead;
    }
    plan.readings = std::make_unique<TReadings>(args.values, context.In(), input);
    return plan;
}

// The temperature error the leads cause at 0 °C (or at the lower limit where 0 °C is outside):
// what a two-wire reading shows above the sensor's own temperature, in --unit.
std::optional<double> LeadError(const TSensorPlan &sensor, Extended lead)
{
    const TCliSensor &s = *sensor.sensor;
    const double t = std::max(0.0, s.TempLimits().Low);
    try {
        const double r = s.Convert(cdTempToElectricQuant, t, unCelsius, std::nullopt);
        const double shown = s.Convert(cdElectricQuantToTemp, r + lead, unCelsius, std::nullopt);
        const double error = (shown - t) * (sensor.unit == unFahrenheit ? 1.8 : 1.0);
        return std::round(error * 1000) / 1000; // to the display's thousandth
    } catch (const std::exception &) {
        return std::nullopt; // the leads take the reading beyond the sensor's range
    }
}

void RunTemp(const TTempPlan &plan, TRunContext &context)
{
    const TSensorPlan &sensor = plan.sensor;
    const bool toElectric = sensor.ToElectric();
    nlohmann::ordered_json settings = Settings(sensor);
    settings["to"] = plan.to;
    if (plan.lead) {
        settings["lead_resistance"] = static_cast<double>(plan.lead->value);
        const double t = std::max(0.0, sensor.sensor->TempLimits().Low);
        const std::string key = "lead_error_at_" + MessageNumber(t) + "C";
        const std::optional<double> error = LeadError(sensor, plan.lead->value);
        settings[key] = error ? nlohmann::ordered_json(*error) : nlohmann::ordered_json();
    }
    const Extended lead = plan.lead ? plan.lead->value : 0;
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
            const TInputValue input
                = toElectric ? ReadingValue(reading, 0, plan.inputName)
                             : ElectricValue(sensor, reading.fields.at(0), plan.inputName);
            row[0] = TValue::Given(input.text, static_cast<double>(input.value));
            // The leads add to what the sensor shows at its terminals.
            const double value
                = toElectric ? ConvertValue(sensor, input) + static_cast<double>(lead)
                : plan.lead
                    ? ConvertValue(sensor, {MessageNumber(static_cast<double>(input.value - lead)),
                                            input.value - lead})
                    : ConvertValue(sensor, input);
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
    AddNumberOption(command, "--lead-resistance", args.leadResistance,
                    "a two-wire resistance thermometer's lead resistance in Ω, both wires: added "
                    "to the sensor's resistance (--to electrical) or taken off the reading (--to "
                    "temperature)")
        ->type_name("OHMS");
    AddValueArguments(command, args.values,
                      "temperatures (in --unit) to convert, or resistances (Ω) or thermo-voltages "
                      "(in --emf-unit), either also with its unit: 2.2kohm, 138.5Ω, 12.3mV");
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
limits, a thermocouple's from the lowest temperature its inverse function reaches; a value that is
an end of that range rounded to the digits it is given with is that end, so that whatever --to
electrical prints converts back. )",
                          "VALUEs",
                          {"velmora-cli temp pt100 --to electrical 0 100",
                           "velmora-cli temp k --to temperature 3095.9 --cj 25"}},
                         TInputOptions::InputAndColumn, AddTempOptions, PlanTemp, RunTemp);
}

} // namespace cli
