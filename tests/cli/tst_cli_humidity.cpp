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

void ExpectCell(const std::string &field, double engineValue)
{
    if (engineValue == humidity::NoValueSentinel) {
        EXPECT_EQ(field, "-----");
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
    const TCliRun run = RunCli(
        {"humidity", "--temp-accuracy", "0.4", "--rh-accuracy", "2.5", "--format", "csv"}, input);
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
        for (int q = 0; q < humidity::ResultCount; ++q) {
            ExpectCell(row[3 + 2 * q], s.Results[WindowOrder[q]]);
            ExpectCell(row[4 + 2 * q], s.Accuracies[WindowOrder[q]]);
        }
    }
}

TEST(HumidityCommand, DefaultsAreTheWindowsStartingInputs)
{
    const TCliRun run = RunCli({"humidity", "--temp", "20", "--rh", "50", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const humidity::TModuleState s = EngineState({20, 50, 101325}, 0.4, 2.5);
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][3], "dew_point [°C]");
    EXPECT_EQ(rows[0][4], "dew_point_accuracy [°C]");
    ExpectCell(rows[1][2], 101325);
    ExpectCell(rows[1][3], s.Results[humidity::riDewPoint]);
    ExpectCell(rows[1][4], s.Accuracies[humidity::riDewPoint]);
}

TEST(HumidityCommand, MissingDewPointIsDashesInTextAndNullInJson)
{
    const TCliRun text = RunCli({"humidity", "--temp", "25", "--rh", "0", "--decimals", "3"});
    ASSERT_EQ(text.status, 0) << text.err;
    const auto lines = SplitLines(text.out);
    ASSERT_EQ(lines.size(), 2u);
    std::size_t dashes = 0;
    for (std::size_t at = lines[1].find("-----"); at != std::string::npos;
         at = lines[1].find("-----", at + 5))
        ++dashes;
    EXPECT_EQ(dashes, 2u) << lines[1];
    EXPECT_NE(lines[1].find("25.136"), std::string::npos) << lines[1];
    // Units such as "°C" are two characters wide although three bytes long.
    EXPECT_EQ(lines[0].substr(0, 21), "temperature [°C]  RH");
    EXPECT_EQ(lines[1].substr(0, 18), "          25.000  ");

    const TCliRun json = RunCli({"humidity", "--temp", "25", "--rh", "0", "--format", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto row = nlohmann::json::parse(json.out).at("rows").at(0);
    EXPECT_TRUE(row.at("dew_point").is_null());
    EXPECT_TRUE(row.at("dew_point_accuracy").is_null());
    EXPECT_EQ(row.at("absolute_humidity").get<double>(), 0);
}

} // namespace
