// SPDX-License-Identifier: MIT
#include "CliError.h"
#include "CliRunner.h"
#include "input/TableRows.h"

#include "temperature/ColdJunction.h"
#include "temperature/SensorCalculation.h"
#include "temperature/Thermocouples.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
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
    const TCliRun run = RunCli({"temp", c.sensor, "--to", toElectric ? "electrical" : "temperature",
                                c.input, "--unit", c.unit == unFahrenheit ? "F" : "C", "--format",
                                "csv", "--decimals", "full"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].at(0), c.input);
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
        TTempCase{"NtcInverse", "ntc2252", stNTC2252, ToT, unCelsius, "1600000", 1600000},
        TTempCase{"K", "k", stTcK, ToE, unCelsius, "100", 100},
        TTempCase{"KInverseF", "K", stTcK, ToT, unFahrenheit, "4096.23", 4096.23L},
        TTempCase{"JUpperFunction", "j", stTcJ, ToE, unCelsius, "760", 760},
        TTempCase{"SMoreDigitsThanASingle", "s", stTcS, ToE, unCelsius, "1234.56789", 1234.56789L},
        TTempCase{"B", "b", stTcB, ToE, unFahrenheit, "1832", 1832},
        TTempCase{"TAt401", "t", stTcT, ToE, unCelsius, "401", 401},
        TTempCase{"NInverse", "n", stTcN, ToT, unCelsius, "36255.54", 36255.54L}),
    [](const testing::TestParamInfo<TTempCase> &info) { return std::string(info.param.name); });

struct TRoundTrip
{
    const char *sensor;
    const char *temperature;
};

class RoundTrip : public testing::TestWithParam<TRoundTrip>
{
};

