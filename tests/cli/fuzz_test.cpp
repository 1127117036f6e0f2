// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string_view>

namespace {

// Random command lines and inputs made of the tool's own words, numbers near its limits and
// hostile text. VELMORA_CLI_FUZZ_RUNS sets the number of runs (2000 by default, a few seconds under
// AddressSanitizer) and VELMORA_CLI_FUZZ_SEED replaces the fixed seed.
const std::vector<std::string> Words{"temp",
                                     "table",
                                     "humidity",
                                     "loop",
                                     "line",
                                     "tmp",
                                     "pt100",
                                     "pt1000",
                                     "ni1000",
                                     "ntc2252",
                                     "k",
                                     "j",
                                     "n",
                                     "t",
                                     "b",
                                     "s",
                                     "--to",
                                     "electrical",
                                     "temperature",
                                     "--cj",
                                     "--unit",
                                     "F",
                                     "C",
                                     "--emf-unit",
                                     "mV",
                                     "uV",
                                     "--from",
                                     "--step",
                                     "--format",
                                     "json",
                                     "csv",
                                     "text",
                                     "--decimals",
                                     "full",
                                     "--keep-going",
                                     "--column",
                                     "--temp",
                                     "--rh",
                                     "--pressure",
                                     "--lo",
                                     "--hi",
                                     "--current",
                                     "--value",
                                     "--x0",
                                     "--x1",
                                     "--y0",
                                     "--y1",
                                     "--x",
                                     "--y",
                                     "--help",
                                     "--version",
                                     "--",
                                     "--too",
                                     "-",
                                     "tolerance",
                                     "check",
                                     "calibrate",
                                     "pressure-dew-point",
                                     "e",
                                     "r",
                                     "pt",
                                     "cu",
                                     "ntc",
                                     "linear",
                                     "--class",
                                     "AA",
                                     "A",
                                     "B",
                                     "W0.1",
                                     "--reference",
                                     "--reading",
                                     "--dew-point",
                                     "--frost-point",
                                     "--wet-bulb",
                                     "--at",
                                     "--atmosphere",
                                     "--at-temp",
                                     "--quantities",
                                     "all",
                                     "--curve",
                                     "pt3916",
                                     "--r0",
                                     "--cvd",
                                     "--r25",
                                     "--beta",
                                     "--lead-resistance",
                                     "--range",
                                     "0,100",
                                     "--points",
                                     "--up-down",
                                     "--tolerance",
                                     "0.25%",
                                     "--found",
                                     "--left",
                                     "4,8,12,16,20",
                                     "--found-column",
                                     "--output",
                                     "0-10V",
                                     "--keep",
                                     "--temp-column",
                                     "--rh-column",
                                     "--pressure-column",
                                     "--decimal-mark",
                                     "comma",
                                     "--delimiter",
                                     "semicolon",
                                     "tab",
                                     "tsv",
                                     "svg",
                                     "--input",
                                     "--pressure-unit",
                                     "bar",
                                     "7barg",
                                     "1013.25hPa",
                                     "12.3mV",
                                     "138.5ohm",
                                     "2.2kohm",
                                     "BAR"};
const std::vector<std::string> Commands{"temp",  "table",    "tolerance",
                                        "check", "humidity", "pressure-dew-point",
                                        "loop",  "line",     "calibrate"};
const std::vector<std::string> Numbers{
    "0",      "-0",     "1",     "-1",    "25",    "100",  "850",
    "-200",   "1370",   "54819", "47600", "-4000", "-210", "0.5",
    "1e4000", "1e-300", "nan",   "inf",   "12,5",  "1e5",  "+5",
    "3.",     ".5",     "5e",    "",      "2",     "7",    "99999999999999999999"};
const std::vector<std::string> Hostile{"\n",
                                       "a\nb",
                                       std::string("1\0"
                                                   "2",
                                                   3),
                                       "\x1b[31m",
                                       "\xff\xfe",
                                       "°C",
                                       "\t",
                                       "#",
                                       ";",
                                       ",",
                                       "\xef\xbb\xbf"
                                       "1",
                                       "\r",
                                       "1,5",
                                       ".",
                                       "1e400",
                                       "5mA"};

std::size_t Runs()
{
    const char *runs = std::getenv("VELMORA_CLI_FUZZ_RUNS");
    return runs != nullptr ? std::strtoull(runs, nullptr, 10) : 2000;
}

std::mt19937::result_type Seed()
{
    const char *seed = std::getenv("VELMORA_CLI_FUZZ_SEED");
    return seed != nullptr ? static_cast<std::mt19937::result_type>(std::strtoul(seed, nullptr, 10))
                           : 20261208;
}

template<typename T>
const T &Pick(std::mt19937 &random, const std::vector<T> &from)
{
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

std::string Token(std::mt19937 &random)
{
    const int kind = std::uniform_int_distribution<int>(0, 9)(random);
    if (kind < 5)
        return Pick(random, Words);
    if (kind < 9)
        return Pick(random, Numbers);
    return Pick(random, Hostile);
}

std::string Input(std::mt19937 &random)
{
    std::string input;
    const int lines = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < lines; ++i) {
        const int fields = std::uniform_int_distribution<int>(0, 3)(random);
        for (int f = 0; f < fields; ++f) {
            input += f > 0 ? (random() % 2 ? " " : ",") : "";
            input += random() % 5 == 0 ? Pick(random, Hostile) : Pick(random, Numbers);
        }
        input += '\n';
    }
    return input;
}

bool OneLineEach(const std::string &err)
{
    for (const std::string &line : SplitLines(err)) {
        if (line.rfind("velmora-cli: ", 0) != 0)
            return false;
    }
    return err.empty() || err.back() == '\n';
}

TEST(Fuzz, EveryRunEndsWithAKnownStatusOneLineMessagesAndParseableOutput)
{
    const std::mt19937::result_type seed = Seed();
    std::mt19937 random(seed);
    const std::size_t runs = Runs();
    for (std::size_t run = 0; run < runs; ++run) {
        std::vector<std::string> args;
        const int count = std::uniform_int_distribution<int>(0, 9)(random);
        if (random() % 4 != 0)
            args.push_back(Pick(random, Commands));
        // Mostly short tables, so that a run stays quick under a sanitizer.
        if (!args.empty() && args.front() == "table" && random() % 4 != 0)
            args.insert(args.end(), {"--step", "50"});
        for (int i = 0; i < count; ++i)
            args.push_back(Token(random));
        const std::string input = Input(random);
        const TCliRun result = RunCli(args, input);

        std::string trace = "seed " + std::to_string(seed) + ", run " + std::to_string(run) + ": ";
        for (const std::string &arg : args)
            trace += "[" + arg + "] ";
        SCOPED_TRACE(trace);
        ASSERT_TRUE(result.status == 0 || result.status == 1 || result.status == 2);
        ASSERT_TRUE(OneLineEach(result.err)) << result.err;
        if (result.status == 2) {
            ASSERT_EQ(result.out, "");
            ASSERT_EQ(SplitLines(result.err).size(), 1u) << result.err;
        }
        if (!result.out.empty() && result.out.front() == '{') {
            ASSERT_TRUE(nlohmann::json::accept(result.out)) << result.out;
        }
        ASSERT_EQ(result.out.find("nan"), std::string::npos) << result.out;
        ASSERT_EQ(result.out.find("inf"), std::string::npos) << result.out;
    }
}

// A command that converts readings, how many values one reading holds, and a value that reads and
// converts for each of them.
struct TReadingCommand
{
    std::vector<std::string> args;
    std::size_t values;
    std::vector<std::string> good;
};

const std::vector<TReadingCommand> ReadingCommands{
    {{"temp", "pt100", "--to", "temperature"}, 1, {"100", "138.5", "18.52", "390.48"}},
    {{"temp", "k", "--to", "electrical", "--cj", "23"}, 1, {"600", "-200", "1370", "0.001"}},
    {{"temp", "s", "--to", "temperature"}, 1, {"0", "1000", "18693"}},
    {{"loop", "--lo", "-50", "--hi", "150", "--current"}, 1, {"4", "20", "12.5", "3.8"}},
    {{"line", "--x0", "0", "--y0", "0", "--x1", "10", "--y1", "100", "--x"},
     1,
     {"0", "-5", "7.25"}},
    {{"humidity"}, 2, {"23", "45", "-20", "100", "0.5"}},
};

// What makes a line of the input not a reading, or a reading that is refused.
const std::vector<std::string> BadValues{"12a", "1e400", "nan", "-", "0x10", "1..2", "99999"};

// One random log for `command`, and how many of its lines are readings: good ones, bad ones, blank
// lines, comments, perhaps a header and a byte-order mark, with either line end and, for a
// decimal comma, ';' between the fields.
std::string Log(std::mt19937 &random, const TReadingCommand &command, bool decimalComma,
                std::size_t &readings)
{
    const std::string end = random() % 3 == 0 ? "\r\n" : "\n";
    const char delimiter = decimalComma ? ';' : (random() % 2 ? ',' : ' ');
    std::string log = random() % 4 == 0 ? "\xef\xbb\xbf" : "";
    if (random() % 3 == 0)
        log += "# exported" + end;
    if (random() % 3 == 0) {
        for (std::size_t f = 0; f < command.values; ++f)
            log += (f > 0 ? std::string(1, delimiter) : "") + "value" + std::to_string(f + 1);
        log += end;
    }
    readings = 0;
    const int lines = std::uniform_int_distribution<int>(0, 12)(random);
    for (int line = 0; line < lines; ++line) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        if (kind == 0) {
            log += end;
            continue;
        }
        if (kind == 1) {
            log += "# note" + end;
            continue;
        }
        ++readings;
        for (std::size_t f = 0; f < command.values; ++f) {
            std::string value = kind == 2 ? Pick(random, BadValues) : Pick(random, command.good);
            if (decimalComma)
                std::replace(value.begin(), value.end(), '.', ',');
            log += (f > 0 ? std::string(1, delimiter) : "") + value;
        }
        log += end;
    }
    return log;
}

