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
#include <memory>
#include <optional>

namespace cli {

namespace {

using namespace temperature;

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

TConversionDirection ParseDirection(const std::string &text)
{
    if (text == "electrical")
        return cdTempToElectricQuant;
    if (text == "temperature")
        return cdElectricQuantToTemp;
    throw TCliError("--to '" + text + "' is not electrical or temperature");
}

// One sensor as a command uses it: which, which way, in which temperature unit, and where its
// reference junction is (thermocouples only).
struct TSensorSetup
{
    TSensorName name;
    TConversionDirection direction = cdTempToElectricQuant;
    TTempUnit unit = unCelsius;
    std::optional<TInputValue> coldJunction;

    bool Thermocouple() const { return IsThermocoupleSensor(name.sensor); }
    std::string TempUnit() const { return unit == unFahrenheit ? "°F" : "°C"; }
    std::string ElectricUnit() const { return Thermocouple() ? "µV" : "Ω"; }
    std::string ElectricKey() const { return Thermocouple() ? "voltage" : "resistance"; }
    std::string InputUnit() const
    {
        return direction == cdTempToElectricQuant ? TempUnit() : ElectricUnit();
    }
    // The thermocouple functions answer in single precision, compensated or not; only a
    // temperature turned into Fahrenheit is a double.
    bool SingleResult() const
    {
        return Thermocouple() && (direction == cdTempToElectricQuant || unit != unFahrenheit);
    }
};

// The input's limits in the unit in which the input is given.
std::pair<double, double> LimitsInUnit(const TSensorSetup &setup, TConversionDirection direction)
{
    double lo = 0;
    double hi = 0;
    GetSensorLimits(setup.name.sensor, direction, lo, hi);
    if (direction == cdTempToElectricQuant && setup.unit == unFahrenheit)
        return {CelsiusToFahrenheit(lo), CelsiusToFahrenheit(hi)};
    return {lo, hi};
}

// Unlike the window's field, which brings such a value back onto the limit, the tool refuses it.
void CheckWithinLimits(const TSensorSetup &setup, TConversionDirection direction,
                       const TInputValue &input, const std::string &what)
{
    const TTempUnit inputUnit = direction == cdTempToElectricQuant ? setup.unit : unNone;
    bool within = false;
    try {
        within = !InputOntoSensorLimits(setup.name.sensor, direction, inputUnit, input.value);
    } catch (const arith::EMathError &) {
        // Beyond the range of a double, and so beyond every limit.
    }
    if (within)
        return;
    const auto [lo, hi] = LimitsInUnit(setup, direction);
    const std::string unit
        = direction == cdTempToElectricQuant ? setup.TempUnit() : setup.ElectricUnit();
    throw TCliError(what + " " + input.text + " " + unit + " is outside the "
                    + setup.name.displayName + "'s limits, " + MessageNumber(lo) + " to "
                    + MessageNumber(hi) + " " + unit);
}

std::string CannotCalculateMessage(const TSensorSetup &setup, const TInputValue &input)
{
    const std::string given = input.text + " " + setup.InputUnit();
    if (!setup.Thermocouple())
        return "resistance " + given + " has no temperature within the bounds of the "
               + setup.name.displayName + "'s inverse function";
    if (setup.direction == cdTempToElectricQuant)
        return "temperature " + given + " is outside the accepted range of the "
               + setup.name.displayName + "'s reference function";
    std::string message = "voltage " + given;
    if (setup.coldJunction) {
        const double coldJunctionEmf
            = CalculateSensor(setup.name.sensor, cdTempToElectricQuant, setup.coldJunction->value,
                              setup.unit, setup.unit)
                  .Value;
        // The emf is a single-precision result.
        message += " plus " + FormatNumber(static_cast<float>(coldJunctionEmf), std::nullopt)
                   + " µV for the reference junction at " + setup.coldJunction->text + " "
                   + setup.TempUnit();
    }
    return message + " is outside the accepted range of the " + setup.name.displayName
           + "'s inverse function";
}

// The window's calculation of one input, or its cold-junction compensated form.
TCell Convert(const TSensorSetup &setup, const TInputValue &input)
{
    try {
        const TSensorResult result
            = setup.coldJunction
                  ? CalculateCompensated(setup.name.sensor, setup.direction, input.value,
                                         setup.coldJunction->value, setup.unit)
                  : CalculateSensor(setup.name.sensor, setup.direction, input.value,
                                    setup.direction == cdTempToElectricQuant ? setup.unit : unNone,
                                    setup.unit);
        if (setup.SingleResult())
            return static_cast<float>(result.Value);
        return result.Value;
    } catch (const ECannotCalculate &) {
        throw TCliError(CannotCalculateMessage(setup, input));
    } catch (const arith::EMathError &error) {
        ThrowCalculationError(input.text + " " + setup.InputUnit(), error);
    }
}

TColumn TemperatureColumn(const TSensorSetup &setup)
{
    return {"temperature", "temperature", setup.TempUnit()};
}

TColumn ElectricColumn(const TSensorSetup &setup)
{
    return {setup.ElectricKey(), setup.ElectricKey(), setup.ElectricUnit()};
}

struct TSensorArgs
{
    std::string sensor;
    std::string unit = "C";
    std::string coldJunction;
};

TSensorSetup ParseSetup(const TSensorArgs &args, TConversionDirection direction)
{
    TSensorSetup setup{ParseSensor(args.sensor), direction, ParseUnit(args.unit), std::nullopt};
    if (!args.coldJunction.empty()) {
        if (!setup.Thermocouple())
            throw TCliError("--cj applies to thermocouples only, not to the "
                            + std::string(setup.name.displayName));
        const TInputValue coldJunction = ParseNumber(args.coldJunction, "--cj");
        CheckWithinLimits(setup, cdTempToElectricQuant, coldJunction, "--cj");
        setup.coldJunction = coldJunction;
    }
    return setup;
}

void AddSettings(TReport &report, const TSensorSetup &setup)
{
    report.Settings()["sensor"] = setup.name.shortName;
    report.Settings()["unit"] = setup.unit == unFahrenheit ? "F" : "C";
    if (setup.coldJunction)
        report.Settings()["cold_junction"] = static_cast<double>(setup.coldJunction->value);
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
                    "pt1000, pt100, ni1000, ntc2252 or thermocouple "
                    "type k, j, s, b, t, n")
        ->type_name(SensorList())
        ->required();
    command.add_option("--unit", args.unit, "unit of every temperature: C or F")
        ->type_name("C|F")
        ->default_str("C");
    command
        .add_option("--cj", args.coldJunction,
                    "reference junction temperature of a thermocouple, in --unit (default: "
                    "0 °C, no compensation); compensated in voltage as E(t) - E(cj)")
        ->type_name("T");
}

struct TTempArgs
{
    TSensorArgs sensor;
    std::string to;
    std::vector<std::string> values;
};

TReport RunTemp(const TTempArgs &args, std::istream &in)
{
    const TSensorSetup setup = ParseSetup(args.sensor, ParseDirection(args.to));
    const bool toElectric = setup.direction == cdTempToElectricQuant;
    const std::string inputName = toElectric ? "temperature" : setup.ElectricKey();
    const std::vector<TInputValue> inputs = ValuesOrInput(args.values, in, inputName);

    TReport report(
        "temp", toElectric ? std::vector<TColumn>{TemperatureColumn(setup), ElectricColumn(setup)}
                           : std::vector<TColumn>{ElectricColumn(setup), TemperatureColumn(setup)});
    AddSettings(report, setup);
    report.Settings()["to"] = args.to;
    report.Reserve(inputs.size());
    for (const TInputValue &input : inputs) {
        CheckWithinLimits(setup, setup.direction, input, inputName);
        report.AddRow({static_cast<double>(input.value), Convert(setup, input)});
    }
    return report;
}

struct TTableArgs
{
    TSensorArgs sensor;
    std::string from;
    std::string to;
    std::string step = "1";
};

TReport RunTable(const TTableArgs &args)
{
    const TSensorSetup setup = ParseSetup(args.sensor, cdTempToElectricQuant);
    const auto [lo, hi] = LimitsInUnit(setup, cdTempToElectricQuant);
    const TInputValue from
        = args.from.empty() ? TInputValue{MessageNumber(lo), lo} : ParseNumber(args.from, "--from");
    const TInputValue to
        = args.to.empty() ? TInputValue{MessageNumber(hi), hi} : ParseNumber(args.to, "--to");
    const TInputValue step = ParseNumber(args.step, "--step");
    CheckWithinLimits(setup, cdTempToElectricQuant, from, "--from");
    CheckWithinLimits(setup, cdTempToElectricQuant, to, "--to");
    if (!(step.value > 0))
        throw TCliError("--step " + step.text + " must be greater than 0");
    if (from.value > to.value)
        throw TCliError("--from " + from.text + " lies above --to " + to.text);
    const TTableRows rows(from.value, to.value, step.value);

    TReport report("table", {TemperatureColumn(setup), ElectricColumn(setup)});
    AddSettings(report, setup);
    report.Settings()["from"] = static_cast<double>(from.value);
    report.Settings()["to"] = static_cast<double>(to.value);
    report.Settings()["step"] = static_cast<double>(step.value);
    report.Reserve(rows.Count());
    for (std::size_t i = 0; i < rows.Count(); ++i) {
        const long double t = rows.At(i);
        const TInputValue row{MessageNumber(static_cast<double>(t)), t};
        CheckWithinLimits(setup, cdTempToElectricQuant, row, "temperature");
        report.AddRow({static_cast<double>(t), Convert(setup, row)});
    }
    return report;
}

} // namespace

