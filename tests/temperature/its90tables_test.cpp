// SPDX-License-Identifier: MIT
#include "Its90Reference.h"
#include "temperature/Its90Coefficients.h"
#include "temperature/Thermocouples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace temperature;

namespace {

TThermocoupleType TypeCode(char type)
{
    static const std::string order = "JKSBTNER";
    return static_cast<TThermocoupleType>(order.find(type));
}

its90::TIts90Kind KindOf(const std::string &kind)
{
    if (kind == "reference")
        return its90::TIts90Kind::Reference;
    if (kind == "reference_exp")
        return its90::TIts90Kind::ReferenceExp;
    return its90::TIts90Kind::Inverse;
}

TEST(Its90Coefficients, EveryTableHoldsThePublishedDecimalsRescaledToMicrovolts)
{
    const auto &segments = testdata::ItsSegments();
    ASSERT_EQ(segments.size(), std::size(its90::Functions));
    std::size_t coefficientCount = 0;
    for (const testdata::TItsSegment &segment : segments) {
        const its90::TIts90Function *match = nullptr;
        for (const its90::TIts90Function &f : its90::Functions) {
            if (f.Type == segment.Type && f.Kind == KindOf(segment.Kind)
                && segment.RangeLowText == f.RangeLow && segment.RangeHighText == f.RangeHigh)
                match = &f;
        }
        ASSERT_NE(match, nullptr) << segment.Type << " " << segment.Kind << " "
                                  << segment.RangeLowText;
        ASSERT_EQ(match->Count, segment.Coefficients.size());
        for (std::size_t i = 0; i < match->Count; ++i) {
            EXPECT_EQ(match->Coefficients[i], segment.Coefficients[i])
                << segment.Type << " " << segment.Kind << " " << segment.RangeLowText << " c" << i
                << " = " << segment.MicrovoltTexts[i];
        }
        coefficientCount += match->Count;
    }
    EXPECT_EQ(coefficientCount, 255u + 97u);
}

TEST(Its90Coefficients, RescalingMovesOnlyTheExponent)
{
    EXPECT_EQ(testdata::ShiftExponent("0.503811878150E-01", 3), "0.503811878150E2");
    EXPECT_EQ(testdata::ShiftExponent("-8.3823321E-05", -24), "-8.3823321E-29");
    // type K's exponential term: a0 in microvolts, a1 and a2 as published
    EXPECT_EQ(its90::KReferenceExp[0], Extended(118.5976L));
    EXPECT_EQ(its90::KReferenceExp[1], Extended(-1.183432E-4L));
    EXPECT_EQ(its90::KReferenceExp[2], Extended(126.9686L));
}

// NIST's printed tables are the reference functions rounded to 1 µV.
void CheckPrintedTable(const std::string &fileName, std::size_t minimumRows)
{
    const testdata::TCsv table(fileName);
    ASSERT_GE(table.size(), minimumRows);
    for (std::size_t row = 0; row < table.size(); ++row) {
        const char type = table.at(row, "type").at(0);
        const float t = static_cast<float>(table.number(row, "temperature_degC"));
        const double printed = table.number(row, "emf_uV");
        const float emf = TcTempToVolt(TypeCode(type), t);
        const float ulp = std::nextafter(std::fabs(emf), 1e9f) - std::fabs(emf);
        ASSERT_NEAR(emf, printed, 0.5 + ulp) << type << " at " << t << " °C";
    }
}

TEST(NistTables, ForwardFunctionsGiveThePrintedTablePoints)
{
    CheckPrintedTable("its90_table_points.csv", 77);
}

TEST(NistTables, ForwardFunctionsGiveEveryValueOfTheWholeTables)
{
    CheckPrintedTable("its90_tables_1C.csv", 8936);
    CheckPrintedTable("its90_tables_1C_er.csv", 3090);
}

// Forward then inverse: each inverse function, on the voltages for which it is called, stays
// within the error NIST states for it. NIST prints the bands to their last digit and its own
// functions reach up to half a unit of that digit beyond them (type B from 250 °C: -0.0205 °C
// against -0.02); single precision adds the rounding of the voltage, seen through the slope, and
// of the result.
struct TInverseFit
{
    const char *name;
    char type;
    double voltLow, voltHigh; // the voltages of the branch, µV, lower limit inclusive
    double tempLow, tempHigh; // temperatures to scan, a little beyond the function's own range
    double errorLow, errorHigh;
    double lastDigit; // the unit of the last digit of the stated band
};

class InverseFit : public testing::TestWithParam<TInverseFit>
{
};

TEST_P(InverseFit, ForwardThenInverseStaysWithinTheStatedError)
{
    const TInverseFit &c = GetParam();
    const TThermocoupleType type = TypeCode(c.type);
    int checked = 0;
    const int steps = static_cast<int>(std::lround((c.tempHigh - c.tempLow) * 100));
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(c.tempLow + i / 100.0);
        if (!TcTempInRange(type, t))
            continue;
        const float e = TcTempToVolt(type, t);
        if (!(e >= c.voltLow && e < c.voltHigh) || !TcVoltInRange(type, e))
            continue;
        const float back = TcVoltToTemp(type, e);
        const double slope = TcTempToVolt(type, t + 0.5f) - TcTempToVolt(type, t - 0.5f);
        const float eUlp = std::nextafter(std::fabs(e), 1e9f) - std::fabs(e);
        const float tUlp = std::nextafter(std::fabs(back), 1e9f) - std::fabs(back);
        const double allowance = c.lastDigit / 2 + eUlp / std::fabs(slope) + tUlp;
        const double error = static_cast<double>(back) - t;
        ASSERT_GE(error, c.errorLow - allowance) << t << " °C, " << e << " µV";
        ASSERT_LE(error, c.errorHigh + allowance) << t << " °C, " << e << " µV";
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}

INSTANTIATE_TEST_SUITE_P(
    StatedErrors, InverseFit,
    testing::Values(TInverseFit{"J1", 'J', -8095, 0, -211, 1, -0.05, 0.03, 0.01},
                    TInverseFit{"J2", 'J', 0, 42919, -1, 761, -0.04, 0.04, 0.01},
                    TInverseFit{"J3", 'J', 42919, 69553, 759, 1201, -0.04, 0.03, 0.01},
                    TInverseFit{"K1", 'K', -5891, 0, -201, 1, -0.02, 0.04, 0.01},
                    TInverseFit{"K2", 'K', 0, 20644, -1, 501, -0.05, 0.04, 0.01},
                    TInverseFit{"K3", 'K', 20644, 54886, 499, 1373, -0.05, 0.06, 0.01},
                    TInverseFit{"S1", 'S', -235, 1874, -51, 251, -0.02, 0.02, 0.01},
                    // the second function serves up to 10332 µV, the third from there
                    TInverseFit{"S2", 'S', 1874, 10332, 249, 1065, -0.01, 0.01, 0.01},
                    TInverseFit{"S3", 'S', 10332, 17536, 1063, 1665, -0.0002, 0.0002, 0.0001},
                    TInverseFit{"S4", 'S', 17536, 18693, 1664, 1769, -0.002, 0.002, 0.001},
                    TInverseFit{"B1", 'B', 291, 2431, 249, 701, -0.02, 0.03, 0.01},
                    TInverseFit{"B2", 'B', 2431, 13820, 699, 1820, -0.01, 0.02, 0.01},
                    TInverseFit{"T1", 'T', -5603, 0, -201, 1, -0.02, 0.04, 0.01},
                    TInverseFit{"T2", 'T', 0, 20872, -1, 401, -0.03, 0.03, 0.01},
                    TInverseFit{"N1", 'N', -3990, 0, -201, 1, -0.02, 0.03, 0.01},
                    TInverseFit{"N2", 'N', 0, 20613, -1, 601, -0.02, 0.03, 0.01},
                    TInverseFit{"N3", 'N', 20613, 47513, 599, 1300, -0.04, 0.02, 0.01},
                    TInverseFit{"E1", 'E', -8825, 0, -201, 1, -0.01, 0.03, 0.01},
                    TInverseFit{"E2", 'E', 0, 76373, -1, 1001, -0.02, 0.02, 0.01},
                    TInverseFit{"R1", 'R', -226.5, 1923, -51, 251, -0.02, 0.02, 0.01},
                    // as type S: the second function up to 11361 µV, the third from there
                    TInverseFit{"R2", 'R', 1923, 11361, 249, 1065, -0.005, 0.005, 0.001},
                    TInverseFit{"R3", 'R', 11361, 19739, 1063, 1665, -0.0005, 0.001, 0.0001},
                    TInverseFit{"R4", 'R', 19739, 21103, 1664, 1769, -0.001, 0.002, 0.001}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(InverseFit, SegmentEndsAgreeWithinATenthOfADegree)
{
    // where neighbouring inverse functions meet they differ by up to 0.07 °C
    struct TEnd
    {
        char type;
        float t;
    };
    for (const TEnd &end :
         {TEnd{'J', 760}, TEnd{'K', 500}, TEnd{'B', 700}, TEnd{'S', 250}, TEnd{'S', 1064},
          TEnd{'S', 1664.5f}, TEnd{'N', 600}, TEnd{'J', 0}, TEnd{'K', 0}, TEnd{'T', 0},
          TEnd{'N', 0}, TEnd{'E', 0}, TEnd{'R', 250}, TEnd{'R', 1064}, TEnd{'R', 1664.5f}}) {
        const TThermocoupleType type = TypeCode(end.type);
        EXPECT_NEAR(TcVoltToTemp(type, TcTempToVolt(type, end.t)), end.t, 0.1)
            << end.type << " " << end.t;
    }
}

} // namespace
