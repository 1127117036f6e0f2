// SPDX-License-Identifier: MIT
#include "CsvData.h"
#include "arith.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/HumidityQuantities.h"
#include "humidity/PressureUnits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

using namespace humidity;

namespace {

constexpr double NoValue = NoValueSentinel;

struct TState
{
    double temp;
    double relHum;
    double press;
    double tempAccuracy = 0;
    double relHumAccuracy = 0;
};

const TModuleState &Calculate(const TState &in)
{
    ResetModuleState();
    moduleState.Temp = in.temp;
    moduleState.RelHum = in.relHum;
    moduleState.Press = in.press;
    moduleState.TempAccuracy = in.tempAccuracy;
    moduleState.RelHumAccuracy = in.relHumAccuracy;
    CalculateExtendedHumidity();
    return moduleState;
}

class Quantities : public ::testing::Test
{
protected:
    void TearDown() override { ResetModuleState(); }
};

// --- Published values ------------------------------------------------------------------------

struct TReferenceRow
{
    std::string check;
    double air = 0;
    double input = 0;
    double pressure = 0;
    double value = 0;
    double tolerance = 0;
    std::size_t line = 0;
};

void PrintTo(const TReferenceRow &row, std::ostream *os)
{
    *os << "line " << row.line << " " << row.check;
}

double NumberOrZero(const testdata::TCsv &csv, std::size_t row, const char *column)
{
    return csv.at(row, column).empty() ? 0.0 : csv.number(row, column);
}

std::vector<TReferenceRow> LoadReference()
{
    const testdata::TCsv csv("psychrometric_quantities_reference.csv");
    std::vector<TReferenceRow> rows;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        rows.push_back({csv.at(i, "check"), NumberOrZero(csv, i, "air_degC"),
                        NumberOrZero(csv, i, "input"), NumberOrZero(csv, i, "pressure_Pa"),
                        csv.number(i, "value"), csv.number(i, "tolerance"), i + 2});
    }
    return rows;
}

class PublishedValue : public Quantities, public ::testing::WithParamInterface<TReferenceRow>
{
};

TEST_P(PublishedValue, IsMet)
{
    const TReferenceRow &row = GetParam();
    if (row.check == "ice_saturation_pressure") {
        EXPECT_NEAR(SatVapourPressureIce(row.air), row.value, row.tolerance);
    } else if (row.check == "frost_point") {
        EXPECT_NEAR(FrostPoint(row.input), row.value, row.tolerance);
    } else if (row.check == "saturation_vapour_pressure") {
        // The shown Magnus value is not the table's, but its stated accuracy covers the table.
        const TModuleState &s = Calculate({row.air, 100, 101325});
        EXPECT_NEAR(s.ExtResults[xiSatVapourPressure], row.value,
                    s.ExtAccuracies[xiSatVapourPressure] + row.tolerance);
    } else if (row.check == "saturated_wet_bulb") {
        EXPECT_NEAR(Calculate({row.air, row.input, row.pressure}).ExtResults[xiWetBulb], row.value,
                    row.tolerance);
    } else if (row.check.rfind("wet_bulb_", 0) == 0) {
        const TRelHumInput rh = RelHumFromWetBulb(row.air, row.input, row.pressure);
        ASSERT_EQ(rh.fault, ifNone);
        const TModuleState &s = Calculate({row.air, rh.relHum, row.pressure});
        const double actual = row.check == "wet_bulb_relative_humidity" ? rh.relHum
                              : row.check == "wet_bulb_mixing_ratio"    ? s.Results[riMixingRatio]
                              : row.check == "wet_bulb_dew_point"       ? s.Results[riDewPoint]
                                                                  : s.ExtResults[xiVapourPressure];
        EXPECT_NEAR(actual, row.value, row.tolerance);
        EXPECT_NEAR(s.ExtResults[xiWetBulb], row.input, 1e-9);
    } else {
        ADD_FAILURE() << "no check for this row";
    }
}

INSTANTIATE_TEST_SUITE_P(Humidity, PublishedValue, ::testing::ValuesIn(LoadReference()),
                         [](const auto &info) { return "Line" + std::to_string(info.param.line); });

TEST(PublishedValueFile, IsReadCompletely)
{
    EXPECT_EQ(LoadReference().size(), 20u);
}

// --- Accuracies: first-order propagation -----------------------------------------------------

struct TPropagationCase
{
    const char *name;
    TState state;
};

void PrintTo(const TPropagationCase &c, std::ostream *os)
{
    *os << c.name;
}

