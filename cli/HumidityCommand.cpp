#include "CliError.h"
#include "Command.h"
#include "InputValues.h"

#include "Messages.h"

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

// The window's pressure field holds at most 15 characters: a whole number of at most 15 digits.
constexpr double PressureMax = 999'999'999'999'999;

void CheckPressure(const TInputValue &press, const std::string &what)
{
    if (!(press.value > 0 && press.value <= PressureMax))
        throw TCliError(what + " " + press.text + " Pa is not above 0 and at most "
                        + MessageNumber(PressureMax) + " Pa");
}

// The humidity quantities of the commands: the one place each is named, in the window's order.
struct TQuantity
{
    humidity::TResultIndex index;
    const char *key;
    const char *heading;
    const char *abbreviation; // heading in a table of many readings
    const char *unit;
    const char *asciiUnit;
    bool dependsOnPressure; // no value where the vapour pressure reaches the pressure
};

constexpr std::array<TQuantity, humidity::ResultCount> Quantities{{
    {humidity::riDewPoint, "dew_point", "dew point", "dew pt", "°C", "C", false},
    {humidity::riAbsoluteHumidity, "absolute_humidity", "absolute humidity", "abs hum", "g/m³",
     "g_m3", false},
    {humidity::riSpecificHumidity, "specific_humidity", "specific humidity", "spec hum", "g/kg",
     "g_kg", true},
    {humidity::riMixingRatio, "mixing_ratio", "mixing ratio", "mix rat", "g/kg", "g_kg", true},
    {humidity::riSpecificEnthalpy, "specific_enthalpy", "specific enthalpy", "enthalpy", "kJ/kg",
     "kJ_kg", true},
}};

// The inputs, then each quantity followed by its ± accuracy.
std::vector<TColumn> HumidityColumns()
{
    std::vector<TColumn> columns{
        {"temperature", "temperature", "°C", "C", false, false, "temp"},
        {"relative_humidity", "relative humidity", "%", "pct", false, false, "RH"},
        {"pressure", "pressure", "Pa", "Pa", false, false, "p"}};
    for (const TQuantity &quantity : Quantities) {
        columns.push_back({quantity.key, quantity.heading, quantity.unit, quantity.asciiUnit, false,
                           false, quantity.abbreviation});
        columns.push_back({std::string(quantity.key) + "_accuracy", "±", quantity.unit,
                           quantity.asciiUnit, false, true, "±"});
    }
    return columns;
}

constexpr std::size_t InputColumns = 3;

TCell ResultCell(double value)
{
    if (value == humidity::moduleState.NoValue)
        return std::monostate();
    return value;
}

void CheckReading(const TInputValue &temp, const TInputValue &relHum, const TInputValue &press)
{
    using namespace humidity;
    if (!(temp.value >= InputTempMin && temp.value <= InputTempMax))
        throw TCliError("temperature " + temp.text + " °C is outside " + MessageNumber(InputTempMin)
                        + " to " + MessageNumber(InputTempMax) + " °C");
    if (!(relHum.value >= InputRelHumMin && relHum.value <= InputRelHumMax))
        throw TCliError("relative humidity " + relHum.text + " % is outside "
                        + MessageNumber(InputRelHumMin) + " to " + MessageNumber(InputRelHumMax)
                        + " %");
    CheckPressure(press, "pressure");
}

