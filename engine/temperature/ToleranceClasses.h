// SPDX-License-Identifier: MIT
#pragma once

// Tolerance classes: the permitted deviation from the standard curve of a platinum resistance
// thermometer (IEC 60751:2008, classes AA, A, B and C for wire-wound and film elements) and of a
// thermocouple as delivered (IEC 60584-1:2013, classes 1, 2 and 3 for the eight letter-coded
// types). A class is defined over its temperature range only; outside it there is no tolerance to
// give.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace temperature {

enum TToleranceRule : std::uint8_t {
    trSum,      // ±(Fixed + PerDegree·|t - Origin|)
    trGreaterOf // ±max(Fixed, PerDegree·|t|)
};

struct TToleranceClass
{
    char Sensor;                  // 'W' platinum wire-wound, 'F' platinum film, else the
                                  // thermocouple's letter
    std::string_view Name;        // AA, A, B, C or 1, 2, 3
    std::string_view Designation; // IEC 60751:2008's element designation ("W 0.15"), or empty
    double TempLow;               // °C, inclusive
    double TempHigh;
    TToleranceRule Rule;
    double Fixed;     // °C
    double PerDegree; // °C per °C
    double Origin;    // °C
};

// Platinum on the IEC 60751 curve, any R0. The range of F 0.6 is not found in public copies of
// the 2008 table; -50 to 600 °C is the standard's as recalled, the makers' operating range.
inline constexpr TToleranceClass PlatinumClasses[] = {
    {'W', "AA", "W 0.1", -50, 250, trSum, 0.1, 0.0017, 0},
    {'W', "A", "W 0.15", -100, 450, trSum, 0.15, 0.002, 0},
    {'W', "B", "W 0.3", -196, 600, trSum, 0.3, 0.005, 0},
    {'W', "C", "W 0.6", -196, 600, trSum, 0.6, 0.01, 0},
    {'F', "AA", "F 0.1", 0, 150, trSum, 0.1, 0.0017, 0},
    {'F', "A", "F 0.15", -30, 300, trSum, 0.15, 0.002, 0},
    {'F', "B", "F 0.3", -50, 500, trSum, 0.3, 0.005, 0},
    {'F', "C", "F 0.6", -50, 600, trSum, 0.6, 0.01, 0},
};

// Thermocouples as delivered, reference junction at 0 °C. R and S class 1 is ±1 °C to 1100 °C
// and ±(1 + 0.003·(t - 1100)) °C above.
inline constexpr TToleranceClass ThermocoupleClasses[] = {
    {'T', "1", "", -40, 350, trGreaterOf, 0.5, 0.004, 0},
    {'E', "1", "", -40, 800, trGreaterOf, 1.5, 0.004, 0},
    {'J', "1", "", -40, 750, trGreaterOf, 1.5, 0.004, 0},
    {'K', "1", "", -40, 1000, trGreaterOf, 1.5, 0.004, 0},
    {'N', "1", "", -40, 1000, trGreaterOf, 1.5, 0.004, 0},
    {'R', "1", "", 0, 1100, trSum, 1.0, 0, 0},
    {'R', "1", "", 1100, 1600, trSum, 1.0, 0.003, 1100},
    {'S', "1", "", 0, 1100, trSum, 1.0, 0, 0},
    {'S', "1", "", 1100, 1600, trSum, 1.0, 0.003, 1100},
    {'T', "2", "", -40, 350, trGreaterOf, 1.0, 0.0075, 0},
    {'E', "2", "", -40, 900, trGreaterOf, 2.5, 0.0075, 0},
    {'J', "2", "", -40, 750, trGreaterOf, 2.5, 0.0075, 0},
    {'K', "2", "", -40, 1200, trGreaterOf, 2.5, 0.0075, 0},
    {'N', "2", "", -40, 1200, trGreaterOf, 2.5, 0.0075, 0},
    {'R', "2", "", 0, 1600, trGreaterOf, 1.5, 0.0025, 0},
    {'S', "2", "", 0, 1600, trGreaterOf, 1.5, 0.0025, 0},
    {'B', "2", "", 600, 1700, trGreaterOf, 0, 0.0025, 0},
    {'T', "3", "", -200, 40, trGreaterOf, 1.0, 0.015, 0},
    {'E', "3", "", -200, 40, trGreaterOf, 2.5, 0.015, 0},
    {'K', "3", "", -200, 40, trGreaterOf, 2.5, 0.015, 0},
    {'N', "3", "", -200, 40, trGreaterOf, 2.5, 0.015, 0},
    {'B', "3", "", 600, 1700, trGreaterOf, 4.0, 0.005, 0},
};

// A class of one sensor: its rows (one, or two for R and S class 1).
struct TClassKey
{
    char Sensor = 0;
    std::string_view Name;
};

// The class that `text` names for a platinum thermometer ('P') or a thermocouple (its letter):
// AA, A, B, C (wire-wound), the designations W 0.1 ... F 0.6 with or without the space, or 1, 2,
// 3; letters in either case. Nothing when the sensor has no such class.
std::optional<TClassKey> FindToleranceClass(char sensor, std::string_view text);

// How the class is written: "A (W 0.15)", "class 2".
std::string ClassLabel(const TClassKey &key);

// The temperatures over which the class is defined, °C.
struct TClassRange
{
    double Low;
    double High;
};
TClassRange ClassRange(const TClassKey &key);

// The permitted deviation (°C, positive) at t °C; nothing outside the class's range.
std::optional<double> PermittedDeviation(const TClassKey &key, double t);

// Every class of the sensor ('P' or a thermocouple letter), in table order.
std::vector<TClassKey> ToleranceClassesOf(char sensor);

// The classes of the sensor that a deviation from the reference temperature t (both °C) meets:
// t is within the class's range and |deviation| is at most the permitted deviation at t.
std::vector<TClassKey> ClassesMet(char sensor, double t, double deviation);

} // namespace temperature
