#include "temperature/ExtendedMath.h"
#include "arith.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace temperature;

namespace {

// Distance in units of the last place of the extended type.
long double Ulps(long double value, long double reference)
{
    const long double ulp = std::nextafter(std::fabs(reference), HUGE_VALL) - std::fabs(reference);
    return std::fabs(value - reference) / ulp;
}

struct TSpan
{
    const char *name;
    long double from;
    long double to;
};

class ExtendedExp : public testing::TestWithParam<TSpan>
{
};

TEST_P(ExtendedExp, AgreesWithTheLibraryWithinTwoUlps)
{
    std::mt19937_64 random(42);
    std::uniform_real_distribution<long double> argument(GetParam().from, GetParam().to);
    long double worst = 0;
    for (int i = 0; i < 20000; ++i) {
        const long double x = argument(random);
        worst = std::max(worst, Ulps(ExtExp(x), std::exp(x)));
    }
    EXPECT_LE(worst, 2) << "worst " << static_cast<double>(worst) << " ulps";
    RecordProperty("worst_ulps", std::to_string(static_cast<double>(worst)));
}

INSTANTIATE_TEST_SUITE_P(Spans, ExtendedExp,
                         testing::Values(TSpan{"Small", -0.02L, 0.02L}, TSpan{"Unit", -1, 1},
                                         TSpan{"Thermistor", -20, 20}, TSpan{"TypeKTerm", -120, 0},
                                         TSpan{"Wide", -11000, 11000}),
                         [](const auto &info) { return std::string(info.param.name); });

class ExtendedLn : public testing::TestWithParam<TSpan>
{
};

TEST_P(ExtendedLn, AgreesWithTheLibraryWithinTwoUlps)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<long double> exponent(GetParam().from, GetParam().to);
    long double worst = 0;
    for (int i = 0; i < 20000; ++i) {
        const long double x = std::exp(exponent(random));
        worst = std::max(worst, Ulps(ExtLn(x), std::log(x)));
    }
    EXPECT_LE(worst, 2) << "worst " << static_cast<double>(worst) << " ulps";
}

INSTANTIATE_TEST_SUITE_P(Spans, ExtendedLn,
                         testing::Values(TSpan{"AboveOne", 0.7L, 30}, TSpan{"Thermistor", 4, 23},
                                         TSpan{"Wide", -11000, 11000}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ExtendedMath, ExactPointsAndFaults)
{
    EXPECT_EQ(ExtExp(0), 1);
    EXPECT_EQ(ExtLn(1), 0);
    EXPECT_EQ(ExtLn(0.5L), -std::log(2.0L));
    EXPECT_EQ(ExtExp(-20000), 0);
    EXPECT_THROW(ExtExp(20000), arith::EOverflow);
    EXPECT_THROW(ExtExp(std::numeric_limits<long double>::quiet_NaN()), arith::EInvalidOp);
    EXPECT_THROW(ExtLn(0), arith::EZeroDivide);
    EXPECT_THROW(ExtLn(-1), arith::EInvalidOp);
    EXPECT_THROW(ExtLn(std::numeric_limits<long double>::quiet_NaN()), arith::EInvalidOp);
    const long double tiny = std::numeric_limits<long double>::denorm_min();
    EXPECT_EQ(ExtLn(tiny), std::log(tiny));
}

} // namespace
