// SPDX-License-Identifier: MIT
#include "humidity/HumidityAtTemp.h"
#include "humidity/humidity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

using namespace humidity;

namespace {

struct TAtTempCase
{
    const char *name;
    double t;
    double relHum;
    double otherTemp;
    double expected;
};

void PrintTo(const TAtTempCase &c, std::ostream *os)
{
    *os << c.name;
}

class RelHumAtOtherTemp : public testing::TestWithParam<TAtTempCase>
{
};

// The expected values are relHum * es(t) / es(otherTemp) worked separately from the Magnus
// formula the calculator uses for relative humidity: es = 610.78 exp(17.08085 t / (234.175 + t))
// Pa at 0 °C and above, exp(17.84362 t / (245.425 + t)) below.
TEST_P(RelHumAtOtherTemp, KeepsTheVapourPressure)
{
    const TAtTempCase &c = GetParam();
    const TRelHumAtTemp r = RelHumAtTemp(c.t, c.relHum, c.otherTemp);
    ASSERT_EQ(r.fault, atNone);
    EXPECT_NEAR(r.relHum, c.expected, 1e-9);
    // The same vapour pressure at either temperature.
    EXPECT_NEAR(VapourPressure(SatVapourPressure(c.otherTemp), r.relHum),
                VapourPressure(SatVapourPressure(c.t), c.relHum), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Humidity, RelHumAtOtherTemp,
                         testing::Values(
                             // 50 * 2341.99790 / 4249.07551 Pa
                             TAtTempCase{"Warmer", 20, 50, 30, 27.558911278948628},
                             // 60 * 3172.75086 / 2648.15811 Pa
                             TAtTempCase{"Cooler", 25, 60, 22, 71.88583296053638},
                             // 80 * 286.232546 (over water, below 0 °C) / 872.895047 Pa
                             TAtTempCase{"FromBelowFreezing", -10, 80, 5, 26.232940327517266},
                             TAtTempCase{"SameTemperature", 35, 100, 35, 100}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RelHumAtOtherTempTables, AgreesWithinItsAccuracy)
{
    // Tabulated vapour pressure of water (CRC Handbook): 2.3393 kPa at 20 °C, 4.2470 kPa at
    // 30 °C; 50 % at 20 °C is 50 * 2339.3 / 4247.0 = 27.541 % at 30 °C. The model term alone
    // covers the difference from the Magnus value.
    const TRelHumAtTemp r = RelHumAtTemp(20, 50, 30);
    EXPECT_NEAR(r.relHum, 27.541, r.accuracy + 0.001);
    EXPECT_LT(r.accuracy, 0.05);
}

// The stated accuracies add the slopes of the result in each input, which central differences
// of the shown values approximate (the engine differentiates ITS-90: a few per mille apart).
TEST(RelHumAtOtherTempAccuracy, AddsTheSlopesTimesTheInputAccuracies)
{
    const double t = 20, rh = 50, other = 30, dT = 0.2, dRH = 1.5, dOther = 0.3, h = 1e-3;
    const auto at = [](double a, double b, double c) {
        return RelHumAtTemp(a, b, c).relHum;
    };
    const double expected
        = std::fabs(at(t + h, rh, other) - at(t - h, rh, other)) / (2 * h) * dT
          + std::fabs(at(t, rh + h, other) - at(t, rh - h, other)) / (2 * h) * dRH
          + std::fabs(at(t, rh, other + h) - at(t, rh, other - h)) / (2 * h) * dOther;
    const double model = RelHumAtTemp(t, rh, other).accuracy;
    const double stated = RelHumAtTemp(t, rh, other, dT, dRH, dOther).accuracy;
    EXPECT_NEAR(stated - model, expected, 0.01 * expected);
}

TEST(RelHumAtOtherTempRefusal, SaysWhichRuleWasBroken)
{
    // 50 % at 20 °C has its dew point near 9.3 °C: at 5 °C the vapour condenses.
    EXPECT_EQ(RelHumAtTemp(20, 50, 5).fault, atCondenses);
    EXPECT_EQ(RelHumAtTemp(200.5, 50, 20).fault, atTempOutOfRange);
    EXPECT_EQ(RelHumAtTemp(20, 100.1, 20).fault, atRelHumOutOfRange);
    EXPECT_EQ(RelHumAtTemp(20, 50, NAN).fault, atOtherTempOutOfRange);
    EXPECT_EQ(RelHumAtTemp(20, 50, 30, -0.1).fault, atAccuracyOutOfRange);
    const TRelHumAtTemp refused = RelHumAtTemp(20, 50, 5);
    EXPECT_EQ(refused.relHum, NoValueSentinel);
    EXPECT_EQ(refused.accuracy, NoValueSentinel);
}

} // namespace
