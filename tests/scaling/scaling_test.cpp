// SPDX-License-Identifier: MIT
#include "arith.h"
#include "scaling/scaling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using scaling::TLine;
using scaling::TLoopPreset;
using scaling::TLoopRange;

namespace {

constexpr Extended Tolerance = 1e-12L;

struct TLoopCase
{
    const char *name;
    TLoopRange range;
    Extended input;
    Extended expected;
};

std::string CaseName(const testing::TestParamInfo<TLoopCase> &info)
{
    return info.param.name;
}

class LoopCurrentToValue : public testing::TestWithParam<TLoopCase>
{
};

TEST_P(LoopCurrentToValue, FollowsTheLineThrough4And20mA)
{
    const TLoopCase &c = GetParam();
    EXPECT_NEAR(static_cast<double>(scaling::LoopValue(c.range, c.input)),
                static_cast<double>(c.expected), static_cast<double>(Tolerance));
}

INSTANTIATE_TEST_SUITE_P(Ranges, LoopCurrentToValue,
                         testing::Values(TLoopCase{"StartUpPresetAt4mA", {-100, 200}, 4, -100},
                                         TLoopCase{"MidScale", {0, 100}, 12, 50},
                                         TLoopCase{"NoCurrentExtrapolates", {0, 100}, 0, -25},
                                         TLoopCase{"OverrangeExtrapolates", {0, 100}, 24, 125},
                                         TLoopCase{"At20mA", {-30, 80}, 20, 80},
                                         TLoopCase{
                                             "NegativeCurrentOnOffsetRange", {-30, 80}, -12, -140},
                                         TLoopCase{"EqualEndsGiveThatValue", {5, 5}, 17.3L, 5},
                                         TLoopCase{"FallingCharacteristic", {100, 0}, 8, 75}),
                         CaseName);

class LoopValueToCurrent : public testing::TestWithParam<TLoopCase>
{
};

TEST_P(LoopValueToCurrent, FollowsTheLineThrough4And20mA)
{
    const TLoopCase &c = GetParam();
    EXPECT_NEAR(static_cast<double>(scaling::LoopCurrent(c.range, c.input)),
                static_cast<double>(c.expected), static_cast<double>(Tolerance));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, LoopValueToCurrent,
    testing::Values(TLoopCase{"OffsetRange", {-30, 80}, 25, 12},
                    // 18 of 110 units above the low end: 4 + 18 * 16 / 110 mA
                    TLoopCase{"NegativeValueOnOffsetRange", {-30, 80}, -12, 4 + 18 * 16 / 110.0L},
                    TLoopCase{"BelowRangeExtrapolates", {0, 100}, -25, 0},
                    TLoopCase{"LowEnd", {0, 100}, 0, 4}, TLoopCase{"HighEnd", {0, 100}, 100, 20},
                    TLoopCase{"FallingCharacteristic", {100, 0}, 75, 8}),
    CaseName);

TEST(LoopScaling, CurrentFromEqualEndsIsADivisionByZero)
{
    EXPECT_THROW(scaling::LoopCurrent({5, 5}, 5), arith::EZeroDivide);
}

TEST(LoopScaling, SpanBeyondTheExtendedRangeOverflows)
{
    const Extended huge = std::numeric_limits<Extended>::max() / 4 * 3;
    const TLoopRange range{-huge, huge};
    EXPECT_THROW(scaling::LoopValue(range, 12), arith::EOverflow);
    EXPECT_THROW(scaling::LoopCurrent(range, 0), arith::EOverflow);
}

TEST(LoopScaling, ResultBeyondTheExtendedRangeOverflows)
{
    const Extended huge = std::numeric_limits<Extended>::max() / 4;
    const Extended tiny = 1 / std::sqrt(huge);
    EXPECT_THROW(scaling::LoopValue({0, 1000}, huge), arith::EOverflow);
    EXPECT_THROW(scaling::LoopCurrent({0, tiny}, huge), arith::EOverflow);
}

TEST(LoopPresets, ListTextsLineUpInFixedPitch)
{
    const char *const expected[]
        = {"-100 .. +200", " -30 ..  +80", " -30 .. +105", " -30 .. +125", "   0 ..   35",
           "   0 ..   50", "   0 ..  100", "   0 ..  150", "   0 ..  250", "   0 ..  400"};
    ASSERT_EQ(scaling::LoopPresets.size(), std::size(expected));
    for (std::size_t i = 0; i < scaling::LoopPresets.size(); ++i)
        EXPECT_EQ(scaling::LoopPresetText(scaling::LoopPresets[i]), expected[i]) << "entry " << i;
}

TEST(LoopPresets, SignOnlyWhenTheRangeCrossesZeroAndLongNumbersAreNotCut)
{
    EXPECT_EQ(scaling::LoopPresetText(TLoopPreset{-5, 0}), "  -5 ..    0");
    EXPECT_EQ(scaling::LoopPresetText(TLoopPreset{-20, -5}), " -20 ..   -5");
    EXPECT_EQ(scaling::LoopPresetText(TLoopPreset{10, 5}), "  10 ..    5");
    EXPECT_EQ(scaling::LoopPresetText(TLoopPreset{-1000, 12345}), "-1000 .. +12345");
    EXPECT_EQ(scaling::LoopPresetText(TLoopPreset{-9999, 9999}), "-9999 .. +9999");
}

struct TLineCase
{
    const char *name;
    TLine line;
    Extended input;
    Extended expected;
};

std::string LineCaseName(const testing::TestParamInfo<TLineCase> &info)
{
    return info.param.name;
}

class LineForward : public testing::TestWithParam<TLineCase>
{
};

TEST_P(LineForward, EvaluatesTheLineThroughBothPoints)
{
    const TLineCase &c = GetParam();
    EXPECT_NEAR(static_cast<double>(scaling::LineY(c.line, c.input)),
                static_cast<double>(c.expected), static_cast<double>(Tolerance));
}

INSTANTIATE_TEST_SUITE_P(Lines, LineForward,
                         testing::Values(TLineCase{"Between", {0, 10, 0, 100}, 5, 50},
                                         TLineCase{"Extrapolated", {0, 10, 0, 100}, 20, 200},
                                         TLineCase{"BelowFirstPoint", {0, 10, 0, 100}, -1, -10},
                                         TLineCase{"Third", {0, 3, 0, 1}, 1, 1 / 3.0L},
                                         TLineCase{"EqualYIsConstant", {1, 2, 7, 7}, 123.5L, 7},
                                         TLineCase{"Falling", {-1, 1, 10, -10}, 0.5L, -5}),
                         LineCaseName);

class LineInverse : public testing::TestWithParam<TLineCase>
{
};

TEST_P(LineInverse, EvaluatesTheLineThroughBothPoints)
{
    const TLineCase &c = GetParam();
    EXPECT_NEAR(static_cast<double>(scaling::LineX(c.line, c.input)),
                static_cast<double>(c.expected), static_cast<double>(Tolerance));
}

INSTANTIATE_TEST_SUITE_P(Lines, LineInverse,
                         testing::Values(TLineCase{"Between", {0, 10, 0, 100}, 25, 2.5L},
                                         TLineCase{"Extrapolated", {0, 10, 0, 100}, 300, 30},
                                         TLineCase{"EqualXIsConstant", {4, 4, 1, 2}, -8, 4},
                                         TLineCase{"Falling", {-1, 1, 10, -10}, -5, 0.5L}),
                         LineCaseName);

TEST(Line, OnlyTheDividedPairMustDiffer)
{
    EXPECT_THROW(scaling::LineY({3, 3, 0, 1}, 3), arith::EZeroDivide);
    EXPECT_THROW(scaling::LineX({0, 1, 7, 7}, 7), arith::EZeroDivide);
}

TEST(Line, OverflowAnywhereInTheChainFails)
{
    const Extended max = std::numeric_limits<Extended>::max();
    const Extended big = 2 * std::sqrt(max); // its square overflows
    // The difference of the points, the slope, and the walk along the line.
    EXPECT_THROW(scaling::LineY({0, 1, -max, max}, 1), arith::EOverflow);
    EXPECT_THROW(scaling::LineY({0, 1 / big, 0, big}, 1), arith::EOverflow);
    EXPECT_THROW(scaling::LineY({0, 1, 0, big}, big), arith::EOverflow);
    EXPECT_THROW(scaling::LineX({0, big, 0, 1}, -max), arith::EOverflow);
}

} // namespace
