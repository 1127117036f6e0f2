// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

struct TBadInput
{
    const char *name;
    std::vector<std::string> args;
    std::string input;
    std::string message; // the whole line, after the program's name
};

class BadInput : public testing::TestWithParam<TBadInput>
{
};

// Scripts rely on a failed command writing nothing they could mistake for a result.
TEST_P(BadInput, OneLineOnStandardErrorStatus2AndNoOutput)
{
    const TBadInput &c = GetParam();
    const TCliRun run = RunCli(c.args, c.input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "velmora-cli: " + c.message + "\n");
}

const std::vector<std::string> Loop{"loop", "--lo", "0", "--hi", "100"};
const std::vector<std::string> Line{"line", "--x0", "0", "--x1", "10", "--y0", "0", "--y1", "100"};

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BadInput,
    testing::Values(
        TBadInput{"NoCommand",
                  {},
                  "",
                  "no command given; expected one of temp, table, tolerance, check, humidity, "
                  "pressure-dew-point, "
                  "loop, line, calibrate (see velmora-cli --help)"},
        TBadInput{"UnknownCommand",
                  {"frobnicate"},
                  "",
                  "unknown command 'frobnicate'; expected one of temp, table, tolerance, check, "
                  "humidity, pressure-dew-point, loop, line, calibrate"},
        TBadInput{"UnknownOption", With(Loop, {"--current", "4", "--bogus"}), "",
                  "unknown option '--bogus'"},
        TBadInput{"DecimalComma", With(Loop, {"--current", "4,5"}), "",
                  "current '4,5' is not a number (the decimal mark is '.')"},
        TBadInput{"TrailingLetters",
                  {"loop", "--lo", "0x", "--hi", "1", "--current", "4"},
                  "",
                  "--lo '0x' is not a number"},
        TBadInput{"NotANumber", With(Line, {"--x", "nan"}), "", "x 'nan' is not a number"},
        TBadInput{"Infinity", With(Line, {"--y", "inf"}), "", "y 'inf' is not a number"},
        TBadInput{"DoubleSign", With(Line, {"--x", "+-5"}), "", "x '+-5' is not a number"},
        TBadInput{"BeyondExtended", With(Line, {"--x", "1e99999"}), "",
                  "x '1e99999' is out of range (beyond 1.7976931348623157e+308 in size)"},
        TBadInput{"BadNumberOnAnInputLine", With(Loop, {"--current"}), "4\n5 six\n",
                  "line 2: current 'six' is not a number"},
        TBadInput{"NothingOnInput", With(Loop, {"--value"}), "\n# none\n",
                  "no output value given, and none in the input"},
        TBadInput{"NoDirection", Loop, "",
                  "give --current (to calculate the output value) or --value (to calculate "
                  "the current)"},
        TBadInput{"BothDirections", With(Loop, {"--current", "4", "--value", "5"}), "",
                  "--current excludes --value"},
        TBadInput{"FlatLoopToCurrent",
                  {"loop", "--lo", "5", "--hi", "5", "--value", "3"},
                  "",
                  "--lo and --hi are both 5: the output values for 4 mA and 20 mA must differ to "
                  "calculate a current"},
        TBadInput{"EqualX",
                  {"line", "--x0", "1", "--x1", "1", "--y0", "0", "--y1", "1", "--x", "2"},
                  "",
                  "--x0 and --x1 are both 1: x0 must be different from x1 to calculate y = f(x)"},
        TBadInput{"EqualY",
                  {"line", "--x0", "1", "--x1", "2", "--y0", "7", "--y1", "7", "--y", "2"},
                  "",
                  "--y0 and --y1 are both 7: y0 must be different from y1 to calculate x = "
                  "f^-1(y)"},
        TBadInput{"MissingPoint",
                  {"line", "--x0", "1", "--x1", "2", "--y0", "7", "--x", "2"},
                  "",
                  "line needs --y1 (NUMBER: y of the second point)"},
        TBadInput{"UnknownFormat", With(Loop, {"--current", "4", "--format", "xml"}), "",
                  "--format 'xml' is not one of text, csv, tsv, json, svg"},
        TBadInput{"NegativeDecimals", With(Loop, {"--current", "4", "--decimals", "-1"}), "",
                  "--decimals '-1' is not a whole number from 0 to 17 or 'full'"},
        TBadInput{"HumidityTooHot",
                  {"humidity", "--temp", "250", "--rh", "50"},
                  "",
                  "temperature 250 °C is outside -100 to 200 °C"},
        TBadInput{"HumidityOver100",
                  {"humidity", "--temp", "20", "--rh", "100.5"},
                  "",
                  "relative humidity 100.5 % is outside 0 to 100 %"},
        TBadInput{"TempAccuracy",
                  {"humidity", "--temp", "20", "--rh", "50", "--temp-accuracy", "200.5"},
                  "",
                  "--temp-accuracy 200.5 °C is outside 0 to 200 °C"},
        TBadInput{"NegativeRhAccuracy",
                  {"humidity", "--temp", "20", "--rh", "50", "--rh-accuracy", "-1"},
                  "",
                  "--rh-accuracy -1 % is outside 0 to 100 %"},
        TBadInput{"HumidityTempWithoutRh",
                  {"humidity", "--temp", "20"},
                  "",
                  "give --temp with one of --rh, --dew-point, --frost-point or --wet-bulb, or "
                  "none of them to read readings from the input"},
        TBadInput{"HumidityTwoHumidities",
                  {"humidity", "--temp", "20", "--rh", "50", "--dew-point", "9"},
                  "",
                  "give one of --rh, --dew-point, --frost-point and --wet-bulb, not both --rh and "
                  "--dew-point"},
        TBadInput{"DewPointAboveAir",
                  {"humidity", "--temp", "20", "--dew-point", "20.5"},
                  "",
                  "dew point 20.5 °C is above the air temperature 20 °C"},
        TBadInput{"WetBulbAboveDryBulb",
                  {"humidity", "--temp", "20", "--wet-bulb", "21"},
                  "",
                  "wet bulb 21 °C is above the dry bulb 20 °C"},
        TBadInput{"WetBulbBelowDryAir",
                  {"humidity", "--temp", "40", "--wet-bulb", "10"},
                  "",
                  "wet bulb 10 °C is too far below the dry bulb 40 °C: even dry air has a higher "
                  "wet bulb"},
        TBadInput{"FrostPointBeyondSaturation",
                  {"humidity", "--temp", "-10", "--frost-point", "-8"},
                  "",
                  "frost point -8 °C needs more vapour than air at -10 °C holds (relative "
                  "humidity above 100 %)"},
        TBadInput{"FrostPointAboveZero",
                  {"humidity", "--temp", "20", "--frost-point", "1"},
                  "",
                  "frost point 1 °C is outside -100 to 0 °C"},
        TBadInput{"PressureZeroWithUnit",
                  {"humidity", "--temp", "20", "--rh", "50", "--pressure", "0hPa"},
                  "",
                  "--pressure 0 Pa is not above 0 and at most 999999999999999 Pa"},
        TBadInput{"PressureUnknownUnit",
                  {"humidity", "--temp", "20", "--rh", "50", "--pressure", "1013mmHg"},
                  "",
                  "--pressure '1013mmHg': unknown unit 'mmHg'; expected a pressure in Pa, hPa, "
                  "kPa, MPa, mbar, bar, psi, kPag, barg or psig"},
        TBadInput{"PressureUnitOption",
                  {"humidity", "--temp", "20", "--rh", "50", "--pressure-unit", "atm"},
                  "",
                  "--pressure-unit 'atm' is not one of Pa, hPa, kPa, MPa, mbar, bar, psi, kPag, "
                  "barg or psig"},
        // A unit in the wrong case or of another quantity is named with what was meant.
        TBadInput{"PressureUnitInTheWrongCase",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "7BAR", "--to", "1bar"},
                  "",
                  "--at '7BAR': unknown unit 'BAR'; did you mean 'bar'?"},
        TBadInput{"PressureUnitOptionInTheWrongCase",
                  {"humidity", "--temp", "20", "--rh", "50", "--pressure-unit", "KPA"},
                  "",
                  "--pressure-unit 'KPA' is not one of Pa, hPa, kPa, MPa, mbar, bar, psi, kPag, "
                  "barg or psig; did you mean 'kPa'?"},
        TBadInput{"EmfUnitInTheWrongCase",
                  {"temp", "k", "--to", "temperature", "12.3MV"},
                  "",
                  "emf '12.3MV': unknown unit 'MV'; did you mean 'mV'?"},
        TBadInput{"EmfUnitOptionInTheWrongCase",
                  {"temp", "k", "--to", "temperature", "12.3", "--emf-unit", "MV"},
                  "",
                  "--emf-unit 'MV' is not uV or mV; did you mean 'mV'?"},
        TBadInput{"ResistanceUnitMistyped",
                  {"check", "pt100", "--reference", "100", "--reading", "138.5ohms"},
                  "",
                  "--reading '138.5ohms': unknown unit 'ohms'; did you mean 'ohm'?"},
        TBadInput{"ResistanceForAThermocouple",
                  {"temp", "k", "--to", "temperature", "12.3ohm"},
                  "",
                  "emf '12.3ohm' is a resistance; expected an emf in uV, µV, mV or V"},
        TBadInput{"EmfForAPressure",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "7mV", "--to", "1bar"},
                  "",
                  "--at '7mV' is an emf; expected a pressure in Pa, hPa, kPa, MPa, mbar, bar, psi, "
                  "kPag, barg or psig"},
        TBadInput{"UnknownUnitOfAResistance",
                  {"temp", "pt100", "--to", "temperature", "100xyz"},
                  "",
                  "resistance '100xyz': unknown unit 'xyz'; expected a resistance in ohm, Ω, "
                  "kohm, kΩ, Mohm or MΩ"},
        TBadInput{"LeadResistanceWithItsUnitOutOfRange",
                  {"temp", "pt100", "--to", "temperature", "120", "--lead-resistance", "2Mohm"},
                  "",
                  "--lead-resistance 2Mohm is outside 0 to 1000000 Ω"},
        TBadInput{"UnitWithoutANumber",
                  {"temp", "pt100", "--to", "temperature", "kohm"},
                  "",
                  "resistance 'kohm' is not a number, with or without a unit"},
        TBadInput{"InputLineWithAMistypedUnit",
                  {"temp", "k", "--to", "temperature", "--emf-unit", "mV"},
                  "1.5mV\n2.5Mv\n",
                  "line 2: emf '2.5Mv': unknown unit 'Mv'; did you mean 'mV'?"},
        // A gauge pressure is above the atmosphere; the absolute pressure must stay above 0.
        TBadInput{"GaugePressureBelowVacuum",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "7barg", "--to", "-2barg"},
                  "",
                  "--to '-2barg' is -98675 Pa absolute (gauge plus the atmosphere 101325 Pa); an "
                  "absolute pressure must be above 0"},
        TBadInput{"GaugeAtmosphere",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "7barg", "--to", "0barg",
                   "--atmosphere", "0barg"},
                  "",
                  "--atmosphere '0barg' is a gauge pressure; the atmosphere is absolute, as "
                  "1013.25hPa"},
        TBadInput{"AtmosphereNotAbove0",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "7barg", "--to", "0barg",
                   "--atmosphere", "0"},
                  "",
                  "--atmosphere 0 Pa is not above 0 and at most 999999999999999 Pa"},
        // The output must name the atmosphere a result rests on.
        TBadInput{"GaugePressureOfTheInputWithoutAtmosphere",
                  {"humidity"},
                  "20 50 1013.25hPa\n20 50 2barg\n",
                  "line 2: pressure '2barg' is a gauge pressure; give --atmosphere, the absolute "
                  "pressure it is above (101325Pa is the standard atmosphere)"},
        TBadInput{"PressureDewPointNegativePressure",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "8bar", "--to", "-1bar"},
                  "",
                  "--to -100000 Pa is not above 0 and at most 999999999999999 Pa"},
        // The same pressures as humidity takes.
        TBadInput{"PressureDewPointBeyondThePressureField",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "1e16", "--to", "1bar"},
                  "",
                  "--at 1e16 Pa is not above 0 and at most 999999999999999 Pa"},
        TBadInput{"PressureDewPointAboveBoiling",
                  {"pressure-dew-point", "--dew-point", "120", "--at", "1bar", "--to", "8bar"},
                  "",
                  "--dew-point 120 °C is above the boiling point at 100000 Pa"},
        TBadInput{"PressureDewPointIncomplete",
                  {"pressure-dew-point", "--dew-point", "3", "--at", "8bar"},
                  "",
                  "give --dew-point, --at and --to"},
        TBadInput{"HumidityShortLine",
                  {"humidity"},
                  "20 50\n21\n",
                  "line 2: has 1 values; expected temperature, relative humidity and "
                  "optionally pressure"},
        TBadInput{"HumidityBadField",
                  {"humidity"},
                  "20 fifty\n",
                  "line 1: relative humidity 'fifty' is not a number"},
        TBadInput{"HumidityOutOfRangeLater",
                  {"humidity"},
                  "20 50\n20 150 101325\n",
                  "line 2: relative humidity 150 % is outside 0 to 100 %"},
        TBadInput{"UnknownSensor",
                  {"temp", "pt10", "--to", "electrical", "1"},
                  "",
                  "unknown sensor 'pt10'; expected one of pt1000, pt100, ni1000, ntc2252, k, j, "
                  "s, b, t, n, e, r, pt, ni1000-tk5000, cu, ntc (a Pt10 is pt --r0 10)"},
        TBadInput{"UnknownSensorNearest",
                  {"temp", "Ni100", "--to", "electrical", "1"},
                  "",
                  "unknown sensor 'Ni100'; did you mean 'ni1000'?"},
        TBadInput{"UnknownDirection",
                  {"temp", "pt100", "--to", "volts", "1"},
                  "",
                  "--to 'volts' is not electrical or temperature"},
        TBadInput{"NoDirectionGiven",
                  {"temp", "pt100", "1"},
                  "",
                  "temp needs --to (electrical|temperature: electrical (temperature in) or "
                  "temperature (resistance in Ω or thermo-voltage in --emf-unit in))"},
        TBadInput{"Kelvin",
                  {"temp", "pt100", "--to", "electrical", "1", "--unit", "K"},
                  "",
                  "--unit 'K' is not C or F"},
        TBadInput{"AboveLimitWithinTheWindowsMargin",
                  {"temp", "pt100", "--to", "electrical", "0", "850.05"},
                  "",
                  "temperature 850.05 °C is outside the Pt100's limits, -200 to 850 °C"},
        TBadInput{"BelowLimitInFahrenheit",
                  {"temp", "pt100", "--to", "electrical", "-328.01", "--unit", "F"},
                  "",
                  "temperature -328.01 °F is outside the Pt100's limits, -328 to 1562 °F"},
        TBadInput{"ResistanceBelowLimit",
                  {"temp", "ni1000", "--to", "temperature", "741.9"},
                  "",
                  "resistance 741.9 Ω is outside the Ni1000's range, 742.550 to 2891.562 Ω (-50 "
                  "to 250 °C)"},
        TBadInput{"BeyondADouble",
                  {"temp", "pt1000", "--to", "electrical", "1e400"},
                  "",
                  "temperature '1e400' is out of range (beyond 1.7976931348623157e+308 in size)"},
        TBadInput{"TypeJJustAboveItsLimit",
                  {"temp", "j", "--to", "electrical", "1200.05"},
                  "",
                  "temperature 1200.05 °C is outside the type J thermocouple's limits, -210 to "
                  "1200 °C"},
        TBadInput{"CompensatedVoltageBeyondTheInverse",
                  {"temp", "k", "--to", "temperature", "54500", "--cj", "30"},
                  "",
                  "emf 54500 µV plus 1203.275 µV for the reference junction at 30 °C is outside "
                  "the type K thermocouple's range, -5891.404 to 54818.570 µV (-200 to 1370 °C)"},
        // Type N has no accepted range of its own: the compensated emf is held to its inverse
        // function's.
        TBadInput{"TypeNCompensatedFarBelowItsRange",
                  {"temp", "n", "--to", "temperature", "-4000", "--cj", "-210"},
                  "",
                  "emf -4000 µV plus -4082.933 µV for the reference junction at -210 °C is "
                  "outside the type N thermocouple's range, -3990.376 to 47871.984 µV (-200 to "
                  "1310 °C)"},
        TBadInput{"TypeNCompensatedBelowAbsoluteZero",
                  {"temp", "n", "--to", "temperature", "-4000", "--cj", "-40"},
                  "",
                  "emf -4000 µV plus -1022.757 µV for the reference junction at -40 °C is "
                  "outside the type N thermocouple's range, -3990.376 to 47871.984 µV (-200 to "
                  "1310 °C)"},
        TBadInput{"TypeNCompensatedPastItsLimit",
                  {"temp", "n", "--to", "temperature", "47300", "--cj", "25"},
                  "",
                  "emf 47300 µV plus 658.646 µV for the reference junction at 25 °C is outside "
                  "the type N thermocouple's range, -3990.376 to 47871.984 µV (-200 to 1310 °C)"},
        TBadInput{"TypeNUncompensatedPastItsLimit",
                  {"temp", "n", "--to", "temperature", "47872.1"},
                  "",
                  "emf 47872.1 µV is outside the type N thermocouple's range, -3990.376 to "
                  "47871.984 µV (-200 to 1310 °C)"},
        TBadInput{"ColdJunctionOfAResistanceThermometer",
                  {"temp", "pt100", "--to", "electrical", "1", "--cj", "20"},
                  "",
                  "--cj applies to thermocouples only, not to the Pt100"},
        TBadInput{"ColdJunctionOutsideLimits",
                  {"temp", "b", "--to", "electrical", "100", "--cj", "-5"},
                  "",
                  "--cj -5 °C is outside the type B thermocouple's limits, 0 to 1820 °C"},
        TBadInput{"BadValueOnInput",
                  {"temp", "pt100", "--to", "electrical"},
                  "100 1OO\n",
                  "line 1: temperature '1OO' is not a number"},
        TBadInput{
            "ZeroStep", {"table", "pt100", "--step", "0"}, "", "--step 0 must be greater than 0"},
        TBadInput{"FromAboveTo",
                  {"table", "pt100", "--from", "100", "--to", "50"},
                  "",
                  "--from 100 lies above --to 50"},
        TBadInput{"PressureNotPositive",
                  {"humidity", "--temp", "20", "--rh", "50", "--pressure", "0"},
                  "",
                  "--pressure 0 Pa is not above 0 and at most 999999999999999 Pa"},
        TBadInput{"LoggedPressureTooHigh",
                  {"humidity"},
                  "20 50 1e16\n",
                  "line 1: pressure 1e16 Pa is not above 0 and at most 999999999999999 Pa"},
        TBadInput{"SettingBeyondADouble",
                  {"line", "--x0", "0", "--x1", "1e4000", "--y0", "0", "--y1", "1", "--x", "1",
                   "--format", "json"},
                  "",
                  "--x1 '1e4000' is out of range (beyond 1.7976931348623157e+308 in size)"},
        TBadInput{"MistypedCommand", {"tmp"}, "", "unknown command 'tmp'; did you mean 'temp'?"},
        TBadInput{"MistypedOption",
                  {"temp", "k", "--too", "electrical", "1"},
                  "",
                  "unknown option '--too'; did you mean '--to'?"},
        TBadInput{"ArgumentsInDisorder",
                  {"85", "electrical", "--to", "pt100", "tmp"},
                  "",
                  "unknown command '85'; expected one of temp, table, tolerance, check, humidity, "
                  "pressure-dew-point, loop, line, calibrate"},
        TBadInput{"OptionTwice",
                  {"temp", "k", "--to", "electrical", "1", "--format", "csv", "--format", "json"},
                  "",
                  "--format is given more than once; give it once (text|csv|tsv|json|svg)"},
        TBadInput{"NewlineInAnArgument",
                  {"temp", "pt100\nx", "--to", "electrical", "1"},
                  "",
                  "unknown sensor 'pt100\\nx'; did you mean 'pt1000'?"},
        TBadInput{"NulByteInTheInput",
                  {"temp", "pt100", "--to", "electrical"},
                  std::string("1\0"
                              "2 tail\n",
                              8),
                  "line 1: temperature '1\\02' is not a number"},
        TBadInput{"UnknownColumnName",
                  {"temp", "pt100", "--to", "temperature", "--column", "ohms"},
                  "time;resistance\n1;100\n",
                  "--column 'ohms' is not in the input's header row (time, resistance)"},
        TBadInput{"FromBelowLimit",
                  {"table", "pt100", "--from", "-250"},
                  "",
                  "--from -250 °C is outside the Pt100's limits, -200 to 850 °C"},
        TBadInput{
            "TooManyRows",
            {"table", "pt100", "--step", "0.0001"},
            "",
            "--step 0.0001 gives 10500001 rows from -200 to 850; a table has at most 10000000"}),
    [](const testing::TestParamInfo<TBadInput> &info) { return std::string(info.param.name); });

TEST(Help, EachCommandDescribesItsOptionsOnStandardOutput)
{
    for (const char *command : {"temp", "table", "humidity", "loop", "line"}) {
        const TCliRun run = RunCli({command, "--help"});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.err, "");
        EXPECT_NE(run.out.find(std::string("velmora-cli ") + command), std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("--format"), std::string::npos) << run.out;
    }
    const TCliRun run = RunCli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("humidity"), std::string::npos);
}

TEST(Help, IsWrappedAt80Columns)
{
    for (const char *command : {"temp", "table", "humidity", "loop", "line"}) {
        for (const std::string &line : SplitLines(RunCli({command, "--help"}).out))
            EXPECT_LE(DisplayWidth(line), 80u) << line;
    }
}

TEST(Version, NamesTheProgramAndItsVersion)
{
    const TCliRun run = RunCli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("velmora-cli ") + VELMORA_VERSION + "\n");
}

} // namespace
