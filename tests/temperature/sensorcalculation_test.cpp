// SPDX-License-Identifier: MIT
#include "temperature/SensorCalculation.h"
#include "arith.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace temperature;

namespace {

struct TCalculation
{
    const char *name;
    TSensorType sensor;
    TConversionDirection direction;
    Extended input;
    TTempUnit inputUnit;
    TTempUnit resultUnit;
    double value;
    double companion; // temperature results only
    double tolerance;
};

class Calculation : public testing::TestWithParam<TCalculation>
{
};

TEST_P(Calculation, GivesTheResultInTheUnitShown)
{
    const TCalculation &c = GetParam();
    const TSensorResult r
        = CalculateSensor(c.sensor, c.direction, c.input, c.inputUnit, c.resultUnit);
    EXPECT_NEAR(r.Value, c.value, c.tolerance);
    EXPECT_EQ(r.IsTemperature, c.direction == cdElectricQuantToTemp);
    if (r.IsTemperature) {
        EXPECT_NEAR(r.Companion, c.companion, c.tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sensors, Calculation,
    testing::Values(TCalculation{"Pt1000At100C", stPt1000, cdTempToElectricQuant, 100, unCelsius,
                                 unNone, 1385.055, 0, 1e-9},
                    TCalculation{"Pt1000At212F", stPt1000, cdTempToElectricQuant, 212, unFahrenheit,
                                 unNone, 1385.055, 0, 1e-9},
                    TCalculation{"Pt100At0C", stPt100, cdTempToElectricQuant, 0, unCelsius, unNone,
                                 100, 0, 0},
                    TCalculation{"Pt100At100C", stPt100, cdTempToElectricQuant, 100, unCelsius,
                                 unNone, 138.5055, 0, 1e-12},
                    TCalculation{"Pt1000Inverse", stPt1000, cdElectricQuantToTemp, 1385.055L,
                                 unNone, unCelsius, 100.00013, 212.00023, 1e-5},
                    TCalculation{"Pt1000InverseInFahrenheit", stPt1000, cdElectricQuantToTemp,
                                 1385.055L, unNone, unFahrenheit, 212.00023, 100.00013, 1e-5},
                    TCalculation{"Pt100Inverse", stPt100, cdElectricQuantToTemp, 138.5055L, unNone,
                                 unCelsius, 100.00013, 212.00023, 1e-5},
                    TCalculation{"Pt1000At850_05", stPt1000, cdTempToElectricQuant, 850.05L,
                                 unCelsius, unNone, 3904.95758, 0, 1e-5},
                    TCalculation{"NtcAt25", stNTC2252, cdTempToElectricQuant, 25, unCelsius, unNone,
                                 2253.03, 0, 5e-3},
                    TCalculation{"NtcInverse", stNTC2252, cdElectricQuantToTemp, 2252, unNone,
                                 unCelsius, 25.0105, 77.0189, 1e-4},
                    TCalculation{"TypeKAt100", stTcK, cdTempToElectricQuant, 100, unCelsius, unNone,
                                 4096.23, 0, 5e-3},
                    TCalculation{"TypeJAtItsLimit", stTcJ, cdTempToElectricQuant, 1200, unCelsius,
                                 unNone, 69553, 0, 0.5},
                    TCalculation{"TypeKInverse", stTcK, cdElectricQuantToTemp, 4096.23L, unNone,
                                 unCelsius, 99.969, 211.944, 5e-4},
                    TCalculation{"TypeNAt1000F", stTcN, cdTempToElectricQuant, 1832, unFahrenheit,
                                 unNone, 36255.54, 0, 5e-3},
                    // the argument is rounded to single, after the scale change
                    TCalculation{"TypeSFromFahrenheit", stTcS, cdTempToElectricQuant, 1832,
                                 unFahrenheit, unNone, 9587.10, 0, 5e-3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Calculation, ThermocoupleArgumentIsRoundedToSingle)
{
    const TSensorResult typed
        = CalculateSensor(stTcK, cdTempToElectricQuant, 1234.56789L, unCelsius, unNone);
    const TSensorResult single
        = CalculateSensor(stTcK, cdTempToElectricQuant, 1234.56787109375L, unCelsius, unNone);
    EXPECT_EQ(typed.Value, single.Value);
}

struct TNoResult
{
    const char *name;
    TSensorType sensor;
    TConversionDirection direction;
    Extended input;
};

class NoResult : public testing::TestWithParam<TNoResult>
{
};

TEST_P(NoResult, CannotCalculate)
{
    const TNoResult &c = GetParam();
    EXPECT_THROW(CalculateSensor(c.sensor, c.direction, c.input, unCelsius, unCelsius),
                 ECannotCalculate);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, NoResult,
    testing::Values(
        // the metal thermometers' sentinel
        TNoResult{"Ni1000AtTableLowLimit", stNi1000, cdElectricQuantToTemp, 742},
        TNoResult{"Pt1000AtTableTop", stPt1000, cdElectricQuantToTemp, 3900},
        TNoResult{"Pt100AtTableTop", stPt100, cdElectricQuantToTemp, 390},
        // the thermocouple functions' 0 outside their accepted ranges is no result
        TNoResult{"TypeJInTheFieldMargin", stTcJ, cdTempToElectricQuant, 1200.05L},
        TNoResult{"TypeKAboveItsRange", stTcK, cdTempToElectricQuant, 1372.05L},
        TNoResult{"TypeBBelowZero", stTcB, cdTempToElectricQuant, -0.05L},
        TNoResult{"TypeKVoltageBelow", stTcK, cdElectricQuantToTemp, -5891.05L},
        TNoResult{"TypeBVoltageBelow", stTcB, cdElectricQuantToTemp, 290.95L}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(NoResult, TypeNHasNoRangeAndAGenuineZeroIsAResult)
{
    EXPECT_NO_THROW(CalculateSensor(stTcN, cdTempToElectricQuant, 1310.05L, unCelsius, unNone));
    EXPECT_EQ(CalculateSensor(stTcK, cdTempToElectricQuant, 0, unCelsius, unNone).Value,
              CalculateSensor(stTcK, cdTempToElectricQuant, 0, unCelsius, unNone).Value);
    EXPECT_EQ(CalculateSensor(stTcT, cdElectricQuantToTemp, 0, unNone, unCelsius).Value, 0);
}

TEST(NoResult, ArithmeticFaultsReachTheCaller)
{
    EXPECT_THROW(CalculateSensor(stNTC2252, cdElectricQuantToTemp, 0, unNone, unCelsius),
                 arith::EZeroDivide);
    EXPECT_THROW(CalculateSensor(stNTC2252, cdElectricQuantToTemp, -10, unNone, unCelsius),
                 arith::EInvalidOp);
    EXPECT_THROW(CalculateSensor(stTcN, cdTempToElectricQuant, 1e30L, unCelsius, unNone),
                 arith::EOverflow);
    EXPECT_THROW(CalculateSensor(stPt1000, cdTempToElectricQuant,
                                 std::numeric_limits<Extended>::max(), unCelsius, unNone),
                 arith::EOverflow);
}

struct TLimitsCase
{
    const char *name;
    TSensorType sensor;
    TConversionDirection direction;
    TTempUnit unit;
    Extended min;
    Extended max;
};

class InputLimits : public testing::TestWithParam<TLimitsCase>
{
};

TEST_P(InputLimits, AreTheSensorLimitsInTheUnitShownWithTheMargin)
{
    const TLimitsCase &c = GetParam();
    const TInputLimits limits = InputFieldLimits(c.sensor, c.direction, c.unit);
    EXPECT_NEAR(static_cast<double>(limits.MinValue), static_cast<double>(c.min), 1e-12);
    EXPECT_NEAR(static_cast<double>(limits.MaxValue), static_cast<double>(c.max), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, InputLimits,
    testing::Values(
        TLimitsCase{"Pt1000Celsius", stPt1000, cdTempToElectricQuant, unCelsius, -200.1L, 850.1L},
        TLimitsCase{"Pt1000Fahrenheit", stPt1000, cdTempToElectricQuant, unFahrenheit, -328.1L,
                    1562.1L},
        TLimitsCase{"Ni1000Resistance", stNi1000, cdElectricQuantToTemp, unNone, 741.9L, 2891.1L},
        TLimitsCase{"TypeJVoltage", stTcJ, cdElectricQuantToTemp, unNone, -8095.1L, 69553.1L}),
    [](const auto &info) { return std::string(info.param.name); });

struct TCorrection
{
    const char *name;
    TSensorType sensor;
    TConversionDirection direction;
    TTempUnit unit;
    Extended input;
    std::optional<double> corrected;
};

class InputCorrection : public testing::TestWithParam<TCorrection>
{
};

TEST_P(InputCorrection, LandsExactlyOnTheViolatedLimit)
{
    const TCorrection &c = GetParam();
    EXPECT_EQ(InputOntoSensorLimits(c.sensor, c.direction, c.unit, c.input), c.corrected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, InputCorrection,
    testing::Values(
        TCorrection{"Within", stPt1000, cdTempToElectricQuant, unCelsius, 100, std::nullopt},
        // a change of sensor, direction or unit brings even the margin back onto the limit
        TCorrection{"InTheMargin", stPt1000, cdTempToElectricQuant, unCelsius, 850.05L, 850},
        TCorrection{"TypeKValueOnPt1000", stPt1000, cdTempToElectricQuant, unCelsius, 1000, 850},
        TCorrection{"TemperatureReadAsOhms", stPt1000, cdElectricQuantToTemp, unNone, 100, 180},
        TCorrection{"Fahrenheit", stPt1000, cdTempToElectricQuant, unFahrenheit, 2000, 1562},
        TCorrection{"FahrenheitBelow", stPt1000, cdTempToElectricQuant, unFahrenheit, -400, -328},
        TCorrection{"NtcResistance", stNTC2252, cdElectricQuantToTemp, unNone, 2e6L, 1700000}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(InputCorrection, InvalidEntryReturnsToTheSensorLimit)
{
    const TInputLimits ni = InputFieldLimits(stNi1000, cdElectricQuantToTemp, unNone);
    EXPECT_NEAR(static_cast<double>(*InvalidEntryCorrection(500, ni)), 742, 1e-12);
    EXPECT_NEAR(static_cast<double>(*InvalidEntryCorrection(3000, ni)), 2891, 1e-12);
    EXPECT_FALSE(InvalidEntryCorrection(741.95L, ni).has_value());
    const TInputLimits pt = InputFieldLimits(stPt1000, cdTempToElectricQuant, unCelsius);
    EXPECT_NEAR(static_cast<double>(*InvalidEntryCorrection(900, pt)), 850, 1e-12);
}

TEST(OtherScale, NamesTheOppositeScale)
{
    EXPECT_EQ(OtherScale(100, unCelsius), 212);
    EXPECT_EQ(OtherScale(212, unFahrenheit), 100);
    EXPECT_EQ(OtherScale(0, unCelsius), 32);
}

} // namespace
