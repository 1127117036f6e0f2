// SPDX-License-Identifier: MIT
#include "temperature/ToleranceClasses.h"
#include "CsvData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

using namespace temperature;

namespace {

// The published classes, read independently from tests/data/tolerance_classes.csv: each row's
// formula at its ends and in its middle, and no value just outside the class's range. The
// assembled thermometers' rows repeat the wire-wound ranges and are not a class of their own.
TEST(ToleranceClasses, EveryPublishedRowGivesItsFormulaOverItsRangeOnly)
{
    const testdata::TCsv csv("tolerance_classes.csv");
    std::size_t rows = 0;
    for (std::size_t row = 0; row < csv.size(); ++row) {
        const std::string appliesTo = csv.at(row, "applies_to");
        if (appliesTo == "thermometer")
            continue;
        ++rows;
        const bool platinum = csv.at(row, "sensor_kind") == "rtd_platinum";
        const char sensor = platinum ? 'P' : csv.at(row, "sensor_type").at(0);
        const std::string text
            = platinum ? csv.at(row, "designation") : csv.at(row, "tolerance_class");
        const std::optional<TClassKey> key = FindToleranceClass(sensor, text);
        ASSERT_TRUE(key) << sensor << " " << text;
        EXPECT_EQ(key->Name, csv.at(row, "tolerance_class"));

        const double low = csv.number(row, "t_low_degC");
        const double high = csv.number(row, "t_high_degC");
        const std::string rule = csv.at(row, "combine_rule");
        const auto published = [&](double t) {
            if (rule == "formula") // ±[1 + 0.003·(t − 1100)]
                return 1 + 0.003 * (t - 1100);
            const double a = rule == "proportional" ? 0 : csv.number(row, "tolerance_fixed_degC");
            const double b = rule == "fixed" ? 0 : csv.number(row, "tolerance_per_degC");
            if (rule == "sum" || rule == "fixed")
                return a + b * std::fabs(t);
            return std::max(a, b * std::fabs(t));
        };
        for (const double t : {low, (low + high) / 2, high}) {
            const std::optional<double> permitted = PermittedDeviation(*key, t);
            ASSERT_TRUE(permitted) << sensor << " " << text << " at " << t;
            EXPECT_NEAR(*permitted, published(t), 1e-12) << sensor << " " << text << " at " << t;
        }
        const TClassRange range = ClassRange(*key);
        for (const double t : {low - 0.01, high + 0.01}) {
            if (t < range.Low || t > range.High) {
                EXPECT_FALSE(PermittedDeviation(*key, t)) << sensor << " " << text << " at " << t;
            }
        }
    }
    EXPECT_EQ(rows, std::size(PlatinumClasses) + std::size(ThermocoupleClasses));
}

struct TNameCase
{
    const char *name;
    char sensor;
    const char *text;
    char foundSensor; // 0: no such class
    const char *foundName;
    const char *label;
};

class ClassNames : public testing::TestWithParam<TNameCase>
{
};

TEST_P(ClassNames, NameTheClassOfTheSensorOrNone)
{
    const TNameCase &c = GetParam();
    const std::optional<TClassKey> key = FindToleranceClass(c.sensor, c.text);
    ASSERT_EQ(key.has_value(), c.foundSensor != 0);
    if (!key)
        return;
    EXPECT_EQ(key->Sensor, c.foundSensor);
    EXPECT_EQ(key->Name, c.foundName);
    EXPECT_EQ(ClassLabel(*key), c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ClassNames,
    testing::Values(TNameCase{"BareLetterIsWireWound", 'P', "A", 'W', "A", "A (W 0.15)"},
                    TNameCase{"LowerCase", 'P', "aa", 'W', "AA", "AA (W 0.1)"},
                    TNameCase{"FilmDesignation", 'P', "F 0.15", 'F', "A", "A (F 0.15)"},
                    TNameCase{"DesignationWithoutSpace", 'P', "f0.6", 'F', "C", "C (F 0.6)"},
                    TNameCase{"ThermocoupleClass", 'K', "2", 'K', "2", "class 2"},
                    TNameCase{"NoClass3ForJ", 'J', "3", 0, "", ""},
                    TNameCase{"NoClass1ForB", 'B', "1", 0, "", ""},
                    TNameCase{"PlatinumClassOnAThermocouple", 'K', "A", 0, "", ""},
                    TNameCase{"ThermocoupleClassOnPlatinum", 'P', "1", 0, "", ""},
                    TNameCase{"Unknown", 'P', "D", 0, "", ""},
                    TNameCase{"Empty", 'T', "", 0, "", ""},
                    TNameCase{"NotASensorWithClasses", 'X', "1", 0, "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

struct TMetCase
{
    const char *name;
    char sensor;
    double t;
    double deviation;
    const char *met; // the labels, comma-separated
};

class ClassesMetByADeviation : public testing::TestWithParam<TMetCase>
{
};

TEST_P(ClassesMetByADeviation, AreThoseWhosePermittedDeviationCoversIt)
{
    const TMetCase &c = GetParam();
    std::string labels;
    for (const TClassKey &key : ClassesMet(c.sensor, c.t, c.deviation))
        labels += (labels.empty() ? "" : ",") + ClassLabel(key);
    EXPECT_EQ(labels, c.met);
}

INSTANTIATE_TEST_SUITE_P(
    Deviations, ClassesMetByADeviation,
    testing::Values(
        // at 100 °C: AA ±0.27, A ±0.35, B ±0.8, C ±1.6; film AA and A as wire-wound
        TMetCase{"PlatinumWithinAA", 'P', 100, -0.2699,
                 "AA (W 0.1),A (W 0.15),B (W 0.3),C (W 0.6),AA (F 0.1),A (F 0.15),B (F 0.3),"
                 "C (F 0.6)"},
        TMetCase{"PlatinumJustOutsideAA", 'P', 100, 0.2701,
                 "A (W 0.15),B (W 0.3),C (W 0.6),A (F 0.15),B (F 0.3),C (F 0.6)"},
        // -150 °C: beyond every film range and the wire-wound AA and A ranges
        TMetCase{"PlatinumCold", 'P', -150, 0.1, "B (W 0.3),C (W 0.6)"},
        TMetCase{"PlatinumWithinNone", 'P', 100, 2, ""},
        TMetCase{"TypeKClass1", 'K', 500, 1.9, "class 1,class 2"},
        TMetCase{"TypeKBeyondClass1", 'K', 1100, 1.9, "class 2"},
        TMetCase{"TypeKCold", 'K', -100, -1.9, "class 3"},
        // class 1 ±2.2 °C at 1500 °C, class 2 ±3.75 °C
        TMetCase{"TypeR1500", 'R', 1500, 2.19, "class 1,class 2"},
        TMetCase{"TypeR1500BeyondClass1", 'R', 1500, 2.21, "class 2"},
        TMetCase{"TypeRBeyondItsClasses", 'R', 1700, 0, ""},
        TMetCase{"TypeBBelowItsClasses", 'B', 500, 0, ""}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