// Whatever the electrical direction prints at an end of the range it takes back (from the lowest
// temperature the inverse function reaches to the upper limit), at any --decimals and with the
// reference junction elsewhere, is taken back: at the end's temperature, to within the inverse
// function's fit and the printed digits.
TEST_P(RoundTrip, ElectricalResultIsTakenBack)
{
    const TRoundTrip &c = GetParam();
    double expected = 0;
    ASSERT_TRUE(ReadDouble(c.temperature, expected));
    const bool thermocouple = std::string(c.sensor).size() == 1;
    for (const std::string cj : {"", "25"}) {
        if (!thermocouple && !cj.empty())
            continue;
        for (const std::string decimals : {"0", "1", "2", "3", "5", "8", "17", "full"}) {
            std::vector<std::string> common{"--format", "csv", "--decimals", decimals};
            if (!cj.empty())
                common.insert(common.end(), {"--cj", cj});
            std::vector<std::string> args{"temp",       c.sensor, "--to",
                                          "electrical", "--",     c.temperature};
            args.insert(args.begin() + 2, common.begin(), common.end());
            const TCliRun forward = RunCli(args);
            ASSERT_EQ(forward.status, 0) << forward.err;
            const std::string electric = CsvRows(forward.out).at(1).at(1);
            args = {"temp", c.sensor, "--to", "temperature", "--decimals", "full", "--", electric};
            if (!cj.empty())
                args.insert(args.begin() + 2, {"--cj", cj});
            args.insert(args.begin() + 2, {"--format", "csv"});
            const TCliRun back = RunCli(args);
            ASSERT_EQ(back.status, 0) << electric << " cj " << cj << ": " << back.err;
            double t = 0;
            ASSERT_TRUE(ReadDouble(CsvRows(back.out).at(1).at(1), t));
            // half a unit of the last printed digit, over at least 2.5 µV or 0.2 Ω a degree
            const double digits = decimals == "full" ? 0 : 0.5 * std::pow(10, -std::stoi(decimals));
            EXPECT_NEAR(t, expected, 0.06 + digits / (thermocouple ? 2.5 : 0.2))
                << electric << " at --decimals " << decimals << " cj " << cj;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EndsOfEverySensor, RoundTrip,
    testing::Values(TRoundTrip{"j", "-210"}, TRoundTrip{"j", "1200"}, TRoundTrip{"k", "-200"},
                    TRoundTrip{"k", "1370"}, TRoundTrip{"s", "-50"}, TRoundTrip{"s", "1760"},
                    TRoundTrip{"b", "250"}, TRoundTrip{"b", "1820"}, TRoundTrip{"t", "-200"},
                    TRoundTrip{"t", "401"}, TRoundTrip{"n", "-200"}, TRoundTrip{"n", "1310"},
                    TRoundTrip{"e", "-200"}, TRoundTrip{"e", "1000"}, TRoundTrip{"r", "-50"},
                    TRoundTrip{"r", "1768.1"}, TRoundTrip{"pt100", "850"},
                    TRoundTrip{"pt100", "-200"}, TRoundTrip{"pt1000", "-200"},
                    TRoundTrip{"pt1000", "850"}, TRoundTrip{"ni1000", "250"},
                    TRoundTrip{"ni1000", "-50"}, TRoundTrip{"ntc2252", "-80"},
                    TRoundTrip{"ntc2252", "120"}));

TEST(TempCommand, EmfInMillivoltsIsTheMicrovoltResultWithThePointMoved)
{
    const TCliRun microvolts = RunCli(
        {"temp", "k", "--to", "electrical", "100", "--format", "csv", "--decimals", "full"});
    const TCliRun millivolts = RunCli({"temp", "k", "--to", "electrical", "100", "--emf-unit", "mV",
                                       "--format", "csv", "--decimals", "full"});
    ASSERT_EQ(millivolts.status, 0) << millivolts.err;
    EXPECT_EQ(CsvRows(microvolts.out).at(1).at(1), "4096.23");
    EXPECT_EQ(CsvRows(millivolts.out).at(0).at(1), "emf_mV");
    EXPECT_EQ(CsvRows(millivolts.out).at(1).at(1), "4.09623");
    const TCliRun back
        = RunCli({"temp", "k", "--to", "temperature", "4.09623", "--emf-unit", "mV"});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(SplitLines(back.out).at(2), " 4.09623            99.969");
}

// A value written with its unit is the plain number in the unit shown (Ω, or --emf-unit).
TEST(TempCommand, ValueWithItsUnitIsThePlainNumberInTheShownUnit)
{
    const struct
    {
        const char *sensor;
        const char *emfUnit;
        const char *withUnit;
        const char *plain;
    } cases[] = {
        {"k", "uV", "12.3mV", "12300"},
        {"k", "uV", "12300µV", "12300"},
        {"k", "uV", "12300\xCE\xBCV", "12300"},
        {"k", "mV", "12300uV", "12.3"},
        {"k", "mV", "0.0123V", "12.3"},
        {"k", "uV", "1.23e1mV", "12300"},
        {"k", "uV", "-1.5 mV", "-1500"},
        {"pt100", "uV", "138.5ohm", "138.5"},
        {"pt100", "uV", "138.5Ω", "138.5"},
        {"pt1000", "uV", "1.385kohm", "1385"},
        {"pt1000", "uV", "1.385k\xE2\x84\xA6", "1385"},
        {"ntc2252", "uV", "0.002252MΩ", "2252"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.withUnit);
        const auto json = [&c](const std::string &value) {
            const TCliRun run = RunCli({"temp", c.sensor, "--to", "temperature", value,
                                        "--emf-unit", c.emfUnit, "--format", "json"});
            EXPECT_EQ(run.status, 0) << run.err;
            return run.status == 0 ? nlohmann::json::parse(run.out).at("rows").at(0)
                                   : nlohmann::json();
        };
        EXPECT_EQ(json(c.withUnit), json(c.plain));
    }
}

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
    const TCliRun forward = RunCli({"temp", "k", "--to", "electrical", "100", "--cj", "25",
                                    "--format", "csv", "--decimals", "full"});
    ASSERT_EQ(forward.status, 0) << forward.err;
    const std::string voltage = CsvRows(forward.out).at(1).at(1);
    const float e100 = TcTempToVolt(tcK, 100);
    const float e25 = TcTempToVolt(tcK, 25);
    EXPECT_EQ(ReadSingle(voltage), e100 - e25);
    EXPECT_NEAR(ReadSingle(voltage), 3095.99, 0.01);

    const TCliRun back = RunCli({"temp", "k", "--to", "temperature", voltage, "--cj", "25",
                                 "--format", "csv", "--decimals", "full"});
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
    EXPECT_EQ(document.at("settings").at("cold_junction").get<double>(), 23);
    const auto &rows = document.at("rows");
    ASSERT_EQ(rows.size(), 51u);
    EXPECT_EQ(rows.at(23).at("temperature").get<double>(), 23);
    EXPECT_EQ(rows.at(23).at("emf").get<double>(), 0);
    EXPECT_FALSE(std::signbit(rows.at(23).at("emf").get<double>()));
    EXPECT_LT(rows.at(0).at("emf").get<double>(), 0);
}

TEST(TableCommand, RowsAreFromPlusIndexTimesStepAsTheWindowComputesThem)
{
    const TCliRun run = RunCli({"table", "pt100", "--from", "-200", "--to", "850", "--step", "0.01",
                                "--format", "csv", "--decimals", "full"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 105002u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"temperature_C", "resistance_ohm"}));
    EXPECT_EQ(rows[1][0], "-200.00");
    EXPECT_EQ(rows[2][0], "-199.99");
    EXPECT_EQ(rows[20001][0], "0.00");
    EXPECT_EQ(rows[20001][1], "100");
    EXPECT_EQ(rows[105001][0], "850.00");
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
    EXPECT_EQ(fRows[0][0], "temperature_F");
    EXPECT_EQ(fRows[1], (std::vector<std::string>{"-328", "18.520"}));
    EXPECT_EQ(fRows.back()[0], "1562");
}

