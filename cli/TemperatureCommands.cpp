// SPDX-License-Identifier: MIT
#include "CliError.h"
#include "Command.h"
#include "FieldSensors.h"
#include "InputValues.h"
#include "TableRows.h"

#include "arith.h"
#include "temperature/ColdJunction.h"
#include "temperature/SensorCalculation.h"
#include "temperature/TempScales.h"
#include "temperature/ToleranceClasses.h"

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

// A sensor of the window; nothing for one of the field sensors.
std::optional<TSensorName> ParseSensor(const std::string &text)
{
    const std::string name = Lower(text);
    for (const TSensorName &sensor : SensorNames) {
        if (name == sensor.shortName)
            return sensor;
    }
    if (IsFieldSensorName(name))
        return std::nullopt;
    std::string known;
    for (const TSensorName &sensor : SensorNames)
        known += (known.empty() ? "" : ", ") + std::string(sensor.shortName);
    std::string hint;
    if (name.size() > 2 && name.rfind("pt", 0) == 0
        && name.find_first_not_of("0123456789", 2) == std::string::npos)
        hint = " (a Pt" + name.substr(2) + " is pt --r0 " + name.substr(2) + ")";
    throw TCliError("unknown sensor '" + text + "'; expected one of " + known + ", "
                    + FieldSensorList(", ") + hint);
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
    // A sensor beyond the window's: `name` is then unused.
    std::optional<TFieldSetup> field;
    // --class: the class, and the sensor whose electrical quantity gives its ± in Ω or µV.
    std::optional<TClassKey> toleranceClass;
    std::optional<TFieldSensor> classSensor;

    bool Thermocouple() const
    {
        return field ? field->sensor.IsThermocouple() : IsThermocoupleSensor(name.sensor);
    }
    std::string ShortName() const { return field ? field->shortName : name.shortName; }
    std::string DisplayName() const { return field ? field->displayName : name.displayName; }
    // A temperature in the shown unit, in °C.
    double Celsius(Extended t) const
    {
        const auto value = static_cast<double>(t);
        return unit == unFahrenheit ? FahrenheitToCelsius(value) : value;
    }
    double Shown(double celsius) const
    {
        return unit == unFahrenheit ? CelsiusToFahrenheit(celsius) : celsius;
    }
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
    double lo = 0;
    double hi = 0;
    if (setup.field) {
        const TValueRange range = setup.field->sensor.TempRange();
        const double t = setup.Celsius(input.value);
        within = t >= range.Low && t <= range.High;
        lo = range.Low;
        hi = range.High;
    } else {
        try {
            within = !InputOntoSensorLimits(setup.name.sensor, cdTempToElectricQuant, setup.unit,
                                            input.value);
        } catch (const arith::EMathError &) {
            // Beyond the range of a double, and so beyond every limit.
        }
        GetSensorLimits(setup.name.sensor, cdTempToElectricQuant, lo, hi);
    }
    if (within)
        return;
    if (setup.unit == unFahrenheit) {
        lo = CelsiusToFahrenheit(lo);
        hi = CelsiusToFahrenheit(hi);
    }
    const std::string unit = setup.Temperature().unit;
    throw TCliError(what + " " + input.text + " " + unit + " is outside the " + setup.DisplayName()
                    + "'s limits, " + MessageNumber(lo) + " to " + MessageNumber(hi) + " " + unit);
}

// The range of electrical inputs the tool takes: those of temperatures within the sensor's
// limits that its inverse function covers.
std::string ElectricRangeText(const TSensorSetup &setup)
{
    const std::string unit = setup.Electric().unit;
    if (setup.field) {
        const TValueRange t = setup.field->sensor.TempRange();
        const std::string temperatures
            = MessageNumber(t.Low) + " to " + MessageNumber(t.High) + " °C";
        try {
            const TValueRange e = setup.field->sensor.ElectricRange();
            return setup.ElectricText(e.Low) + " to " + setup.ElectricText(e.High) + " " + unit
                   + " (" + temperatures + ")";
        } catch (const ECannotCalculate &) {
            // a thermistor curve that turns back before an end of the range
            return temperatures;
        }
    }
    const TElectricRange range = ElectricImageOfTempLimits(setup.name.sensor);
    return setup.ElectricText(range.Min) + " to " + setup.ElectricText(range.Max) + " " + unit
           + " (" + MessageNumber(range.TempMin) + " to " + MessageNumber(range.TempMax) + " °C)";
}

