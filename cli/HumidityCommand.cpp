// SPDX-License-Identifier: MIT
#include "CliError.h"
#include "Command.h"
#include "InputValues.h"

#include "Messages.h"
#include "PressureText.h"

#include "arith.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/HumidityQuantities.h"
#include "humidity/humidity.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace cli {

namespace {

struct THumidityArgs
{
    std::string temp;
    std::string relHum;
    std::string dewPoint;
    std::string frostPoint;
    std::string wetBulb;
    std::string press;
    std::string pressureUnit = "Pa";
    std::string tempAccuracy = "0.4";
    std::string relHumAccuracy = "2.5";
    std::string quantities;
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
    int index;
    bool extended; // an index of ExtResults rather than Results
    const char *key;
    const char *heading;
    const char *abbreviation; // heading in a table of many readings
    const char *unit;
    const char *asciiUnit;
    bool dependsOnPressure; // no value where the vapour pressure reaches the pressure
};

// The window's five come first, then those it does not show.
constexpr std::array<TQuantity, humidity::ResultCount + humidity::ExtResultCount> Quantities{{
    {humidity::riDewPoint, false, "dew_point", "dew point", "dew pt", "°C", "C", false},
    {humidity::riAbsoluteHumidity, false, "absolute_humidity", "absolute humidity", "abs hum",
     "g/m³", "g_m3", false},
    {humidity::riSpecificHumidity, false, "specific_humidity", "specific humidity", "sp hum",
     "g/kg", "g_kg", true},
    {humidity::riMixingRatio, false, "mixing_ratio", "mixing ratio", "mix rat", "g/kg", "g_kg",
     true},
    {humidity::riSpecificEnthalpy, false, "specific_enthalpy", "specific enthalpy", "enthalpy",
     "kJ/kg", "kJ_kg", true},
    {humidity::xiSatVapourPressure, true, "saturation_vapour_pressure",
     "saturation vapour pressure", "sat vp", "Pa", "Pa", false},
    {humidity::xiVapourPressure, true, "vapour_pressure", "vapour pressure", "vap pr", "Pa", "Pa",
     false},
    {humidity::xiFrostPoint, true, "frost_point", "frost point", "frost pt", "°C", "C", false},
    {humidity::xiWetBulb, true, "wet_bulb", "wet bulb", "wet bulb", "°C", "C", true},
    {humidity::xiVolumeRatio, true, "ppmv", "volume ratio", "ppmv", "ppmv", "", true},
}};

constexpr std::size_t WindowQuantityCount = humidity::ResultCount;

// The quantities' names as --quantities takes them.
std::string QuantityNames()
{
    std::string names;
    for (const TQuantity &quantity : Quantities) {
        std::string name = quantity.key;
        std::replace(name.begin(), name.end(), '_', '-');
        names += (names.empty() ? "" : ", ") + name;
    }
    return names;
}

// Which quantities a run shows, as indexes into Quantities: those named in a --quantities list
// ("all", "window" for the window's five, or keys with - or _), else all of them, except in a
// text table of many readings, which shows the window's five so that it fits 100 columns.
std::vector<std::size_t> SelectQuantities(const std::string &list, bool textRows)
{
    std::vector<std::size_t> chosen;
    const auto addRange = [&chosen](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            if (std::find(chosen.begin(), chosen.end(), i) == chosen.end())
                chosen.push_back(i);
    };
    if (list.empty()) {
        addRange(textRows ? WindowQuantityCount : Quantities.size());
        return chosen;
    }
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        std::string name = list.substr(start, end - start);
        std::replace(name.begin(), name.end(), '-', '_');
        if (name == "all") {
            addRange(Quantities.size());
        } else if (name == "window") {
            addRange(WindowQuantityCount);
        } else {
            const auto found = std::find_if(Quantities.begin(), Quantities.end(),
                                            [&name](const TQuantity &q) { return name == q.key; });
            if (found == Quantities.end())
                throw TCliError("--quantities: unknown quantity '" + list.substr(start, end - start)
                                + "'; expected all, window or " + QuantityNames());
            const auto index = static_cast<std::size_t>(found - Quantities.begin());
            if (std::find(chosen.begin(), chosen.end(), index) == chosen.end())
                chosen.push_back(index);
        }
        start = end + 1;
    }
    return chosen;
}

