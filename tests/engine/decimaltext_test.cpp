// SPDX-License-Identifier: MIT
#include "DecimalText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

using decimal::TReadStatus;

namespace {

struct TReadCase
{
    const char *name;
    const char *text;
    TReadStatus status;
    Extended value; // when Ok
};

class Reading : public testing::TestWithParam<TReadCase>
{
};

TEST_P(Reading, TakesOnlyPlainDecimalsWithAPoint)
{
    const TReadCase &c = GetParam();
    Extended value = 42;
    EXPECT_EQ(decimal::Read(c.text, value), c.status) << c.text;
    if (c.status == TReadStatus::Ok) {
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
    } else {
        EXPECT_EQ(value, 42) << "left as it was: " << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Reading,
    testing::Values(TReadCase{"Integer", "125", TReadStatus::Ok, 125},
                    TReadCase{"Fraction", "-2.5", TReadStatus::Ok, Extended(-2.5)},
                    TReadCase{"LeadingPoint", ".5", TReadStatus::Ok, Extended(0.5)},
                    TReadCase{"TrailingPoint", "5.", TReadStatus::Ok, 5},
                    TReadCase{"Exponent", "1.5E3", TReadStatus::Ok, 1500},
                    TReadCase{"SignedExponent", "25e-1", TReadStatus::Ok, Extended(2.5)},
                    TReadCase{"MinusZero", "-0.000", TReadStatus::Ok, -Extended(0)},
                    TReadCase{"ZeroWithHugeExponent", "0e99999", TReadStatus::Ok, 0},
                    TReadCase{"BelowTheSmallestNormal", "-1e-99999", TReadStatus::Ok, -Extended(0)},
                    TReadCase{"BeyondTheLargest", "1e99999", TReadStatus::OutOfRange, 0},
                    TReadCase{"ManyDigitsBeyond", "123456789e99990", TReadStatus::OutOfRange, 0},
                    TReadCase{"Empty", "", TReadStatus::NotANumber, 0},
                    TReadCase{"LonePoint", ".", TReadStatus::NotANumber, 0},
                    TReadCase{"LoneMinus", "-", TReadStatus::NotANumber, 0},
                    TReadCase{"PlusSign", "+1", TReadStatus::NotANumber, 0},
                    TReadCase{"Blank", " 1", TReadStatus::NotANumber, 0},
                    TReadCase{"Comma", "1,5", TReadStatus::NotANumber, 0},
                    TReadCase{"TwoPoints", "1.2.3", TReadStatus::NotANumber, 0},
                    TReadCase{"ExponentWithoutDigits", "1e", TReadStatus::NotANumber, 0},
                    TReadCase{"Infinity", "inf", TReadStatus::NotANumber, 0},
                    TReadCase{"NotANumber", "nan", TReadStatus::NotANumber, 0},
                    TReadCase{"Hexadecimal", "0x1p3", TReadStatus::NotANumber, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// The build's own limits: the largest finite value and the largest decimal exponent read, the
// next power of ten does not.
TEST(Reading, ReachesTheLimitsOfTheBuildsExtendedType)
{
    const Extended max = std::numeric_limits<Extended>::max();
    Extended value = 0;
    ASSERT_EQ(decimal::Read(decimal::Shortest(max), value), TReadStatus::Ok);
    EXPECT_EQ(value, max);
    const int e10 = std::numeric_limits<Extended>::max_exponent10;
    EXPECT_EQ(decimal::Read("1e" + std::to_string(e10), value), TReadStatus::Ok);
    EXPECT_EQ(decimal::Read("1e" + std::to_string(e10 + 1), value), TReadStatus::OutOfRange);
}

// Every digit counts: the shortest text of any value reads back as that value exactly, at the
// build's precision, for the extended type and for double.
TEST(Writing, ShortestTextReadsBackExactly)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 20000; ++i) {
        const Extended x
            = Extended(mantissa(random)) / 3 * std::pow(Extended(10), exponent(random));
        Extended back = 0;
        ASSERT_EQ(decimal::Read(decimal::Shortest(x), back), TReadStatus::Ok);
        ASSERT_EQ(back, x) << decimal::Shortest(x);
        const double d = static_cast<double>(x);
        ASSERT_EQ(decimal::Read(decimal::Shortest(d), back), TReadStatus::Ok);
        ASSERT_EQ(static_cast<double>(back), d) << decimal::Shortest(d);
    }
}

struct TWriteCase
{
    const char *name;
    std::string written;
    const char *expected;
};

class Writing : public testing::TestWithParam<TWriteCase>
{
};

TEST_P(Writing, GivesTheDigitsAnEngineerWrites)
{
    EXPECT_EQ(GetParam().written, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Writing,
    testing::Values(TWriteCase{"ShortestDouble", decimal::Shortest(0.1), "0.1"},
                    TWriteCase{"ShortestSingle", decimal::Shortest(0.1f), "0.1"},
                    TWriteCase{"ShortestExtended", decimal::Shortest(Extended(1) / 4), "0.25"},
                    TWriteCase{"FixedRoundsToNearest", decimal::Fixed(2.0006, 3), "2.001"},
                    TWriteCase{"FixedPads", decimal::Fixed(2.5, 3), "2.500"},
                    TWriteCase{"FixedKeepsTheSign", decimal::Fixed(-0.0001, 3), "-0.000"},
                    TWriteCase{"Scientific", decimal::Scientific(Extended(1250), 4), "1.2500e+03"},
                    // 0.125 is exact: its tie rounds to even
                    TWriteCase{"ScientificRoundsTheBinaryValue",
                               decimal::Scientific(Extended(0.125), 1), "1.2e-01"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
