// SPDX-License-Identifier: MIT
// calibrate's command line (its judgement is the engine's, tested there), and the two small
// options of the same job: temp --lead-resistance and humidity --at-temp.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

// The README's worked example: Pt100 transmitter 0 to 150 °C, 4-20 mA, five points up and down.
const std::vector<std::string> Example{"calibrate", "pt100", "--range", "0,150", "--up-down",
                                       "--tolerance", "0.25%", "--tag", "TT-101", "--date",
                                       "2024-05-14"};
const std::string Found = "4.02,8.04,12.05,16.03,19.98,16.06,12.07,8.05,4.03";
const std::string Left = "3.99,8.01,12.00,15.99,20.00,16.00,12.01,8.00,4.00";

std::vector<std::string> With(std::vector<std::string> args,
                              const std::vector<std::string> &more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

struct TRefusal
{
    std::vector<std::string> args;
    std::string input;
    std::string message;
};

class CalibrateRefuses : public testing::TestWithParam<TRefusal>
{
};

TEST_P(CalibrateRefuses, WithOneLineAndNothingWritten)
{
    const TCliRun run = RunCli(GetParam().args, GetParam().input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "velmora-cli: " + GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Messages, CalibrateRefuses,
    testing::Values(
        TRefusal{With(Example, {"--found", "4.02,8.04,x,16.03,19.98,16.06,12.07,8.05,4.03"}), "",
                 "--found reading 3 'x' is not a number"},
        TRefusal{With(Example, {"--found", "4.02,8.04"}), "",
                 "as-found has 2 readings for 9 test points"},
        TRefusal{With(Example, {"--found-column", "found"}), "found,left\n4.02,3.99\n8.04;x\n",
                 "line 3: as-found reading (column found) '8.04;x' is not a number"},
        TRefusal{With(Example, {"--left-column", "left"}), "found,left\n4.02,3.99\n8.04,8.o1\n",
                 "line 3: as-left reading (column left) '8.o1' is not a number"},
        TRefusal{With(Example, {"--found-column", "asfound"}), "found,left\n4.02,3.99\n",
                 "--column 'asfound' is not in the input's header row (found, left)"},
        TRefusal{{"calibrate", "pt100", "--range", "0,150", "--found", Found}, "",
                 "--found needs --tolerance to judge the readings against"},
        TRefusal{{"calibrate", "pt100", "--range", "0,150", "--tolerance", "0.3mV"}, "",
                 "--tolerance '0.3mV' is not an amount in % (of span), C or mA, such as 0.25% "
                 "or 0.04mA"},
        TRefusal{{"calibrate", "pt100", "--range", "0,1000"}, "",
                 "--range URV 1000 °C is outside the Pt100's limits, -200 to 850 °C"},
        TRefusal{{"calibrate", "pt100", "--range", "150"}, "",
                 "--range '150' is not two numbers LRV,URV (such as 0,150)"},
        TRefusal{{"calibrate", "pt100", "--range", "0,150", "--output", "4-20"}, "",
                 "--output '4-20' is not one of 4-20mA, 0-20mA, 0-10V, 1-5V"},
        TRefusal{{"calibrate", "pt100", "--range", "0,150", "--points", "1"}, "",
                 "--points '1' is not a count of points from 2 to 10001 (or a list of % of "
                 "span, such as 0,50,100)"},
        TRefusal{{"calibrate", "linear", "--range", "0,10"}, "",
                 "a linear input needs --input-unit, the unit of its range (bar, m, m3/h, %)"},
        TRefusal{{"calibrate", "pt100", "--range", "0,150", "--input", "x.csv"}, "",
                 "--input needs --found-column or --left-column, the columns it reads"},
        TRefusal{{"temp", "pt100", "--to", "electrical", "0", "--format", "svg"}, "",
                 "--format svg: temp does not plot; svg is for calibrate and tolerance"},
        TRefusal{{"tolerance", "pt100", "--class", "A", "--from", "0", "--to", "100"}, "",
                 "--from and --to draw the classes' bands: give --format svg"},
        TRefusal{{"temp", "k", "--to", "electrical", "--lead-resistance", "0.5", "0"}, "",
                 "--lead-resistance applies to resistance thermometers and thermistors, not to "
                 "the type K thermocouple"},
        TRefusal{{"humidity", "--temp", "20", "--rh", "50", "--at-temp", "500"}, "",
                 "--at-temp 500 °C is outside -100 to 200 °C"}));

// Exit status: the last set given decides.
TEST(Calibrate, ExitStatusFollowsTheLastSet)
{
    EXPECT_EQ(RunCli(With(Example, {"--found", Found})).status, 1);
    EXPECT_EQ(RunCli(With(Example, {"--found", Found, "--left", Left})).status, 0);
    EXPECT_EQ(RunCli(With(Example, {"--found", Left, "--left", Found})).status, 1);
    EXPECT_EQ(RunCli(Example).status, 0); // the test points only
}

// The record: every setting and both sets, the same bytes each time, and no clock read.
TEST(Calibrate, JsonRecordHoldsSettingsRowsAndVerdicts)
{
    const std::vector<std::string> args
        = With(Example, {"--found", Found, "--left", Left, "--format", "json"});
    const TCliRun run = RunCli(args);
    EXPECT_EQ(RunCli(args).out, run.out);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["settings"]["tag"], "TT-101");
    EXPECT_EQ(json["settings"]["date"], "2024-05-14");
    EXPECT_EQ(json["settings"]["tolerance"], "±0.25 % of span");
    ASSERT_EQ(json["rows"].size(), 18u);
    // 25 % of 0 to 150 °C is 37.5 °C; the Pt100 there, by hand from Callendar-Van Dusen with
    // IEC 60751's A = 3.9083e-3 and B = -5.775e-7: 100 (1 + A 37.5 + B 37.5²) = 114.57493 Ω.
    EXPECT_NEAR(json["rows"][1]["apply"].get<double>(), 114.57493, 5e-5);
    // 12.07 mA against 12 mA is 0.07 / 16 = 0.4375 % of span, over ±0.25 %.
    EXPECT_NEAR(json["rows"][6]["error_percent_of_span"].get<double>(), 0.4375, 1e-12);
    EXPECT_EQ(json["rows"][6]["result"], "FAIL");
    EXPECT_EQ(json["as_found"]["pass"], false);
    EXPECT_EQ(json["as_found"]["largest_error"]["point"], 7);
    EXPECT_EQ(json["as_left"]["pass"], true);
}

TEST(Calibrate, CsvCarriesTheSettingsBeforeAndTheVerdictsAfter)
{
    const std::vector<std::string> lines
        = SplitLines(RunCli(With(Example, {"--found", Found, "--format", "csv"})).out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0].rfind("# calibrate: tag TT-101, date 2024-05-14, sensor pt100", 0), 0u);
    EXPECT_EQ(lines[1].rfind("set,point,leg,percent_of_span_pct,input_C,apply_ohm,ideal_mA", 0),
              0u);
    EXPECT_EQ(lines[11].rfind("# as-found: FAIL", 0), 0u);
}

