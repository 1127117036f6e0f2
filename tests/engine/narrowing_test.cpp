// SPDX-License-Identifier: MIT
#include "arith.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

enum class TOutcome { Value, InvalidOp, Overflow };

struct TNarrowCase
{
    const char *name;
    Extended input;
    TOutcome toDouble;
    TOutcome toSingle;
};

template<typename T, typename F>
void Expect(TOutcome outcome, F narrow, Extended input)
{
    switch (outcome) {
    case TOutcome::Value: {
        const T result = narrow(input);
        EXPECT_EQ(result, static_cast<T>(input));
        break;
    }
    case TOutcome::InvalidOp:
        EXPECT_THROW(narrow(input), arith::EInvalidOp);
        break;
    case TOutcome::Overflow:
        EXPECT_THROW(narrow(input), arith::EOverflow);
        break;
    }
}

class Narrowing : public testing::TestWithParam<TNarrowCase>
{
};

TEST_P(Narrowing, FailsAsATrappingStoreWould)
{
    const TNarrowCase &c = GetParam();
    Expect<double>(c.toDouble, arith::ToDouble, c.input);
    Expect<float>(c.toSingle, arith::ToSingle, c.input);
}

constexpr Extended Inf = std::numeric_limits<Extended>::infinity();
constexpr Extended DoubleMax = std::numeric_limits<double>::max();
constexpr Extended SingleMax = std::numeric_limits<float>::max();

INSTANTIATE_TEST_SUITE_P(
    Values, Narrowing,
    testing::Values(TNarrowCase{"Ordinary", Extended(1) / 3, TOutcome::Value, TOutcome::Value},
                    TNarrowCase{"NegativeZero", -Extended(0), TOutcome::Value, TOutcome::Value},
                    TNarrowCase{"NotANumber", std::numeric_limits<Extended>::quiet_NaN(),
                                TOutcome::InvalidOp, TOutcome::InvalidOp},
                    TNarrowCase{"Infinity", Inf, TOutcome::Overflow, TOutcome::Overflow},
                    TNarrowCase{"MinusInfinity", -Inf, TOutcome::Overflow, TOutcome::Overflow},
                    TNarrowCase{"LargestSingle", SingleMax, TOutcome::Value, TOutcome::Value},
                    TNarrowCase{"BeyondSingle", SingleMax * 2, TOutcome::Value, TOutcome::Overflow},
                    TNarrowCase{"LargestDouble", -DoubleMax, TOutcome::Value, TOutcome::Overflow},
                    // below the smallest subnormal: an untrapped underflow to zero
                    TNarrowCase{"BelowEverySubnormal",
                                std::numeric_limits<double>::denorm_min() / 4, TOutcome::Value,
                                TOutcome::Value}),
    [](const auto &info) { return std::string(info.param.name); });

// Where the extended type is wider than double, a finite value beyond double's range overflows
// on the store.
TEST(Narrowing, FiniteBeyondDoubleOverflowsWhereTheExtendedTypeIsWider)
{
    if constexpr (std::numeric_limits<Extended>::max_exponent
                  <= std::numeric_limits<double>::max_exponent) {
        GTEST_SKIP() << "the extended type is double in this build";
    } else {
        EXPECT_THROW(arith::ToDouble(DoubleMax * 2), arith::EOverflow);
        EXPECT_THROW(arith::ToDouble(-std::numeric_limits<Extended>::max()), arith::EOverflow);
    }
}

} // namespace