// No reading is lost: every line that is not blank, a comment or the header either gets its row,
// or stops the run with a message naming its line, or with --keep-going is reported and still
// gets its row.
TEST(Fuzz, EveryReadingOfALogGetsItsRowOrStopsTheRunNamingItsLine)
{
    const std::mt19937::result_type seed = Seed();
    std::mt19937 random(seed + 1);
    const std::size_t runs = Runs() / 4;
    for (std::size_t run = 0; run < runs; ++run) {
        const TReadingCommand &command = Pick(random, ReadingCommands);
        std::vector<std::string> args = command.args;
        const bool keepGoing = random() % 2 == 0;
        const bool decimalComma = random() % 3 == 0;
        args.insert(args.end(), {"--format", "json"});
        if (keepGoing)
            args.push_back("--keep-going");
        if (decimalComma)
            args.insert(args.end(), {"--decimal-mark", "comma"});
        std::size_t readings = 0;
        const std::string input = Log(random, command, decimalComma, readings);
        const TCliRun result = RunCli(args, input);

        std::string trace = "seed " + std::to_string(seed) + ", log " + std::to_string(run) + ": ";
        for (const std::string &arg : args)
            trace += "[" + arg + "] ";
        SCOPED_TRACE(trace + "input [" + input + "]");
        const std::vector<std::string> messages = SplitLines(result.err);
        if (readings == 0 || (result.status == 2 && !keepGoing)) {
            ASSERT_EQ(result.status, 2) << result.err;
            ASSERT_EQ(result.out, "");
            ASSERT_EQ(messages.size(), 1u) << result.err;
            if (readings > 0) {
                ASSERT_EQ(messages[0].rfind("velmora-cli: line ", 0), 0u) << result.err;
            }
            continue;
        }
        // Status 0 may still carry a remark (humidity's dew point of air that may be dry).
        ASSERT_TRUE(result.status == 0 || (keepGoing && result.status == 1)) << result.err;
        ASSERT_TRUE(result.status == 0 || !messages.empty());
        const nlohmann::json document = nlohmann::json::parse(result.out);
        ASSERT_EQ(document.at("rows").size(), readings) << result.out;
    }
}