// Readings from columns of the input, named or counted, as the reading runner reads them; a
// thermocouple's millivolts with the cold junction taken off: type K at 250 °C is 10.153 mV and
// at 25 °C 1.000 mV (NIST ITS-90 table), so 9.153 mV at the terminals.
TEST(Calibrate, ReadsColumnsAndTakesTheColdJunctionOff)
{
    const TCliRun run = RunCli({"calibrate", "k", "--range", "0,500", "--cj", "25", "--points",
                                "0,50,100", "--tolerance", "2C", "--found-column", "2",
                                "--left-column", "left", "--format", "csv"},
                               "point;found;left\n0;4.01;4.00\n50;12.1;12.0\n100;20.2;20.0\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::vector<std::string>> rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[1][4], "apply_mV");
    EXPECT_EQ(rows[3][4], "9.153");
    EXPECT_EQ(rows[3][6], "12.1");
    EXPECT_EQ(rows[6][6], "12.0");
}

// A two-wire Pt100 with 0.5 Ω of leads reads 100.5 Ω at 0 °C, and 100.5 Ω read is 0 °C.
TEST(LeadResistance, AddsToTheSensorAndComesOffTheReading)
{
    const std::vector<std::string> both{"--lead-resistance", "0.5", "--format", "csv"};
    EXPECT_EQ(SplitLines(RunCli(With({"temp", "pt100", "--to", "electrical", "0"}, both)).out)[1],
              "0,100.500");
    EXPECT_EQ(
        SplitLines(RunCli(With({"temp", "pt100", "--to", "temperature", "100.5"}, both)).out)[1],
        "100.5,0.000");
    // 0.5 Ω over 0.39083 Ω/°C at 0 °C is 1.279 °C, a little more for the curve: 1.28.
    const TCliRun run = RunCli({"temp", "pt100", "--to", "electrical", "--lead-resistance", "0.5",
                                "0", "--format", "json"});
    EXPECT_NEAR(nlohmann::json::parse(run.out)["settings"]["lead_error_at_0C"].get<double>(),
                1.2796, 1e-3);
}

// At its own temperature the air has its own relative humidity.
TEST(HumidityAtTemp, IsTheSameAtTheSameTemperatureAndHigherWhenCooler)
{
    const auto at = [](const char *t2) {
        const TCliRun run = RunCli({"humidity", "--temp", "30", "--rh", "50", "--at-temp", t2,
                                    "--quantities", "dew_point", "--format", "json"});
        return nlohmann::json::parse(run.out)["rows"][0]["rh_at_temp"].get<double>();
    };
    EXPECT_NEAR(at("30"), 50, 1e-9);
    EXPECT_GT(at("20"), 85);
    EXPECT_LT(at("20"), 95);
}

} // namespace
