// SPDX-License-Identifier: MIT
// humidity: the humidity quantities of moist air, each with its ± accuracy, for one state or for
// readings of temperature, relative humidity and pressure.

#include "commands/Command.h"
#include "commands/HumidityQuantities.h"
#include "input/PressureText.h"
#include "input/ReadingRunner.h"

#include "arith.h"
#include "humidity/HumidityAtTemp.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/humidity.h"

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
    std::string atmosphere;
    std::string tempAccuracy = "0.4";
    std::string relHumAccuracy = "2.5";
    std::string quantities;
    std::string atTemp;
    // Columns of a delimited log: --temp-column, one humidity column, --pressure-column.
    std::string tempColumn;
    std::array<std::string, 4> humidityColumns;
    std::string pressureColumn;
};

// What stands for the humidity of a single state: one of these options.
enum THumidityInput { hiRelHum, hiDewPoint, hiFrostPoint, hiWetBulb };

struct THumidityOption
{
    THumidityInput kind;
    const char *option;
    const char *name;
    double max;         // highest value the engine takes, before the air temperature's own rule
    const char *column; // the option of its column in a log
};

constexpr std::array<THumidityOption, 4> HumidityOptions{{
    {hiRelHum, "--rh", "relative humidity", humidity::InputRelHumMax, "--rh-column"},
    {hiDewPoint, "--dew-point", "dew point", humidity::InputTempMax, "--dew-point-column"},
    {hiFrostPoint, "--frost-point", "frost point", humidity::InputFrostPointMax,
     "--frost-point-column"},
    {hiWetBulb, "--wet-bulb", "wet bulb", humidity::InputTempMax, "--wet-bulb-column"},
}};

// A temperature, relative humidity and optionally pressure a line.
constexpr std::size_t InputColumns = 3;

struct THumidityPlan
{
    TInputValue tempAccuracy;
    TInputValue relHumAccuracy;
    TPressureSetting pressures;
    TInputValue defaultPress;
    // A single state: --temp with this humidity option; none: readings from the input.
    const THumidityOption *single = nullptr;
    // What the second value of a reading of the input is.
    const THumidityOption *readingKind = &HumidityOptions[hiRelHum];
    std::unique_ptr<TReadings> readings;
    std::vector<std::size_t> quantities;
    // --at-temp: the relative humidity of the same air at this temperature.
    std::optional<TInputValue> atTemp;
};

void CheckInputs(const TInputValue &temp, const TInputValue &relHum, bool relHumGiven,
                 const TInputValue &press)
{
    using namespace humidity;
    if (!(temp.value >= InputTempMin && temp.value <= InputTempMax))
        throw TCliError("temperature " + temp.text + " °C is outside " + MessageNumber(InputTempMin)
                        + " to " + MessageNumber(InputTempMax) + " °C");
    CheckPressure(press, "pressure");
    if (relHumGiven && !(relHum.value >= InputRelHumMin && relHum.value <= InputRelHumMax))
        throw TCliError("relative humidity " + relHum.text + " % is outside "
                        + MessageNumber(InputRelHumMin) + " to " + MessageNumber(InputRelHumMax)
                        + " %");
}

