// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include "scaling/LoopSignal.h"
#include "scaling/scaling.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>

namespace {

double ReadField(const std::string &text)
{
    double value = 0;
    EXPECT_TRUE(ReadDouble(text, value)) << "'" << text << "' is not a number";
    return value;
}

struct TLoopCase
{
    const char *name;
    std::vector<std::string> args;
    Extended lo;
    Extended hi;
    Extended input;
    bool toValue;
};

class LoopCommand : public testing::TestWithParam<TLoopCase>
{
};

// Printed at full precision, the number reads back as the very double the window shows.
TEST_P(LoopCommand, GivesTheWindowsResultWithSpanAndZone)
{
    const TLoopCase &c = GetParam();
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--format", "csv", "--decimals", "full"});
    const TCliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[1].size(), 4u);
    const scaling::TLoopRange range{c.lo, c.hi};
    const Extended current = c.toValue ? c.input : scaling::LoopCurrent(range, c.input);
    const Extended result = c.toValue ? scaling::LoopValue(range, c.input) : current;
    EXPECT_EQ(ReadField(rows[1][0]), static_cast<double>(c.input));
    EXPECT_EQ(ReadField(rows[1][1]), static_cast<double>(result));
    EXPECT_EQ(ReadField(rows[1][2]), static_cast<double>(scaling::LoopPercentOfSpan(current)));
    EXPECT_EQ(rows[1][3], scaling::NamurZoneText(scaling::NamurZone(current)));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, LoopCommand,
    testing::Values(
        TLoopCase{
            "MidScale", {"loop", "--lo", "0", "--hi", "100", "--current", "12"}, 0, 100, 12, true},
        TLoopCase{"ThirdOfSpan",
                  {"loop", "--lo", "-30", "--hi", "80", "--current", "9.333333"},
                  -30,
                  80,
                  9.333333L,
                  true},
        TLoopCase{"FallingRange",
                  {"loop", "--lo", "100", "--hi", "0", "--current", "8"},
                  100,
                  0,
                  8,
                  true},
        TLoopCase{"FlatRangeToValue",
                  {"loop", "--lo", "5", "--hi", "5", "--current", "17.3"},
                  5,
                  5,
                  17.3L,
                  true},
        TLoopCase{"ValueToCurrent",
                  {"loop", "--lo", "-30", "--hi", "80", "--value", "25"},
                  -30,
                  80,
                  25,
                  false},
        TLoopCase{"ValueBeyondRange",
                  {"loop", "--lo", "0", "--hi", "150", "--value", "-0.1"},
                  0,
                  150,
                  -0.1L,
                  false}),
    [](const testing::TestParamInfo<TLoopCase> &info) { return std::string(info.param.name); });

struct TZoneCase
{
    const char *current;
    const char *zone;
};

class NamurZones : public testing::TestWithParam<TZoneCase>
{
};

