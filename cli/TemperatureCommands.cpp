#include "CliError.h"
#include "Command.h"
#include "InputValues.h"
#include "TableRows.h"

#include "arith.h"
#include "temperature/ColdJunction.h"
#include "temperature/SensorCalculation.h"
#include "temperature/TempScales.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <memory>
#include <optional>

namespace cli {

namespace {

using namespace temperature;

// The sensors of the commands: the one place a sensor is named.
struct TSensorName
{
    const char *shortName;
    TSensorType sensor;
    const char *displayName;
};

constexpr std::array<TSensorName, SensorCount> SensorNames{{
    {"pt1000", stPt1000, "Pt1000"},
    {"pt100", stPt100, "Pt100"},
    {"ni1000", stNi1000, "Ni1000"},
    {"ntc2252", stNTC2252, "NTC2252"},
    {"k", stTcK, "type K thermocouple"},
    {"j", stTcJ, "type J thermocouple"},
    {"s", stTcS, "type S thermocouple"},
    {"b", stTcB, "type B thermocouple"},
    {"t", stTcT, "type T thermocouple"},
    {"n", stTcN, "type N thermocouple"},
}};

// The thermo-voltage in the unit the user asks for; the engine works in microvolts.
enum class TEmfUnit { Microvolt, Millivolt };

// The columns of the temperature commands: the one place their names and units are given.
TColumn TemperatureColumn(TTempUnit unit)
{
    return unit == unFahrenheit ? TColumn{"temperature", "temperature", "°F", "F"}
                                : TColumn{"temperature", "temperature", "°C", "C"};
}

TColumn ElectricColumn(bool thermocouple, TEmfUnit emfUnit)
{
    if (!thermocouple)
        return {"resistance", "resistance", "Ω", "ohm"};
    return emfUnit == TEmfUnit::Millivolt ? TColumn{"emf", "emf", "mV", "mV"}
                                          : TColumn{"emf", "emf", "µV", "uV"};
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const TSensorName &ParseSensor(const std::string &text)
{
    const std::string name = Lower(text);
    for (const TSensorName &sensor : SensorNames) {
        if (name == sensor.shortName)
            return sensor;
    }
    std::string known;
    for (const TSensorName &sensor : SensorNames)
        known += (known.empty() ? "" : ", ") + std::string(sensor.shortName);
    throw TCliError("unknown sensor '" + text + "'; expected one of " + known);
}

TTempUnit ParseUnit(const std::string &text)
{
    const std::string unit = Lower(text);
    if (unit == "c")
        return unCelsius;
    if (unit == "f")
        return unFahrenheit;
    throw TCliError("--unit '" + text + "' is not C or F");
}

TEmfUnit ParseEmfUnit(const std::string &text)
{
    if (text == "uV" || text == "µV")
        return TEmfUnit::Microvolt;
    if (text == "mV")
        return TEmfUnit::Millivolt;
    throw TCliError("--emf-unit '" + text + "' is not uV or mV");
}

TConversionDirection ParseDirection(const std::string &text)
{
    if (text == "electrical")
        return cdTempToElectricQuant;
    if (text == "temperature")
        return cdElectricQuantToTemp;
    throw TCliError("--to '" + text + "' is not electrical or temperature");
}

// A single-precision emf in microvolts as millivolts: its shortest decimal text with the point
// moved, so that no binary residue of a division shows.
double Millivolts(float microvolts)
{
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), microvolts,
                                         std::chars_format::scientific);
    std::string text(buffer.data(), end);
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    text = text.substr(0, e) + "e" + std::to_string(exponent - 3);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// One sensor as a command uses it: which, which way, in which units, and where its reference
// junction is (thermocouples only).
struct TSensorSetup
{
    TSensorName name;
    TConversionDirection direction = cdTempToElectricQuant;
    TTempUnit unit = unCelsius;
    TEmfUnit emfUnit = TEmfUnit::Microvolt;
    std::optional<TInputValue> coldJunction;

