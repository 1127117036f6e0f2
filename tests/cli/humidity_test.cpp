#include "CliRunner.h"

#include "humidity/humidity.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

struct TReading
{
    double temp;
    double relHum;
    double press;
};

// The window's order of the five quantities, by the engine's index.
constexpr int WindowOrder[]
    = {humidity::riDewPoint, humidity::riAbsoluteHumidity, humidity::riSpecificHumidity,
       humidity::riMixingRatio, humidity::riSpecificEnthalpy};

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
    humidity::CalculateHumidity();
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
        ASSERT_EQ(row.size(), 13u);
        ExpectCell(row[0], readings[i].temp);
        ExpectCell(row[1], readings[i].relHum);
        ExpectCell(row[2], readings[i].press);
        // Vapour pressure at or above the pressure: specific humidity, mixing ratio and
        // enthalpy do not exist.
        const bool impossible = s.VapPress >= s.Press;
        for (int q = 0; q < humidity::ResultCount; ++q) {
            if (impossible && q >= 2) {
                EXPECT_EQ(row[3 + 2 * q], "");
                EXPECT_EQ(row[4 + 2 * q], "");
                continue;
            }
            ExpectCell(row[3 + 2 * q], s.Results[WindowOrder[q]]);
            ExpectCell(row[4 + 2 * q], s.Accuracies[WindowOrder[q]]);
        }
    }
    // Written as an engineer logs them, the readings' table fits 100 columns.
    const TCliRun text
        = RunCli({"humidity"}, "20 50\n-10 80\n0 50\n25 0\n20 100 90000\n200 50\n-100 100\n");
    for (const std::string &line : SplitLines(text.out))
        EXPECT_LE(DisplayWidth(line), 100u) << line;
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
        "temperature            25                   °C",
        "relative humidity       0                   %",
        "pressure           101325                   Pa",
        "dew point           -----      ± -----      °C",
        "absolute humidity       0.000  ±     0.576  g/m³",
        "specific humidity       0.000  ±     0.486  g/kg",
        "mixing ratio            0.000  ±     0.486  g/kg",
        "specific enthalpy      25.136  ±     1.641  kJ/kg"};
    EXPECT_EQ(SplitLines(text.out), expected);

    const TCliRun json = RunCli({"humidity", "--temp", "25", "--rh", "0", "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto row = nlohmann::json::parse(json.out).at("rows").at(0);
    EXPECT_TRUE(row.at("dew_point").is_null());
    EXPECT_TRUE(row.at("dew_point_accuracy").is_null());
    EXPECT_EQ(row.at("absolute_humidity").get<double>(), 0);
}

} // namespace
