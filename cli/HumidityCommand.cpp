#include "CliError.h"
#include "Command.h"
#include "InputValues.h"

#include "arith.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/humidity.h"

#include <array>
#include <memory>
#include <optional>

namespace cli {

namespace {

struct THumidityArgs
{
    std::string temp;
    std::string relHum;
    std::string press;
    std::string tempAccuracy = "0.4";
    std::string relHumAccuracy = "2.5";
};

struct TQuantity
{
    humidity::TResultIndex index;
    const char *key;
    const char *heading;
    const char *unit;
};

// The window's order of the results, not the engine's index order.
constexpr std::array<TQuantity, humidity::ResultCount> Quantities{{
    {humidity::riDewPoint, "dew_point", "dew point", "°C"},
    {humidity::riAbsoluteHumidity, "absolute_humidity", "absolute humidity", "g/m³"},
    {humidity::riSpecificHumidity, "specific_humidity", "specific humidity", "g/kg"},
    {humidity::riMixingRatio, "mixing_ratio", "mixing ratio", "g/kg"},
    {humidity::riSpecificEnthalpy, "specific_enthalpy", "specific enthalpy", "kJ/kg"},
}};

std::vector<TColumn> HumidityColumns()
{
    std::vector<TColumn> columns{{"temperature", "temperature", "°C"},
                                 {"relative_humidity", "RH", "%"},
                                 {"pressure", "pressure", "Pa"}};
    for (const TQuantity &quantity : Quantities) {
        columns.push_back({quantity.key, quantity.heading, quantity.unit});
        columns.push_back({std::string(quantity.key) + "_accuracy", "±", quantity.unit});
    }
    return columns;
}

TCell ResultCell(double value)
{
    if (value == humidity::moduleState.NoValue)
        return std::monostate();
    return value;
}

struct TReading
{
    TInputValue temp;
    TInputValue relHum;
    TInputValue press;
};

void CheckReading(const TReading &reading, double temp, double relHum)
{
    using namespace humidity;
    if (!(temp >= InputTempMin && temp <= InputTempMax))
        throw TCliError("temperature " + reading.temp.text + " °C is outside "
                        + MessageNumber(InputTempMin) + " to " + MessageNumber(InputTempMax)
                        + " °C");
    if (!(relHum >= InputRelHumMin && relHum <= InputRelHumMax))
        throw TCliError("relative humidity " + reading.relHum.text + " % is outside "
                        + MessageNumber(InputRelHumMin) + " to " + MessageNumber(InputRelHumMax)
                        + " %");
}

TReport RunHumidity(const THumidityArgs &args, std::istream &in)
{
    const TInputValue tempAccuracy = ParseNumber(args.tempAccuracy, "--temp-accuracy");
    const TInputValue relHumAccuracy = ParseNumber(args.relHumAccuracy, "--rh-accuracy");
    if (!humidity::TempAccuracyValid(tempAccuracy.value))
        throw TCliError("--temp-accuracy " + tempAccuracy.text + " °C is outside 0 to "
                        + MessageNumber(humidity::TempAccuracyMax) + " °C");
    if (!humidity::RelHumAccuracyValid(relHumAccuracy.value))
        throw TCliError("--rh-accuracy " + relHumAccuracy.text + " % is outside 0 to "
                        + MessageNumber(humidity::RelHumAccuracyMax) + " %");

    const TInputValue defaultPress
        = args.press.empty()
              ? TInputValue{MessageNumber(humidity::DefaultPressure), humidity::DefaultPressure}
              : ParseNumber(args.press, "--pressure");
    std::vector<TReading> readings;
    if (!args.temp.empty() || !args.relHum.empty()) {
        if (args.temp.empty() || args.relHum.empty())
            throw TCliError("give both --temp and --rh, or neither to read readings from "
                            "standard input");
        readings.push_back(
            {ParseNumber(args.temp, "--temp"), ParseNumber(args.relHum, "--rh"), defaultPress});
    } else {
        for (const auto &record :
             InputRecords(in, {"temperature", "relative humidity", "pressure"}, 2))
            readings.push_back(
                {record[0], record[1], record.size() > 2 ? record[2] : defaultPress});
    }

    TReport report("humidity", HumidityColumns());
    report.Settings()["temp_accuracy"] = static_cast<double>(tempAccuracy.value);
    report.Settings()["rh_accuracy"] = static_cast<double>(relHumAccuracy.value);
    report.Reserve(readings.size());
    humidity::ResetModuleState();
    humidity::TModuleState &state = humidity::moduleState;
    for (const TReading &reading : readings) {
        try {
            // The engine's record holds doubles; a number beyond a double is a failure.
            state.Temp = arith::Checked(static_cast<double>(reading.temp.value));
            state.RelHum = arith::Checked(static_cast<double>(reading.relHum.value));
            state.Press = arith::Checked(static_cast<double>(reading.press.value));
            state.TempAccuracy = static_cast<double>(tempAccuracy.value);
            state.RelHumAccuracy = static_cast<double>(relHumAccuracy.value);
            if (!humidity::CheckInputs())
                CheckReading(reading, state.Temp, state.RelHum);
            humidity::CalculateHumidity();
        } catch (const arith::EMathError &error) {
            ThrowCalculationError("temperature " + reading.temp.text + " °C, relative humidity "
                                      + reading.relHum.text + " %, pressure " + reading.press.text
                                      + " Pa",
                                  error);
        }
        // Copied now: the record is overwritten by the next reading.
        const auto &results = state.Results;
        const auto &accuracies = state.Accuracies;
        const auto at = [](const auto &values, std::size_t i) {
            return ResultCell(values[static_cast<std::size_t>(Quantities[i].index)]);
        };
        report.AddRow({state.Temp, state.RelHum, state.Press, at(results, 0), at(accuracies, 0),
                       at(results, 1), at(accuracies, 1), at(results, 2), at(accuracies, 2),
                       at(results, 3), at(accuracies, 3), at(results, 4), at(accuracies, 4)});
    }
    return report;
}

} // namespace

TCommand AddHumidityCommand(CLI::App &app)
{
    auto args = std::make_shared<THumidityArgs>();
    CLI::App *command = app.add_subcommand(
        "humidity", "Dew point, absolute and specific humidity, mixing ratio and specific "
                    "enthalpy, each with its ± accuracy.");
    command->footer(
        "Without --temp and --rh, readings are read from standard input, one a line:\n"
        "temperature, relative humidity and optionally pressure, separated by blanks.\n"
        "A quantity that does not exist (no dew point at 0 %) is shown as -----, null in JSON.\n\n"
        "Example: velmora-cli humidity --temp 20 --rh 50");
    using namespace humidity;
    const auto range = [](double lo, double hi) {
        return " (" + MessageNumber(lo) + " to " + MessageNumber(hi) + ")";
    };
    AddNumberOption(*command, "--temp", args->temp,
                    "air temperature in °C" + range(InputTempMin, InputTempMax));
    AddNumberOption(*command, "--rh", args->relHum,
                    "relative humidity in %" + range(InputRelHumMin, InputRelHumMax));
    AddNumberOption(*command, "--pressure", args->press, "total pressure in Pa")
        ->default_str(MessageNumber(DefaultPressure));
    AddNumberOption(*command, "--temp-accuracy", args->tempAccuracy,
                    "± accuracy of the temperature in °C" + range(0, TempAccuracyMax))
        ->default_str(args->tempAccuracy);
    AddNumberOption(*command, "--rh-accuracy", args->relHumAccuracy,
                    "± accuracy of the relative humidity in %" + range(0, RelHumAccuracyMax))
        ->default_str(args->relHumAccuracy);
    return {command, [args](std::istream &in) {
                return RunHumidity(*args, in);
            }};
}

} // namespace cli