// The relative humidity for a dew point, frost point or wet bulb, or the refusal that names the
// value and the rule it breaks.
double RelHumFrom(const THumidityOption &option, const TInputValue &given, const TInputValue &temp,
                  const TInputValue &press)
{
    const double t = static_cast<double>(temp.value);
    const double value = static_cast<double>(given.value);
    const double p = static_cast<double>(press.value);
    const auto relHumFrom = [&](double v) {
        return option.kind == hiDewPoint     ? humidity::RelHumFromDewPoint(t, v)
               : option.kind == hiFrostPoint ? humidity::RelHumFromFrostPoint(t, v)
                                             : humidity::RelHumFromWetBulb(t, v, p);
    };
    const humidity::TRelHumInput r = relHumFrom(value);
    if (r.fault == humidity::ifNone)
        return r.relHum;
    // A saturated state's own dew point, frost point or wet bulb, printed to fewer digits, may
    // round past its bound (the air temperature, saturated air's frost point); it is the bound.
    const double bound = r.fault == humidity::ifAboveAirTemperature ? t
                         : r.fault == humidity::ifAboveSaturation
                             ? humidity::SaturationFrostPoint(t)
                             : humidity::NoValueSentinel;
    if (bound != humidity::NoValueSentinel
        && value <= RoundedTo(bound, GivenDecimals(given.text))) {
        const humidity::TRelHumInput atBound = relHumFrom(bound);
        if (atBound.fault == humidity::ifNone)
            return atBound.relHum;
    }
    throw TCliError(HumidityFaultMessage(
        r.fault, {std::string(option.name) + " " + given.text + " °C", option.max,
                  option.kind == hiWetBulb ? "the dry bulb " : "the air temperature ", temp.text,
                  press.text, "", false}));
}

// The columns of a log chosen by the column options, in the order of a reading's values; none
// when no column option is given.
TInputArgs ColumnsOfLog(const THumidityArgs &args, const TInputArgs &input, THumidityPlan &plan)
{
    TInputArgs columns = input;
    const THumidityOption *kind = nullptr;
    for (std::size_t i = 0; i < HumidityOptions.size(); ++i) {
        if (args.humidityColumns[i].empty())
            continue;
        if (kind)
            throw TCliError(std::string("give one of --rh-column, --dew-point-column, "
                                        "--frost-point-column and --wet-bulb-column, not both ")
                            + kind->column + " and " + HumidityOptions[i].column);
        kind = &HumidityOptions[i];
    }
    if (!kind && args.tempColumn.empty() && args.pressureColumn.empty())
        return columns;
    if (!kind || args.tempColumn.empty())
        throw TCliError("give --temp-column with one of --rh-column, --dew-point-column, "
                        "--frost-point-column or --wet-bulb-column");
    plan.readingKind = kind;
    columns.columns = {{"--temp-column", args.tempColumn},
                       {kind->column, args.humidityColumns[kind->kind]},
                       {"--pressure-column", args.pressureColumn}};
    return columns;
}

THumidityPlan PlanHumidity(const THumidityArgs &args, const TInputArgs &input, TRunContext &context)
{
    THumidityPlan plan;
    plan.tempAccuracy = ParseNumber(args.tempAccuracy, "--temp-accuracy");
    plan.relHumAccuracy = ParseNumber(args.relHumAccuracy, "--rh-accuracy");
    if (!humidity::TempAccuracyValid(plan.tempAccuracy.value))
        throw TCliError("--temp-accuracy " + plan.tempAccuracy.text + " °C is outside 0 to "
                        + MessageNumber(humidity::TempAccuracyMax) + " °C");
    if (!humidity::RelHumAccuracyValid(plan.relHumAccuracy.value))
        throw TCliError("--rh-accuracy " + plan.relHumAccuracy.text + " % is outside 0 to "
                        + MessageNumber(humidity::RelHumAccuracyMax) + " %");
    plan.pressures = PlanPressures(args.pressureUnit, args.atmosphere, {args.press});
    plan.defaultPress = args.press.empty()
                            ? ParseNumber(MessageNumber(humidity::DefaultPressure), "")
                            : ParsePressureText(args.press, "--pressure", plan.pressures);
    CheckPressure(plan.defaultPress, "--pressure");

    const std::array<const std::string *, HumidityOptions.size()> humidityTexts{
        &args.relHum, &args.dewPoint, &args.frostPoint, &args.wetBulb};
    for (std::size_t i = 0; i < HumidityOptions.size(); ++i) {
        if (humidityTexts[i]->empty())
            continue;
        if (plan.single)
            throw TCliError(std::string("give one of --rh, --dew-point, --frost-point and "
                                        "--wet-bulb, not both ")
                            + plan.single->option + " and " + HumidityOptions[i].option);
        plan.single = &HumidityOptions[i];
    }
    if ((!args.temp.empty() || plan.single) && (args.temp.empty() || !plan.single))
        throw TCliError("give --temp with one of --rh, --dew-point, --frost-point or --wet-bulb, "
                        "or none of them to read readings from the input");
    const TInputArgs columns = ColumnsOfLog(args, input, plan);
    if (plan.single && !columns.columns.empty())
        throw TCliError("the column options read a log; give them without --temp and "
                        + std::string(plan.single->option));
    plan.readings = std::make_unique<TReadings>(std::vector<std::string>{}, context.In(), columns,
                                                InputColumns);
    if (plan.single)
        plan.readings = std::make_unique<TReadings>(
            std::vector<std::string>{args.temp, *humidityTexts[plan.single->kind]});
    if (!args.atTemp.empty()) {
        const TInputValue atTemp = ParseNumber(args.atTemp, "--at-temp");
        if (!(atTemp.value >= humidity::InputTempMin && atTemp.value <= humidity::InputTempMax))
            throw TCliError("--at-temp " + atTemp.text + " °C is outside "
                            + MessageNumber(humidity::InputTempMin) + " to "
                            + MessageNumber(humidity::InputTempMax) + " °C");
        plan.atTemp = atTemp;
    }
    plan.quantities = SelectQuantities(args.quantities,
                                       !plan.single && context.Options().format == TFormat::Text);
    return plan;
}