TCommand AddTempCommand(CLI::App &app)
{
    auto args = std::make_shared<TTempArgs>();
    CLI::App *command = app.add_subcommand(
        "temp", "Convert temperatures to resistance or thermo-voltage, or back, as the "
                "\"Temperature sensors\" tab does.");
    command->footer(
        "An input outside the sensor's limits is refused (the window would bring it back onto "
        "the\nlimit). Without VALUEs, they are read from standard input, one or several a "
        "line.\n\nExamples: velmora-cli temp pt100 --to electrical 0 100\n"
        "          velmora-cli temp k --to temperature 3095.9 --cj 25");
    AddSensorOptions(*command, args->sensor);
    command
        ->add_option("--to", args->to,
                     "electrical (temperature in) or temperature "
                     "(resistance in Ω or voltage in µV in)")
        ->type_name("electrical|temperature")
        ->required();
    command->add_option("VALUE", args->values, "input value(s)")->type_name("NUMBER");
    return {command, [args](std::istream &in) {
                return RunTemp(*args, in);
            }};
}

TCommand AddTableCommand(CLI::App &app)
{
    auto args = std::make_shared<TTableArgs>();
    CLI::App *command = app.add_subcommand(
        "table", "A reference table of a sensor: temperature and resistance or thermo-voltage.");
    command->footer("Rows run from --from to --to by --step, over the sensor's temperature limits "
                    "by default.\n\nExample: velmora-cli table k --from 0 --to 200 --step 10 --cj "
                    "23");
    AddSensorOptions(*command, args->sensor);
    AddNumberOption(*command, "--from", args->from, "first temperature (default: lower limit)");
    AddNumberOption(*command, "--to", args->to, "last temperature (default: upper limit)");
    AddNumberOption(*command, "--step", args->step, "temperature step")->default_str("1");
    return {command, [args](std::istream &) {
                return RunTable(*args);
            }};
}

} // namespace cli