TEST_P(NamurZones, FollowNe43Bounds)
{
    const TCliRun run = RunCli(
        {"loop", "--lo", "0", "--hi", "100", "--current", GetParam().current, "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(CsvRows(run.out).at(1).at(3), GetParam().zone);
}

INSTANTIATE_TEST_SUITE_P(Bounds, NamurZones,
                         testing::Values(TZoneCase{"-1", "failure"}, TZoneCase{"3.6", "failure"},
                                         TZoneCase{"3.6001", "out of range"},
                                         TZoneCase{"3.7999", "out of range"},
                                         TZoneCase{"3.8", "measuring"}, TZoneCase{"4", "measuring"},
                                         TZoneCase{"20.5", "measuring"},
                                         TZoneCase{"20.5001", "out of range"},
                                         TZoneCase{"20.9999", "out of range"},
                                         TZoneCase{"21", "failure"}, TZoneCase{"30", "failure"}));

TEST(LoopCommand, ReadsCurrentsFromStandardInputWhenNoneIsGiven)
{
    const TCliRun run = RunCli({"loop", "--lo", "0", "--hi", "100", "--current", "--format", "csv"},
                               "4 12\n\n20 # full scale\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][1], "0.000");
    EXPECT_EQ(rows[2][1], "50.000");
    EXPECT_EQ(rows[3][1], "100.000");
}

TEST(LoopCommand, CurrentOfAValueBeyondADoubleIsRefused)
{
    const TCliRun run = RunCli({"loop", "--lo", "0", "--hi", "1e-300", "--value", "1e4000"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("output value '1e4000' is out of range"), std::string::npos) << run.err;
}

struct TLineCase
{
    const char *name;
    scaling::TLine line;
    const char *direction;
    const char *input;
    Extended inputValue;
};

class LineCommand : public testing::TestWithParam<TLineCase>
{
};

TEST_P(LineCommand, GivesTheWindowsResult)
{
    const TLineCase &c = GetParam();
    const auto text = [](Extended v) {
        return std::to_string(static_cast<int>(v));
    };
    const TCliRun run = RunCli({"line", "--x0", text(c.line.x0), "--x1", text(c.line.x1), "--y0",
                                text(c.line.y0), "--y1", text(c.line.y1), c.direction, c.input,
                                "--format", "csv", "--decimals", "full"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    const bool toY = std::string(c.direction) == "--x";
    const Extended expected
        = toY ? scaling::LineY(c.line, c.inputValue) : scaling::LineX(c.line, c.inputValue);
    EXPECT_EQ(rows[0],
              (toY ? std::vector<std::string>{"x", "y"} : std::vector<std::string>{"y", "x"}));
    EXPECT_EQ(ReadField(rows[1][1]), static_cast<double>(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineCommand,
    testing::Values(TLineCase{"Interpolates", {0, 10, 0, 100}, "--x", "5", 5},
                    TLineCase{"Extrapolates", {0, 10, 0, 100}, "--x", "20", 20},
                    TLineCase{"Inverse", {0, 10, 0, 100}, "--y", "25", 25},
                    TLineCase{"Third", {0, 3, 0, 1}, "--x", "1", 1},
                    TLineCase{"ThirdInverse", {0, 1, 0, 3}, "--y", "0.1", 0.1L},
                    TLineCase{"FlatLineGivesConstant", {1, 2, 7, 7}, "--x", "123.4", 123.4L}),
    [](const testing::TestParamInfo<TLineCase> &info) { return std::string(info.param.name); });

TEST(OutputFormats, TextLinesUpOnTheDecimalPointAfterTheSettings)
{
    const TCliRun run
        = RunCli({"loop", "--lo", "0", "--hi", "100", "--current", "12", "3.7", "20.25"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "# loop: lo 0, hi 100");
    EXPECT_EQ(lines[1], "current [mA]  output value  span [%]  NE 43 zone");
    EXPECT_EQ(lines[2], "       12           50.000    50.000  measuring");
    EXPECT_EQ(lines[3], "        3.7         -1.875    -1.875  out of range");
    EXPECT_EQ(lines[4], "       20.25       101.562   101.562  measuring");
}

// Text and CSV round results to --decimals and echo inputs as given; JSON keeps every digit.
TEST(OutputFormats, DecimalsRoundTextAndCsvWhileJsonKeepsFullPrecision)
{
    const std::vector<std::string> args{"line", "--x0", "0",   "--x1", "3", "--y0",       "0",
                                        "--y1", "1",    "--x", "1",    "2", "--decimals", "3"};
    std::vector<std::string> csvArgs = args;
    csvArgs.insert(csvArgs.end(), {"--format", "csv"});
    std::vector<std::string> jsonArgs = args;
    jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
    const TCliRun text = RunCli(args);
    const TCliRun csv = RunCli(csvArgs);
    const TCliRun json = RunCli(jsonArgs);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(SplitLines(text.out).at(2), "1  0.333");
    EXPECT_EQ(CsvRows(csv.out).at(2), (std::vector<std::string>{"2", "0.667"}));
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document.at("rows").at(1).at("y").get<double>(), 2.0 / 3);
    const TCliRun full = RunCli({"line", "--x0", "0", "--x1", "3", "--y0", "0", "--y1", "1", "--x",
                                 "1", "--decimals", "full", "--format", "csv"});
    EXPECT_EQ(CsvRows(full.out).at(1).at(1), "0.3333333333333333");
}

TEST(OutputFormats, JsonParsesWithSettingsUnitsAndRows)
{
    const TCliRun run
        = RunCli({"loop", "--lo", "-30", "--hi", "80", "--value", "25", "80", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document.at("command"), "loop");
    EXPECT_EQ(document.at("settings").at("lo").get<double>(), -30);
    EXPECT_EQ(document.at("units").at("current"), "mA");
    ASSERT_EQ(document.at("rows").size(), 2u);
    EXPECT_EQ(document.at("rows").at(0).at("current").get<double>(), 12);
    EXPECT_EQ(document.at("rows").at(1).at("namur_zone"), "measuring");
}

// An input keeps the sign it was given in every format; a result of zero has none in any.
TEST(OutputFormats, SignOfZeroAgreesInEveryFormat)
{
    const std::vector<std::string> args{"line", "--x0",    "0",          "--x1", "1",
                                        "--y0", "0",       "--y1",       "1",    "--x",
                                        "-0",   "-0.0001", "--decimals", "2"};
    std::vector<std::string> csvArgs = args;
    csvArgs.insert(csvArgs.end(), {"--format", "csv"});
    std::vector<std::string> jsonArgs = args;
    jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
    const auto csv = CsvRows(RunCli(csvArgs).out);
    EXPECT_EQ(csv.at(1), (std::vector<std::string>{"-0", "0.00"}));
    EXPECT_EQ(csv.at(2), (std::vector<std::string>{"-0.0001", "0.00"}));
    const auto rows = nlohmann::json::parse(RunCli(jsonArgs).out).at("rows");
    EXPECT_TRUE(std::signbit(rows.at(0).at("x").get<double>()));
    EXPECT_EQ(rows.at(0).at("y").get<double>(), 0);
    EXPECT_FALSE(std::signbit(rows.at(0).at("y").get<double>()));
}

} // namespace