void RunHumidity(const THumidityPlan &plan, TRunContext &context)
{
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["pressure"] = static_cast<double>(plan.defaultPress.value);
    AddAtmosphere(settings, plan.pressures);
    settings["temp_accuracy"] = static_cast<double>(plan.tempAccuracy.value);
    settings["rh_accuracy"] = static_cast<double>(plan.relHumAccuracy.value);
    std::vector<TColumn> columns = HumidityColumns(plan.quantities);
    if (plan.atTemp) {
        settings["at_temp"] = static_cast<double>(plan.atTemp->value);
        columns.push_back({"rh_at_temp", "relative humidity at " + plan.atTemp->text + " °C", "%",
                           "pct", false, false, "RH at T2"});
        columns.push_back({"rh_at_temp_accuracy", "±", "%", "pct", false, true});
    }
    const std::size_t atTempColumn = columns.size() - 2;
    TReportWriter writer("humidity", std::move(columns), std::move(settings), context.Options(),
                         plan.single ? TLayout::Quantities : TLayout::Rows);
    humidity::ResetModuleState();
    humidity::TModuleState &state = humidity::moduleState;
    const THumidityOption &option = plan.single ? *plan.single : *plan.readingKind;
    bool noUnboundedNote = false; // the unbounded dew and frost points are said once
    RunReadings(
        *plan.readings, context, writer, "reading", [&](const TReading &reading, TRow &row) {
            if (reading.fields.size() < 2 || reading.fields.size() > InputColumns)
                throw TCliError("has " + std::to_string(reading.fields.size())
                                + " values; expected temperature, " + option.name
                                + " and optionally pressure");
            const TInputValue temp
                = ReadingValue(reading, 0, plan.single ? "--temp" : "temperature");
            const TInputValue given
                = ReadingValue(reading, 1, plan.single ? option.option : option.name);
            const TInputValue press
                = reading.fields.size() > 2
                      ? ParsePressureText(reading.fields[2], "pressure", plan.pressures)
                      : plan.defaultPress;
            row[0] = TValue::Given(temp.text, static_cast<double>(temp.value));
            row[2] = TValue::Given(press.text, static_cast<double>(press.value));
            TInputValue relHum = given;
            const auto inputs = [&] {
                return "temperature " + temp.text + " °C, relative humidity " + relHum.text
                       + " %, pressure " + press.text + " Pa";
            };
            Calculate(inputs, [&] {
                CheckInputs(temp, relHum, option.kind == hiRelHum, press);
                if (option.kind == hiRelHum) {
                    row[1] = TValue::Given(relHum.text, static_cast<double>(relHum.value));
                } else {
                    const double found = RelHumFrom(option, given, temp, press);
                    relHum = {FormatNumber(found, DefaultDecimals), found};
                    row[1] = TValue::Number(found);
                }
                state.Temp = static_cast<double>(temp.value);
                state.RelHum = static_cast<double>(relHum.value);
                state.Press = static_cast<double>(press.value);
                state.TempAccuracy = static_cast<double>(plan.tempAccuracy.value);
                state.RelHumAccuracy = static_cast<double>(plan.relHumAccuracy.value);
                humidity::CalculateExtendedHumidity();
            });
            // Moist air whose vapour pressure reaches the total pressure does not exist.
            const bool impossible = state.VapPress >= state.Press;
            if (impossible)
                context.Note(reading.Where() + "at " + temp.text + " °C and " + relHum.text
                             + " % the vapour pressure, "
                             + FormatNumber(state.VapPress, DefaultDecimals)
                             + " Pa, is not below the pressure " + press.text
                             + " Pa: no such moist air; quantities that depend on the pressure are "
                               "shown as -----");
            // Where the relative humidity's accuracy reaches down to dry air, the dew and frost
            // points have no lower bound: their ± is none, not the slope's linear figure.
            const bool unbounded = !(state.RelHum - state.RelHumAccuracy > 0);
            bool pointShown = false;
            for (std::size_t i = 0; i < plan.quantities.size(); ++i) {
                const THumidityQuantity &quantity = HumidityQuantities[plan.quantities[i]];
                if (impossible && quantity.dependsOnPressure)
                    continue;
                const auto index = static_cast<std::size_t>(quantity.index);
                const auto &results = quantity.extended ? state.ExtResults : state.Results;
                const auto &accuracies = quantity.extended ? state.ExtAccuracies : state.Accuracies;
                const bool point = quantity.extended ? quantity.index == humidity::xiFrostPoint
                                                     : quantity.index == humidity::riDewPoint;
                row[InputColumns + 2 * i] = HumidityValue(results[index]);
                row[InputColumns + 2 * i + 1]
                    = unbounded && point ? TValue() : HumidityValue(accuracies[index]);
                pointShown = pointShown || (point && results[index] != humidity::NoValueSentinel);
            }
            if (unbounded && pointShown && !noUnboundedNote) {
                context.Note(reading.Where() + "at " + relHum.text + " % less its accuracy "
                             + plan.relHumAccuracy.text
                             + " % the air may be dry: the dew and frost points have no lower "
                               "bound, and their ± is shown as -----");
                noUnboundedNote = true;
            }
            if (plan.atTemp) {
                const humidity::TRelHumAtTemp at = humidity::RelHumAtTemp(
                    state.Temp, state.RelHum, static_cast<double>(plan.atTemp->value),
                    state.TempAccuracy, state.RelHumAccuracy, state.TempAccuracy);
                if (at.fault == humidity::atCondenses)
                    context.Note(reading.Where() + "at " + plan.atTemp->text + " °C the air of "
                                 + temp.text + " °C and " + relHum.text
                                 + " % lies below its dew point: it would condense");
                if (at.fault == humidity::atNone) {
                    row[atTempColumn] = TValue::Number(at.relHum);
                    row[atTempColumn + 1] = TValue::Number(at.accuracy);
                }
            }
        });
    writer.Finish(context.Out());
}