// The inputs, then each chosen quantity followed by its ± accuracy.
std::vector<TColumn> HumidityColumns(const std::vector<std::size_t> &chosen)
{
    std::vector<TColumn> columns{
        {"temperature", "temperature", "°C", "C", false, false, "temp"},
        {"relative_humidity", "relative humidity", "%", "pct", false, false, "RH"},
        {"pressure", "pressure", "Pa", "Pa", false, false, "p"}};
    for (const std::size_t index : chosen) {
        const TQuantity &quantity = Quantities[index];
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
    if (value == humidity::NoValueSentinel)
        return std::monostate();
    return value;
}

void CheckTempAndPressure(const TInputValue &temp, const TInputValue &press)
{
    using namespace humidity;
    if (!(temp.value >= InputTempMin && temp.value <= InputTempMax))
        throw TCliError("temperature " + temp.text + " °C is outside " + MessageNumber(InputTempMin)
                        + " to " + MessageNumber(InputTempMax) + " °C");
    CheckPressure(press, "pressure");
}

void CheckRelHum(const TInputValue &relHum)
{
    using namespace humidity;
    if (!(relHum.value >= InputRelHumMin && relHum.value <= InputRelHumMax))
        throw TCliError("relative humidity " + relHum.text + " % is outside "
                        + MessageNumber(InputRelHumMin) + " to " + MessageNumber(InputRelHumMax)
                        + " %");
}

// What stands for the humidity of a single state: one of these options.
enum THumidityInput { hiRelHum, hiDewPoint, hiFrostPoint, hiWetBulb };

struct THumidityOption
{
    THumidityInput kind;
    const char *option;
    const char *name;
    double max; // highest value the engine takes, before the air temperature's own rule
};

constexpr std::array<THumidityOption, 4> HumidityOptions{{
    {hiRelHum, "--rh", "relative humidity", humidity::InputRelHumMax},
    {hiDewPoint, "--dew-point", "dew point", humidity::InputTempMax},
    {hiFrostPoint, "--frost-point", "frost point", humidity::InputFrostPointMax},
    {hiWetBulb, "--wet-bulb", "wet bulb", humidity::InputTempMax},
}};

// The relative humidity for a dew point, frost point or wet bulb, or the refusal that names the
// value and the rule it breaks.
double RelHumFrom(const THumidityOption &option, const TInputValue &given, const TInputValue &temp,
                  const TInputValue &press)
{
    const double t = static_cast<double>(temp.value);
    const double value = static_cast<double>(given.value);
    const double p = static_cast<double>(press.value);
    const humidity::TRelHumInput r
        = option.kind == hiDewPoint     ? humidity::RelHumFromDewPoint(t, value)
          : option.kind == hiFrostPoint ? humidity::RelHumFromFrostPoint(t, value)
                                        : humidity::RelHumFromWetBulb(t, value, p);
    const std::string named = std::string(option.name) + " " + given.text + " °C";
    const std::string air = option.kind == hiWetBulb ? "the dry bulb " : "the air temperature ";
    switch (r.fault) {
    case humidity::ifNone:
        return r.relHum;
    case humidity::ifValueOutOfRange:
        throw TCliError(named + " is outside " + MessageNumber(humidity::InputTempMin) + " to "
                        + MessageNumber(option.max) + " °C");
    case humidity::ifAboveAirTemperature:
        throw TCliError(named + " is above " + air + temp.text + " °C");
    case humidity::ifAboveSaturation:
        throw TCliError(named + " needs more vapour than air at " + temp.text
                        + " °C holds (relative humidity above 100 %)");
    case humidity::ifBelowDryAir:
        throw TCliError(named + " is too far below the dry bulb " + temp.text
                        + " °C: even dry air has a higher wet bulb");
    case humidity::ifVapourExceedsPressure:
        throw TCliError(named + ": water there boils at the pressure " + press.text + " Pa");
    case humidity::ifTempOutOfRange:
    case humidity::ifPressureNotPositive:
    case humidity::ifResultOutOfRange:
        break;
    }
    // Checked before the conversion.
    throw TCliError(named + " cannot be converted");
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
    const humidity::TPressureUnit &pressureUnit = PressureUnitOption(args.pressureUnit);
    const TInputValue defaultPress
        = args.press.empty() ? ParseNumber(MessageNumber(humidity::DefaultPressure), "")
                             : ParsePressureText(args.press, "--pressure", pressureUnit);
    CheckPressure(defaultPress, "--pressure");

    const std::array<const std::string *, HumidityOptions.size()> humidityTexts{
        &args.relHum, &args.dewPoint, &args.frostPoint, &args.wetBulb};
    const THumidityOption *humidityOption = nullptr;
    for (std::size_t i = 0; i < HumidityOptions.size(); ++i) {
        if (humidityTexts[i]->empty())
            continue;
        if (humidityOption)
            throw TCliError(std::string("give one of --rh, --dew-point, --frost-point and "
                                        "--wet-bulb, not both ")
                            + humidityOption->option + " and " + HumidityOptions[i].option);
        humidityOption = &HumidityOptions[i];
    }
    const bool single = !args.temp.empty() || humidityOption;
    if (single && (args.temp.empty() || !humidityOption))
        throw TCliError("give --temp with one of --rh, --dew-point, --frost-point or --wet-bulb, "
                        "or none of them to read readings from the input");
    TReadings readings({}, context.In(), context.Args().input, InputColumns);

    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["pressure"] = static_cast<double>(defaultPress.value);
    settings["temp_accuracy"] = static_cast<double>(tempAccuracy.value);
    settings["rh_accuracy"] = static_cast<double>(relHumAccuracy.value);
    const std::vector<std::size_t> chosen
        = SelectQuantities(args.quantities, !single && context.Options().format == TFormat::Text);
    TReportWriter writer("humidity", HumidityColumns(chosen), std::move(settings),
                         context.Options(), single ? TLayout::Quantities : TLayout::Rows);
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
            reading.fields = {args.temp, *humidityTexts[humidityOption->kind]};
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
            const THumidityOption &option = single ? *humidityOption : HumidityOptions[hiRelHum];
            const TInputValue given = single ? ParseNumber(reading.fields[1], option.option)
                                             : ReadingValue(reading, 1, option.name);
            const TInputValue press
                = reading.fields.size() > 2 ? ParsePressureText(
                      reading.fields[2], reading.Where() + "pressure", pressureUnit)
                                            : defaultPress;
            cells[0] = TGiven{temp.text, static_cast<double>(temp.value)};
            cells[2] = TGiven{press.text, static_cast<double>(press.value)};
            TInputValue relHum = given;
            try {
                CheckTempAndPressure(temp, press);
                if (option.kind == hiRelHum) {
                    CheckRelHum(relHum);
                    cells[1] = TGiven{relHum.text, static_cast<double>(relHum.value)};
                } else {
                    const double found = RelHumFrom(option, given, temp, press);
                    relHum = {FormatNumber(found, DefaultDecimals), found};
                    cells[1] = found;
                }
                state.Temp = static_cast<double>(temp.value);
                state.RelHum = static_cast<double>(relHum.value);
                state.Press = static_cast<double>(press.value);
                state.TempAccuracy = static_cast<double>(tempAccuracy.value);
                state.RelHumAccuracy = static_cast<double>(relHumAccuracy.value);
                humidity::CalculateExtendedHumidity();
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
            for (std::size_t i = 0; i < chosen.size(); ++i) {
                const TQuantity &quantity = Quantities[chosen[i]];
                if (impossible && quantity.dependsOnPressure)
                    continue;
                const auto index = static_cast<std::size_t>(quantity.index);
                const auto &results = quantity.extended ? state.ExtResults : state.Results;
                const auto &accuracies = quantity.extended ? state.ExtAccuracies : state.Accuracies;
                cells[InputColumns + 2 * i] = ResultCell(results[index]);
                cells[InputColumns + 2 * i + 1] = ResultCell(accuracies[index]);
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
        "humidity", "Dew point, absolute and specific humidity, mixing ratio, specific enthalpy, "
                    "vapour pressures, frost point, wet bulb and volume ratio, each with its ± "
                    "accuracy.");
    command->footer(
        "The humidity is given by one of --rh, --dew-point, --frost-point or --wet-bulb. Pressures "
        "take a unit (1013.25hPa, 8bar: "
        + PressureUnitList()
        + "); results stay in Pa. "
          "Without --temp and a humidity, readings are read from --input FILE or standard input, "
          "one "
          "a line: temperature, relative humidity and optionally pressure, separated by blanks, "
          "commas, semicolons or tabs. A header row is recognised and skipped, as are blank lines "
          "and lines starting with '#'. A quantity that does not exist (no dew point at 0 %, no "
          "frost point at 0 °C and above) is "
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
    AddNumberOption(*command, "--dew-point", args->dewPoint,
                    "dew point in °C instead of --rh, at most the temperature");
    AddNumberOption(*command, "--frost-point", args->frostPoint,
                    "frost point (over ice) in °C instead of --rh"
                        + range(InputTempMin, InputFrostPointMax));
    AddNumberOption(*command, "--wet-bulb", args->wetBulb,
                    "psychrometric wet bulb in °C instead of --rh, at most the temperature");
    command
        ->add_option("--pressure", args->press,
                     "total pressure, above 0 and at most " + MessageNumber(PressureMax)
                         + " Pa; a number alone is in --pressure-unit")
        ->type_name("PRESSURE")
        ->default_str(MessageNumber(DefaultPressure));
    command
        ->add_option("--pressure-unit", args->pressureUnit,
                     "unit of a pressure written without one: " + PressureUnitList())
        ->type_name("UNIT")
        ->default_str(args->pressureUnit);
    AddNumberOption(*command, "--temp-accuracy", args->tempAccuracy,
                    "± accuracy of the temperature in °C" + range(0, TempAccuracyMax))
        ->default_str(args->tempAccuracy);
    AddNumberOption(*command, "--rh-accuracy", args->relHumAccuracy,
                    "± accuracy of the relative humidity in %" + range(0, RelHumAccuracyMax))
        ->default_str(args->relHumAccuracy);
    command
        ->add_option("--quantities", args->quantities,
                     "the quantities to show, separated by commas: all, window (the window's "
                     "five) or any of "
                         + QuantityNames()
                         + " (default: all; in a text table of many readings the window's five, "
                           "so that it fits 100 columns)")
        ->type_name("LIST");
    auto common = AddCommonOptions(*command, true, false);
    return {command, common, [args](TRunContext &context) {
                RunHumidity(*args, context);
            }};
}

} // namespace cli
