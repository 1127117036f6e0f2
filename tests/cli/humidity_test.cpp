// SPDX-License-Identifier: MIT
#include "CliRunner.h"

#include "humidity/HumidityQuantities.h"
#include "humidity/humidity.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

namespace {

struct TReading
{
    double temp;
    double relHum;
    double press;
};

// The window's order of its five quantities, by the engine's index, then the further five.
constexpr int WindowOrder[]
    = {humidity::riDewPoint, humidity::riAbsoluteHumidity, humidity::riSpecificHumidity,
       humidity::riMixingRatio, humidity::riSpecificEnthalpy};
constexpr int QuantityCount = humidity::ResultCount + humidity::ExtResultCount;
// Those without a value where the vapour pressure reaches the pressure.
constexpr bool DependsOnPressure[QuantityCount]
    = {false, false, true, true, true, false, false, false, true, true};

double Result(const humidity::TModuleState &s, int q)
{
    return q < humidity::ResultCount ? s.Results[WindowOrder[q]]
                                     : s.ExtResults[q - humidity::ResultCount];
}

double Accuracy(const humidity::TModuleState &s, int q)
{
    return q < humidity::ResultCount ? s.Accuracies[WindowOrder[q]]
                                     : s.ExtAccuracies[q - humidity::ResultCount];
}

humidity::TModuleState EngineState(const TReading &reading, double tempAccuracy,
                                   double relHumAccuracy)
{
    humidity::ResetModuleState();
    humidity::TModuleState &s = humidity::moduleState;
    s.Temp = reading.temp;
    s.RelHum = reading.relHum;
    s.Press = reading.press;
    s.TempAccuracy = tempAccuracy;
    s.RelHumAccuracy = relHumAccuracy;
    humidity::CalculateExtendedHumidity();
    return s;
}

// A CSV field: a missing value is an empty field.
void ExpectCell(const std::string &field, double engineValue)
{
    if (engineValue == humidity::NoValueSentinel) {
        EXPECT_EQ(field, "");
        return;
    }
    double value = 0;
    ASSERT_TRUE(ReadDouble(field, value)) << field;
    EXPECT_EQ(value, engineValue);
}

// The readings of a log, each line temperature, relative humidity and (optionally) pressure.
TEST(HumidityCommand, GivesTheWindowsResultsForEachLoggedReading)
{
    const std::vector<TReading> readings{{20, 50, 101325}, {-10, 80, 101325}, {0, 50, 101325},
                                         {25, 0, 101325},  {20, 100, 90000},  {200, 50, 101325}};
    std::string input = "# t RH p\n";
    for (const TReading &r : readings)
        input += std::to_string(r.temp) + " " + std::to_string(r.relHum) + " "
                 + std::to_string(r.press) + "\n";
    const TCliRun run = RunCli({"humidity", "--temp-accuracy", "0.4", "--rh-accuracy", "2.5",
                                "--format", "csv", "--decimals", "full"},
                               input);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), readings.size() + 1);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        SCOPED_TRACE(input.substr(0, 0) + "reading " + std::to_string(i));
        const humidity::TModuleState s = EngineState(readings[i], 0.4, 2.5);
        const auto &row = rows[i + 1];
        ASSERT_EQ(row.size(), 3u + 2 * QuantityCount);
        ExpectCell(row[0], readings[i].temp);
        ExpectCell(row[1], readings[i].relHum);
        ExpectCell(row[2], readings[i].press);
        // Vapour pressure at or above the pressure: the quantities per kilogram of air, the wet
        // bulb and the volume ratio do not exist.
        const bool impossible = s.VapPress >= s.Press;
        for (int q = 0; q < QuantityCount; ++q) {
            if (impossible && DependsOnPressure[q]) {
                EXPECT_EQ(row[3 + 2 * q], "");
                EXPECT_EQ(row[4 + 2 * q], "");
                continue;
            }
            ExpectCell(row[3 + 2 * q], Result(s, q));
            ExpectCell(row[4 + 2 * q], Accuracy(s, q));
        }
    }
    // Written as an engineer logs them, the readings' table keeps its columns lined up within
    // 100 columns: by default it shows the window's five quantities; --quantities all shows
    // every one, wider than a terminal but never ragged.
    const std::string logged = "20 50\n-10 80\n0 50\n25 0\n20 100 90000\n200 50\n-100 100\n";
    for (const bool all : {false, true}) {
        const TCliRun text = all ? RunCli({"humidity", "--quantities", "all"}, logged)
                                 : RunCli({"humidity"}, logged);
        const std::vector<std::string> lines = SplitLines(text.out);
        ASSERT_EQ(lines.size(), 10u);
        for (std::size_t i = 2; i < lines.size(); ++i)
            EXPECT_EQ(DisplayWidth(lines[i]), DisplayWidth(lines[1])) << lines[i];
        if (!all) {
            EXPECT_LE(DisplayWidth(lines[1]), 100u);
        }
    }
    EXPECT_EQ(run.err, "velmora-cli: line 7: at 200.000000 °C and 50.000000 % the vapour "
                       "pressure, 797930.228 Pa, is not below the pressure 101325.000000 Pa: no "
                       "such moist air; quantities that depend on the pressure are shown as "
                       "-----\n");
}

