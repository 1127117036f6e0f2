// SPDX-License-Identifier: MIT
#include "calibration/Calibration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace calibration;

namespace {

// Numbers as a user types them; the decimals come from the text.
TGiven G(const char *text)
{
    TGiven given;
    EXPECT_EQ(ReadGiven(text, given), decimal::TReadStatus::Ok) << text;
    return given;
}

std::vector<TGiven> Gs(std::initializer_list<const char *> texts)
{
    std::vector<TGiven> given;
    for (const char *text : texts)
        given.push_back(G(text));
    return given;
}

constexpr double Near = 1e-12;

template<typename F>
std::string Refusal(F call)
{
    try {
        call();
    } catch (const ECalibrationInput &e) {
        return e.what();
    }
    return "accepted";
}

// The worked example, by hand: Pt100 transmitter ranged 0 to 150 °C, 4-20 mA, five points up and
// down. 25 % of span is 37.5 °C and 4 + 0.25 * 16 = 8 mA. ±0.25 % of span is ±0.04 mA
// (0.0025 * 16) and ±0.375 °C (0.0025 * 150). An error of e mA is e / 16 * 100 = 6.25 e % of span
// and e * 150 / 16 = 9.375 e °C.
TPlan Pt100Plan()
{
    return MakePlan({G("0"), G("150")}, TOutput::Current4To20, PointsFromCount(5), true);
}

const TTolerance QuarterPercent{G("0.25"), TToleranceUnit::PercentOfSpan};

TEST(CalibrationPlan, FivePointsUpAndDownVisitTheTopOnce)
{
    const TPlan plan = Pt100Plan();
    const double inputs[] = {0, 37.5, 75, 112.5, 150, 112.5, 75, 37.5, 0};
    const double outputs[] = {4, 8, 12, 16, 20, 16, 12, 8, 4};
    ASSERT_EQ(plan.points.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        const TTestPoint &p = plan.points[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<double>(p.input), inputs[i]);
        EXPECT_EQ(static_cast<double>(p.output), outputs[i]);
        EXPECT_EQ(p.leg, i < 5 ? TLeg::Up : TLeg::Down);
        EXPECT_EQ(p.partner, i == 4 ? std::nullopt : std::optional<std::size_t>(8 - i));
    }
}

// By hand: input = lrv + percent / 100 * (urv - lrv), output = lo + percent / 100 * (hi - lo).
TEST(CalibrationPlan, IdealOutputFollowsTheRangeAndTheSignal)
{
    struct
    {
        const char *lrv, *urv;
        TOutput signal;
        const char *percent;
        double input, output;
    } const cases[] = {
        {"150", "0", TOutput::Current4To20, "25", 112.5, 8}, // reverse acting
        {"0", "10", TOutput::Current0To20, "25", 2.5, 5},
        {"-1", "4", TOutput::Voltage0To10, "30", 0.5, 3},
        {"0", "6", TOutput::Voltage1To5, "50", 3, 3},
        {"0", "150", TOutput::Current4To20, "125", 187.5, 24}, // 4 + 1.25 * 16 mA
    };
    for (const auto &c : cases) {
        const TPlan plan = MakePlan({G(c.lrv), G(c.urv)}, c.signal, Gs({"0", c.percent}), false);
        SCOPED_TRACE(OutputSignal(c.signal).name);
        EXPECT_NEAR(static_cast<double>(plan.points[1].input), c.input, Near);
        EXPECT_NEAR(static_cast<double>(plan.points[1].output), c.output, Near);
    }
}

TEST(CalibrationPlan, CountsThatLeaveAThirdAreInexact)
{
    const std::vector<TGiven> points = PointsFromCount(4);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_NEAR(static_cast<double>(points[1].value), 100.0 / 3, Near);
    EXPECT_EQ(points[1].decimals, InexactDecimals);
    EXPECT_EQ(points[3].decimals, 0);
    EXPECT_EQ(PointsFromCount(9)[1].decimals, 1); // 12.5
    EXPECT_THROW(PointsFromCount(1), ECalibrationInput);
    EXPECT_THROW(PointsFromCount(MaxPointCount + 1), ECalibrationInput);
}

TEST(CalibrationPlan, StimulusIsTakenAtTheInputAndNamedWhenRefused)
{
    // A linear stand-in for a sensor: 100 + 0.385 * 37.5 = 114.4375 ohms.
    const auto ohms = [](Extended t) {
        return 100 + 0.385L * t;
    };
    const TPlan plan
        = MakePlan({G("0"), G("150")}, TOutput::Current4To20, PointsFromCount(5), true, ohms);
    EXPECT_NEAR(static_cast<double>(*plan.points[1].stimulus), 114.4375, Near);
    EXPECT_NEAR(static_cast<double>(*plan.points[7].stimulus), 114.4375, Near);

    const auto refusing = [](Extended t) -> Extended {
        if (t > 100)
            throw std::out_of_range("above the sensor's range");
        return t;
    };
    EXPECT_EQ(Refusal([&] {
                  MakePlan({G("0"), G("150")}, TOutput::Current4To20, PointsFromCount(5), false,
                           refusing);
              }),
              "the test point 75 % (input 112.5): above the sensor's range");
}

TEST(CalibrationPlan, RefusalNamesTheValueAndTheRule)
{
    struct
    {
        const char *lrv, *urv;
        std::vector<TGiven> percents;
        bool returnLeg;
        const char *message;
    } const cases[] = {
        {"50", "50.0", Gs({"0", "100"}), false, "the range 50 to 50 has equal ends"},
        {"0", "1e16", Gs({"0", "100"}), false, "the range end 1e+16 lies outside ±1e+15"},
        {"0", "1", Gs({"50"}), false, "1 test point given: 2 to 10001 are needed"},
        {"0", "1", Gs({"0", "130"}), false,
         "the test point 130 % of span lies outside -25 to 125 %"},
        {"0", "1", Gs({"50", "0", "50.0"}), false, "the test point 50 % is given twice"},
        {"0", "1", Gs({"0", "75", "50"}), true,
         "with the return leg the test points must rise: 50 % follows 75 %"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(
            Refusal([&] {
                MakePlan({G(c.lrv), G(c.urv)}, TOutput::Current4To20, c.percents, c.returnLeg);
            }),
            c.message);
    }
}

TEST(CalibrationTolerance, ConvertsBetweenUnits)
{
    const TPlan plan = Pt100Plan();
    const auto in = [&](const TTolerance &t, TToleranceUnit unit) {
        return static_cast<double>(ToleranceIn(plan, t, unit));
    };
    EXPECT_NEAR(in(QuarterPercent, TToleranceUnit::Output), 0.04, Near);
    EXPECT_NEAR(in(QuarterPercent, TToleranceUnit::Input), 0.375, Near);
    // 0.3 / 150 = 0.2 % of span = 0.032 mA
    const TTolerance degrees{G("0.3"), TToleranceUnit::Input};
    EXPECT_NEAR(in(degrees, TToleranceUnit::PercentOfSpan), 0.2, Near);
    EXPECT_NEAR(in(degrees, TToleranceUnit::Output), 0.032, Near);

    EXPECT_THROW(CheckTolerance(plan, {G("0"), TToleranceUnit::Output}), ECalibrationInput);
    // 17 mA is 106.25 % of a 16 mA span.
    EXPECT_THROW(CheckTolerance(plan, {G("17"), TToleranceUnit::Output}), ECalibrationInput);
}

// --- Judging readings ------------------------------------------------------------------------

const TRange Pt100Range{G("0"), G("150")};

TEST(CalibrationJudgement, TiesPassAndAnythingBeyondFails)
{
    using enum TToleranceUnit;
    struct
    {
        TOutput signal;
        const char *lrv, *urv;
        const char *tolerance;
        TToleranceUnit unit;
        const char *percent, *reading;
        bool pass;
    } const cases[] = {
        // 8.04 - 8 = 0.04 mA = 0.25 % of span = 0.375 °C: equal to each tolerance.
        {TOutput::Current4To20, "0", "150", "0.25", PercentOfSpan, "25", "8.04", true},
        {TOutput::Current4To20, "0", "150", "0.25", PercentOfSpan, "25", "7.96", true},
        {TOutput::Current4To20, "0", "150", "0.25", PercentOfSpan, "25", "8.0401", false},
        {TOutput::Current4To20, "0", "150", "0.04", Output, "75", "16.04", true},
        {TOutput::Current4To20, "0", "150", "0.375", Input, "25", "8.04", true},
        // Reverse acting, 150 to 0 °C: 8.04 mA indicates 112.125 °C at 112.5 °C.
        {TOutput::Current4To20, "150", "0", "0.375", Input, "25", "8.04", true},
        // 0.032 mA * 9.375 = 0.3 °C; 0.033 mA * 9.375 = 0.309375 °C.
        {TOutput::Current4To20, "0", "150", "0.3", Input, "50", "12.032", true},
        {TOutput::Current4To20, "0", "150", "0.3", Input, "50", "12.033", false},
        // 0.01 mA is 0.0625 % of span: more than 0.06 %, though it rounds to 0.06 at the digits
        // of the reading and the tolerance.
        {TOutput::Current4To20, "0", "150", "0.06", PercentOfSpan, "25", "8.01", false},
        // 0.5 % of 10 V = 0.05 V, at 30 % = 3 V.
        {TOutput::Voltage0To10, "0", "16", "0.5", PercentOfSpan, "30", "3.05", true},
        // 4 + 0.16 * 33.3333333333 = 9.333333333328 mA: 9.37333333332 mA is 0.039999999992 mA
        // off, 9.37333333334 mA 0.040000000012 mA.
        {TOutput::Current4To20, "0", "150", "0.04", Output, "33.3333333333", "9.37333333332", true},
        {TOutput::Current4To20, "0", "150", "0.04", Output, "33.3333333333", "9.37333333334",
         false},
    };
    for (const auto &c : cases) {
        const TPlan plan = MakePlan({G(c.lrv), G(c.urv)}, c.signal, Gs({"0", c.percent}), false);
        const TSetCheck set
            = CheckSet(plan, {G(c.tolerance), c.unit}, Gs({"4", c.reading}), "as-found");
        EXPECT_EQ(set.readings[1].pass, c.pass) << c.reading << " against ±" << c.tolerance;
    }
}

// The worked example's as-found set. By hand, the errors in mA are the readings minus 4, 8, 12,
// 16, 20, 16, 12, 8, 4; in % of span 6.25 times that, in °C 9.375 times.
TEST(CalibrationSet, WorkedExampleAsFound)
{
    const TPlan plan = Pt100Plan();
    const TSetCheck set = CheckSet(
        plan, QuarterPercent,
        Gs({"4.02", "8.04", "12.05", "16.03", "19.98", "16.06", "12.07", "8.05", "4.03"}),
        "as-found");
    const double percent[] = {0.125, 0.25, 0.3125, 0.1875, -0.125, 0.375, 0.4375, 0.3125, 0.1875};
    const double degrees[]
        = {0.1875, 0.375, 0.46875, 0.28125, -0.1875, 0.5625, 0.65625, 0.46875, 0.28125};
    const bool pass[] = {true, true, false, true, true, false, false, false, true};
    ASSERT_EQ(set.readings.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        const TReadingCheck &r = set.readings[i];
        EXPECT_NEAR(static_cast<double>(r.errorPercent), percent[i], Near);
        EXPECT_NEAR(static_cast<double>(r.errorInput), degrees[i], Near);
        EXPECT_EQ(r.pass, pass[i]);
        EXPECT_EQ(r.zone, scaling::nzMeasuring);
    }
    EXPECT_FALSE(set.pass);
    EXPECT_EQ(set.largest, 6u); // 12.07 mA at 50 % on the way down: 0.4375 %

    // Down minus up: 0.01, 0.01, 0.02 and 0.03 mA at 0, 25, 50 and 75 %.
    const double hysteresis[] = {0.01, 0.01, 0.02, 0.03};
    ASSERT_EQ(set.hysteresis.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(set.hysteresis[i].up, i);
        EXPECT_EQ(set.hysteresis[i].down, 8 - i);
        EXPECT_NEAR(static_cast<double>(set.hysteresis[i].output), hysteresis[i], Near);
        EXPECT_NEAR(static_cast<double>(set.hysteresis[i].input), hysteresis[i] * 9.375, Near);
    }
    EXPECT_EQ(set.largestHysteresis, 3u);
}

TEST(CalibrationSet, WorkedExampleAsLeftPassesAndEqualErrorsNameTheFirst)
{
    // 0.01 mA off at 0 %, 25 % and 75 % up and 50 % down: equal at the readings' digits, though
    // in binary 3.99 - 4 lies a little closer to 0 than 8.01 - 8.
    const TSetCheck set = CheckSet(
        Pt100Plan(), QuarterPercent,
        Gs({"3.99", "8.01", "12.00", "15.99", "20.00", "16.00", "12.01", "8.00", "4.00"}),
        "as-left");
    EXPECT_TRUE(set.pass);
    EXPECT_EQ(set.largest, 0u);
    // Down minus up: +0.01, -0.01, +0.01 and +0.01 mA.
    EXPECT_EQ(set.largestHysteresis, 0u);
}

TEST(CalibrationSet, ZonesFollowNamurForFourToTwentyOnly)
{
    const TPlan plan = MakePlan(Pt100Range, TOutput::Current4To20, Gs({"0", "100"}), false);
    const TTolerance wide{G("100"), TToleranceUnit::PercentOfSpan};
    EXPECT_EQ(CheckSet(plan, wide, Gs({"3.7", "20.5"}), "x").readings[0].zone,
              scaling::nzOutOfRange);
    EXPECT_EQ(CheckSet(plan, wide, Gs({"3.6", "21"}), "x").readings[1].zone, scaling::nzFailure);
    const TPlan zeroBased = MakePlan(Pt100Range, TOutput::Current0To20, Gs({"0", "100"}), false);
    EXPECT_FALSE(CheckSet(zeroBased, wide, Gs({"0", "20"}), "x").readings[0].zone);
}

TEST(CalibrationSet, RefusesReadingsThatCannotBeJudged)
{
    const TPlan plan = MakePlan(Pt100Range, TOutput::Current4To20, Gs({"0", "100"}), false);
    const auto message = [&](std::vector<TGiven> readings) {
        return Refusal([&] { CheckSet(plan, QuarterPercent, readings, "as-found"); });
    };
    EXPECT_EQ(message(Gs({"4"})), "as-found has 1 reading for 2 test points");
    EXPECT_EQ(message(Gs({"4", "36.01"})),
              "as-found reading 2 of 2, 36.01 mA, lies outside -12 to 36 mA");
    EXPECT_EQ(message(Gs({"-12", "36"})), "accepted");
}

TEST(CalibrationText, CountsTheDecimalsAsGiven)
{
    const std::pair<const char *, int> cases[]
        = {{"8.040", 3}, {"1.5e-3", 4}, {"150", 0}, {"1.5e2", 0}, {"-0.25", 2}, {"150e-2", 2}};
    for (const auto &[text, decimals] : cases)
        EXPECT_EQ(G(text).decimals, decimals) << text;
    TGiven untouched{7, 1};
    EXPECT_EQ(ReadGiven("8,04", untouched), decimal::TReadStatus::NotANumber);
    EXPECT_EQ(untouched.decimals, 1);
}

} // namespace
