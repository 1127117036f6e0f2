// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include "CliApp.h"
#include "CliError.h"
#include "sensors/SensorTable.h"

#include "temperature/FieldSensor.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cctype>
#include <functional>
#include <memory>

using namespace temperature;

namespace {

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The JSON rows of a run that succeeded.
nlohmann::json Rows(const std::vector<std::string> &args)
{
    const TCliRun run = RunCli(With(args, {"--format", "json"}));
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? nlohmann::json::parse(run.out).at("rows") : nlohmann::json::array();
}

// Each new sensor gives the engine's value for its options, in full in JSON.
struct TSensorCase
{
    const char *name;
    std::vector<std::string> args;
    std::string key; // the result's JSON member
    std::function<double()> engine;
    bool single = false; // a thermocouple's result, a single in full
};

class FieldSensors : public testing::TestWithParam<TSensorCase>
{
};

TEST_P(FieldSensors, GiveTheEnginesValue)
{
    const nlohmann::json rows = Rows(GetParam().args);
    ASSERT_EQ(rows.size(), 1u);
    const double value = rows.at(0).at(GetParam().key).get<double>();
    if (GetParam().single)
        EXPECT_EQ(static_cast<float>(value), static_cast<float>(GetParam().engine()));
    else
        EXPECT_EQ(value, GetParam().engine());
}

TRtdCurve Curve(const char *name, long double r0)
{
    return TRtdCurve(*FindRtdCurve(name), r0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, FieldSensors,
    testing::Values(
        TSensorCase{"TypeE",
                    {"temp", "e", "--to", "electrical", "500"},
                    "emf",
                    [] { return TFieldSensor(tcE).ToElectric(500); },
                    true},
        TSensorCase{"TypeRCompensatedInverse",
                    {"temp", "r", "--to", "temperature", "10000", "--cj", "25"},
                    "temperature",
                    [] { return TFieldSensor(tcR).ToTemperatureCompensated(10000, 25); },
                    true},
        TSensorCase{
            "TypeEInMillivoltsAndFahrenheit",
            {"temp", "E", "--to", "temperature", "6.31893", "--emf-unit", "mV", "--unit", "F"},
            "temperature",
            [] {
                return CelsiusToFahrenheit(TFieldSensor(tcE).ToTemperature(6318.93));
            }},
        TSensorCase{"Pt500",
                    {"temp", "pt", "--r0", "500", "--to", "electrical", "-120.5"},
                    "resistance",
                    [] {
                        return Curve("pt385", 500).Resistance(-120.5);
                    }},
        TSensorCase{"PtDefaultsToPt100",
                    {"temp", "pt", "--to", "temperature", "150"},
                    "temperature",
                    [] {
                        return Curve("pt385", 100).Temperature(150);
                    }},
        TSensorCase{"OldJisCurve",
                    {"temp", "pt", "--curve", "pt3916", "--to", "electrical", "100"},
                    "resistance",
                    [] {
                        return Curve("pt3916", 100).Resistance(100);
                    }},
        TSensorCase{"CalibratedCoefficients",
                    {"temp", "pt", "--cvd", "3.9092e-3,-5.791e-7,-4.23e-12", "--r0", "99.98",
                     "--to", "temperature", "120.3"},
                    "temperature",
                    [] {
                        return TRtdCurve::CallendarVanDusen(3.9092E-3L, -5.791E-7L, -4.23E-12L,
                                                            99.98L)
                            .Temperature(120.3);
                    }},
        TSensorCase{
            "CalibratedCoefficientsAtNominalR0",
            {"temp", "pt", "--cvd", "3.9092e-3,-5.791e-7,-4.23e-12", "--to", "electrical", "50"},
            "resistance",
            [] {
                return TRtdCurve::CallendarVanDusen(3.9092E-3L, -5.791E-7L, -4.23E-12L, 100.0L)
                    .Resistance(50);
            }},
        TSensorCase{"NickelTk5000",
                    {"temp", "ni1000-tk5000", "--to", "electrical", "-30"},
                    "resistance",
                    [] {
                        return Curve("ni1000-tk5000", 1000).Resistance(-30);
                    }},
        TSensorCase{"Cu50",
                    {"temp", "cu", "--r0", "50", "--to", "electrical", "-180"},
                    "resistance",
                    [] {
                        return Curve("cu428", 50).Resistance(-180);
                    }},
        TSensorCase{
            "NtcBeta",
            {"temp", "ntc", "--r25", "10000", "--beta", "3950", "--to", "temperature", "33620.6"},
            "temperature",
            [] {
                return TThermistor::Beta(10000, 3950).Temperature(33620.6);
            }},
        TSensorCase{
            "NtcSteinhartHart",
            {"temp", "ntc", "--sh", "1.468e-3,2.383e-4,1.007e-7", "--to", "electrical", "-40"},
            "resistance",
            [] {
                return TThermistor::SteinhartHart(1.468E-3L, 2.383E-4L, 1.007E-7L).Resistance(-40);
            }},
        TSensorCase{
            "NtcNamedFit",
            {"temp", "ntc", "--curve", "murata-ncpxh103", "--to", "temperature", "4161"},
            "temperature",
            [] {
                return TThermistor(*FindThermistorCurve("murata-ncpxh103")).Temperature(4161);
            }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FieldSensors, TablesRunOverTheCurvesRangeByDefault)
{
    const nlohmann::json e = Rows({"table", "e", "--step", "10"});
    EXPECT_EQ(e.front().at("temperature").get<double>(), -270);
    EXPECT_EQ(e.back().at("temperature").get<double>(), 1000);
    const nlohmann::json ni = Rows({"table", "ni1000-tk5000", "--step", "10"});
    EXPECT_EQ(ni.size(), 20u); // -30 to 160 °C
    // a resistance printed to three places at the end of the range is taken back
    const nlohmann::json pt
        = Rows({"temp", "pt", "--r0", "1000", "--to", "temperature", "185.2005"});
    EXPECT_NEAR(pt.at(0).at("temperature").get<double>(), -200, 1e-9);
}

// The permitted deviation of a class in both units, and the word where it is not defined.
TEST(ToleranceCommand, GivesTheClassesDeviationInBothUnitsOrSaysItIsOutside)
{
    const TCliRun run = RunCli({"tolerance", "pt1000", "--class", "F 0.15", "-40", "-30", "100",
                                "--format", "csv", "--decimals", "full"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"temperature_C", "temperature_tolerance_C",
                                                 "resistance_tolerance_ohm"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"-40", "outside class", ""}));
    EXPECT_EQ(rows[2][1], "0.21");
    EXPECT_EQ(rows[3][1], "0.35");
    const double ohms = std::stod(rows[3][2]);
    EXPECT_EQ(ohms, FieldSensorOf(stPt1000)->ElectricDeviation(100, 0.35));
    EXPECT_EQ(run.err,
              "velmora-cli: A (F 0.15) is defined from -30 to 300 °C only; outside, no tolerance "
              "is given\n");
}

TEST(ToleranceCommand, ClassColumnsFollowTheirQuantityInTempAndTable)
{
    const nlohmann::json temp
        = Rows({"temp", "k", "--to", "temperature", "20644", "--class", "1", "--unit", "F"});
    // 499.something °C: class 1 ±0.004·|t| °C, shown in °F
    const double celsius = FahrenheitToCelsius(temp.at(0).at("temperature").get<double>());
    EXPECT_NEAR(temp.at(0).at("temperature_tolerance").get<double>(), 0.004 * celsius * 1.8, 1e-9);
    EXPECT_GT(temp.at(0).at("emf_tolerance").get<double>(), 80);

    const TCliRun table = RunCli({"table", "b", "--from", "590", "--to", "610", "--step", "10",
                                  "--class", "3", "--format", "csv"});
    ASSERT_EQ(table.status, 0) << table.err;
    const auto rows = CsvRows(table.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"temperature_C", "temperature_tolerance_C",
                                                 "emf_uV", "emf_tolerance_uV"}));
    EXPECT_EQ(rows[1][1], "outside class");
    EXPECT_EQ(rows[2][1], "4.000");
}

struct TCheckCase
{
    const char *name;
    std::vector<std::string> args;
    double deviation;
    std::string met;
};

class CheckCommand : public testing::TestWithParam<TCheckCase>
{
};

TEST_P(CheckCommand, ConvertsTheReadingAndNamesTheClassesItsDeviationMeets)
{
    const nlohmann::json rows = Rows(GetParam().args);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows.at(0).at("deviation").get<double>(), GetParam().deviation, 5e-4);
    EXPECT_EQ(rows.at(0).at("classes_met").get<std::string>(), GetParam().met);
}