// Whether a field sensor takes an electrical input: a thermocouple's emf as a single, a resistance
// within half a milliohm of the range, so that a value printed to three places is taken back.
bool WithinFieldRange(const TSensorSetup &setup, Extended engineValue)
{
    const TValueRange range = setup.field->sensor.ElectricRange();
    if (setup.Thermocouple()) {
        const auto single = static_cast<float>(engineValue);
        return single >= range.Low && single <= range.High;
    }
    return engineValue >= range.Low - 0.0005L && engineValue <= range.High + 0.0005L;
}

double FieldColdJunctionEmf(const TSensorSetup &setup)
{
    return setup.field->sensor.ToElectric(setup.Celsius(setup.coldJunction->value));
}

void CheckElectric(const TSensorSetup &setup, const TInputValue &input, Extended engineValue)
{
    const std::string given = setup.Electric().key + " " + input.text + " " + setup.Electric().unit;
    const auto within = [&setup](Extended value) {
        return setup.field ? WithinFieldRange(setup, value)
                           : WithinElectricImage(setup.name.sensor, value);
    };
    if (!setup.coldJunction) {
        if (!within(engineValue))
            throw TCliError(given + " is outside the " + setup.DisplayName() + "'s range, "
                            + ElectricRangeText(setup));
        return;
    }
    const double coldJunctionEmf
        = setup.field ? FieldColdJunctionEmf(setup)
                      : ColdJunctionEmf(setup.name.sensor, setup.coldJunction->value, setup.unit);
    if (!within(engineValue + coldJunctionEmf))
        throw TCliError(given + " plus " + setup.ElectricText(coldJunctionEmf) + " "
                        + setup.Electric().unit + " for the reference junction at "
                        + setup.coldJunction->text + " " + setup.Temperature().unit
                        + " is outside the " + setup.DisplayName() + "'s range, "
                        + ElectricRangeText(setup));
}

// The conversion of a field sensor, in °C, µV and Ω.
double ConvertField(const TSensorSetup &setup, Extended engineInput)
{
    const TFieldSensor &sensor = setup.field->sensor;
    if (setup.direction == cdTempToElectricQuant) {
        const double t = setup.Celsius(engineInput);
        CheckMonotonic(*setup.field, t, t);
        return setup.coldJunction
                   ? sensor.ToElectricCompensated(t, setup.Celsius(setup.coldJunction->value))
                   : sensor.ToElectric(t);
    }
    if (setup.coldJunction)
        return sensor.ToTemperatureCompensated(static_cast<double>(engineInput),
                                               setup.Celsius(setup.coldJunction->value));
    // a resistance a little beyond the range, as a printed limit may be, is the limit
    const TValueRange range = sensor.ElectricRange();
    const double x = std::clamp(static_cast<double>(engineInput), range.Low, range.High);
    return sensor.ToTemperature(setup.Thermocouple() ? static_cast<double>(engineInput) : x);
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
        if (setup.field) {
            result.Value = ConvertField(setup, engineInput);
            if (!toElectric)
                result.Value = setup.Shown(result.Value);
        } else if (setup.coldJunction)
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
                        + " has no result within the " + setup.DisplayName() + "'s range, "
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
    std::string toleranceClass;
    TCurveArgs curve;
};

// The sensor whose tolerance classes apply and its class letter ('P' or a thermocouple's); throws
// for a sensor without classes.
char ClassSensor(TSensorSetup &setup, const std::string &option)
{
    setup.classSensor
        = setup.field ? std::optional(setup.field->sensor) : FieldSensorOf(setup.name.sensor);
    const char sensor = setup.classSensor ? setup.classSensor->ToleranceSensor() : 0;
    if (sensor == 0)
        throw TCliError(option + ": the " + setup.DisplayName()
                        + " has no tolerance classes; they are defined for platinum on the "
                          "IEC 60751 curve (pt100, pt1000, pt) and for thermocouples");
    return sensor;
}