void AddHumidityOptions(CLI::App &command, THumidityArgs &args)
{
    using namespace humidity;
    const auto range = [](double lo, double hi) {
        return " (" + MessageNumber(lo) + " to " + MessageNumber(hi) + ")";
    };
    AddNumberOption(command, "--temp", args.temp,
                    "air temperature in °C" + range(InputTempMin, InputTempMax));
    AddNumberOption(command, "--rh", args.relHum,
                    "relative humidity in %" + range(InputRelHumMin, InputRelHumMax));
    AddNumberOption(command, "--dew-point", args.dewPoint,
                    "dew point in °C instead of --rh, at most the temperature");
    AddNumberOption(command, "--frost-point", args.frostPoint,
                    "frost point (over ice) in °C instead of --rh"
                        + range(InputTempMin, InputFrostPointMax));
    AddNumberOption(command, "--wet-bulb", args.wetBulb,
                    "psychrometric wet bulb in °C instead of --rh, at most the temperature");
    command
        .add_option("--pressure", args.press,
                    "total pressure, above 0 and at most " + MessageNumber(PressureMax)
                        + " Pa; a number alone is in --pressure-unit")
        ->type_name("PRESSURE")
        ->default_str(MessageNumber(DefaultPressure));
    AddPressureUnitOption(command, args.pressureUnit);
    AddAtmosphereOption(command, args.atmosphere);
    const std::string column = " of a delimited log: N (counted from 1) or the NAME of its heading";
    command.add_option("--temp-column", args.tempColumn, "the air temperature's column" + column)
        ->type_name("N|NAME");
    for (const THumidityOption &option : HumidityOptions)
        command
            .add_option(option.column, args.humidityColumns[option.kind],
                        std::string("the ") + option.name + "'s column (one of the four)" + column)
            ->type_name("N|NAME");
    command
        .add_option("--pressure-column", args.pressureColumn,
                    "the pressure's column, if any (else --pressure)" + column)
        ->type_name("N|NAME");
    AddNumberOption(command, "--temp-accuracy", args.tempAccuracy,
                    "± accuracy of the temperature in °C" + range(0, TempAccuracyMax))
        ->default_str(args.tempAccuracy);
    AddNumberOption(command, "--rh-accuracy", args.relHumAccuracy,
                    "± accuracy of the relative humidity in %" + range(0, RelHumAccuracyMax))
        ->default_str(args.relHumAccuracy);
    command
        .add_option("--quantities", args.quantities,
                    "the quantities to show, separated by commas: all, window (the window's "
                    "five) or any of "
                        + QuantityNames()
                        + " (default: all; in a text table of many readings the window's five, "
                          "so that it fits 100 columns)")
        ->type_name("LIST");
    AddNumberOption(command, "--at-temp", args.atTemp,
                    "also the relative humidity the same air has at this temperature in °C (the "
                    "same vapour pressure and pressure), as a reference hygrometer beside a "
                    "transmitter at another temperature needs")
        ->type_name("T2");
}

} // namespace

