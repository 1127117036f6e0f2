// SPDX-License-Identifier: MIT
#include "CsvData.h"
#include "arith.h"
#include "temperature/ResistanceCurves.h"
#include "temperature/ResistiveSensors.h"
#include "temperature/SensorCalculation.h"
#include "temperature/Thermistors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace temperature;

namespace {

// A coefficient as the engine holds it: its text read in full, then rounded once to the build's
// extended type.
Extended Ext(long double value)
{
    return static_cast<Extended>(value);
}

TRtdCurve Named(const char *name, Extended r0)
{
    const TRtdCurveData *curve = FindRtdCurve(name);
    if (!curve)
        throw std::runtime_error(std::string("no curve ") + name);
    return TRtdCurve(*curve, r0);
}

TThermistor NamedThermistor(const char *name)
{
    const TThermistorData *data = FindThermistorCurve(name);
    if (!data)
        throw std::runtime_error(std::string("no thermistor ") + name);
    return TThermistor(*data);
}

// Each curve of tests/data/rtd_curves.csv as the engine offers it. The resistance thermometers are
// held to the printed digits of their points, the thermistor fits to the largest temperature
// difference from the maker's table stated for the fit.
struct TCurveCase
{
    std::function<double(double)> resistance;
    std::function<double(double)> temperature;
    double ohmsBeyondDigits; // besides half a unit of the printed last digit
    double kelvin;           // a thermistor table's value read back, or 0
};

std::map<std::string, TCurveCase> CurveCases()
{
    std::map<std::string, TCurveCase> cases;
    const auto rtd = [&](const std::string &id, TRtdCurve curve, double beyond) {
        cases[id] = {[curve](double t) { return curve.Resistance(t); },
                     [curve](double r) { return curve.Temperature(r); }, beyond, 0};
    };
    const auto ntc = [&](const std::string &id, TThermistor thermistor, double kelvin) {
        cases[id] = {[thermistor](double t) { return thermistor.Resistance(t); },
                     [thermistor](double r) { return thermistor.Temperature(r); }, 0, kelvin};
    };
    rtd("PT100_A3916_JIS1981", Named("pt3916", 100), 0);
    rtd("PT100_A3926", Named("pt3926", 100), 0);
    // the defining 1500 Ω at 100 °C, which the polynomial misses by 0.005 Ω
    rtd("NI1000_TK5000", Named("ni1000-tk5000", 1000), 0.0051);
    rtd("CU50_A428_GOST6651", Named("cu428", 50), 0);
    rtd("CU100_A428_GOST6651", Named("cu428", 100), 0);
    rtd("CU10_A427", Named("cu427", Named("cu427", 0).Curve().R0), 0);
    ntc("NTC10K_B3435_BETA", TThermistor::Beta(10000, 3435), 0);
    ntc("NTC10K_B3950_BETA", TThermistor::Beta(10000, 3950), 0);
    ntc("NTC10K_3435_SEMITEC_103AT_SH", NamedThermistor("semitec-103at"), 0.071);
    ntc("NTC10K_3435_EPCOS_B57330V2103_SH", NamedThermistor("epcos-b57330v2103"), 0.066);
    ntc("NTC10K_3435_MURATA_NCPXH103_SH", NamedThermistor("murata-ncpxh103"), 0.219);
    ntc("NTC10K_3950_EPCOS_B57891S0103_SH", NamedThermistor("epcos-b57891s0103"), 0.158);
    return cases;
}

double HalfLastDigit(const std::string &text)
{
    const std::size_t point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return 0.5 * std::pow(10.0, -decimals);
}

TEST(CurvePoints, EveryNamedCurveReproducesItsPublishedAndDefiningPoints)
{
    const std::map<std::string, TCurveCase> cases = CurveCases();
    const testdata::TCsv points("rtd_curves_points.csv");
    ASSERT_EQ(points.size(), 104u);
    int checked = 0;
    for (std::size_t row = 0; row < points.size(); ++row) {
        const std::string id = points.at(row, "curve_id");
        const double t = points.number(row, "temperature_degC");
        const std::string text = points.at(row, "resistance_ohm");
        const double r = std::stod(text);
        ASSERT_EQ(cases.count(id), 1u) << id;
        const TCurveCase &c = cases.at(id);
        if (c.kelvin == 0) {
            EXPECT_NEAR(c.resistance(t), r, HalfLastDigit(text) + c.ohmsBeyondDigits)
                << id << " at " << t << " °C";
            EXPECT_NEAR(c.temperature(c.resistance(t)), t, 1e-9) << id << " at " << t << " °C";
        } else {
            try {
                // the stated difference is given to 0.001 K
                EXPECT_NEAR(c.temperature(r), t, c.kelvin + 0.0005) << id << " at " << r << " Ω";
                EXPECT_NEAR(c.temperature(c.resistance(t)), t, 1e-9) << id << " at " << t << " °C";
            } catch (const ECannotCalculate &) {
                // only the table's values beyond the fitted range have no temperature
                EXPECT_TRUE(t < -40 || t > 125) << id << " at " << t << " °C";
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, 104);
}

// Platinum on the IEC 60751 curve at any size is the window's Pt1000 scaled.
TEST(PlatinumSizes, FollowTheIecCurveAtEveryR0)
{
    for (const double r0 : {10.0, 50.0, 100.0, 200.0, 500.0, 1000.0, 2000.0, 123.4}) {
        const TRtdCurve pt = Named("pt385", r0);
        for (double t = -200; t <= 850; t += 12.5) {
            EXPECT_NEAR(pt.Resistance(t), PtTempToRes(t) * r0 / 1000, 1e-12 * r0) << r0 << " " << t;
            EXPECT_NEAR(pt.Temperature(pt.Resistance(t)), t, 1e-9) << r0 << " " << t;
        }
    }
}

struct TOutside
{
    const char *curve;
    double t;
    double r; // a resistance without a temperature in the range
};

class CurveRanges : public testing::TestWithParam<TOutside>
{
};

TEST_P(CurveRanges, RefuseBeyondTheCurvesRange)
{
    const TRtdCurve curve = Named(GetParam().curve, 100);
    EXPECT_THROW(curve.Resistance(GetParam().t), ECannotCalculate);
    EXPECT_THROW(curve.Temperature(GetParam().r), ECannotCalculate);
    EXPECT_NO_THROW(curve.Resistance(curve.Curve().TempMin));
    EXPECT_NO_THROW(curve.Resistance(curve.Curve().TempMax));
}

INSTANTIATE_TEST_SUITE_P(Curves, CurveRanges,
                         testing::Values(TOutside{"pt385", -200.001, 18.4},
                                         TOutside{"pt385", 851, 391},
                                         TOutside{"ni1000-tk5000", -31, 87},
                                         TOutside{"ni1000-tk5000", 160.5, 187},
                                         TOutside{"cu428", -181, 0}, TOutside{"cu428", 201, 1e9}),
                         [](const auto &info) { return std::to_string(info.index); });

// The coefficients of tests/data/rtd_curves.csv, as published, are those of the engine's tables.
TEST(CurveCoefficients, AreThePublishedOnes)
{
    const std::map<std::string, std::string> names
        = {{"PT100_A3916_JIS1981", "pt3916"},
           {"PT100_A3926", "pt3926"},
           {"NI1000_TK5000", "ni1000-tk5000"},
           {"CU50_A428_GOST6651", "cu428"},
           {"CU10_A427", "cu427"},
           {"NTC10K_3435_SEMITEC_103AT_SH", "semitec-103at"},
           {"NTC10K_3435_EPCOS_B57330V2103_SH", "epcos-b57330v2103"},
           {"NTC10K_3435_MURATA_NCPXH103_SH", "murata-ncpxh103"},
           {"NTC10K_3950_EPCOS_B57891S0103_SH", "epcos-b57891s0103"}};
    const testdata::TCsv csv("rtd_curves.csv");
    int checked = 0;
    for (std::size_t row = 0; row < csv.size(); ++row) {
        const auto name = names.find(csv.at(row, "curve_id"));
        if (name == names.end())
            continue; // Cu100 is Cu50's curve; the beta curves are given by their data
        std::map<std::string, long double> k; // "A=3.9739E-3;B=-5.870E-7;C=-4.4E-12"
        std::istringstream list(csv.at(row, "coefficients"));
        for (std::string item; std::getline(list, item, ';');)
            k[item.substr(0, item.find('='))] = std::stold(item.substr(item.find('=') + 1));
        const std::string kind = csv.at(row, "formula_kind");
        if (kind == "steinhart_hart") {
            const TThermistorData &d = *FindThermistorCurve(name->second);
            EXPECT_EQ(std::vector<Extended>({d.A, d.B, d.C}),
                      std::vector<Extended>({Ext(k["a"]), Ext(k["b"]), Ext(k["c"])}))
                << name->second;
            EXPECT_EQ(d.TempMin, csv.number(row, "valid_low_degC"));
            EXPECT_EQ(d.TempMax, csv.number(row, "valid_high_degC"));
            ++checked;
            continue;
        }
        const TRtdCurveData &c = *FindRtdCurve(name->second);
        TCurvePolynomial above{1, Ext(k["A"]), Ext(k["B"]), 0, 0};
        TCurvePolynomial below = above;
        if (kind == "callendar_van_dusen") {
            below = CvdBelow(Ext(k["A"]), Ext(k["B"]), Ext(k["C"]));
        } else if (kind == "polynomial") {
            above[3] = below[3] = Ext(k["C"]);
        } else if (kind == "gost6651_copper") { // below 0 °C + B·t·(t + 6.7) + C·t³
            below = {1, Ext(k["A"] + 6.7L * k["B"]), Ext(k["B"]), Ext(k["C"]), 0};
            above[2] = 0;
        } else { // linear, sized at 25 °C
            above[1] = below[1] = Ext(k["alpha"]);
            EXPECT_NEAR(c.R0 * (1 + 25 * k["alpha"]), csv.number(row, "r_ref_ohm"), 1e-15);
        }
        EXPECT_EQ(c.Above, above) << name->second;
        EXPECT_EQ(c.Below, below) << name->second;
        if (!csv.at(row, "valid_low_degC").empty()) {
            EXPECT_EQ(c.TempMin, csv.number(row, "valid_low_degC")) << name->second;
            EXPECT_EQ(c.TempMax, csv.number(row, "valid_high_degC")) << name->second;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 9);
}

TEST(CurveNames, UnknownNamesFindNothing)
{
    EXPECT_EQ(FindRtdCurve("pt100"), nullptr);
    EXPECT_EQ(FindRtdCurve(""), nullptr);
    EXPECT_EQ(FindThermistorCurve("ntc2252"), nullptr);
    EXPECT_EQ(FindRtdCurve("pt385")->R0, 100);
}

// A calibrated sensor's coefficients: the resistance rises over a range or it does not. The
// analytic test of the derivative agrees with a dense scan of the curve.
struct TCvdCase
{
    const char *name;
    double a, b, c;
    double tLow, tHigh;
    bool monotonic;
};

class CallendarVanDusen : public testing::TestWithParam<TCvdCase>
{
};

TEST_P(CallendarVanDusen, IsMonotonicExactlyWhereTheResistanceRises)
{
    const TCvdCase &c = GetParam();
    const TRtdCurve curve = TRtdCurve::CallendarVanDusen(c.a, c.b, c.c, 100);
    EXPECT_EQ(curve.MonotonicOver(c.tLow, c.tHigh), c.monotonic);
    bool rises = true;
    for (double t = c.tLow; t < c.tHigh; t += 0.25)
        rises = rises && curve.Resistance(std::min(t + 0.25, c.tHigh)) > curve.Resistance(t);
    EXPECT_EQ(rises, c.monotonic);
}

INSTANTIATE_TEST_SUITE_P(
    Coefficients, CallendarVanDusen,
    testing::Values(TCvdCase{"Iec60751", 3.9083E-3, -5.775E-7, -4.183E-12, -200, 850, true},
                    TCvdCase{"Calibrated", 3.9092E-3, -5.791E-7, -4.23E-12, -200, 850, true},
                    // B ten times too large: the curve turns over at A/(2|B|) = 338 °C
                    TCvdCase{"TurnsAt338", 3.9083E-3, -5.775E-6, -4.183E-12, -200, 850, false},
                    TCvdCase{"BelowTheTurn", 3.9083E-3, -5.775E-6, -4.183E-12, -200, 330, true},
                    // C of the wrong sign and far too large: falls again at the cold end
                    TCvdCase{"ColdEndFalls", 3.9083E-3, -5.775E-7, 4.183E-9, -200, 100, false},
                    TCvdCase{"ColdEndAboveTheTurn", 3.9083E-3, -5.775E-7, 4.183E-9, -40, 100, true},
                    TCvdCase{"Falling", -3.9083E-3, 0, 0, 0, 100, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CallendarVanDusen, CalibratedCoefficientsConvertBothWays)
{
    const TRtdCurve curve
        = TRtdCurve::CallendarVanDusen(3.9092E-3L, -5.791E-7L, -4.23E-12L, 99.98L);
    // 99.98·(1 + 0.39092 - 0.005791)
    EXPECT_NEAR(curve.Resistance(100), 138.48519742, 1e-8);
    EXPECT_NEAR(curve.Temperature(curve.Resistance(-150.5)), -150.5, 1e-9);
}

struct TThermistorCase
{
    const char *name;
    TThermistor thermistor;
    double t;
    double r;
    double tolerance;
};

class Thermistors : public testing::TestWithParam<TThermistorCase>
{
};

TEST_P(Thermistors, ConvertBothWaysAtTheDigitsGiven)
{
    const TThermistorCase &c = GetParam();
    EXPECT_NEAR(c.thermistor.Resistance(c.t), c.r, c.tolerance);
    EXPECT_NEAR(c.thermistor.Temperature(c.thermistor.Resistance(c.t)), c.t, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Models, Thermistors,
    testing::Values(
        TThermistorCase{"BetaAt25IsR25", TThermistor::Beta(4700, 3977), 25, 4700, 1e-9},
        // 2252·exp(3891·(1/273.15 - 1/298.15))
        TThermistorCase{"BetaAt0", TThermistor::Beta(2252, 3891), 0, 7435.4651, 5e-4},
        // the window's NTC2252 coefficients
        TThermistorCase{"SteinhartHart", TThermistor::SteinhartHart(1.468E-3, 2.383E-4, 1.007E-7),
                        25, 2253.03, 5e-3},
        TThermistorCase{"SteinhartHartWithoutCubic", TThermistor::SteinhartHart(1.2E-3, 2.6E-4, 0),
                        80, 531.4491, 5e-4},
        // c < 0 and b > 0: rising between ln R = ±sqrt(-b/3c) = ±25.8
        TThermistorCase{"NegativeCubic", TThermistor::SteinhartHart(1.1E-3, 2.4E-4, -1.2E-7), 25,
                        19397.7700, 5e-4}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Thermistors, RefuseOutsideTheRangeAndWhereTheCurveTurnsBack)
{
    const TThermistor beta = TThermistor::Beta(10000, 3435);
    EXPECT_THROW(beta.Resistance(-80.5), ECannotCalculate);
    EXPECT_THROW(beta.Resistance(150.5), ECannotCalculate);
    EXPECT_THROW(beta.Temperature(1e12), ECannotCalculate);
    EXPECT_THROW(beta.Temperature(0), arith::EZeroDivide);
    EXPECT_THROW(beta.Temperature(-5), arith::EInvalidOp);
    // the fit's own range, not the general -80 to 150 °C
    EXPECT_THROW(NamedThermistor("semitec-103at").Resistance(115), ECannotCalculate);

    const TThermistor falling = TThermistor::Beta(10000, -3435);
    EXPECT_FALSE(falling.MonotonicOver(0, 100));
    EXPECT_THROW(falling.Resistance(25), ECannotCalculate);
    EXPECT_FALSE(TThermistor::SteinhartHart(1.1E-3, -2.4E-4, 1E-7).MonotonicOver(0, 100));
    // with c < 0, 1/T rises only up to a + b·lm + c·lm³: -82.0 °C here ...
    const TThermistor negative = TThermistor::SteinhartHart(1.1E-3, 2.4E-4, -1.2E-7);
    EXPECT_TRUE(negative.MonotonicOver(-80, 150));
    // ... and 19.5 °C here, so that colder temperatures have no resistance
    const TThermistor turning = TThermistor::SteinhartHart(2.2E-3, 1E-4, -1E-7);
    EXPECT_TRUE(turning.MonotonicOver(20, 150));
    EXPECT_FALSE(turning.MonotonicOver(19, 150));
    EXPECT_NO_THROW(turning.Resistance(20));
    EXPECT_THROW(turning.Resistance(19), ECannotCalculate);
}

} // namespace