void SetToleranceClass(TSensorSetup &setup, const std::string &text)
{
    const char sensor = ClassSensor(setup, "--class " + text);
    setup.toleranceClass = FindToleranceClass(sensor, text);
    if (setup.toleranceClass)
        return;
    std::string known;
    for (const TClassKey &key : ToleranceClassesOf(sensor)) {
        if (key.Sensor != 'F')
            known += (known.empty() ? "" : ", ") + std::string(key.Name);
    }
    if (sensor == 'P')
        known += " (wire-wound), or the designations W 0.1 to W 0.6 and F 0.1 to F 0.6";
    throw TCliError("unknown class '" + text + "' for the " + setup.DisplayName() + "; expected "
                    + known);
}

TSensorSetup ParseSetup(const TSensorArgs &args, TConversionDirection direction)
{
    TSensorSetup setup{
        {"", stPt1000, ""}, direction,    ParseUnit(args.unit), ParseEmfUnit(args.emfUnit),
        std::nullopt,       std::nullopt, std::nullopt,         std::nullopt};
    if (const std::optional<TSensorName> name = ParseSensor(args.sensor)) {
        setup.name = *name;
        RefuseCurveOptions(args.curve, setup.DisplayName());
    } else {
        setup.field = ParseFieldSensor(Lower(args.sensor), args.curve);
        if (direction == cdElectricQuantToTemp) {
            const TValueRange range = setup.field->sensor.TempRange();
            CheckMonotonic(*setup.field, range.Low, range.High);
        }
    }
    if (!args.coldJunction.empty()) {
        if (!setup.Thermocouple())
            throw TCliError("--cj applies to thermocouples only, not to the "
                            + setup.DisplayName());
        const TInputValue coldJunction = ParseNumber(args.coldJunction, "--cj");
        CheckTemperature(setup, coldJunction, "--cj");
        setup.coldJunction = coldJunction;
    }
    if (!args.toleranceClass.empty())
        SetToleranceClass(setup, args.toleranceClass);
    return setup;
}

nlohmann::ordered_json Settings(const TSensorSetup &setup)
{
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["sensor"] = setup.ShortName();
    if (setup.field && !setup.Thermocouple())
        settings["curve"] = setup.field->displayName;
    settings["unit"] = setup.unit == unFahrenheit ? "F" : "C";
    if (setup.Thermocouple()) {
        settings["emf_unit"] = setup.emfUnit == TEmfUnit::Millivolt ? "mV" : "uV";
        settings["cold_junction"]
            = setup.coldJunction
                  ? nlohmann::ordered_json(static_cast<double>(setup.coldJunction->value))
                  : nlohmann::ordered_json(0.0);
    }
    if (setup.toleranceClass)
        settings["class"] = ClassLabel(*setup.toleranceClass);
    return settings;
}

std::string SensorList()
{
    std::string list;
    for (const TSensorName &sensor : SensorNames)
        list += (list.empty() ? "" : "|") + std::string(sensor.shortName);
    return list + "|" + FieldSensorList("|");
}

// The ± columns of a class: the permitted deviation in the temperature unit and in the
// electrical one.
std::vector<TColumn> ToleranceColumns(const TSensorSetup &setup)
{
    const TColumn t = setup.Temperature();
    const TColumn e = setup.Electric();
    return {{"temperature_tolerance", "±", t.unit, t.asciiUnit, false, true},
            {e.key + "_tolerance", "±", e.unit, e.asciiUnit, false, true}};
}