INSTANTIATE_TEST_SUITE_P(
    Sensors, CheckCommand,
    testing::Values(
        // 138.62 Ω is 100.302 °C by the window's Pt100
        TCheckCase{"Pt100",
                   {"check", "pt100", "--reference", "100", "--reading", "138.62"},
                   0.302,
                   "A, B, C"},
        TCheckCase{"Pt500WithinAA",
                   {"check", "pt", "--r0", "500", "--reference", "0", "--reading", "500.1"},
                   0.05118,
                   "AA, A, B, C"},
        // E(500) - E(22) = 35692.684 µV; 35900 µV is 2.56 °C high: beyond class 1's ±2 °C
        TCheckCase{"TypeEWithColdJunction",
                   {"check", "e", "--reference", "500", "--reading", "35900", "--cj", "22"},
                   2.5579,
                   "2"},
        // R's classes end at 1600 °C
        TCheckCase{"BeyondEveryClass",
                   {"check", "r", "--reference", "1700", "--reading", "20500"},
                   20.874,
                   "none"}),
    [](const auto &info) { return std::string(info.param.name); });

struct TVerdictCase
{
    const char *name;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> verdicts; // "key=text"
};

class CheckClasses : public testing::TestWithParam<TVerdictCase>
{
};

// --class answers for each class named, once, in the order named: 0 when the reading meets every
// one, 1 when it misses any (by how much, or because the class does not apply there).
TEST_P(CheckClasses, AnswerForEachClassNamedInTheExitStatus)
{
    const TVerdictCase &c = GetParam();
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--format", "json"});
    const TCliRun run = RunCli(args);
    ASSERT_EQ(run.status, c.status) << run.err;
    const nlohmann::json row = nlohmann::json::parse(run.out).at("rows").at(0);
    std::vector<std::string> verdicts;
    for (const auto &[key, value] : row.items()) {
        if (key.rfind("class_", 0) == 0)
            verdicts.push_back(key + "=" + value.get<std::string>());
    }
    EXPECT_EQ(verdicts, c.verdicts);
    EXPECT_FALSE(row.contains("classes_met"));
}

