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
                  "no command given; expected one of temp, table, humidity, loop, line (see "
                  "velmora-cli --help)"},
        TBadInput{"UnknownCommand",
                  {"frobnicate"},
                  "",
                  "The following argument was not expected: frobnicate"},
        TBadInput{"UnknownOption", With(Loop, {"--current", "4", "--bogus"}), "",
                  "The following argument was not expected: --bogus"},
        TBadInput{"DecimalComma", With(Loop, {"--current", "4,5"}), "",
                  "current '4,5' is not a number"},
        TBadInput{"TrailingLetters",
                  {"loop", "--lo", "0x", "--hi", "1", "--current", "4"},
                  "",
                  "--lo '0x' is not a number"},
        TBadInput{"NotANumber", With(Line, {"--x", "nan"}), "", "x 'nan' is not a number"},
        TBadInput{"Infinity", With(Line, {"--y", "inf"}), "", "y 'inf' is not a number"},
        TBadInput{"DoubleSign", With(Line, {"--x", "+-5"}), "", "x '+-5' is not a number"},
        TBadInput{"BeyondExtended", With(Line, {"--x", "1e99999"}), "",
                  "x '1e99999' is out of range"},
        TBadInput{"BadNumberOnAnInputLine", With(Loop, {"--current"}), "4\n5 six\n",
                  "line 2 of standard input: current 'six' is not a number"},
        TBadInput{"NothingOnInput", With(Loop, {"--value"}), "\n# none\n",
                  "no output value given, and none on standard input"},
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
                  "--y1 is required"},
        TBadInput{"UnknownFormat", With(Loop, {"--current", "4", "--format", "xml"}), "",
                  "--format 'xml' is not one of text, csv, json"},
        TBadInput{"NegativeDecimals", With(Loop, {"--current", "4", "--decimals", "-1"}), "",
                  "--decimals '-1' is not a whole number from 0 to 17"},
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
                  "give both --temp and --rh, or neither to read readings from standard input"},
        TBadInput{"HumidityShortLine",
                  {"humidity"},
                  "20 50\n21\n",
                  "line 2 of standard input: has 1 values; expected temperature relative "
                  "humidity [pressure]"},
        TBadInput{"HumidityBadField",
                  {"humidity"},
                  "20 fifty\n",
                  "line 1 of standard input: relative humidity 'fifty' is not a number"},
        TBadInput{"HumidityOutOfRangeLater",
                  {"humidity"},
                  "20 50\n20 150 101325\n",
                  "relative humidity 150 % is outside 0 to 100 %"},
        TBadInput{"UnknownSensor",
                  {"temp", "pt10", "--to", "electrical", "1"},
                  "",
                  "unknown sensor 'pt10'; expected one of pt1000, pt100, ni1000, ntc2252, k, j, "
                  "s, b, t, n"},
        TBadInput{"UnknownDirection",
                  {"temp", "pt100", "--to", "volts", "1"},
                  "",
                  "--to 'volts' is not electrical or temperature"},
        TBadInput{"NoDirectionGiven", {"temp", "pt100", "1"}, "", "--to is required"},
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
                  "resistance 741.9 Ω is outside the Ni1000's limits, 742 to 2891 Ω"},
        TBadInput{"BeyondADouble",
                  {"temp", "pt1000", "--to", "electrical", "1e400"},
                  "",
                  "temperature 1e400 °C is outside the Pt1000's limits, -200 to 850 °C"},
        TBadInput{"NoTemperatureWithinTheInverse",
                  {"temp", "ni1000", "--to", "temperature", "742"},
                  "",
                  "resistance 742 Ω has no temperature within the bounds of the Ni1000's inverse "
                  "function"},
        TBadInput{"TypeJJustAboveItsLimit",
                  {"temp", "j", "--to", "electrical", "1200.05"},
                  "",
                  "temperature 1200.05 °C is outside the type J thermocouple's limits, -210 to "
                  "1200 °C"},
        TBadInput{"CompensatedVoltageBeyondTheInverse",
                  {"temp", "k", "--to", "temperature", "54500", "--cj", "30"},
                  "",
                  "voltage 54500 µV plus 1203.2748 µV for the reference junction at 30 °C is "
                  "outside the accepted range of the type K thermocouple's inverse function"},
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
                  "line 1 of standard input: temperature '1OO' is not a number"},
        TBadInput{
            "ZeroStep", {"table", "pt100", "--step", "0"}, "", "--step 0 must be greater than 0"},
        TBadInput{"FromAboveTo",
                  {"table", "pt100", "--from", "100", "--to", "50"},
                  "",
                  "--from 100 lies above --to 50"},
        TBadInput{"FromBelowLimit",
                  {"table", "pt100", "--from", "-250"},
                  "",
                  "--from -250 °C is outside the Pt100's limits, -200 to 850 °C"},
        TBadInput{"TooManyRows",
                  {"table", "pt100", "--step", "0.0001"},
                  "",
                  "--step 0.0001 gives more than 1000000 rows from -200 to 850"}),
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

} // namespace
