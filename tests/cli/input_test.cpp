// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>

namespace {

struct TLogCase
{
    const char *name;
    std::vector<std::string> options;
    std::string input;
    std::vector<std::string> resistances; // the first CSV column, as given
};

class LoggedReadings : public testing::TestWithParam<TLogCase>
{
};

// Readings of a log: one a line or a column of a delimited log, header row, blank lines and
// comments skipped.
TEST_P(LoggedReadings, TakeTheChosenValueOfEachLine)
{
    const TLogCase &c = GetParam();
    std::vector<std::string> args{"temp", "pt100", "--to", "temperature", "--format", "csv"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const TCliRun run = RunCli(args, c.input);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), c.resistances.size() + 1);
    for (std::size_t i = 0; i < c.resistances.size(); ++i)
        EXPECT_EQ(rows[i + 1].at(0), c.resistances[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, LoggedReadings,
    testing::Values(TLogCase{"OneALineWithHeaderAndComments",
                             {},
                             "resistance\n# morning\n100\n\n  110.5  \n119.4 # noon\n",
                             {"100", "110.5", "119.4"}},
                    TLogCase{"ColumnByNumberOfACommaLog",
                             {"--column", "2"},
                             "12:00,100,ok\n12:01,100.39,ok\n",
                             {"100", "100.39"}},
                    TLogCase{"ColumnByNameOfASemicolonLog",
                             {"--column", "R"},
                             "time;R;note\n12:00;100;\"a, b\"\n12:01;101.5;\n",
                             {"100", "101.5"}},
                    TLogCase{"TabLogWithHeaderRecognised",
                             {"--column", "2"},
                             "time\tresistance\n1\t105\n2\t106\n",
                             {"105", "106"}}),
    [](const testing::TestParamInfo<TLogCase> &info) { return std::string(info.param.name); });

TEST(LoggedReadings, InputFileIsReadLikeStandardInput)
{
    const std::string path = testing::TempDir() + "velmora_cli_input.csv";
    std::ofstream(path) << "time,resistance\n0,100\n1,138.5055\n";
    const TCliRun run = RunCli({"temp", "pt100", "--to", "temperature", "--input", path, "--column",
                                "resistance", "--format", "csv"});
    std::remove(path.c_str());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(CsvRows(run.out).at(2), (std::vector<std::string>{"138.5055", "100.000"}));

    const TCliRun missing = RunCli({"temp", "pt100", "--to", "temperature", "--input", path});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err,
              "velmora-cli: --input '" + path + "' cannot be opened: No such file or directory\n");
}

// With --keep-going every bad reading is reported with its line, its row is written without
// results in each format, and the run ends with status 1.
TEST(KeepGoing, BadRowsAreReportedAndLeftEmpty)
{
    const std::string input = "100\n12,5\n2000\n110\n";
    const std::vector<std::string> args{"temp", "pt100", "--to", "temperature", "--keep-going"};
    const std::string errors
        = "velmora-cli: line 2: resistance '12,5' is not a number (the decimal mark is '.')\n"
          "velmora-cli: line 3: resistance 2000 Ω is outside the Pt100's range, 18.520 to "
          "390.481 Ω (-200 to 850 °C)\n";

    const TCliRun text = RunCli(args, input);
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, errors);
    const auto lines = SplitLines(text.out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "         -----             -----");
    EXPECT_EQ(lines[4], "          2000             -----");

    std::vector<std::string> csvArgs = args;
    csvArgs.insert(csvArgs.end(), {"--format", "csv"});
    const TCliRun csv = RunCli(csvArgs, input);
    EXPECT_EQ(csv.status, 1);
    const auto rows = CsvRows(csv.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2], (std::vector<std::string>{"", ""}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"2000", ""}));
    EXPECT_EQ(rows[4], (std::vector<std::string>{"110", "25.684"}));

    std::vector<std::string> jsonArgs = args;
    jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
    const TCliRun json = RunCli(jsonArgs, input);
    EXPECT_EQ(json.status, 1);
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_TRUE(document.at("rows").at(1).at("resistance").is_null());
    EXPECT_TRUE(document.at("rows").at(2).at("temperature").is_null());
    EXPECT_EQ(document.at("rows").at(3).at("resistance").get<double>(), 110);
}

} // namespace

namespace {

// The reading runner names the line of a reading whose arithmetic fails, and with --keep-going
// writes its row as far as it got and goes on.
TEST(ReadingRunner, NamesTheLineOfACalculationThatFailsAndGoesOn)
{
    const TCliRun run = RunCli(
        {"loop", "--lo", "-9e183", "--hi", "0", "--current", "--keep-going", "--format", "csv"},
        "5\n1e300\n12\n");
    EXPECT_EQ(run.status, 1);
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2], (std::vector<std::string>{"1e300", "", "", ""}));
    EXPECT_EQ(rows[3].at(2), "50.000");
    EXPECT_EQ(run.err,
              "velmora-cli: cannot calculate for line 2: current 1e300: Floating point overflow\n");

    const TCliRun stopped
        = RunCli({"loop", "--lo", "-9e183", "--hi", "0", "--current"}, "5\n1e300\n12\n");
    EXPECT_EQ(stopped.status, 2);
    EXPECT_EQ(stopped.out, "");
    EXPECT_EQ(stopped.err, run.err);
}

} // namespace