void RunHumidity(const THumidityArgs &args, TRunContext &context)
{
    const TInputValue tempAccuracy = ParseNumber(args.tempAccuracy, "--temp-accuracy");
    const TInputValue relHumAccuracy = ParseNumber(args.relHumAccuracy, "--rh-accuracy");
    if (!humidity::TempAccuracyValid(tempAccuracy.value))
        throw TCliError("--temp-accuracy " + tempAccuracy.text + " °C is outside 0 to "
                        + MessageNumber(humidity::TempAccuracyMax) + " °C");
    if (!humidity::RelHumAccuracyValid(relHumAccuracy.value))
        throw TCliError("--rh-accuracy " + relHumAccuracy.text + " % is outside 0 to "
                        + MessageNumber(humidity::RelHumAccuracyMax) + " %");
    const TInputValue defaultPress = args.press.empty()
                                         ? ParseNumber(MessageNumber(humidity::DefaultPressure), "")
                                         : ParseNumber(args.press, "--pressure");
    CheckPressure(defaultPress, "--pressure");

    const bool single = !args.temp.empty() || !args.relHum.empty();
    if (single && (args.temp.empty() || args.relHum.empty()))
        throw TCliError("give both --temp and --rh, or neither to read readings from the input");
    TReadings readings({}, context.In(), context.Args().input, InputColumns);

    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["pressure"] = static_cast<double>(defaultPress.value);
    settings["temp_accuracy"] = static_cast<double>(tempAccuracy.value);
    settings["rh_accuracy"] = static_cast<double>(relHumAccuracy.value);
    TReportWriter writer("humidity", HumidityColumns(), std::move(settings), context.Options(),
                         single ? TLayout::Quantities : TLayout::Rows);
    humidity::ResetModuleState();
    humidity::TModuleState &state = humidity::moduleState;
    bool singleDone = false;
    std::size_t count = 0;
    while (true) {
        TReading reading;
        if (single) {
            if (singleDone)
                break;
            singleDone = true;
            reading.fields = {args.temp, args.relHum};
        } else if (!readings.Next(reading)) {
            break;
        }
        ++count;
        std::vector<TCell> cells(writer.Columns().size());
        context.Row([&] {
            const std::string where = reading.Where();
            if (reading.fields.size() < 2 || reading.fields.size() > InputColumns)
                throw TCliError(where + "has " + std::to_string(reading.fields.size())
                                + " values; expected temperature, relative humidity and "
                                  "optionally pressure");
            const TInputValue temp = single ? ParseNumber(args.temp, "--temp")
                                            : ReadingValue(reading, 0, "temperature");
            const TInputValue relHum = single ? ParseNumber(args.relHum, "--rh")
                                              : ReadingValue(reading, 1, "relative humidity");
            const TInputValue press
                = reading.fields.size() > 2 ? ReadingValue(reading, 2, "pressure") : defaultPress;
            cells[0] = TGiven{temp.text, static_cast<double>(temp.value)};
            cells[1] = TGiven{relHum.text, static_cast<double>(relHum.value)};
            cells[2] = TGiven{press.text, static_cast<double>(press.value)};
            try {
                CheckReading(temp, relHum, press);
                state.Temp = static_cast<double>(temp.value);
                state.RelHum = static_cast<double>(relHum.value);
                state.Press = static_cast<double>(press.value);
                state.TempAccuracy = static_cast<double>(tempAccuracy.value);
                state.RelHumAccuracy = static_cast<double>(relHumAccuracy.value);
                humidity::CheckInputs();
                humidity::CalculateHumidity();
            } catch (const TCliError &error) {
                throw TCliError(where + error.what());
            } catch (const arith::EMathError &error) {
                ThrowCalculationError(where + "temperature " + temp.text + " °C, relative humidity "
                                          + relHum.text + " %, pressure " + press.text + " Pa",
                                      error);
            }
            // Moist air whose vapour pressure reaches the total pressure does not exist.
            const bool impossible = state.VapPress >= state.Press;
            if (impossible)
                context.Note(where + "at " + temp.text + " °C and " + relHum.text
                             + " % the vapour pressure, "
                             + FormatNumber(state.VapPress, DefaultDecimals)
                             + " Pa, is not below the pressure " + press.text
                             + " Pa: no such moist air; quantities that depend on the "
                               "pressure are shown as -----");
            for (std::size_t i = 0; i < Quantities.size(); ++i) {
                if (impossible && Quantities[i].dependsOnPressure)
                    continue;
                const auto index = static_cast<std::size_t>(Quantities[i].index);
                cells[InputColumns + 2 * i] = ResultCell(state.Results[index]);
                cells[InputColumns + 2 * i + 1] = ResultCell(state.Accuracies[index]);
            }
        });
        writer.AddRow(cells);
    }
    if (count == 0)
        throw TCliError("no reading given, and none in the input");
    writer.Finish(context.Out());
}

} // namespace

TCommand AddHumidityCommand(CLI::App &app)
{
    auto args = std::make_shared<THumidityArgs>();
    CLI::App *command = app.add_subcommand(
        "humidity", "Dew point, absolute and specific humidity, mixing ratio and specific "
                    "enthalpy, each with its ± accuracy.");
    command->footer(
        "Without --temp and --rh, readings are read from --input FILE or standard input, one a "
        "line: temperature, relative humidity and optionally pressure, separated by blanks, "
        "commas, semicolons or tabs. A header row is recognised and skipped, as are blank lines "
        "and lines starting with '#'. A quantity that does not exist (no dew point at 0 %) is "
        "shown as -----, an empty field in CSV and null in JSON; so are those that depend on the "
        "pressure when the vapour pressure reaches it, which is said on standard error.\n\n"
        "Example: velmora-cli humidity --temp 20 --rh 50");
    using namespace humidity;
    const auto range = [](double lo, double hi) {
        return " (" + MessageNumber(lo) + " to " + MessageNumber(hi) + ")";
    };
    AddNumberOption(*command, "--temp", args->temp,
                    "air temperature in °C" + range(InputTempMin, InputTempMax));
    AddNumberOption(*command, "--rh", args->relHum,
                    "relative humidity in %" + range(InputRelHumMin, InputRelHumMax));
    AddNumberOption(*command, "--pressure", args->press,
                    "total pressure in Pa, above 0 and at most " + MessageNumber(PressureMax))
        ->default_str(MessageNumber(DefaultPressure));
    AddNumberOption(*command, "--temp-accuracy", args->tempAccuracy,
                    "± accuracy of the temperature in °C" + range(0, TempAccuracyMax))
        ->default_str(args->tempAccuracy);
    AddNumberOption(*command, "--rh-accuracy", args->relHumAccuracy,
                    "± accuracy of the relative humidity in %" + range(0, RelHumAccuracyMax))
        ->default_str(args->relHumAccuracy);
    auto common = AddCommonOptions(*command, true, false);
    return {command, common, [args](TRunContext &context) {
                RunHumidity(*args, context);
            }};
}

} // namespace cli
