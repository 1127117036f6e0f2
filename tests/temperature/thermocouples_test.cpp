// SPDX-License-Identifier: MIT
#include "Its90Reference.h"
#include "arith.h"
#include "temperature/Thermocouples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

using namespace temperature;

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

float Ulp(float x)
{
    return std::nextafter(std::fabs(x), std::numeric_limits<float>::infinity()) - std::fabs(x);
}

struct TTcPoint
{
    const char *name;
    TThermocoupleType type;
    bool toVoltage;
    float argument;
    double expected;
    double tolerance;
};

float Apply(const TTcPoint &p)
{
    return p.toVoltage ? TcTempToVolt(p.type, p.argument) : TcVoltToTemp(p.type, p.argument);
}

class ThermocouplePoints : public testing::TestWithParam<TTcPoint>
{
};

TEST_P(ThermocouplePoints, MatchTheDigitsGiven)
{
    EXPECT_NEAR(Apply(GetParam()), GetParam().expected, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ThermocouplePoints,
    testing::Values(TTcPoint{"KAt100", tcK, true, 100, 4096.23, 0.005},
                    TTcPoint{"KAt1000", tcK, true, 1000, 41275.61, 0.005},
                    TTcPoint{"JAt100", tcJ, true, 100, 5268.92, 0.005},
                    TTcPoint{"JAt760UpperFunction", tcJ, true, 760, 42918.64, 0.005},
                    TTcPoint{"SAt1000", tcS, true, 1000, 9587.10, 0.005},
                    TTcPoint{"BAt1000", tcB, true, 1000, 4834.34, 0.005},
                    TTcPoint{"TAt100", tcT, true, 100, 4278.52, 0.005},
                    TTcPoint{"NAt1000", tcN, true, 1000, 36255.54, 0.005},
                    TTcPoint{"EAt1000", tcE, true, 1000, 76372.83, 0.005},
                    TTcPoint{"RAt1768_1", tcR, true, 1768.1f, 21102.70, 0.005},
                    TTcPoint{"RAtMinus50", tcR, true, -50, -226.47, 0.005},
                    TTcPoint{"KAt0ExponentialCancels", tcK, true, 0, 0, 1e-5},
                    TTcPoint{"TAt401Extrapolated", tcT, true, 401, 20933.78, 0.005},
                    TTcPoint{"NAt2000Extrapolated", tcN, true, 2000, -209308, 0.5},
                    TTcPoint{"KInverse", tcK, false, 4096.23f, 99.969, 0.0005},
                    TTcPoint{"NInverse", tcN, false, 36255.54f, 1000.007, 0.0005},
                    TTcPoint{"TInverseExtrapolated", tcT, false, -6257.5f, -249.45, 0.005}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    OutsideTheAcceptedRangeGiveZero, ThermocouplePoints,
    testing::Values(
        TTcPoint{"KAt1373", tcK, true, 1373, 0, 0}, TTcPoint{"JAt1201", tcJ, true, 1201, 0, 0},
        TTcPoint{"JAt1200_05", tcJ, true, 1200.05f, 0, 0},
        TTcPoint{"SAt1769", tcS, true, 1769, 0, 0}, TTcPoint{"BBelowZero", tcB, true, -0.5f, 0, 0},
        TTcPoint{"TAt402", tcT, true, 402, 0, 0}, TTcPoint{"BAt290uV", tcB, false, 290, 0, 0},
        TTcPoint{"KAtMinus200Voltage", tcK, false, -5891.4f, 0, 0},
        TTcPoint{"BAt1820Voltage", tcB, false, 13820.28f, 0, 0},
        TTcPoint{"JNotANumber", tcJ, true, NaN, 0, 0},
        TTcPoint{"TNotANumberVoltage", tcT, false, NaN, 0, 0},
        TTcPoint{"EAt1000_1", tcE, true, 1000.1f, 0, 0},
        TTcPoint{"EBelowMinus200Voltage", tcE, false, -8825.1f, 0, 0},
        TTcPoint{"RAt1768_2", tcR, true, 1768.2f, 0, 0},
        TTcPoint{"Code8", static_cast<TThermocoupleType>(8), true, 100, 0, 0},
        TTcPoint{"Code8Voltage", static_cast<TThermocoupleType>(8), false, 100, 0, 0},
        TTcPoint{"Code255", static_cast<TThermocoupleType>(255), true, 0, 0, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// The accepted ranges, limits inclusive, and the query that callers use to tell an out-of-range
// 0 from a genuine one.
struct TRangeCase
{
    TThermocoupleType type;
    float tempLow, tempHigh, voltLow, voltHigh;
};

class AcceptedRanges : public testing::TestWithParam<TRangeCase>
{
};

TEST_P(AcceptedRanges, AreInclusiveAndAgreeWithTheFunctions)
{
    const TRangeCase &c = GetParam();
    const float inf = std::numeric_limits<float>::infinity();
    for (const float t : {c.tempLow, c.tempHigh}) {
        EXPECT_TRUE(TcTempInRange(c.type, t)) << t;
        if (t != 0) { // type B's emf at 0 °C is a genuine 0
            EXPECT_NE(TcTempToVolt(c.type, t), 0) << t;
        }
    }
    for (const float e : {c.voltLow, c.voltHigh}) {
        EXPECT_TRUE(TcVoltInRange(c.type, e)) << e;
        EXPECT_NE(TcVoltToTemp(c.type, e), 0) << e;
    }
    for (const float t : {std::nextafter(c.tempLow, -inf), std::nextafter(c.tempHigh, inf)}) {
        EXPECT_FALSE(TcTempInRange(c.type, t)) << t;
        EXPECT_EQ(TcTempToVolt(c.type, t), 0) << t;
    }
    for (const float e : {std::nextafter(c.voltLow, -inf), std::nextafter(c.voltHigh, inf)}) {
        EXPECT_FALSE(TcVoltInRange(c.type, e)) << e;
        EXPECT_EQ(TcVoltToTemp(c.type, e), 0) << e;
    }
    EXPECT_FALSE(TcTempInRange(c.type, NaN));
    EXPECT_FALSE(TcVoltInRange(c.type, NaN));
}

INSTANTIATE_TEST_SUITE_P(Types, AcceptedRanges,
                         testing::Values(TRangeCase{tcJ, -210, 1200, -8095, 69553},
                                         TRangeCase{tcK, -270, 1372, -5891, 54886},
                                         TRangeCase{tcS, -50, 1768, -235, 18694},
                                         TRangeCase{tcB, 0, 1820, 291, 13820},
                                         TRangeCase{tcT, -270, 401, -6300, 21000},
                                         TRangeCase{tcE, -270, 1000, -8825, 76373},
                                         TRangeCase{tcR, -50, 1768.1f, -226.5f, 21103}));

struct TImageCase
{
    TThermocoupleType type;
    float tempLow;
    float tempHigh;
    // whether an end passes the inverse function's published range by more than half a
    // microvolt, so that the reference function is solved there
    bool solvedLow;
    bool solvedHigh;
};

class TakenBack : public testing::TestWithParam<TImageCase>
{
};

// The image's ends convert back to their temperatures: where the inverse function serves, within
// its fit (NIST: 0.06 °C at most); where the reference function is solved, to the single's
// resolution. An emf two steps beyond an end counts as the end, one further does not.
TEST_P(TakenBack, EndsOfTheImageGiveTheirTemperatures)
{
    const TImageCase &c = GetParam();
    const TTcImage image = TcImageUpTo(c.type, c.tempHigh);
    EXPECT_EQ(image.Temp.Low, c.tempLow);
    EXPECT_EQ(image.Volt.Low, TcTempToVolt(c.type, c.tempLow));
    EXPECT_EQ(image.Volt.High, TcTempToVolt(c.type, c.tempHigh));
    const float tolerance[2]
        = {c.solvedLow ? 2 * Ulp(c.tempLow) : 0.06f, c.solvedHigh ? 2 * Ulp(c.tempHigh) : 0.06f};
    EXPECT_NEAR(TcImageVoltToTemp(c.type, image, image.Volt.Low), c.tempLow, tolerance[0]);
    EXPECT_NEAR(TcImageVoltToTemp(c.type, image, image.Volt.High), c.tempHigh, tolerance[1]);
    const float inf = std::numeric_limits<float>::infinity();
    float beyond = image.Volt.High;
    for (int i = 0; i < 2; ++i)
        beyond = std::nextafter(beyond, inf);
    EXPECT_EQ(TcOntoImage(image, beyond), image.Volt.High);
    EXPECT_FALSE(TcOntoImage(image, std::nextafter(beyond, inf)));
    EXPECT_FALSE(TcOntoImage(image, NaN));
}

INSTANTIATE_TEST_SUITE_P(Types, TakenBack,
                         testing::Values(TImageCase{tcJ, -210, 1200, false, false},
                                         TImageCase{tcK, -200, 1370, false, false},
                                         TImageCase{tcS, -50, 1760, true, false},
                                         TImageCase{tcB, 250, 1820, false, false},
                                         TImageCase{tcT, -200, 401, false, true},
                                         TImageCase{tcN, -200, 1310, false, true},
                                         TImageCase{tcE, -200, 1000, false, false},
                                         TImageCase{tcR, -50, 1768.1f, false, false}));

TEST(AcceptedRanges, TypeNAcceptsEveryValueAndNoOtherCodeAny)
{
    for (const float x : {-1e6f, -270.5f, 0.0f, 1300.5f, 1e6f}) {
        EXPECT_TRUE(TcTempInRange(tcN, x));
        EXPECT_TRUE(TcVoltInRange(tcN, x));
        EXPECT_FALSE(TcTempInRange(static_cast<TThermocoupleType>(8), x));
        EXPECT_FALSE(TcVoltInRange(static_cast<TThermocoupleType>(8), x));
    }
    EXPECT_NE(TcTempToVolt(tcN, -300), 0);
    EXPECT_NE(TcVoltToTemp(tcN, 60000), 0);
}

TEST(AcceptedRanges, TypeNOverflowingTheSingleResultFaults)
{
    EXPECT_THROW(TcTempToVolt(tcN, 1e30f), arith::EOverflow);
    EXPECT_THROW(TcVoltToTemp(tcN, 1e30f), arith::EOverflow);
}

TEST(Thermocouples, SensorsMapOntoTypeCodes)
{
    EXPECT_EQ(ThermocoupleTypeOf(stTcK), tcK);
    EXPECT_EQ(ThermocoupleTypeOf(stTcJ), tcJ);
    EXPECT_EQ(ThermocoupleTypeOf(stTcS), tcS);
    EXPECT_EQ(ThermocoupleTypeOf(stTcB), tcB);
    EXPECT_EQ(ThermocoupleTypeOf(stTcT), tcT);
    EXPECT_EQ(ThermocoupleTypeOf(stTcN), tcN);
    EXPECT_EQ(TcTempToVolt(ThermocoupleTypeOf(stPt1000), 100), 0);
    const std::string letters{ThermocoupleLetter(tcJ), ThermocoupleLetter(tcN),
                              ThermocoupleLetter(tcE), ThermocoupleLetter(tcR)};
    EXPECT_EQ(letters, "JNER");
    EXPECT_EQ(ThermocoupleLetter(NotAThermocouple), 0);
}

// Both sides of every breakpoint: the engine's value equals the published function of that side,
// evaluated independently (Horner's scheme on the CSV coefficients) at the single argument.
struct TBranchCase
{
    const char *name;
    char type;
    bool reference; // temperature to voltage
    float breakpoint;
    int below; // number of the function used below the breakpoint
    int from;  // ... and from it
};

class Breakpoints : public testing::TestWithParam<TBranchCase>
{
};

TThermocoupleType TypeCode(char type)
{
    switch (type) {
    case 'J':
        return tcJ;
    case 'K':
        return tcK;
    case 'S':
        return tcS;
    case 'B':
        return tcB;
    case 'T':
        return tcT;
    case 'E':
        return tcE;
    case 'R':
        return tcR;
    default:
        return tcN;
    }
}

TEST_P(Breakpoints, SelectThePublishedFunctionOfEachSide)
{
    const TBranchCase &c = GetParam();
    const std::string kind = c.reference ? "reference" : "inverse";
    const float below = std::nextafter(c.breakpoint, -std::numeric_limits<float>::infinity());
    const auto engine = [&](float x) {
        return c.reference ? TcTempToVolt(TypeCode(c.type), x) : TcVoltToTemp(TypeCode(c.type), x);
    };
    for (const auto &[x, number] : {std::pair{below, c.below}, std::pair{c.breakpoint, c.from}}) {
        const Extended expected = testdata::Evaluate(c.type, kind, number, x);
        const float result = engine(x);
        EXPECT_NEAR(result, expected, Ulp(result)) << x << " function " << number;
        // the other side's function is clearly off where the published functions do not join
        const int other = number == c.below ? c.from : c.below;
        const Extended otherValue = testdata::Evaluate(c.type, kind, other, x);
        if (std::fabs(otherValue - expected) > 4 * Ulp(result)) {
            EXPECT_GT(std::fabs(result - otherValue), 2 * Ulp(result)) << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Functions, Breakpoints,
    testing::Values(TBranchCase{"JReference760", 'J', true, 760, 1, 2},
                    TBranchCase{"KReference0", 'K', true, 0, 1, 2},
                    TBranchCase{"SReference1064_18", 'S', true, 1064.18f, 1, 2},
                    TBranchCase{"SReference1664_5", 'S', true, 1664.5f, 2, 3},
                    TBranchCase{"BReference630_615", 'B', true, 630.615f, 1, 2},
                    TBranchCase{"TReference0", 'T', true, 0, 1, 2},
                    TBranchCase{"NReference0", 'N', true, 0, 1, 2},
                    TBranchCase{"JInverse0", 'J', false, 0, 1, 2},
                    TBranchCase{"JInverse42919", 'J', false, 42919, 2, 3},
                    TBranchCase{"KInverse0", 'K', false, 0, 1, 2},
                    TBranchCase{"KInverse20644", 'K', false, 20644, 2, 3},
                    TBranchCase{"SInverse1874", 'S', false, 1874, 1, 2},
                    TBranchCase{"SInverse10332", 'S', false, 10332, 2, 3},
                    TBranchCase{"SInverse17536", 'S', false, 17536, 3, 4},
                    TBranchCase{"BInverse2431", 'B', false, 2431, 1, 2},
                    TBranchCase{"TInverse0", 'T', false, 0, 1, 2},
                    TBranchCase{"NInverse0", 'N', false, 0, 1, 2},
                    TBranchCase{"NInverse20613", 'N', false, 20613, 2, 3},
                    TBranchCase{"EReference0", 'E', true, 0, 1, 2},
                    TBranchCase{"RReference1064_18", 'R', true, 1064.18f, 1, 2},
                    TBranchCase{"RReference1664_5", 'R', true, 1664.5f, 2, 3},
                    TBranchCase{"EInverse0", 'E', false, 0, 1, 2},
                    TBranchCase{"RInverse1923", 'R', false, 1923, 1, 2},
                    TBranchCase{"RInverse11361", 'R', false, 11361, 2, 3},
                    TBranchCase{"RInverse19739", 'R', false, 19739, 3, 4}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Breakpoints, ExtendedComparisonOfTheDecimalBreakpoints)
{
    // 1064.18 and 630.615 are not single values: the nearest single lies above 1064.18 and
    // takes the upper function, the nearest single to 630.615 lies below it and takes the lower.
    ASSERT_GT(static_cast<Extended>(1064.18f), Extended(1064.18L));
    ASSERT_LT(static_cast<Extended>(630.615f), Extended(630.615L));
    const Extended sUpper = testdata::Evaluate('S', "reference", 2, 1064.18f);
    EXPECT_NEAR(TcTempToVolt(tcS, 1064.18f), sUpper, Ulp(static_cast<float>(sUpper)));
    const Extended bLower = testdata::Evaluate('B', "reference", 1, 630.615f);
    EXPECT_NEAR(TcTempToVolt(tcB, 630.615f), bLower, Ulp(static_cast<float>(bLower)));
}

TEST(SinglePrecision, ArgumentsAndResultsAreSingle)
{
    static_assert(std::is_same_v<decltype(&TcTempToVolt), float (*)(TThermocoupleType, float)>);
    static_assert(std::is_same_v<decltype(&TcVoltToTemp), float (*)(TThermocoupleType, float)>);
    // the argument as a caller passes it: 1234.56789 becomes 1234.56787109375
    const double typed = 1234.56789;
    const float argument = static_cast<float>(typed);
    EXPECT_EQ(static_cast<double>(argument), 1234.56787109375);
    const Extended atSingle = testdata::Evaluate('K', "reference", 2, 1234.56787109375L);
    const float result = TcTempToVolt(tcK, argument);
    EXPECT_NEAR(result, atSingle, Ulp(result) / 2 + 1e-9);
    EXPECT_EQ(TcVoltToTemp(tcS, static_cast<float>(12345.6789)),
              TcVoltToTemp(tcS, 12345.6787109375f));
}

TEST(SinglePrecision, SumRoundsOnceToSingle)
{
    // Across the accepted ranges the result is the published function at the single argument
    // rounded to single, within the last place (term-wise sum against Horner's scheme).
    struct TSpan
    {
        char type;
        float from, to;
    };
    for (const TSpan &s : {TSpan{'J', -210, 1200}, TSpan{'K', -270, 1372}, TSpan{'S', -50, 1768},
                           TSpan{'B', 0, 1820}, TSpan{'T', -270, 401}, TSpan{'N', -270, 1300},
                           TSpan{'E', -270, 1000}, TSpan{'R', -50, 1768}}) {
        for (float t = s.from; t <= s.to; t += 7.3f) {
            const float result = TcTempToVolt(TypeCode(s.type), t);
            int number = 1;
            const auto &segments = testdata::ItsSegments();
            int n = 0;
            for (const auto &segment : segments) {
                if (segment.Type != s.type || segment.Kind != "reference")
                    continue;
                ++n;
                if (static_cast<Extended>(t) >= std::stold(segment.RangeLowText))
                    number = n;
            }
            const Extended expected = testdata::Evaluate(s.type, "reference", number, t);
            EXPECT_LE(std::fabs(result - expected), Ulp(result)) << s.type << " " << t;
        }
    }
}

} // namespace
