// SPDX-License-Identifier: MIT
#pragma once

// NTC thermistors by their data: the beta model referred to 25 °C, the Steinhart-Hart equation
// with a sensor's own coefficients, and Steinhart-Hart fits to makers' tables of common 10 kΩ
// parts. The window's NTC2252 remains in ResistiveSensors.h.

#include "Extended.h"

#include <string_view>

namespace temperature {

enum class TThermistorModel : unsigned char {
    Beta,         // R = R25·exp(B·(1/T - 1/T25)), T in kelvin
    SteinhartHart // 1/T = a + b·ln R + c·(ln R)³, R in ohms
};

struct TThermistorData
{
    std::string_view Name;  // the curve's name in velmora-cli
    std::string_view Title; // what it is, for help texts and messages
    TThermistorModel Model;
    Extended R25;  // Ω at 25 °C (beta model)
    Extended Beta; // K (beta model)
    Extended A, B, C;
    double TempMin; // °C, the range over which the curve is defined
    double TempMax;
};

// A thermistor given by its beta or coefficients is taken over -80 to 150 °C.
inline constexpr double ThermistorTempMin = -80;
inline constexpr double ThermistorTempMax = 150;

// Three-point fits (at the range's ends and 25 °C) to the makers' published tables; they are not
// the makers' own coefficients. The largest differences from the tables over the ranges are
// 0.07 K (SEMITEC, EPCOS B57330V2103), 0.22 K (Murata) and 0.16 K (EPCOS B57891S0103).
inline constexpr TThermistorData ThermistorCurves[] = {
    {"semitec-103at", "10 kohm NTC, SEMITEC 103AT (B25/85 3435 K)", TThermistorModel::SteinhartHart,
     0, 0, 8.8619858528E-04L, 2.5143049170E-04L, 1.9461693883E-07L, -40, 110},
    {"epcos-b57330v2103", "10 kohm NTC, EPCOS B57330V2103 (B25/85 3435 K)",
     TThermistorModel::SteinhartHart, 0, 0, 8.7944165099E-04L, 2.5270654271E-04L, 1.8822269356E-07L,
     -40, 125},
    {"murata-ncpxh103", "10 kohm NTC, Murata NCP..XH103 (B25/85 3434 K)",
     TThermistorModel::SteinhartHart, 0, 0, 8.6139327375E-04L, 2.5637693320E-04L, 1.6805523659E-07L,
     -40, 125},
    {"epcos-b57891s0103", "10 kohm NTC, EPCOS B57891S0103 (B25/100 3951 K)",
     TThermistorModel::SteinhartHart, 0, 0, 1.1206274387E-03L, 2.3383484530E-04L, 1.0199512209E-07L,
     -40, 125},
};

// The named curve; nullptr for an unknown name.
const TThermistorData *FindThermistorCurve(std::string_view name);

// One thermistor. Results are computed in extended precision and rounded once to double.
class TThermistor
{
public:
    explicit TThermistor(const TThermistorData &data);
    static TThermistor Beta(Extended r25, Extended beta);
    static TThermistor SteinhartHart(Extended a, Extended b, Extended c);

    const TThermistorData &Data() const { return m_data; }

    // Ω at t °C. Throws ECannotCalculate outside the range or where the curve turns back
    // (MonotonicOver); an arith failure where a trapping processor would fault.
    double Resistance(Extended t) const;
    // °C at r Ω. Throws ECannotCalculate for a temperature outside the range, an arith failure
    // for a resistance that is not positive.
    double Temperature(Extended r) const;

    // Whether the resistance falls throughout tLow..tHigh (°C): B > 0 for the beta model; for
    // Steinhart-Hart b + 3c·(ln R)² > 0 wherever 1/T lies between 1/(tHigh + 273.15) and
    // 1/(tLow + 273.15).
    bool MonotonicOver(double tLow, double tHigh) const;

private:
    TThermistorData m_data;
};

} // namespace temperature