cli::TInputValue Given(const char *text)
{
    return cli::ParseNumber(text, "value");
}

struct TTableCase
{
    const char *from;
    const char *to;
    const char *step;
    std::size_t count;
    std::size_t index;
    const char *row; // the text of row `index`
};

class TableRows : public testing::TestWithParam<TTableCase>
{
};

// From and step are taken exactly as given, and every row is an exact decimal of their places.
TEST_P(TableRows, CountAndRowAreExactDecimals)
{
    const TTableCase &c = GetParam();
    const cli::TTableRows rows(Given(c.from), Given(c.to), Given(c.step));
    ASSERT_EQ(rows.Count(), c.count);
    const cli::TInputValue row = rows.At(c.index);
    EXPECT_EQ(row.text, c.row);
    // as the double that velmora-cli prints: a wider extended type may keep a step's residue
    EXPECT_EQ(static_cast<double>(row.value), static_cast<double>(Given(c.row).value));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TableRows,
    testing::Values(TTableCase{"-200", "850", "0.01", 105001, 20000, "0.00"},
                    TTableCase{"-200", "850", "0.01", 105001, 105000, "850.00"},
                    TTableCase{"0", "1", "0.3", 4, 3, "0.9"},
                    TTableCase{"500.0000001", "502", "1", 2, 1, "501.0000001"},
                    TTableCase{"0", "3", "1.0000000001", 3, 2, "2.0000000002"},
                    TTableCase{"5", "5", "1e-300", 1, 0, "5"},
                    TTableCase{"0", "1", "2.5e-1", 5, 4, "1.00"},
                    TTableCase{"-1", "1", "0.333333333333333333333", 7, 6, "1"}));

TEST(TableRows, MoreThanTheMostRowsIsRefusedWithTheirCount)
{
    EXPECT_THROW(cli::TTableRows(Given("0"), Given("10000000"), Given("1")), cli::TCliError);
    EXPECT_EQ(cli::TTableRows(Given("1"), Given("10000000"), Given("1")).Count(), 10000000u);
}

TEST(TempCommand, ReadsSeveralValuesALineFromStandardInput)
{
    const TCliRun run = RunCli({"temp", "pt100", "--to", "electrical", "--decimals", "4"},
                               "0 100\n\t-50   # cold\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "# temp: sensor pt100, unit C, to electrical");
    EXPECT_EQ(lines[1], "temperature [°C]  resistance [Ω]");
    EXPECT_EQ(lines[2], "               0        100.0000");
    EXPECT_EQ(lines[3], "             100        138.5055");
    EXPECT_EQ(lines[4], "             -50         80.3063");
}

} // namespace

// Every number of text and CSV at --decimals N is the JSON number rounded to N places: a
// thermocouple's single-precision emf too, whose JSON number is the single's shortest text.
TEST(TableCommand, CsvAtAnyDecimalsIsTheJsonNumberRounded)
{
    const std::vector<std::string> table{"table",  "k",      "--cj", "1.831501974102267",
                                         "--from", "882.86", "--to", "887.5",
                                         "--step", "0.33333"};
    std::vector<std::string> json = table;
    json.insert(json.end(), {"--format", "json"});
    const TCliRun full = RunCli(json);
    ASSERT_EQ(full.status, 0) << full.err;
    const nlohmann::json rows = nlohmann::json::parse(full.out).at("rows");
    for (const int decimals : {0, 2, 3, 6}) {
        std::vector<std::string> csv = table;
        csv.insert(csv.end(), {"--format", "csv", "--decimals", std::to_string(decimals)});
        const TCliRun run = RunCli(csv);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto fields = CsvRows(run.out);
        ASSERT_EQ(fields.size(), rows.size() + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::array<char, 64> text{};
            const auto end
                = std::to_chars(text.data(), text.data() + text.size(),
                                rows[i].at("emf").get<double>(), std::chars_format::fixed, decimals)
                      .ptr;
            EXPECT_EQ(fields[i + 1].at(1), std::string(text.data(), end))
                << "row " << i << " at --decimals " << decimals;
        }
    }
}
