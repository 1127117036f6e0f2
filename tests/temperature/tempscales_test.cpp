// SPDX-License-Identifier: MIT
#include "temperature/TempScales.h"
#include "Extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace temperature;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TScalePoint
{
    double celsius;
    double fahrenheit;
};

class ScaleConversion : public testing::TestWithParam<TScalePoint>
{
};

TEST_P(ScaleConversion, CelsiusAndFahrenheitMapOntoEachOther)
{
    EXPECT_EQ(CelsiusToFahrenheit(GetParam().celsius), GetParam().fahrenheit);
    EXPECT_EQ(FahrenheitToCelsius(GetParam().fahrenheit), GetParam().celsius);
}

INSTANTIATE_TEST_SUITE_P(FixedPoints, ScaleConversion,
                         testing::Values(TScalePoint{-40, -40}, TScalePoint{100, 212},
                                         TScalePoint{0, 32}, TScalePoint{850, 1562},
                                         TScalePoint{-200, -328}));

TEST(ScaleConversion, RoundsOnceFromExtendedPrecision)
{
    // 0.1 °C: 0.1·9/5 + 32 in double arithmetic rounds twice; the extended intermediate once.
    const Extended exact = static_cast<Extended>(0.1) * 9 / 5 + 32;
    EXPECT_EQ(CelsiusToFahrenheit(0.1), static_cast<double>(exact));
    const Extended back = (static_cast<Extended>(33.3) - 32) * 5 / 9;
    EXPECT_EQ(FahrenheitToCelsius(33.3), static_cast<double>(back));
}

TEST(SensorLimitsTable, HasOneRowPerSensorWithOrderedPairs)
{
    ASSERT_EQ(SensorLimitsTable.size(), 10u);
    for (const TSensorLimits &row : SensorLimitsTable) {
        EXPECT_LT(row.TempMin, row.TempMax);
        EXPECT_LT(row.ElectricMin, row.ElectricMax);
    }
    EXPECT_EQ(SensorLimitsTable[stTcT].TempMax, 401);
    EXPECT_EQ(SensorLimitsTable[stNTC2252].ElectricMax, 1700000);
}

struct TLimitsCase
{
    TSensorType sensor;
    TConversionDirection direction;
    double min;
    double max;
};

class SensorLimits : public testing::TestWithParam<TLimitsCase>
{
};

TEST_P(SensorLimits, DescribeTheInputOfTheDirection)
{
    const TLimitsCase &c = GetParam();
    double min = 0;
    double max = 0;
    GetSensorLimits(c.sensor, c.direction, min, max);
    EXPECT_EQ(min, c.min);
    EXPECT_EQ(max, c.max);
}

INSTANTIATE_TEST_SUITE_P(Rows, SensorLimits,
                         testing::Values(TLimitsCase{stPt100, cdElectricQuantToTemp, 18, 390},
                                         TLimitsCase{stPt100, cdTempToElectricQuant, -200, 850},
                                         TLimitsCase{stNi1000, cdElectricQuantToTemp, 742, 2891},
                                         TLimitsCase{stTcK, cdElectricQuantToTemp, -5500, 54500},
                                         TLimitsCase{stTcJ, cdElectricQuantToTemp, -8095, 69553},
                                         TLimitsCase{stTcB, cdTempToElectricQuant, 0, 1820},
                                         TLimitsCase{stTcN, cdTempToElectricQuant, -210, 1310},
                                         // any non-zero direction reads the electrical pair
                                         TLimitsCase{stPt1000, static_cast<TConversionDirection>(7),
                                                     180, 3900}));

struct TCheckCase
{
    const char *name;
    TSensorType sensor;
    TConversionDirection direction;
    double value;
    int check;
    double clamped;
};

class CheckAndClamp : public testing::TestWithParam<TCheckCase>
{
};

TEST_P(CheckAndClamp, ReportsAndBringsBackOntoTheLimitPassed)
{
    const TCheckCase &c = GetParam();
    EXPECT_EQ(CheckSensorLimits(c.sensor, c.direction, c.value), c.check);
    EXPECT_EQ(ClampToSensorLimits(c.sensor, c.direction, c.value), c.clamped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckAndClamp,
    testing::Values(
        TCheckCase{"UpperLimitIncluded", stPt1000, cdTempToElectricQuant, 850, 0, 850},
        TCheckCase{"LowerLimitIncluded", stPt1000, cdTempToElectricQuant, -200, 0, -200},
        TCheckCase{"JustAbove", stPt1000, cdTempToElectricQuant, 850.001, 1, 850},
        TCheckCase{"Below", stPt1000, cdTempToElectricQuant, -200.5, -1, -200},
        TCheckCase{"NtcBelow", stNTC2252, cdElectricQuantToTemp, 10, -1, 80},
        TCheckCase{"NtcAbove", stNTC2252, cdElectricQuantToTemp, 2000000, 1, 1700000},
        TCheckCase{"NtcWithin", stNTC2252, cdElectricQuantToTemp, 5000, 0, 5000},
        TCheckCase{"TypeJVoltageAboveItsInverse", stTcJ, cdElectricQuantToTemp, 70000, 1, 69553},
        TCheckCase{"TypeTUpTo401", stTcT, cdTempToElectricQuant, 400.5, 0, 400.5},
        TCheckCase{"NotANumberIsBelow", stPt1000, cdTempToElectricQuant, NaN, -1, -200},
        TCheckCase{"NotANumberVoltage", stTcK, cdElectricQuantToTemp, NaN, -1, -5500},
        TCheckCase{"InfinityAbove", stTcB, cdTempToElectricQuant,
                   std::numeric_limits<double>::infinity(), 1, 1820}),
    [](const testing::TestParamInfo<TCheckCase> &info) { return info.param.name; });

TEST(CheckAndClamp, EveryRowIsInclusiveAtBothEndsInBothDirections)
{
    for (int s = 0; s < SensorCount; ++s) {
        const auto sensor = static_cast<TSensorType>(s);
        for (const auto direction : {cdTempToElectricQuant, cdElectricQuantToTemp}) {
            double min = 0;
            double max = 0;
            GetSensorLimits(sensor, direction, min, max);
            EXPECT_EQ(CheckSensorLimits(sensor, direction, min), 0) << s;
            EXPECT_EQ(CheckSensorLimits(sensor, direction, max), 0) << s;
            EXPECT_EQ(CheckSensorLimits(sensor, direction, std::nextafter(min, -1e300)), -1) << s;
            EXPECT_EQ(CheckSensorLimits(sensor, direction, std::nextafter(max, 1e300)), 1) << s;
        }
    }
}

} // namespace