TCommand AddHumidityCommand(CLI::App &app)
{
    return DefineCommand(
        app,
        {"humidity",
         R"(Dew point, absolute and specific humidity, mixing ratio, specific
enthalpy, vapour pressures, frost point, wet bulb and volume ratio, each with its ± accuracy.)",
         R"(The humidity is given by one of --rh, --dew-point, --frost-point or --wet-bulb.
Pressures take a unit (1013.25hPa, 8bar, 7barg: )"
             + PressureUnitList() + R"(); results stay in absolute Pa. A gauge pressure is
above --atmosphere; one in the input needs --atmosphere given, so that the output names it. Without --temp and a humidity,
readings are read from --input FILE or standard input, one a line: temperature, relative humidity
and optionally pressure, separated by blanks, commas, semicolons or tabs, or the columns
--temp-column, --rh-column (or --dew-point-column, --frost-point-column, --wet-bulb-column) and
--pressure-column of a delimited log. A header row is recognised and named in the settings;
blank lines and lines starting with '#' are skipped. A quantity that does not
exist (no dew point at 0 %, no frost point at 0 °C and above) is shown as -----, an empty field
in CSV and null in JSON; so are those that depend on the pressure when the vapour pressure
reaches it, which is said on standard error.)",
         "",
         {"velmora-cli humidity --temp 20 --rh 50"}},
        TInputOptions::Input, AddHumidityOptions, PlanHumidity, RunHumidity);
}

} // namespace cli
