// SPDX-License-Identifier: MIT
#include "temperature/FieldSensor.h"
#include "temperature/SensorCalculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace temperature;

namespace {

TFieldSensor Platinum(long double r0)
{
    return TFieldSensor(TRtdCurve(*FindRtdCurve("pt385"), r0));
}

// A thermocouple measured against a reference junction that is not at 0 °C: E(t) - E(cj), and
// back.
struct TCompensationCase
{
    const char *name;
    TThermocoupleType type;
    double t;
    double coldJunction;
};

class Compensation : public testing::TestWithParam<TCompensationCase>
{
};

TEST_P(Compensation, SubtractsTheReferenceJunctionsEmfAndAddsItBack)
{
    const TCompensationCase &c = GetParam();
    const TFieldSensor sensor(c.type);
    const double e = sensor.ToElectricCompensated(c.t, c.coldJunction);
    EXPECT_EQ(e, static_cast<float>(TcTempToVolt(c.type, static_cast<float>(c.t))
                                    - TcTempToVolt(c.type, static_cast<float>(c.coldJunction))));
    EXPECT_NEAR(sensor.ToTemperatureCompensated(e, c.coldJunction), c.t, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Types, Compensation,
                         testing::Values(TCompensationCase{"E", tcE, 500, 23.5},
                                         TCompensationCase{"R", tcR, 1200, 30},
                                         TCompensationCase{"K", tcK, -100, 25},
                                         TCompensationCase{"EBelowTheJunction", tcE, 10, 40}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FieldSensor, ThermocouplesRefuseOutsideTheirAcceptedRanges)
{
    const TFieldSensor e(tcE);
    EXPECT_EQ(e.TempRange().Low, -270);
    // the emfs taken back start where the inverse function does
    EXPECT_EQ(e.ImageTempRange().Low, -200);
    EXPECT_EQ(static_cast<float>(e.ElectricRange().High), TcTempToVolt(tcE, 1000));
    // the limits as written: 1768.1 itself is accepted
    EXPECT_EQ(TFieldSensor(tcR).TempRange().High, 1768.1);
    EXPECT_NO_THROW(TFieldSensor(tcR).ToElectric(1768.1));
    EXPECT_THROW(e.ToElectric(1000.5), ECannotCalculate);
    EXPECT_THROW(e.ToTemperature(-9000), ECannotCalculate);
    // the reference junction's own emf outside the range
    EXPECT_THROW(TFieldSensor(tcR).ToElectricCompensated(100, -60), ECannotCalculate);
    EXPECT_THROW(Platinum(100).ToElectricCompensated(100, 20), ECannotCalculate);
}

TEST(FieldSensor, ResistiveRangesFollowTheCurve)
{
    const TValueRange pt = Platinum(1000).ElectricRange();
    EXPECT_NEAR(pt.Low, 185.2008, 1e-9);
    EXPECT_NEAR(pt.High, 3904.81125, 1e-9);
    // a thermistor's resistance falls as it warms
    const TValueRange ntc = TFieldSensor(TThermistor::Beta(10000, 3435)).ElectricRange();
    EXPECT_LT(ntc.Low, 10000);
    EXPECT_GT(ntc.High, 10000 * 40);
}

// The permitted deviation in the electrical unit: class A at 100 °C, ±0.35 °C, is ±0.1327 Ω for a
// Pt100 (WIKA prints the limits 138.37 and 138.64 Ω around 138.5055 Ω).
TEST(FieldSensor, ElectricDeviationIsHalfTheSpanOfTheElectricalQuantity)
{
    EXPECT_NEAR(Platinum(100).ElectricDeviation(100, 0.35), 0.132748, 5e-7);
    EXPECT_NEAR(Platinum(1000).ElectricDeviation(100, 0.35), 1.32748, 5e-6);
    // type K class 2 at 500 °C, ±3.75 °C at 42.6 µV/°C
    EXPECT_NEAR(TFieldSensor(tcK).ElectricDeviation(500, 3.75), 159.8, 0.1);
    // falling resistance, positive deviation
    EXPECT_GT(TFieldSensor(TThermistor::Beta(10000, 3435)).ElectricDeviation(25, 1), 0);
}

TEST(FieldSensor, ClassesBelongToTheIecPlatinumCurveAndTheThermocouples)
{
    EXPECT_EQ(Platinum(500).ToleranceSensor(), 'P');
    EXPECT_EQ(TFieldSensor(tcB).ToleranceSensor(), 'B');
    EXPECT_EQ(TFieldSensor(TRtdCurve(*FindRtdCurve("pt3916"), 100)).ToleranceSensor(), 0);
    EXPECT_EQ(TFieldSensor(TRtdCurve::CallendarVanDusen(3.9083E-3L, -5.775E-7L, -4.183E-12L, 100))
                  .ToleranceSensor(),
              0);
    EXPECT_EQ(TFieldSensor(TThermistor::Beta(10000, 3435)).ToleranceSensor(), 0);
}

TEST(FieldSensor, TheWindowsSensorsWithClassesAreFieldSensorsToo)
{
    EXPECT_NEAR(FieldSensorOf(stPt100)->ToElectric(100), 138.5055, 1e-9);
    EXPECT_NEAR(FieldSensorOf(stPt1000)->ToElectric(-200), 185.2008, 1e-9);
    EXPECT_EQ(FieldSensorOf(stTcN)->ToleranceSensor(), 'N');
    EXPECT_EQ(FieldSensorOf(stTcB)->ToElectric(1000), TcTempToVolt(tcB, 1000));
    EXPECT_FALSE(FieldSensorOf(stNi1000));
    EXPECT_FALSE(FieldSensorOf(stNTC2252));
    // A value beyond the ten is no sensor, not a thermocouple.
    EXPECT_FALSE(FieldSensorOf(static_cast<TSensorType>(SensorCount)));
}

} // namespace
