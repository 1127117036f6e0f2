#include "CliRunner.h"
#include "TableRows.h"

#include "temperature/ColdJunction.h"
#include "temperature/SensorCalculation.h"
#include "temperature/Thermocouples.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>

using namespace temperature;

namespace {

struct TTempCase
{
    const char *name;
    const char *sensor;
    TSensorType type;
    TConversionDirection direction;
    TTempUnit unit;
    const char *input;
    long double inputValue;
};

bool IsSingle(const TTempCase &c)
{
    return IsThermocoupleSensor(c.type)
           && (c.direction == cdTempToElectricQuant || c.unit != unFahrenheit);
}

class TempCommand : public testing::TestWithParam<TTempCase>
{
};

// The same function the window calls, for the same input; a thermocouple's single-precision
// answer is printed with the digits a single holds and read back as that single.
TEST_P(TempCommand, GivesTheWindowsResult)
{
    const TTempCase &c = GetParam();
    const bool toElectric = c.direction == cdTempToElectricQuant;
    const TCliRun run
        = RunCli({"temp", c.sensor, "--to", toElectric ? "electrical" : "temperature", c.input,
                  "--unit", c.unit == unFahrenheit ? "F" : "C", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    const TSensorResult window
        = CalculateSensor(c.type, c.direction, c.inputValue, toElectric ? c.unit : unNone, c.unit);
    const std::string &field = rows[1].at(1);
    if (IsSingle(c)) {
        float value = 0;
        const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
        ASSERT_TRUE(ec == std::errc() && ptr == field.data() + field.size()) << field;
        EXPECT_EQ(value, static_cast<float>(window.Value));
    } else {
        double value = 0;
        ASSERT_TRUE(ReadDouble(field, value)) << field;
        EXPECT_EQ(value, window.Value);
    }
}

constexpr auto ToE = cdTempToElectricQuant;
constexpr auto ToT = cdElectricQuantToTemp;

INSTANTIATE_TEST_SUITE_P(
    Sensors, TempCommand,
    testing::Values(
        TTempCase{"Pt1000At100", "pt1000", stPt1000, ToE, unCelsius, "100", 100},
        TTempCase{"Pt100At0", "pt100", stPt100, ToE, unCelsius, "0", 0},
        TTempCase{"Pt1000At212F", "PT1000", stPt1000, ToE, unFahrenheit, "212", 212},
        TTempCase{"Pt1000Inverse", "pt1000", stPt1000, ToT, unCelsius, "1385.055", 1385.055L},
        TTempCase{"Pt100InverseF", "pt100", stPt100, ToT, unFahrenheit, "138.5055", 138.5055L},
        TTempCase{"Ni1000", "ni1000", stNi1000, ToE, unCelsius, "-50", -50},
        TTempCase{"Ni1000Inverse", "ni1000", stNi1000, ToT, unCelsius, "1617.785", 1617.785L},
        TTempCase{"Ntc", "ntc2252", stNTC2252, ToE, unCelsius, "25", 25},
        TTempCase{"NtcInverse", "ntc2252", stNTC2252, ToT, unCelsius, "1700000", 1700000},
        TTempCase{"K", "k", stTcK, ToE, unCelsius, "100", 100},
        TTempCase{"KInverseF", "K", stTcK, ToT, unFahrenheit, "4096.23", 4096.23L},
        TTempCase{"JUpperFunction", "j", stTcJ, ToE, unCelsius, "760", 760},
        TTempCase{"SMoreDigitsThanASingle", "s", stTcS, ToE, unCelsius, "1234.56789", 1234.56789L},
        TTempCase{"B", "b", stTcB, ToE, unFahrenheit, "1832", 1832},
        TTempCase{"TAt401", "t", stTcT, ToE, unCelsius, "401", 401},
        TTempCase{"NInverse", "n", stTcN, ToT, unCelsius, "36255.54", 36255.54L}),
    [](const testing::TestParamInfo<TTempCase> &info) { return std::string(info.param.name); });

float ReadSingle(const std::string &text)
{
    float value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(ec == std::errc() && ptr == text.data() + text.size()) << text;
    return value;
}

// NIST's type K inverse function, 0 to 500 °C, stays within -0.05 to +0.04 °C of the reference.
constexpr double KInverseError = 0.05;

TEST(ColdJunction, TypeKAt100WithReferenceAt25ReadsTheVoltageDifferenceAndConvertsBack)
{
    const TCliRun forward
        = RunCli({"temp", "k", "--to", "electrical", "100", "--cj", "25", "--format", "csv"});
    ASSERT_EQ(forward.status, 0) << forward.err;
    const std::string voltage = CsvRows(forward.out).at(1).at(1);
    const float e100 = TcTempToVolt(tcK, 100);
    const float e25 = TcTempToVolt(tcK, 25);
    EXPECT_EQ(ReadSingle(voltage), e100 - e25);
    EXPECT_NEAR(ReadSingle(voltage), 3095.99, 0.01);

    const TCliRun back
        = RunCli({"temp", "k", "--to", "temperature", voltage, "--cj", "25", "--format", "csv"});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_NEAR(ReadSingle(CsvRows(back.out).at(1).at(1)), 100, KInverseError);
}

// NIST's inverse functions of these types stay within 0.06 °C of the reference functions.
TEST(ColdJunction, CompensationRoundTripsForEveryType)
{
    for (const TSensorType sensor : {stTcK, stTcJ, stTcS, stTcB, stTcT, stTcN}) {
        SCOPED_TRACE(static_cast<int>(sensor));
        const double e = CalculateCompensated(sensor, ToE, 300, 20, unCelsius).Value;
        const float expected = TcTempToVolt(ThermocoupleTypeOf(sensor), 300)
                               - TcTempToVolt(ThermocoupleTypeOf(sensor), 20);
        EXPECT_EQ(static_cast<float>(e), expected);
        EXPECT_NEAR(CalculateCompensated(sensor, ToT, e, 20, unCelsius).Value, 300, 0.06);
    }
    EXPECT_THROW(CalculateCompensated(stPt100, ToE, 100, 20, unCelsius), ECannotCalculate);
}

TEST(ColdJunction, FahrenheitReferenceGivesTheSameVoltage)
{
    const TCliRun celsius
        = RunCli({"temp", "k", "--to", "electrical", "100", "--cj", "25", "--format", "csv"});
    const TCliRun fahrenheit = RunCli(
        {"temp", "k", "--to", "electrical", "212", "--cj", "77", "--unit", "F", "--format", "csv"});
    ASSERT_EQ(fahrenheit.status, 0) << fahrenheit.err;
    EXPECT_EQ(CsvRows(fahrenheit.out).at(1).at(1), CsvRows(celsius.out).at(1).at(1));
}

TEST(ColdJunction, TableReadsZeroWhereBothJunctionsAreAtTheSameTemperature)
{
    const TCliRun run = RunCli({"table", "k", "--from", "0", "--to", "50", "--step", "1", "--cj",
                                "23", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document.at("cold_junction").get<double>(), 23);
    const auto &rows = document.at("rows");
    ASSERT_EQ(rows.size(), 51u);
    EXPECT_EQ(rows.at(23).at("temperature").get<double>(), 23);
    EXPECT_EQ(rows.at(23).at("voltage").get<double>(), 0);
    EXPECT_LT(rows.at(0).at("voltage").get<double>(), 0);
}

TEST(TableCommand, RowsAreFromPlusIndexTimesStepAsTheWindowComputesThem)
{
    const TCliRun run = RunCli(
        {"table", "pt100", "--from", "-200", "--to", "850", "--step", "0.01", "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 105002u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"temperature [°C]", "resistance [Ω]"}));
    EXPECT_EQ(rows[1][0], "-200");
    EXPECT_EQ(rows[2][0], "-199.99");
    EXPECT_EQ(rows[20001][0], "0");
    EXPECT_EQ(rows[20001][1], "100");
    EXPECT_EQ(rows[105001][0], "850");
    std::size_t mismatches = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        double t = 0;
        double r = 0;
        ASSERT_TRUE(ReadDouble(rows[i][0], t) && ReadDouble(rows[i][1], r)) << i;
        if (r != CalculateSensor(stPt100, ToE, t, unCelsius, unCelsius).Value)
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0u);
}

TEST(TableCommand, DefaultsToTheSensorsLimitsInTheChosenUnit)
{
    const TCliRun celsius = RunCli({"table", "ntc2252", "--format", "csv"});
    ASSERT_EQ(celsius.status, 0) << celsius.err;
    const auto rows = CsvRows(celsius.out);
    ASSERT_EQ(rows.size(), 202u);
    EXPECT_EQ(rows[1][0], "-80");
    EXPECT_EQ(rows.back()[0], "120");

    const TCliRun fahrenheit = RunCli({"table", "pt100", "--unit", "f", "--format", "csv"});
    ASSERT_EQ(fahrenheit.status, 0) << fahrenheit.err;
    const auto fRows = CsvRows(fahrenheit.out);
    ASSERT_EQ(fRows.size(), 1892u);
    EXPECT_EQ(fRows[0][0], "temperature [°F]");
    EXPECT_EQ(fRows[1], (std::vector<std::string>{"-328", "18.52008"}));
    EXPECT_EQ(fRows.back()[0], "1562");
}

TEST(TableRows, DecimalStepsLandOnTheirDecimals)
{
    const cli::TTableRows rows(-200, 850, 0.01L);
    ASSERT_EQ(rows.Count(), 105001u);
    EXPECT_EQ(rows.At(20000), 0);
    EXPECT_EQ(rows.At(1), -199.99L);
    EXPECT_EQ(rows.At(30000), 100);
    EXPECT_EQ(rows.At(105000), 850);

    const cli::TTableRows partial(0, 1, 0.3L);
    ASSERT_EQ(partial.Count(), 4u);
    EXPECT_EQ(partial.At(3), 0.9L);

    const cli::TTableRows single(5, 5, 1);
    EXPECT_EQ(single.Count(), 1u);
}

TEST(TableRows, AStepWithoutDecimalFormStillEndsOnTo)
{
    const cli::TTableRows rows(0, 1, 1.0L / 3);
    ASSERT_EQ(rows.Count(), 4u);
    EXPECT_EQ(rows.At(3), 1);
}

TEST(TempCommand, ReadsSeveralValuesALineFromStandardInput)
{
    const TCliRun run = RunCli({"temp", "pt100", "--to", "electrical", "--decimals", "4"},
                               "0 100\n\t-50   # cold\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "temperature [°C]  resistance [Ω]");
    EXPECT_EQ(lines[1], "          0.0000        100.0000");
    EXPECT_EQ(lines[2], "        100.0000        138.5055");
    EXPECT_EQ(lines[3], "        -50.0000         80.3063");
}

} // namespace