// The class's permitted deviation at t °C; a word where the class is not defined, said once on
// standard error.
std::pair<TCell, TCell> ToleranceCells(const TSensorSetup &setup, double celsius,
                                       TRunContext &context, bool &noted)
{
    const std::optional<double> deviation = PermittedDeviation(*setup.toleranceClass, celsius);
    if (!deviation) {
        if (!noted) {
            const TClassRange range = ClassRange(*setup.toleranceClass);
            context.Note(ClassLabel(*setup.toleranceClass) + " is defined from "
                         + MessageNumber(range.Low) + " to " + MessageNumber(range.High)
                         + " °C only; outside, no tolerance is given");
            noted = true;
        }
        return {std::string("outside class"), std::monostate()};
    }
    const double temperature = setup.unit == unFahrenheit ? *deviation * 1.8 : *deviation;
    const double electric = setup.classSensor->ElectricDeviation(celsius, *deviation)
                            / static_cast<double>(setup.ElectricScale());
    return {temperature, electric};
}

// The temperature of a row in °C: the input or the result.
double RowCelsius(const TSensorSetup &setup, const TCell &temperature)
{
    if (const auto *given = std::get_if<TGiven>(&temperature))
        return setup.Celsius(given->value);
    if (const auto *single = std::get_if<float>(&temperature))
        return setup.Celsius(*single);
    return setup.Celsius(std::get<double>(temperature));
}