// Input of any size is refused or converted in one pass: a line beyond the bound is named by its
// number and length, never echoed, and nothing a message echoes runs longer than its first 40
// characters.
TEST(Fuzz, OversizedInputIsRefusedInOneShortLine)
{
    const std::vector<std::string> inputs{
        std::string(200000, '7') + "\n",
        "100\n" + std::string(70000, '1') + "\n",
        std::string(1 << 20, '\0'),
        "100\n" + std::string(100, 'x') + "\n",
        std::string(5000, ' ') + "1" + std::string(5000, ' ') + "x\n",
    };
    for (const std::string &input : inputs) {
        const TCliRun result = RunCli({"temp", "pt100", "--to", "temperature"}, input);
        SCOPED_TRACE(input.substr(0, 20));
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(SplitLines(result.err).size(), 1u);
        EXPECT_LT(result.err.size(), 160u) << result.err;
    }
}

// Whatever --to electrical prints, at any --decimals, with or without a reference junction and in
// either emf unit, --to temperature takes back, most of all at the ends of a sensor's range.
TEST(Fuzz, EveryPrintedElectricalValueIsTakenBack)
{
    const struct
    {
        std::string sensor;
        double low;
        double high;
    } sensors[]
        = {{"pt100", -200, 850}, {"pt1000", -200, 850}, {"ni1000", -50, 250}, {"ntc2252", -80, 120},
           {"k", -200, 1370},    {"j", -210, 1200},     {"s", -50, 1760},     {"b", 250, 1820},
           {"t", -200, 401},     {"n", -200, 1310},     {"e", -200, 1000},    {"r", -50, 1768.1}};
    const std::mt19937::result_type seed = Seed();
    std::mt19937 random(seed + 2);
    const std::size_t runs = Runs() / 8;
    for (std::size_t run = 0; run < runs; ++run) {
        const auto &sensor = sensors[random() % std::size(sensors)];
        const int where = std::uniform_int_distribution<int>(0, 3)(random);
        const double t = where == 0   ? sensor.low
                         : where == 1 ? sensor.high
                                      : std::uniform_real_distribution<double>(sensor.low,
                                                                               sensor.high)(random);
        std::vector<std::string> options{"--decimals",
                                         random() % 4 == 0 ? "full" : std::to_string(random() % 9)};
        const bool thermocouple = sensor.sensor.size() == 1;
        if (thermocouple && random() % 2 == 0)
            options.insert(options.end(),
                           {"--cj", std::to_string(static_cast<int>(random() % 61) - 20)});
        if (thermocouple && random() % 2 == 0)
            options.insert(options.end(), {"--emf-unit", "mV"});
        std::string temperature = std::to_string(t);
        std::vector<std::string> there{"temp",     sensor.sensor, "--to",     "electrical",
                                       "--format", "csv",         temperature};
        there.insert(there.end(), options.begin(), options.end());
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + sensor.sensor + " at " + temperature);
        const TCliRun out = RunCli(there);
        if (out.status != 0) {
            // a reference junction outside a thermocouple's own limits
            ASSERT_EQ(out.err.find("velmora-cli: --cj "), 0u) << out.err;
            continue;
        }
        const std::vector<std::vector<std::string>> rows = CsvRows(out.out);
        ASSERT_EQ(rows.size(), 2u) << out.out;
        std::vector<std::string> back{"temp",        sensor.sensor, "--to",
                                      "temperature", "--",          rows[1].at(1)};
        back.insert(back.end() - 2, options.begin(), options.end());
        const TCliRun in = RunCli(back);
        ASSERT_EQ(in.status, 0) << rows[1].at(1) << ": " << in.err;
    }
}

} // namespace
