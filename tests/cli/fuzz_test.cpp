// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <random>

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
                                     "-"};
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
                                       ","};

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
            args.push_back(Pick(
                random, std::vector<std::string>{"temp", "table", "humidity", "loop", "line"}));
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

} // namespace