void AddSensorOptions(CLI::App &command, TSensorArgs &args, bool coldJunction, bool classOption)
{
    command
        .add_option("SENSOR", args.sensor,
                    "pt1000, pt100, ni1000, ntc2252, thermocouple type k, j, s, b, t, n, e, r; "
                    "platinum pt of any --r0 (or its own --cvd), ni1000-tk5000 (TK 5000 ppm/K, "
                    "LG-Ni1000), copper cu, thermistor ntc (--r25 with --beta, --sh or --curve)")
        ->type_name(SensorList())
        ->required();
    command.add_option("--unit", args.unit, "unit of every temperature: C or F")
        ->type_name("C|F")
        ->default_str("C");
    if (coldJunction)
        command
            .add_option("--cj", args.coldJunction,
                        "reference junction temperature of a thermocouple, in --unit (default: 0 "
                        "°C, no compensation); compensated in voltage as E(t) - E(cj)")
            ->type_name("T");
    command
        .add_option("--emf-unit", args.emfUnit,
                    "unit of a thermocouple's thermo-voltage, input and output: uV or mV")
        ->type_name("uV|mV")
        ->default_str("uV");
    if (classOption)
        command
            .add_option("--class", args.toleranceClass,
                        "tolerance class, adding its ± in the temperature and the electrical unit: "
                        "IEC 60751 AA, A, B, C (wire-wound; W 0.1 ... F 0.6 for the element "
                        "designations) for platinum on the IEC curve, IEC 60584-1 1, 2, 3 for "
                        "thermocouples")
            ->type_name("CLASS");
    AddCurveOptions(command, args.curve);
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
    // with a class, each quantity followed by its ±
    const bool tolerance = setup.toleranceClass.has_value();
    const std::vector<TColumn> plus = tolerance ? ToleranceColumns(setup) : std::vector<TColumn>{};
    std::vector<TColumn> columns{toElectric ? setup.Temperature() : setup.Electric()};
    if (tolerance)
        columns.push_back(plus[toElectric ? 0 : 1]);
    columns.push_back(toElectric ? setup.Electric() : setup.Temperature());
    if (tolerance)
        columns.push_back(plus[toElectric ? 1 : 0]);
    TReportWriter writer("temp", columns, std::move(settings), context.Options());
    bool noted = false;
    TReading reading;
    while (readings.Next(reading)) {
        std::vector<TCell> cells(columns.size());
        context.Row([&] {
            if (!reading.problem.empty())
                throw TCliError(reading.Where() + reading.problem);
            const TInputValue input = ReadingValue(reading, 0, inputName);
            const TCell given = TGiven{input.text, static_cast<double>(input.value)};
            cells[0] = given;
            TCell result;
            try {
                result = Convert(setup, input);
            } catch (const TCliError &error) {
                throw TCliError(reading.Where() + error.what());
            }
            if (!tolerance) {
                cells = {given, result};
                return;
            }
            const auto [temperature, electric] = ToleranceCells(
                setup, RowCelsius(setup, toElectric ? given : result), context, noted);
            cells = toElectric ? std::vector<TCell>{given, temperature, result, electric}
                               : std::vector<TCell>{given, electric, result, temperature};
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
    if (setup.field) {
        lo = setup.field->sensor.TempRange().Low;
        hi = setup.field->sensor.TempRange().High;
    } else {
        GetSensorLimits(setup.name.sensor, cdTempToElectricQuant, lo, hi);
    }
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
    if (setup.field)
        CheckMonotonic(*setup.field, setup.Celsius(from.value), setup.Celsius(to.value));
    const TTableRows rows(from, to, step);

    nlohmann::ordered_json settings = Settings(setup);
    settings["from"] = static_cast<double>(from.value);
    settings["to"] = static_cast<double>(to.value);
    settings["step"] = static_cast<double>(step.value);
    const bool tolerance = setup.toleranceClass.has_value();
    std::vector<TColumn> columns{setup.Temperature(), setup.Electric()};
    if (tolerance) {
        const std::vector<TColumn> plus = ToleranceColumns(setup);
        columns = {columns[0], plus[0], columns[1], plus[1]};
    }
    TReportWriter writer("table", columns, std::move(settings), context.Options());
    bool noted = false;
    for (std::size_t i = 0; i < rows.Count(); ++i) {
        const TInputValue t = rows.At(i);
        const TCell given = TGiven{t.text, static_cast<double>(t.value)};
        std::vector<TCell> cells(columns.size());
        cells[0] = given;
        context.Row([&] {
            const TCell result = Convert(setup, t);
            if (!tolerance) {
                cells[1] = result;
                return;
            }
            const auto [temperature, electric]
                = ToleranceCells(setup, RowCelsius(setup, given), context, noted);
            cells = {given, temperature, result, electric};
        });
        writer.AddRow(cells);
    }
    writer.Finish(context.Out());
}

struct TToleranceArgs
{
    TSensorArgs sensor;
    std::vector<std::string> values;
};

void RunTolerance(const TToleranceArgs &args, TRunContext &context)
{
    const TSensorSetup setup = ParseSetup(args.sensor, cdTempToElectricQuant);
    TReadings readings(args.values, context.In(), context.Args().input);
    const std::vector<TColumn> plus = ToleranceColumns(setup);
    const std::vector<TColumn> columns{setup.Temperature(), plus[0], plus[1]};
    TReportWriter writer("tolerance", columns, Settings(setup), context.Options());
    bool noted = false;
    TReading reading;
    while (readings.Next(reading)) {
        std::vector<TCell> cells(columns.size());
        context.Row([&] {
            if (!reading.problem.empty())
                throw TCliError(reading.Where() + reading.problem);
            const TInputValue input = ReadingValue(reading, 0, "temperature");
            cells[0] = TGiven{input.text, static_cast<double>(input.value)};
            try {
                CheckTemperature(setup, input, "temperature");
                const auto [temperature, electric]
                    = ToleranceCells(setup, setup.Celsius(input.value), context, noted);
                cells[1] = temperature;
                cells[2] = electric;
            } catch (const TCliError &error) {
                throw TCliError(reading.Where() + error.what());
            }
        });
        writer.AddRow(cells);
    }
    if (readings.Count() == 0)
        throw TCliError("no temperature given, and none in the input");
    writer.Finish(context.Out());
}

struct TCheckArgs
{
    TSensorArgs sensor;
    std::string reference;
    std::string reading;
};

void RunCheck(const TCheckArgs &args, TRunContext &context)
{
    TSensorSetup setup = ParseSetup(args.sensor, cdElectricQuantToTemp);
    const char sensor = ClassSensor(setup, "check");
    const TInputValue reference = ParseNumber(args.reference, "--reference");
    CheckTemperature(setup, reference, "--reference");
    const TInputValue reading = ParseNumber(args.reading, "--reading");
    const TCell measured = Convert(setup, reading);
    const double shown = std::holds_alternative<float>(measured) ? std::get<float>(measured)
                                                                 : std::get<double>(measured);
    const double deviation = shown - static_cast<double>(reference.value);
    const double celsius = setup.Celsius(reference.value);
    std::string met;
    for (const TClassKey &key :
         ClassesMet(sensor, celsius, setup.unit == unFahrenheit ? deviation / 1.8 : deviation))
        met += (met.empty() ? "" : ", ") + ClassLabel(key);
    if (met.empty())
        met = "none";

    const TColumn t = setup.Temperature();
    const std::vector<TColumn> columns{
        {"reading", "reading", setup.Electric().unit, setup.Electric().asciiUnit},
        t,
        {"reference", "reference", t.unit, t.asciiUnit},
        {"deviation", "deviation", t.unit, t.asciiUnit},
        {"classes_met", "classes met", "", "", true}};
    TReportWriter writer("check", columns, Settings(setup), context.Options(), TLayout::Quantities);
    writer.AddRow({TGiven{reading.text, static_cast<double>(reading.value)}, measured,
                   TGiven{reference.text, static_cast<double>(reference.value)}, deviation, met});
    writer.Finish(context.Out());
}

} // namespace

TCommand AddToleranceCommand(CLI::App &app)
{
    auto args = std::make_shared<TToleranceArgs>();
    CLI::App *command = app.add_subcommand(
        "tolerance", "The permitted deviation of a tolerance class at each temperature, in the "
                     "temperature and the electrical unit.");
    command->footer("Classes: IEC 60751:2008 AA, A, B, C for platinum on the IEC 60751 curve "
                    "(pt100, pt1000, pt of any --r0), wire-wound elements (W 0.1 ... W 0.6) or "
                    "film elements (F 0.1 ... F 0.6); IEC 60584-1:2013 1, 2, 3 for the "
                    "thermocouples, reference junction at 0 °C. Outside its range a class has no "
                    "tolerance, and the row says so. "
                    + InputHelp("VALUEs")
                    + "\n\nExamples: velmora-cli tolerance pt100 --class A -50 0 100\n"
                      "          velmora-cli tolerance k --class 2 --emf-unit mV 500");
    AddSensorOptions(*command, args->sensor, false, true);
    command->get_option("--class")->required();
    command
        ->add_option("VALUE", args->values,
                     "temperatures (in --unit); none: read them from the input")
        ->type_name("NUMBER");
    auto common = AddCommonOptions(*command, true, true);
    return {command, common, [args](TRunContext &context) {
                RunTolerance(*args, context);
            }};
}

TCommand AddCheckCommand(CLI::App &app)
{
    auto args = std::make_shared<TCheckArgs>();
    CLI::App *command = app.add_subcommand(
        "check", "Whether a sensor is within its class: the reading converted, its deviation "
                 "from the reference temperature, and the classes that deviation meets.");
    command->footer("A class is met when the reference temperature lies within the class's range "
                    "and the deviation is within its tolerance there.\n\nExamples: velmora-cli "
                    "check pt100 --reference 100 --reading 138.62\n"
                    "          velmora-cli check k --reference 500 --reading 19800 --cj 22");
    AddSensorOptions(*command, args->sensor, true, false);
    AddNumberOption(*command, "--reference", args->reference,
                    "the reference temperature, in --unit")
        ->required();
    AddNumberOption(*command, "--reading", args->reading,
                    "the sensor's reading: resistance in Ω or thermo-voltage in --emf-unit")
        ->required();
    auto common = AddCommonOptions(*command, false, false);
    return {command, common, [args](TRunContext &context) {
                RunCheck(*args, context);
            }};
}

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
    AddSensorOptions(*command, args->sensor, true, true);
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
    AddSensorOptions(*command, args->sensor, true, true);
    AddNumberOption(*command, "--from", args->from, "first temperature (default: lower limit)");
    AddNumberOption(*command, "--to", args->to, "last temperature (default: upper limit)");
    AddNumberOption(*command, "--step", args->step, "temperature step")->default_str("1");
    auto common = AddCommonOptions(*command, false, false);
    return {command, common, [args](TRunContext &context) {
                RunTable(*args, context);
            }};
}

} // namespace cli