    bool Thermocouple() const { return IsThermocoupleSensor(name.sensor); }
    TColumn Temperature() const { return TemperatureColumn(unit); }
    TColumn Electric() const { return ElectricColumn(Thermocouple(), emfUnit); }
    // How many of the engine's electrical units (Ω or µV) one shown unit holds.
    Extended ElectricScale() const
    {
        return Thermocouple() && emfUnit == TEmfUnit::Millivolt ? 1000 : 1;
    }
    // The engine's value as shown.
    std::string ElectricText(double engineValue) const
    {
        if (Thermocouple())
            return emfUnit == TEmfUnit::Millivolt
                       ? MessageNumber(Millivolts(static_cast<float>(engineValue)))
                       : FormatNumber(static_cast<float>(engineValue), std::nullopt);
        return FormatNumber(engineValue, DefaultDecimals);
    }
};

// Unlike the window's field, which brings such a value back onto the limit, the tool refuses a
// temperature outside the sensor's limits.
void CheckTemperature(const TSensorSetup &setup, const TInputValue &input, const std::string &what)
{
    bool within = false;
    try {
        within = !InputOntoSensorLimits(setup.name.sensor, cdTempToElectricQuant, setup.unit,
                                        input.value);
    } catch (const arith::EMathError &) {
        // Beyond the range of a double, and so beyond every limit.
    }
    if (within)
        return;
    double lo = 0;
    double hi = 0;
    GetSensorLimits(setup.name.sensor, cdTempToElectricQuant, lo, hi);
    if (setup.unit == unFahrenheit) {
        lo = CelsiusToFahrenheit(lo);
        hi = CelsiusToFahrenheit(hi);
    }
    const std::string unit = setup.Temperature().unit;
    throw TCliError(what + " " + input.text + " " + unit + " is outside the "
                    + setup.name.displayName + "'s limits, " + MessageNumber(lo) + " to "
                    + MessageNumber(hi) + " " + unit);
}

// The range of electrical inputs the tool takes: those of temperatures within the sensor's
// limits that its inverse function covers.
std::string ElectricRangeText(const TSensorSetup &setup)
{
    const TElectricRange range = ElectricImageOfTempLimits(setup.name.sensor);
    const std::string unit = setup.Electric().unit;
    return setup.ElectricText(range.Min) + " to " + setup.ElectricText(range.Max) + " " + unit
           + " (" + MessageNumber(range.TempMin) + " to " + MessageNumber(range.TempMax) + " °C)";
}

void CheckElectric(const TSensorSetup &setup, const TInputValue &input, Extended engineValue)
{
    const std::string given = setup.Electric().key + " " + input.text + " " + setup.Electric().unit;
    if (!setup.coldJunction) {
        if (!WithinElectricImage(setup.name.sensor, engineValue))
            throw TCliError(given + " is outside the " + std::string(setup.name.displayName)
                            + "'s range, " + ElectricRangeText(setup));
        return;
    }
    const double coldJunctionEmf
        = ColdJunctionEmf(setup.name.sensor, setup.coldJunction->value, setup.unit);
    if (!WithinElectricImage(setup.name.sensor, engineValue + coldJunctionEmf))
        throw TCliError(given + " plus " + setup.ElectricText(coldJunctionEmf) + " "
                        + setup.Electric().unit + " for the reference junction at "
                        + setup.coldJunction->text + " " + setup.Temperature().unit
                        + " is outside the " + setup.name.displayName + "'s range, "
                        + ElectricRangeText(setup));
}

// The window's calculation of one input, or its cold-junction compensated form; the input is
// in the shown unit.
TCell Convert(const TSensorSetup &setup, const TInputValue &input)
{
    const bool toElectric = setup.direction == cdTempToElectricQuant;
    const Extended engineInput = toElectric ? input.value : input.value * setup.ElectricScale();
    try {
        if (toElectric)
            CheckTemperature(setup, input, "temperature");
        else
            CheckElectric(setup, input, engineInput);
        TSensorResult result;
        if (setup.coldJunction)
            result = CalculateCompensated(setup.name.sensor, setup.direction, engineInput,
                                          setup.coldJunction->value, setup.unit);
        else if (toElectric)
            result = CalculateSensor(setup.name.sensor, setup.direction, engineInput, setup.unit,
                                     setup.unit);
        else
            result = CalculateWithinTempLimits(setup.name.sensor, engineInput, setup.unit);
        if (!setup.Thermocouple() || (!toElectric && setup.unit == unFahrenheit))
            return result.Value;
        // The thermocouple functions answer in single precision, compensated or not.
        const auto single = static_cast<float>(result.Value);
        if (toElectric && setup.emfUnit == TEmfUnit::Millivolt)
            return Millivolts(single);
        return single;
    } catch (const ECannotCalculate &) {
        throw TCliError((toElectric ? "temperature " : setup.Electric().key + " ") + input.text
                        + " has no result within the " + setup.name.displayName + "'s range, "
                        + ElectricRangeText(setup));
    } catch (const arith::EMathError &error) {
        ThrowCalculationError(input.text, error);
    }
}

struct TSensorArgs
{
    std::string sensor;
    std::string unit = "C";
    std::string coldJunction;
    std::string emfUnit = "uV";
};

TSensorSetup ParseSetup(const TSensorArgs &args, TConversionDirection direction)
{
    TSensorSetup setup{ParseSensor(args.sensor), direction, ParseUnit(args.unit),
                       ParseEmfUnit(args.emfUnit), std::nullopt};
    if (!args.coldJunction.empty()) {
        if (!setup.Thermocouple())
            throw TCliError("--cj applies to thermocouples only, not to the "
                            + std::string(setup.name.displayName));
        const TInputValue coldJunction = ParseNumber(args.coldJunction, "--cj");
        CheckTemperature(setup, coldJunction, "--cj");
        setup.coldJunction = coldJunction;
    }
    return setup;
}

nlohmann::ordered_json Settings(const TSensorSetup &setup)
{
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["sensor"] = setup.name.shortName;
    settings["unit"] = setup.unit == unFahrenheit ? "F" : "C";
    if (setup.Thermocouple()) {
        settings["emf_unit"] = setup.emfUnit == TEmfUnit::Millivolt ? "mV" : "uV";
        settings["cold_junction"]
            = setup.coldJunction
                  ? nlohmann::ordered_json(static_cast<double>(setup.coldJunction->value))
                  : nlohmann::ordered_json(0.0);
    }
    return settings;
}

std::string SensorList()
{
    std::string list;
    for (const TSensorName &sensor : SensorNames)
        list += (list.empty() ? "" : "|") + std::string(sensor.shortName);
    return list;
}

void AddSensorOptions(CLI::App &command, TSensorArgs &args)
{
    command
        .add_option("SENSOR", args.sensor,
                    "pt1000, pt100, ni1000, ntc2252 or thermocouple type k, j, s, b, t, n")
        ->type_name(SensorList())
        ->required();
    command.add_option("--unit", args.unit, "unit of every temperature: C or F")
        ->type_name("C|F")
        ->default_str("C");
    command
        .add_option("--cj", args.coldJunction,
                    "reference junction temperature of a thermocouple, in --unit (default: 0 °C, "
                    "no compensation); compensated in voltage as E(t) - E(cj)")
        ->type_name("T");
    command
        .add_option("--emf-unit", args.emfUnit,
                    "unit of a thermocouple's thermo-voltage, input and output: uV or mV")
        ->type_name("uV|mV")
        ->default_str("uV");
}

struct TTempArgs
{
    TSensorArgs sensor;
    std::string to;
    std::vector<std::string> values;
};

void RunTemp(const TTempArgs &args, TRunContext &context)
{
    const TSensorSetup setup = ParseSetup(args.sensor, ParseDirection(args.to));
    const bool toElectric = setup.direction == cdTempToElectricQuant;
    const std::string inputName = toElectric ? "temperature" : setup.Electric().key;
    TReadings readings(args.values, context.In(), context.Args().input);

    nlohmann::ordered_json settings = Settings(setup);
    settings["to"] = args.to;
    TReportWriter writer("temp",
                         toElectric ? std::vector<TColumn>{setup.Temperature(), setup.Electric()}
                                    : std::vector<TColumn>{setup.Electric(), setup.Temperature()},
                         std::move(settings), context.Options());
    TReading reading;
    while (readings.Next(reading)) {
        std::vector<TCell> cells(2);
        context.Row([&] {
            if (!reading.problem.empty())
                throw TCliError(reading.Where() + reading.problem);
            const TInputValue input = ReadingValue(reading, 0, inputName);
            cells[0] = TGiven{input.text, static_cast<double>(input.value)};
            try {
                cells[1] = Convert(setup, input);
            } catch (const TCliError &error) {
                throw TCliError(reading.Where() + error.what());
            }
        });
        writer.AddRow(cells);
    }
    if (readings.Count() == 0)
        throw TCliError("no " + inputName + " given, and none in the input");
    writer.Finish(context.Out());
}

struct TTableArgs
{
    TSensorArgs sensor;
    std::string from;
    std::string to;
    std::string step = "1";
};

void RunTable(const TTableArgs &args, TRunContext &context)
{
    const TSensorSetup setup = ParseSetup(args.sensor, cdTempToElectricQuant);
    double lo = 0;
    double hi = 0;
    GetSensorLimits(setup.name.sensor, cdTempToElectricQuant, lo, hi);
    if (setup.unit == unFahrenheit) {
        lo = CelsiusToFahrenheit(lo);
        hi = CelsiusToFahrenheit(hi);
    }
    const TInputValue from = args.from.empty() ? ParseNumber(MessageNumber(lo), "--from")
                                               : ParseNumber(args.from, "--from");
    const TInputValue to
        = args.to.empty() ? ParseNumber(MessageNumber(hi), "--to") : ParseNumber(args.to, "--to");
    const TInputValue step = ParseNumber(args.step, "--step");
    CheckTemperature(setup, from, "--from");
    CheckTemperature(setup, to, "--to");
    if (from.value > to.value)
        throw TCliError("--from " + from.text + " lies above --to " + to.text);
    if (!(step.value > 0) && from.value != to.value)
        throw TCliError("--step " + step.text + " must be greater than 0");
    const TTableRows rows(from, to, step);

    nlohmann::ordered_json settings = Settings(setup);
    settings["from"] = static_cast<double>(from.value);
    settings["to"] = static_cast<double>(to.value);
    settings["step"] = static_cast<double>(step.value);
    TReportWriter writer("table", {setup.Temperature(), setup.Electric()}, std::move(settings),
                         context.Options());
    for (std::size_t i = 0; i < rows.Count(); ++i) {
        const TInputValue t = rows.At(i);
        std::vector<TCell> cells{TGiven{t.text, static_cast<double>(t.value)}, std::monostate()};
        context.Row([&] { cells[1] = Convert(setup, t); });
        writer.AddRow(cells);
    }
    writer.Finish(context.Out());
}

} // namespace

TCommand AddTempCommand(CLI::App &app)
{
    auto args = std::make_shared<TTempArgs>();
    CLI::App *command = app.add_subcommand(
        "temp", "Convert temperatures to resistance or thermo-voltage, or back, as the "
                "\"Temperature sensors\" tab does.");
    command->footer("A temperature outside the sensor's limits is refused (the window would bring "
                    "it back onto the limit). A resistance or thermo-voltage is taken over the "
                    "image of those limits, as far as the sensor's inverse function reaches. "
                    + InputHelp("VALUEs")
                    + "\n\nExamples: velmora-cli temp pt100 --to electrical 0 100\n"
                      "          velmora-cli temp k --to temperature 3095.9 --cj 25");
    AddSensorOptions(*command, args->sensor);
    command
        ->add_option("--to", args->to,
                     "electrical (temperature in) or temperature (resistance in Ω or "
                     "thermo-voltage in --emf-unit in)")
        ->type_name("electrical|temperature")
        ->required();
    command
        ->add_option("VALUE", args->values,
                     "temperatures (in --unit) to convert, or resistances (Ω) or thermo-voltages "
                     "(in --emf-unit); none: read them from the input")
        ->type_name("NUMBER");
    auto common = AddCommonOptions(*command, true, true);
    return {command, common, [args](TRunContext &context) {
                RunTemp(*args, context);
            }};
}

TCommand AddTableCommand(CLI::App &app)
{
    auto args = std::make_shared<TTableArgs>();
    CLI::App *command = app.add_subcommand(
        "table", "A reference table of a sensor: temperature and resistance or thermo-voltage.");
    command->footer("Rows run from --from to --to by --step, exactly as given, over the sensor's "
                    "temperature limits by default; at most "
                    + std::to_string(TTableRows::MaxRows)
                    + " rows.\n\nExample: velmora-cli table k --from 0 --to 200 --step 10 --cj "
                      "23");
    AddSensorOptions(*command, args->sensor);
    AddNumberOption(*command, "--from", args->from, "first temperature (default: lower limit)");
    AddNumberOption(*command, "--to", args->to, "last temperature (default: upper limit)");
    AddNumberOption(*command, "--step", args->step, "temperature step")->default_str("1");
    auto common = AddCommonOptions(*command, false, false);
    return {command, common, [args](TRunContext &context) {
                RunTable(*args, context);
            }};
}

} // namespace cli