TEST(HumidityCommand, DefaultsAreTheWindowsStartingInputs)
{
    const TCliRun run = RunCli(
        {"humidity", "--temp", "20", "--rh", "50", "--format", "csv", "--decimals", "full"});
    ASSERT_EQ(run.status, 0) << run.err;
    const humidity::TModuleState s = EngineState({20, 50, 101325}, 0.4, 2.5);
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "temperature_C");
    EXPECT_EQ(rows[0][1], "relative_humidity_pct");
    EXPECT_EQ(rows[0][2], "pressure_Pa");
    EXPECT_EQ(rows[0][3], "dew_point_C");
    EXPECT_EQ(rows[0][4], "dew_point_accuracy_C");
    ExpectCell(rows[1][2], 101325);
    ExpectCell(rows[1][3], s.Results[humidity::riDewPoint]);
    ExpectCell(rows[1][4], s.Accuracies[humidity::riDewPoint]);
}

TEST(HumidityCommand, MissingDewPointIsDashesInTextAndNullInJson)
{
    const TCliRun text = RunCli({"humidity", "--temp", "25", "--rh", "0"});
    ASSERT_EQ(text.status, 0) << text.err;
    const std::vector<std::string> expected{
        "# humidity: pressure 101325, temp_accuracy 0.4, rh_accuracy 2.5",
        "temperature                     25                   °C",
        "relative humidity                0                   %",
        "pressure                    101325                   Pa",
        "dew point                    -----      ± -----      °C",
        "absolute humidity                0.000  ±     0.576  g/m³",
        "specific humidity                0.000  ±     0.486  g/kg",
        "mixing ratio                     0.000  ±     0.486  g/kg",
        "specific enthalpy               25.136  ±     1.641  kJ/kg",
        "saturation vapour pressure    3172.751  ±    78.425  Pa",
        "vapour pressure                  0.000  ±    79.248  Pa",
        "frost point                  -----      ± -----      °C",
        "wet bulb                         8.259  ±     0.757  °C",
        "volume ratio                     0.000  ±   782.117  ppmv"};
    EXPECT_EQ(SplitLines(text.out), expected);

    const TCliRun json = RunCli({"humidity", "--temp", "25", "--rh", "0", "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto row = nlohmann::json::parse(json.out).at("rows").at(0);
    EXPECT_TRUE(row.at("dew_point").is_null());
    EXPECT_TRUE(row.at("dew_point_accuracy").is_null());
    EXPECT_EQ(row.at("absolute_humidity").get<double>(), 0);
}

nlohmann::json JsonRow(const std::vector<std::string> &args, const std::string &input = {})
{
    std::vector<std::string> all = args;
    all.insert(all.end(), {"--format", "json"});
    const TCliRun run = RunCli(all, input);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? nlohmann::json::parse(run.out).at("rows").at(0) : nlohmann::json();
}

// A dew point, frost point or wet bulb stands for the relative humidity the engine finds for it.
TEST(HumidityCommand, TakesTheHumidityAsDewPointFrostPointOrWetBulb)
{
    const struct
    {
        const char *option;
        const char *key;
        double temp;
        double value;
        humidity::TRelHumInput (*relHum)(double, double, double);
    } cases[]{
        {"--dew-point", "dew_point", 20, 9.277,
         [](double t, double v, double) {
             return humidity::RelHumFromDewPoint(t, v);
         }},
        {"--frost-point", "frost_point", -10, -12,
         [](double t, double v, double) {
             return humidity::RelHumFromFrostPoint(t, v);
         }},
        {"--wet-bulb", "wet_bulb", 40, 20, humidity::RelHumFromWetBulb},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.option);
        const auto row = JsonRow({"humidity", "--temp", std::to_string(c.temp), c.option,
                                  std::to_string(c.value), "--pressure", "1013.25hPa"});
        ASSERT_FALSE(row.is_null());
        EXPECT_EQ(row.at("relative_humidity").get<double>(),
                  c.relHum(c.temp, c.value, 101325).relHum);
        EXPECT_NEAR(row.at(c.key).get<double>(), c.value, 1e-9);
    }
}

// A saturated state's dew point, frost point and wet bulb as printed, at any --decimals, are taken
// back as saturation, though rounding may put them past the air temperature or saturated air's
// frost point.
TEST(HumidityCommand, SaturatedStatesPrintedResultsAreTakenBack)
{
    for (const char *temp : {"-50", "20.0006"}) {
        for (const char *decimals : {"0", "1", "3", "full"}) {
            const TCliRun forward
                = RunCli({"humidity", "--temp", temp, "--rh", "100", "--decimals", decimals,
                          "--format", "csv", "--quantities", "dew_point,frost_point,wet_bulb"});
            ASSERT_EQ(forward.status, 0) << forward.err;
            const auto rows = CsvRows(forward.out);
            for (std::size_t column = 3; column < rows.at(0).size(); column += 2) {
                const std::string &value = rows.at(1).at(column);
                if (value.empty())
                    continue; // no frost point above 0 °C
                std::string option = "--" + rows.at(0).at(column);
                option = option.substr(0, option.rfind('_')); // the unit
                std::replace(option.begin(), option.end(), '_', '-');
                const TCliRun back = RunCli({"humidity", "--temp", temp, option, value, "--format",
                                             "json", "--decimals", decimals});
                ASSERT_EQ(back.status, 0) << option << " " << value << ": " << back.err;
                EXPECT_NEAR(nlohmann::json::parse(back.out)
                                .at("rows")
                                .at(0)
                                .at("relative_humidity")
                                .get<double>(),
                            100, 1) // the printed digits' own rounding
                    << option << " " << value;
            }
        }
    }
}

// Where the relative humidity less its accuracy is not above 0 the air may be dry: the dew and
// frost points have no lower bound, so no ± (null in JSON), said once on standard error.
TEST(HumidityCommand, DewAndFrostPointsOfPossiblyDryAirHaveNoAccuracy)
{
    for (const char *relHum : {"2.5", "2.6"}) {
        const TCliRun run = RunCli({"humidity", "--temp", "-20", "--rh", relHum, "--quantities",
                                    "dew_point,frost_point,vapour_pressure", "--format", "json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json row = nlohmann::json::parse(run.out).at("rows").at(0);
        const bool dry = std::string(relHum) == "2.5";
        EXPECT_EQ(row.at("dew_point_accuracy").is_null(), dry) << relHum;
        EXPECT_EQ(row.at("frost_point_accuracy").is_null(), dry) << relHum;
        EXPECT_TRUE(row.at("vapour_pressure_accuracy").is_number());
        EXPECT_GT(row.at("frost_point").get<double>(), row.at("dew_point").get<double>());
        EXPECT_EQ(run.err.find("no lower bound") != std::string::npos, dry) << run.err;
    }
}

// A pressure converted to pascals keeps the resolution it was given in, in every format.
TEST(PressureDewPointCommand, ConvertedPressureIsShownAtItsGivenResolution)
{
    const struct
    {
        const char *given;
        const char *pascals;
    } cases[]{{"1.0132bar", "101320"}, {"101.3255kPa", "101325.5"}, {"14.7psi", "101353"}};
    for (const auto &c : cases) {
        const TCliRun run = RunCli({"pressure-dew-point", "--dew-point", "3", "--at", "8bar",
                                    "--to", c.given, "--format", "csv", "--decimals", "full"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(CsvRows(run.out).at(1).at(2), c.pascals) << c.given;
    }
}

// A pressure in another unit is the same pressure: the output stays in pascals.
TEST(HumidityCommand, ReadsPressuresWithUnits)
{
    const auto inPascals
        = JsonRow({"humidity", "--temp", "20", "--rh", "50", "--pressure", "80000"});
    const std::vector<std::vector<std::string>> others{
        {"--pressure", "800hPa"},
        {"--pressure", "0.8bar"},
        {"--pressure", "80", "--pressure-unit", "kPa"}};
    for (const auto &other : others) {
        std::vector<std::string> args{"humidity", "--temp", "20", "--rh", "50"};
        args.insert(args.end(), other.begin(), other.end());
        EXPECT_EQ(JsonRow(args), inPascals) << other[1];
    }
    EXPECT_EQ(JsonRow({"humidity"}, "20 50 800hPa\n"), inPascals);
}

// A gauge pressure is the absolute pressure less the atmosphere, which the settings then name.
TEST(PressureDewPointCommand, GaugePressuresAreAboveTheAtmosphere)
{
    const struct
    {
        std::vector<std::string> gauge;
        double above; // the --at pressure above the atmosphere, in Pa
        double atmosphere;
    } cases[] = {
        {{"--at", "7barg", "--to", "0barg"}, 7e5, 101325},
        {{"--at", "101.5psig", "--to", "0psig"}, 101.5 * 6894.757293168361, 101325},
        {{"--at", "700kPag", "--to", "0", "--pressure-unit", "kPag"}, 7e5, 101325},
        {{"--at", "7", "--to", "0", "--pressure-unit", "barg", "--atmosphere", "0.95"}, 7e5, 95000},
        {{"--at", "7barg", "--to", "950hPa", "--atmosphere", "950hPa"}, 7e5, 95000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.gauge[1]);
        std::vector<std::string> args{"pressure-dew-point", "--dew-point", "3", "--format", "json"};
        args.insert(args.end(), c.gauge.begin(), c.gauge.end());
        const TCliRun run = RunCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json document = nlohmann::json::parse(run.out);
        EXPECT_EQ(document.at("settings").at("atmosphere").get<double>(), c.atmosphere);
        const nlohmann::json row = document.at("rows").at(0);
        const double from = row.at("from_pressure").get<double>();
        // Shown, and taken, at the resolution given: whole pascals here.
        EXPECT_NEAR(from - c.atmosphere, c.above, 0.5);
        EXPECT_EQ(row.at("to_pressure").get<double>(), c.atmosphere);
        EXPECT_EQ(row.at("converted_dew_point").get<double>(),
                  humidity::ConvertPressureDewPoint(3, from, c.atmosphere).dewPoint);
    }
    // Absolute pressures alone rest on no atmosphere.
    const TCliRun absolute = RunCli({"pressure-dew-point", "--dew-point", "3", "--at", "8bar",
                                     "--to", "1bar", "--format", "json"});
    EXPECT_FALSE(nlohmann::json::parse(absolute.out).at("settings").contains("atmosphere"));
}

TEST(PressureDewPointCommand, GivesTheEnginesDewPointAndFrostPoint)
{
    const auto row
        = JsonRow({"pressure-dew-point", "--dew-point", "3", "--at", "8bar", "--to", "1.01325bar"});
    ASSERT_FALSE(row.is_null());
    const humidity::TPressureDewPoint expected
        = humidity::ConvertPressureDewPoint(3, 800000, 101325);
    EXPECT_EQ(row.at("from_pressure").get<double>(), 800000);
    EXPECT_EQ(row.at("to_pressure").get<double>(), 101325);
    EXPECT_EQ(row.at("converted_dew_point").get<double>(), expected.dewPoint);
    EXPECT_EQ(row.at("converted_frost_point").get<double>(), expected.frostPoint);
    // Above freezing there is no frost point.
    EXPECT_TRUE(JsonRow({"pressure-dew-point", "--dew-point", "3", "--at", "1bar", "--to", "8bar"})
                    .at("converted_frost_point")
                    .is_null());
}

} // namespace
