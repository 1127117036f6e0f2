// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
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
              "velmora-cli: cannot calculate for line 2: current 1e300: the output value is "
              "beyond ±1.7976931348623157e+308, the largest number the tool can print\n");

    const TCliRun stopped
        = RunCli({"loop", "--lo", "-9e183", "--hi", "0", "--current"}, "5\n1e300\n12\n");
    EXPECT_EQ(stopped.status, 2);
    EXPECT_EQ(stopped.out, "");
    EXPECT_EQ(stopped.err, run.err);
}

} // namespace

namespace {

struct TRunnerCase
{
    const char *name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out; // the whole standard output
    std::string err; // the whole standard error
};

class RunnerInput : public testing::TestWithParam<TRunnerCase>
{
};

// How the reading runner takes lines: byte-order marks, the header rule, long lines, kept and
// chosen columns, delimiters and decimal commas, one expected output each.
TEST_P(RunnerInput, ReadsAsDocumented)
{
    const TRunnerCase &c = GetParam();
    const TCliRun run = RunCli(c.args, c.input);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
}

const std::vector<std::string> Pt100Csv{"temp", "pt100", "--to", "temperature", "--format", "csv"};
const std::vector<std::string> LoopCurrent{"loop", "--lo", "0", "--hi", "100", "--current"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string> &more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RunnerInput,
    testing::Values(
        TRunnerCase{"Utf8MarkSkipped", Pt100Csv,
                    "\xEF\xBB\xBF"
                    "100\n138.5\n",
                    0, "resistance_ohm,temperature_C\n100,0.000\n138.5,99.986\n", ""},
        TRunnerCase{"Utf8MarkOnOneLine", Pt100Csv,
                    "\xEF\xBB\xBF"
                    "100",
                    0, "resistance_ohm,temperature_C\n100,0.000\n", ""},
        TRunnerCase{"Utf16Refused", Pt100Csv,
                    std::string("\xFF\xFE"
                                "1\0",
                                4),
                    2, "",
                    "velmora-cli: standard input is UTF-16 (little-endian) text by its byte-order "
                    "mark; velmora-cli reads UTF-8 (save it as UTF-8)\n"},
        TRunnerCase{"Utf32Refused", Pt100Csv, std::string("\0\0\xFE\xFF", 4), 2, "",
                    "velmora-cli: standard input is UTF-32 (big-endian) text by its byte-order "
                    "mark; velmora-cli reads UTF-8 (save it as UTF-8)\n"},
        // A first line with an attempt at a number is a reading, never a header.
        TRunnerCase{"FirstLineOutOfRangeIsARefusedReading", LoopCurrent, "1e400\n8\n", 2, "",
                    "velmora-cli: line 1: current '1e400' is out of range (beyond "
                    "1.7976931348623157e+308 in size)\n"},
        TRunnerCase{"FirstLineWithAUnitIsARefusedReading", LoopCurrent, "5mA\n8\n", 2, "",
                    "velmora-cli: line 1: current '5mA' is not a number\n"},
        TRunnerCase{"FirstLineNanIsARefusedReading", LoopCurrent, "# log\n\nnan\n8\n", 2, "",
                    "velmora-cli: line 3: current 'nan' is not a number\n"},
        TRunnerCase{"HeaderOnlyOnTheFirstLineAndNamed", With(LoopCurrent, {"--format", "csv"}),
                    "# log\ncurrent\n8\ncurrent\n", 2, "",
                    "velmora-cli: line 4: current 'current' is not a number\n"},
        TRunnerCase{"HeaderNamedInTextSettings", LoopCurrent, "I [mA]\n12\n", 0,
                    "# loop: lo 0, hi 100, header I [mA]\ncurrent [mA]  output value  span [%]  "
                    "NE 43 zone\n          12        50.000    50.000  measuring\n",
                    ""},
        TRunnerCase{"LongLineRefusedUnechoed", LoopCurrent, "8\n" + std::string(70000, '1') + "\n",
                    2, "",
                    "velmora-cli: standard input: line 2 is 70000 bytes long; a line may hold at "
                    "most 65536 bytes\n"},
        TRunnerCase{
            "EchoCutAt40Characters", LoopCurrent, "8\n" + std::string(50, 'x') + "1\n", 2, "",
            "velmora-cli: line 2: current '" + std::string(40, 'x') + "…' is not a number\n"},
        TRunnerCase{"DelimiterWithBlanksIsOneDelimiter",
                    {"humidity", "--format", "csv", "--quantities", "dew_point"},
                    "20, 50, 90000\n",
                    0,
                    "temperature_C,relative_humidity_pct,pressure_Pa,dew_point_C,dew_point_"
                    "accuracy_C\n20,50,90000,9.277,1.110\n",
                    ""},
        TRunnerCase{"KeptColumnsInFrontOfEveryValueOfALine",
                    With(LoopCurrent, {"--keep", "1", "--format", "csv"}), "a;4;20\nb;12\n", 0,
                    "column 1,current_mA,value,percent_of_span_pct,namur_zone\na,4,0.000,0.000,"
                    "measuring\na,20,100.000,100.000,measuring\nb,12,50.000,50.000,measuring\n",
                    ""},
        TRunnerCase{"KeptColumnsAreJsonStrings",
                    With(LoopCurrent, {"--keep", "t", "--column", "I", "--format", "json"}),
                    "t,I\n08:00,12\n", 0,
                    "{\n  \"command\": \"loop\",\n  \"settings\": {\n    \"lo\": 0.0,\n    \"hi\": "
                    "100.0,\n    \"header\": \"t,I\"\n  },\n  \"units\": {\n    \"current\": "
                    "\"mA\",\n    \"percent_of_span\": \"%\"\n  },\n  \"rows\": [\n    "
                    "{\"t\":\"08:00\",\"current\":12.0,\"value\":50.0,\"percent_of_span\":50.0,"
                    "\"namur_zone\":\"measuring\"}\n  ]\n}\n",
                    ""},
        // A JSON object holds a name once: where it came first, with the value written last.
        TRunnerCase{"KeptColumnNamedAsAResultIsOneJsonMember",
                    With(LoopCurrent, {"--keep", "value", "--column", "I", "--format", "json"}),
                    "value,I\nraw,12\n", 0,
                    "{\n  \"command\": \"loop\",\n  \"settings\": {\n    \"lo\": 0.0,\n    \"hi\": "
                    "100.0,\n    \"header\": \"value,I\"\n  },\n  \"units\": {\n    \"current\": "
                    "\"mA\",\n    \"percent_of_span\": \"%\"\n  },\n  \"rows\": [\n    "
                    "{\"value\":50.0,\"current\":12.0,\"percent_of_span\":50.0,"
                    "\"namur_zone\":\"measuring\"}\n  ]\n}\n",
                    ""},
        TRunnerCase{"KeptNameNotInHeader", With(LoopCurrent, {"--keep", "time"}), "t;I\n1;12\n", 2,
                    "", "velmora-cli: --keep 'time' is not in the input's header row (t, I)\n"},
        // A German spreadsheet's export: mark, semicolons, decimal commas, CRLF.
        TRunnerCase{"GermanExportConverts",
                    With(Pt100Csv, {"--keep", "Zeit", "--column", "R", "--decimal-mark", "comma"}),
                    "\xEF\xBB\xBFZeit;R\r\n01.05.2024 08:00;138,5\r\n", 0,
                    "Zeit;resistance_ohm;temperature_C\n01.05.2024 08:00;138,5;99,986\n", ""},
        TRunnerCase{"DecimalCommaRefusesAPoint",
                    {"temp", "pt100", "--to", "temperature", "--decimal-mark", "comma"},
                    "138.5\n",
                    2,
                    "",
                    "velmora-cli: line 1: '138.5' holds a point; with --decimal-mark comma the "
                    "decimal mark is ','\n"},
        TRunnerCase{
            "TsvWithADecimalComma",
            With(LoopCurrent, {"--format", "tsv", "--decimal-mark", "comma", "--decimals", "1"}),
            "12,5\n", 0,
            "current_mA\tvalue\tpercent_of_span_pct\tnamur_zone\n12,5\t53,1\t53,1\tmeasuring\n",
            ""},
        TRunnerCase{"HumidityColumnsByNameAndNumber",
                    {"humidity", "--temp-column", "T", "--dew-point-column", "3", "--keep", "1",
                     "--quantities", "dew-point", "--format", "csv"},
                    "time,T,Td\n08:00,20,10\n",
                    0,
                    "time,temperature_C,relative_humidity_pct,pressure_Pa,dew_point_C,dew_point_"
                    "accuracy_C\n08:00,20,52.493,101325,10.000,1.081\n",
                    ""},
        TRunnerCase{"HumidityColumnNeedsTheTemperatures",
                    {"humidity", "--rh-column", "2"},
                    "",
                    2,
                    "",
                    "velmora-cli: give --temp-column with one of --rh-column, --dew-point-column, "
                    "--frost-point-column or --wet-bulb-column\n"},
        TRunnerCase{"AnOptionIsNoColumn",
                    {"temp", "pt100", "--to", "electrical", "100", "--column", "--decimals", "5"},
                    "",
                    2,
                    "",
                    "velmora-cli: --column needs a value (N|NAME), not '--decimals'\n"},
        TRunnerCase{"FolderNamed",
                    {"loop", "--lo", "0", "--hi", "1", "--current", "--input", "."},
                    "",
                    2,
                    "",
                    "velmora-cli: --input '.' is a folder; give a file\n"}),
    [](const testing::TestParamInfo<TRunnerCase> &info) { return std::string(info.param.name); });

// Many values on one line are read in time that grows with their number, not its square: a line
// near the longest a line may be, 21,845 values, takes a fraction of a second.
TEST(RunnerInput, ManyValuesOnOneLineReadInLinearTime)
{
    std::string line;
    while (line.size() + 3 <= 65536)
        line += "12 ";
    const auto start = std::chrono::steady_clock::now();
    const TCliRun run
        = RunCli({"loop", "--lo", "0", "--hi", "100", "--current", "--format", "csv"}, line + "\n");
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(SplitLines(run.out).size(), 65536 / 3 + 1);
    EXPECT_LT(seconds, 2.0);
}

} // namespace