INSTANTIATE_TEST_SUITE_P(
    Sensors, CheckClasses,
    testing::Values(
        // 2.623 °C high at 100 °C: A permits 0.35, B 0.8
        TVerdictCase{
            "MissesByHowMuch",
            {"check", "pt100", "--reference", "100", "--reading", "139.5", "--class", "A,b"},
            1,
            {"class_A=misses class A by 2.273 °C", "class_B=misses class B by 1.823 °C"}},
        TVerdictCase{"MeetsEachOnce",
                     {"check", "pt100", "--reference", "100", "--reading", "138.62", "--class", "B",
                      "--class", "W 0.3", "--class", "C"},
                     0,
                     {"class_B=meets class B", "class_C=meets class C"}},
        TVerdictCase{
            "FilmByItsDesignation",
            {"check", "pt100", "--reference", "300", "--reading", "212.1", "--class", "AA,F0.3"},
            1,
            {"class_AA=misses class AA: it applies from -50 to 250 °C only",
             "class_F_0.3=meets class F 0.3"}},
        TVerdictCase{"InFahrenheit",
                     {"check", "k", "--reference", "932", "--reading", "19800", "--cj", "71.6",
                      "--unit", "F", "--class", "1"},
                     0,
                     {"class_1=meets class 1"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TRefusal
{
    const char *name;
    std::vector<std::string> args;
    std::string message;
};

class Refusals : public testing::TestWithParam<TRefusal>
{
};

TEST_P(Refusals, OneLineNamingTheValueAndTheRuleStatus2)
{
    const TCliRun run = RunCli(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "velmora-cli: " + GetParam().message + "\n");
}

const std::vector<std::string> PtToRes{"temp", "pt", "--to", "electrical", "0"};

INSTANTIATE_TEST_SUITE_P(
    BadOptions, Refusals,
    testing::Values(
        TRefusal{"UnknownCurve", With(PtToRes, {"--curve", "pt391"}),
                 "unknown pt curve 'pt391'; expected one of pt385, pt3916, pt3926"},
        TRefusal{"UnknownThermistor",
                 {"temp", "ntc", "--curve", "10k", "--to", "electrical", "0"},
                 "unknown thermistor curve '10k'; expected one of semitec-103at, "
                 "epcos-b57330v2103, murata-ncpxh103, epcos-b57891s0103"},
        TRefusal{"UnknownClass",
                 {"tolerance", "t", "--class", "AA", "0"},
                 "unknown class 'AA' for the type T thermocouple; expected 1, 2, 3"},
        TRefusal{"UnknownClassToCheck",
                 {"check", "k", "--reference", "500", "--reading", "20000", "--class", "1,A"},
                 "unknown --class 'A' for the type K thermocouple; expected 1, 2, 3"},
        TRefusal{"ZeroR0", With(PtToRes, {"--r0", "0"}),
                 "--r0 0 must be a positive resistance in Ω"},
        TRefusal{"NegativeR25",
                 {"temp", "ntc", "--r25", "-1e4", "--beta", "3435", "--to", "electrical", "0"},
                 "--r25 -1e4 must be a positive resistance in Ω"},
        TRefusal{"BetaWithoutR25",
                 {"temp", "ntc", "--beta", "3435", "--to", "electrical", "0"},
                 "--beta 3435 needs --r25, the thermistor's resistance at 25 °C"},
        TRefusal{"TwoCoefficients",
                 {"temp", "ntc", "--sh", "1e-3,2e-4", "--to", "electrical", "0"},
                 "--sh '1e-3,2e-4' must be three numbers separated by commas"},
        TRefusal{"NotMonotonicForTheInverse",
                 {"temp", "pt", "--cvd", "3.9083e-3,-5.775e-6,-4.183e-12", "--r0", "100", "--to",
                  "temperature", "150"},
                 "--cvd 3.9083e-3,-5.775e-6,-4.183e-12: the sensor's resistance does not rise "
                 "steadily from -200 to 850 °C, so the curve is not one-to-one there"},
        TRefusal{"NotMonotonicOverTheTable",
                 {"table", "ntc", "--sh", "2.2e-3,1e-4,-1e-7", "--from", "0", "--to", "50"},
                 "--sh 2.2e-3,1e-4,-1e-7: the thermistor's resistance does not fall steadily "
                 "from 0 to 50 °C, so the curve is not one-to-one there"},
        TRefusal{"SizeOnAWindowSensor",
                 {"temp", "pt100", "--r0", "50", "--to", "electrical", "0"},
                 "--r0 does not apply to the Pt100 (sized sensors: pt, cu, ni1000-tk5000)"},
        TRefusal{
            "NoClassesForTheSensor",
            {"check", "ntc", "--curve", "semitec-103at", "--reference", "25", "--reading", "10000"},
            "check: the 10 kohm NTC, SEMITEC 103AT (B25/85 3435 K) has no tolerance "
            "classes; they are defined for platinum on the IEC 60751 curve (pt100, pt1000, "
            "pt) and for thermocouples"},
        TRefusal{"OutsideTypeELimits",
                 {"temp", "e", "--to", "electrical", "1000.5"},
                 "temperature 1000.5 °C is outside the type E thermocouple's limits, -270 to "
                 "1000 °C"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// Every sensor of the table is found by its name in any case, and SENSOR lists exactly the
// table's names, so that the help, the manual page and the completions offer what is accepted.
TEST(SensorTable, EverySensorIsFoundByNameAndListedBySensorsChoices)
{
    std::string names;
    for (const cli::TSensorEntry &entry : cli::SensorTable) {
        std::string upper(entry.name);
        for (char &c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(&cli::FindSensor(upper), &entry) << entry.name;
        names += (names.empty() ? "" : "|") + std::string(entry.name);
    }
    const std::unique_ptr<cli::TCliApp> app = cli::BuildCliApp();
    for (const char *command : {"temp", "table", "tolerance", "check"}) {
        const CLI::Option *sensor = app->app->get_subcommand(command)->get_option("SENSOR");
        EXPECT_EQ(sensor->get_type_name(), names) << command;
    }
    EXPECT_THROW(cli::FindSensor("thermocouple"), cli::TCliError);
}

} // namespace