class Propagation : public Quantities, public ::testing::WithParamInterface<TPropagationCase>
{
};

// With exact inputs an accuracy is the model term alone; the stated input accuracies add the
// worst-case sum of the slopes, which central differences of the shown values approximate (the
// engine differentiates ITS-90, the shown values are Magnus: a few per mille apart).
TEST_P(Propagation, AddsTheSlopesTimesTheInputAccuracies)
{
    const TState in = GetParam().state;
    const auto value = [&](double t, double rh, int i) {
        return Calculate({t, rh, in.press}).ExtResults[i];
    };
    const double h = 1e-3;
    for (int i = 0; i < ExtResultCount; ++i) {
        SCOPED_TRACE(testing::Message() << "quantity " << i);
        const double model = Calculate({in.temp, in.relHum, in.press}).ExtAccuracies[i];
        const double stated = Calculate(in).ExtAccuracies[i];
        if (stated == NoValue) {
            EXPECT_EQ(model, NoValue);
            continue;
        }
        const double slopeT
            = (value(in.temp + h, in.relHum, i) - value(in.temp - h, in.relHum, i)) / (2 * h);
        const double slopeRH
            = (value(in.temp, in.relHum + h, i) - value(in.temp, in.relHum, i)) / h;
        const double expected
            = std::fabs(slopeT) * in.tempAccuracy + std::fabs(slopeRH) * in.relHumAccuracy;
        EXPECT_GE(model, 0.0);
        EXPECT_NEAR(stated - model, expected, 0.01 * expected + 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Humidity, Propagation,
    ::testing::Values(TPropagationCase{"Room", {20, 50, 101325, 0.4, 2.5}},
                      TPropagationCase{"Frost", {-10, 80, 101325, 0.4, 2.5}},
                      TPropagationCase{"DeepFrost", {-40, 30, 101325, 0.2, 1}},
                      TPropagationCase{"HotAndDry", {40, 14, 101325, 0.4, 2.5}},
                      TPropagationCase{"HighAltitude", {60, 30, 50000, 0.1, 1}},
                      TPropagationCase{"Compressed", {30, 60, 800000, 0.4, 2.5}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Existence ------------------------------------------------------------------------------

TEST_F(Quantities, RefusedInputsLeaveEveryQuantityMissing)
{
    moduleState.ExtResults.fill(1);
    for (const TState &in : {TState{200.001, 50, 101325}, TState{20, 100.001, 101325}}) {
        const TModuleState &s = Calculate(in);
        for (int i = 0; i < ExtResultCount; ++i) {
            EXPECT_EQ(s.ExtResults[i], NoValue) << i;
            EXPECT_EQ(s.ExtAccuracies[i], NoValue) << i;
        }
    }
}

// The window calls CalculateHumidity: the further quantities must leave its five as they were.
TEST_F(Quantities, LeaveTheCalculatorsFiveAsTheyWere)
{
    const TState in{-10, 80, 101325, 0.4, 2.5};
    const TModuleState extended = Calculate(in);
    ResetModuleState();
    moduleState.Temp = in.temp;
    moduleState.RelHum = in.relHum;
    moduleState.TempAccuracy = in.tempAccuracy;
    moduleState.RelHumAccuracy = in.relHumAccuracy;
    CalculateHumidity();
    EXPECT_EQ(moduleState.Results, extended.Results);
    EXPECT_EQ(moduleState.Accuracies, extended.Accuracies);
    EXPECT_EQ(moduleState.ExtResults[xiFrostPoint], 0.0);
}

class QuantitiesWholeRange : public Quantities, public ::testing::WithParamInterface<double>
{
};

TEST_P(QuantitiesWholeRange, NeverFaultsAndKeepsTheQuantitiesInOrder)
{
    const double t = GetParam();
    for (double relHum : {0.0, 0.000001, 0.001, 1.0, 50.0, 100.0}) {
        for (double p : {10.0, 1000.0, 101325.0, 1e6}) {
            SCOPED_TRACE(testing::Message() << "RH " << relHum << " p " << p);
            TModuleState s;
            ASSERT_NO_THROW(s = Calculate({t, relHum, p, 0.4, 2.5}));
            for (int i = 0; i < ExtResultCount; ++i) {
                const double a = s.ExtAccuracies[i];
                EXPECT_TRUE(a == NoValue || (std::isfinite(a) && a >= 0)) << i << ": " << a;
                EXPECT_EQ(s.ExtResults[i] == NoValue, a == NoValue) << i;
            }
            const double frostPoint = s.ExtResults[xiFrostPoint];
            EXPECT_TRUE(frostPoint == NoValue || frostPoint <= 0) << frostPoint;
            // none beyond the ice formulation's range, -100 to 0 °C
            EXPECT_EQ(frostPoint == NoValue, relHum == 0 || s.VapPress > SatVapourPressureIce(0)
                                                 || s.VapPress < SatVapourPressureIce(-100));
            // less vapour condenses as frost at a higher temperature than as dew
            const double dewPoint = s.Results[riDewPoint];
            if (frostPoint != NoValue && dewPoint < 0) {
                EXPECT_GE(frostPoint, dewPoint);
            }
            const double wetBulb = s.ExtResults[xiWetBulb];
            EXPECT_EQ(wetBulb == NoValue, s.Results[riSpecificHumidity] == NoValue);
            if (wetBulb != NoValue) {
                EXPECT_LE(wetBulb, t);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Humidity, QuantitiesWholeRange,
                         ::testing::Values(-100.0, -40.0, -0.001, 0.0, 25.0, 99.9, 150.0, 200.0));

// --- Relative humidity from a dew point, frost point or wet bulb ----------------------------

enum TInputKind { ikDewPoint, ikFrostPoint, ikWetBulb };

TRelHumInput RelHumFrom(TInputKind kind, double t, double value, double p)
{
    switch (kind) {
    case ikDewPoint:
        return RelHumFromDewPoint(t, value);
    case ikFrostPoint:
        return RelHumFromFrostPoint(t, value);
    case ikWetBulb:
        return RelHumFromWetBulb(t, value, p);
    }
    return {};
}

double QuantityOf(TInputKind kind, const TModuleState &s)
{
    switch (kind) {
    case ikDewPoint:
        return s.Results[riDewPoint];
    case ikFrostPoint:
        return s.ExtResults[xiFrostPoint];
    case ikWetBulb:
        return s.ExtResults[xiWetBulb];
    }
    return NoValue;
}

struct TInverseCase
{
    const char *name;
    TInputKind kind;
    double temp;
    double value;
    double press;
    TInputFault fault; // ifNone: the relative humidity found gives the value back
};

void PrintTo(const TInverseCase &c, std::ostream *os)
{
    *os << c.name;
}

class InverseInput : public Quantities, public ::testing::WithParamInterface<TInverseCase>
{
};

TEST_P(InverseInput, GivesTheValueBackOrSaysWhyNot)
{
    const TInverseCase &c = GetParam();
    const TRelHumInput rh = RelHumFrom(c.kind, c.temp, c.value, c.press);
    ASSERT_EQ(rh.fault, c.fault);
    if (c.fault != ifNone) {
        EXPECT_EQ(rh.relHum, NoValue);
        return;
    }
    ASSERT_GE(rh.relHum, 0.0);
    ASSERT_LE(rh.relHum, 100.0);
    EXPECT_NEAR(QuantityOf(c.kind, Calculate({c.temp, rh.relHum, c.press})), c.value, 1e-9);
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Humidity, InverseInput,
    ::testing::Values(
        TInverseCase{"DewPoint", ikDewPoint, 20, 9.277, 101325, ifNone},
        TInverseCase{"DewPointBelowFreezingInWarmAir", ikDewPoint, 5, -12, 101325, ifNone},
        TInverseCase{"DewPointInFrost", ikDewPoint, -10, -12.791, 101325, ifNone},
        TInverseCase{"DewPointAtSaturation", ikDewPoint, 35, 35, 101325, ifNone},
        TInverseCase{"DewPointAboveAir", ikDewPoint, 20, 20.001, 101325, ifAboveAirTemperature},
        TInverseCase{"DewPointTooLow", ikDewPoint, 20, -100.001, 101325, ifValueOutOfRange},
        TInverseCase{"DewPointNaN", ikDewPoint, 20, NaN, 101325, ifValueOutOfRange},
        TInverseCase{"DewPointAirTooHot", ikDewPoint, 200.5, 10, 101325, ifTempOutOfRange},
        TInverseCase{"FrostPoint", ikFrostPoint, -10, -12, 101325, ifNone},
        TInverseCase{"FrostPointInWarmAir", ikFrostPoint, 20, -40, 101325, ifNone},
        // Supersaturated over ice, below saturation over water.
        TInverseCase{"FrostPointAboveTheAir", ikFrostPoint, -10, -9.2, 101325, ifNone},
        TInverseCase{"FrostPointBeyondWater", ikFrostPoint, -10, -8.5, 101325, ifAboveSaturation},
        TInverseCase{"FrostPointAboveIce", ikFrostPoint, 20, 0.001, 101325, ifValueOutOfRange},
        TInverseCase{"WetBulb", ikWetBulb, 20, 13.779, 101325, ifNone},
        TInverseCase{"WetBulbSaturated", ikWetBulb, 30, 30, 101325, ifNone},
        TInverseCase{"WetBulbBelowFreezing", ikWetBulb, 2, -3, 101325, ifNone},
        TInverseCase{"WetBulbAtAltitude", ikWetBulb, 25, 15, 70000, ifNone},
        TInverseCase{"WetBulbAboveAir", ikWetBulb, 20, 20.001, 101325, ifAboveAirTemperature},
        TInverseCase{"WetBulbDrierThanDry", ikWetBulb, 40, 10, 101325, ifBelowDryAir},
        TInverseCase{"WetBulbNoPressure", ikWetBulb, 20, 15, 0, ifPressureNotPositive},
        TInverseCase{"WetBulbNegativePressure", ikWetBulb, 20, 15, -5, ifPressureNotPositive},
        TInverseCase{"WetBulbBoilingAway", ikWetBulb, 120, 105, 101325, ifVapourExceedsPressure}),
    [](const auto &info) { return std::string(info.param.name); });

class SaturatedState : public Quantities, public ::testing::WithParamInterface<double>
{
};

// Saturated air's own dew point, frost point and wet bulb, every digit as computed, are taken back
// as saturation, though each is solved or fitted and may lie a hair beyond its bound.
TEST_P(SaturatedState, OwnResultsAreTakenBack)
{
    const double t = GetParam();
    const TModuleState s = Calculate({t, 100, 101325});
    for (const TInputKind kind : {ikDewPoint, ikFrostPoint, ikWetBulb}) {
        const double value = QuantityOf(kind, s);
        if (value == NoValue)
            continue;
        const TRelHumInput rh = RelHumFrom(kind, t, value, 101325);
        ASSERT_EQ(rh.fault, ifNone) << kind << " " << value;
        // each is solved or fitted to its own tolerance, at -99 °C with a double a little wider
        EXPECT_NEAR(rh.relHum, 100, 1e-3) << kind;
    }
    if (t < 0) {
        EXPECT_EQ(SaturationFrostPoint(t), s.ExtResults[xiFrostPoint]);
        // a little more vapour is more than the air holds
        EXPECT_EQ(RelHumFromFrostPoint(t, s.ExtResults[xiFrostPoint] + 1e-6).fault,
                  ifAboveSaturation);
    }
}

INSTANTIATE_TEST_SUITE_P(Humidity, SaturatedState,
                         ::testing::Values(-99.0, -50.0, -20.0, -0.5, 0.0006, 20.0006, 80.0));

// --- Pressure dew point ----------------------------------------------------------------------

struct TPressureDewPointCase
{
    const char *name;
    double dewPoint;
    double from;
    double to;
    TInputFault fault;
};

void PrintTo(const TPressureDewPointCase &c, std::ostream *os)
{
    *os << c.name;
}

class PressureDewPoint : public ::testing::TestWithParam<TPressureDewPointCase>
{
};

// The vapour keeps its share of the pressure: e(Td2) / p2 = e(Td1) / p1, over water and, for the
// frost point, over ice.
TEST_P(PressureDewPoint, KeepsTheVapoursShareOfThePressure)
{
    const TPressureDewPointCase &c = GetParam();
    const TPressureDewPoint r = ConvertPressureDewPoint(c.dewPoint, c.from, c.to);
    ASSERT_EQ(r.fault, c.fault);
    if (c.fault != ifNone) {
        EXPECT_EQ(r.dewPoint, NoValue);
        return;
    }
    const double share = SatVapourPressureITS90(c.dewPoint) / c.from;
    EXPECT_NEAR(SatVapourPressureITS90(r.dewPoint) / c.to, share, share * 1e-12);
    if (r.dewPoint >= 0.01) {
        EXPECT_EQ(r.frostPoint, NoValue);
    } else {
        ASSERT_NE(r.frostPoint, NoValue);
        EXPECT_NEAR(SatVapourPressureIce(r.frostPoint) / c.to, share, share * 1e-12);
        EXPECT_GT(r.frostPoint, r.dewPoint);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Humidity, PressureDewPoint,
    ::testing::Values(TPressureDewPointCase{"DryerOutletToAtmosphere", 3, 8e5, 101325, ifNone},
                      TPressureDewPointCase{"AtmosphereToCompressor", -40, 101325, 1.1e6, ifNone},
                      TPressureDewPointCase{"SamePressure", 12.5, 101325, 101325, ifNone},
                      TPressureDewPointCase{"NoPressure", 3, 0, 101325, ifPressureNotPositive},
                      TPressureDewPointCase{"NegativeTarget", 3, 8e5, -1, ifPressureNotPositive},
                      TPressureDewPointCase{"AboveBoiling", 120, 101325, 8e5,
                                            ifVapourExceedsPressure},
                      TPressureDewPointCase{"OutOfRange", -100.5, 8e5, 101325, ifValueOutOfRange},
                      TPressureDewPointCase{"ResultOutOfRange", -60, 1e7, 100, ifResultOutOfRange}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PressureDewPointOfTheSameAir, ReturnsWhenTheAirGoesBack)
{
    const TPressureDewPoint there = ConvertPressureDewPoint(3, 8e5, 101325);
    EXPECT_NEAR(ConvertPressureDewPoint(there.dewPoint, 101325, 8e5).dewPoint, 3, 1e-9);
}

// --- Pressures with units --------------------------------------------------------------------

struct TPressureTextCase
{
    const char *text;
    double pascals;
    TPressureTextFault fault;
};

class PressureText : public ::testing::TestWithParam<TPressureTextCase>
{
};

TEST_P(PressureText, ReadsIntoPascals)
{
    const TPressureTextCase &c = GetParam();
    const TPressureText r = ParsePressure(c.text, *FindPressureUnit("Pa"));
    ASSERT_EQ(r.fault, c.fault) << c.text;
    if (c.fault == pfNone) {
        EXPECT_NEAR(r.pascals, c.pascals, std::max(std::fabs(c.pascals) * 1e-15, 1e-5)) << c.text;
        EXPECT_EQ(r.gauge, std::string_view(c.text).find('g') != std::string_view::npos) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Humidity, PressureText,
    ::testing::Values(
        TPressureTextCase{"101325", 101325, pfNone}, TPressureTextCase{"101325Pa", 101325, pfNone},
        TPressureTextCase{"1013.25hPa", 101325, pfNone},
        TPressureTextCase{" 1013.25 mbar ", 101325, pfNone},
        TPressureTextCase{"101.325kPa", 101325, pfNone},
        TPressureTextCase{"+1.01325bar", 101325, pfNone}, TPressureTextCase{"8 bar", 8e5, pfNone},
        TPressureTextCase{"0.8MPa", 8e5, pfNone},
        TPressureTextCase{"1psi", 6894.757293168361, pfNone},
        TPressureTextCase{"-1e3Pa", -1000, pfNone},
        TPressureTextCase{"1013.25 HPA", 0, pfUnknownUnit},
        TPressureTextCase{"7barg", 801325, pfNone}, TPressureTextCase{"0 kPag", 101325, pfNone},
        TPressureTextCase{"-14.6959487755psig", 0, pfNone},
        TPressureTextCase{"8BARG", 0, pfUnknownUnit}, TPressureTextCase{"1,5bar", 0, pfUnknownUnit},
        TPressureTextCase{"hPa", 0, pfNotANumber}, TPressureTextCase{"", 0, pfNotANumber},
        TPressureTextCase{"+-5", 0, pfNotANumber}, TPressureTextCase{"inf", 0, pfNotANumber},
        TPressureTextCase{"nan hPa", 0, pfNotANumber}, TPressureTextCase{"1e400", 0, pfOutOfRange},
        TPressureTextCase{"1e307 bar", 0, pfOutOfRange}));

TEST(PressureText, GaugePressureIsAboveTheAtmosphereGiven)
{
    const TPressureText plain = ParsePressure("2", *FindPressureUnit("barg"), 95000);
    EXPECT_TRUE(plain.gauge);
    EXPECT_DOUBLE_EQ(plain.pascals, 295000);
    EXPECT_DOUBLE_EQ(ParsePressure("2bar", *FindPressureUnit("barg"), 95000).pascals, 200000);
}

TEST(PressureValue, MustBeAFiniteNumberAboveZero)
{
    EXPECT_TRUE(PressureValid(1e-3));
    for (double p : {0.0, -0.0, -101325.0, NaN, std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(PressureValid(p)) << p;
}

} // namespace
