// SPDX-License-Identifier: MIT
#include "temperature/ExtendedMath.h"
#include "arith.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace temperature;

namespace {

// Distance in units of the last place of the extended type.
Extended Ulps(Extended value, Extended reference)
{
    const Extended ulp
        = std::nextafter(std::fabs(reference), std::numeric_limits<Extended>::infinity())
          - std::fabs(reference);
    return std::fabs(value - reference) / ulp;
}

// Nearly the whole range of the build's extended type, as an exponent of e.
const Extended WideExponent = std::log(std::numeric_limits<Extended>::max()) * 19 / 20;

struct TSpan
{
    const char *name;
    Extended from;
    Extended to;
};

class ExtendedExp : public testing::TestWithParam<TSpan>
{
};

TEST_P(ExtendedExp, AgreesWithTheLibraryWithinTwoUlps)
{
    std::mt19937_64 random(42);
    std::uniform_real_distribution<Extended> argument(GetParam().from, GetParam().to);
    Extended worst = 0;
    for (int i = 0; i < 20000; ++i) {
        const Extended x = argument(random);
        worst = std::max(worst, Ulps(ExtExp(x), std::exp(x)));
    }
    EXPECT_LE(worst, 2) << "worst " << static_cast<double>(worst) << " ulps";
    RecordProperty("worst_ulps", std::to_string(static_cast<double>(worst)));
}

INSTANTIATE_TEST_SUITE_P(Spans, ExtendedExp,
                         testing::Values(TSpan{"Small", -0.02L, 0.02L}, TSpan{"Unit", -1, 1},
                                         TSpan{"Thermistor", -20, 20}, TSpan{"TypeKTerm", -120, 0},
                                         TSpan{"Wide", -WideExponent, WideExponent}),
                         [](const auto &info) { return std::string(info.param.name); });

class ExtendedLn : public testing::TestWithParam<TSpan>
{
};

TEST_P(ExtendedLn, AgreesWithTheLibraryWithinTwoUlps)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<Extended> exponent(GetParam().from, GetParam().to);
    Extended worst = 0;
    for (int i = 0; i < 20000; ++i) {
        const Extended x = std::exp(exponent(random));
        worst = std::max(worst, Ulps(ExtLn(x), std::log(x)));
    }
    EXPECT_LE(worst, 2) << "worst " << static_cast<double>(worst) << " ulps";
}

INSTANTIATE_TEST_SUITE_P(Spans, ExtendedLn,
                         testing::Values(TSpan{"AboveOne", 0.7L, 30}, TSpan{"Thermistor", 4, 23},
                                         TSpan{"Wide", -WideExponent, WideExponent}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ExtendedMath, ExactPointsAndFaults)
{
    EXPECT_EQ(ExtExp(0), 1);
    EXPECT_EQ(ExtLn(1), 0);
    EXPECT_EQ(ExtLn(Extended(0.5)), -std::log(Extended(2)));
    EXPECT_EQ(ExtExp(-20000), 0);
    EXPECT_THROW(ExtExp(20000), arith::EOverflow);
    EXPECT_THROW(ExtExp(std::numeric_limits<Extended>::quiet_NaN()), arith::EInvalidOp);
    EXPECT_THROW(ExtLn(0), arith::EZeroDivide);
    EXPECT_THROW(ExtLn(-1), arith::EInvalidOp);
    EXPECT_THROW(ExtLn(std::numeric_limits<Extended>::quiet_NaN()), arith::EInvalidOp);
    const Extended tiny = std::numeric_limits<Extended>::denorm_min();
    EXPECT_EQ(ExtLn(tiny), std::log(tiny));
}

} // namespace
