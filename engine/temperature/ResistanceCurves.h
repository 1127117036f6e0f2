// SPDX-License-Identifier: MIT
#pragma once

// Resistance thermometers of any size on the curves that field instruments use: platinum on the
// IEC 60751 curve and on two older alpha values, a calibrated platinum sensor's own
// Callendar-Van Dusen coefficients, the Ni1000 TK5000 building-automation curve and copper.
// Every curve is R(t) = R0 · W(t) with W a polynomial of at most the fourth degree on each side of
// 0 °C; the window's own Pt100, Pt1000 and Ni1000 remain in ResistiveSensors.h.

#include "Extended.h"

#include <array>
#include <string_view>

namespace temperature {

// W(t) = Σ c[i]·tⁱ, t in °C.
using TCurvePolynomial = std::array<Extended, 5>;

struct TRtdCurveData
{
    std::string_view Name;  // the curve's name in velmora-cli
    std::string_view Title; // what it is, for help texts and messages
    Extended R0;         // the nominal resistance at 0 °C, Ω
    TCurvePolynomial Above; // W from 0 °C
    TCurvePolynomial Below; // W below 0 °C
    double TempMin;         // °C, the range over which the curve is defined
    double TempMax;
};

// Callendar-Van Dusen: W = 1 + A·t + B·t² from 0 °C and 1 + A·t + B·t² + C·(t - 100)·t³ below,
// the coefficients signed as IEC 60751 prints them (B and C negative for platinum).
constexpr TCurvePolynomial CvdAbove(Extended a, Extended b)
{
    return {1, a, b, 0, 0};
}

constexpr TCurvePolynomial CvdBelow(Extended a, Extended b, Extended c)
{
    return {1, a, b, -100 * c, c};
}

// IEC 60751 (alpha 0.00385): the curve of the window's Pt100 and Pt1000 and of their tolerance
// classes.
inline constexpr Extended Iec60751A = 3.9083E-3L;
inline constexpr Extended Iec60751B = -5.775E-7L;
inline constexpr Extended Iec60751C = -4.183E-12L;
inline constexpr double PlatinumTempMin = -200;
inline constexpr double PlatinumTempMax = 850;

// The range that IEC 60751 gives its platinum curve serves for every platinum curve here; the
// sources of the older alpha values state none. GOST 6651 gives the copper range; the Ni1000
// TK5000 range is that of the instruments that read it (the polynomial is quoted from -60 °C
// elsewhere); the range of the copper alpha 0.00427 is the maker's, its curve 10 Ω at 25 °C.
inline constexpr TRtdCurveData RtdCurves[] = {
    {"pt385", "platinum, alpha 0.00385 (IEC 60751)", 100, CvdAbove(Iec60751A, Iec60751B),
     CvdBelow(Iec60751A, Iec60751B, Iec60751C), PlatinumTempMin, PlatinumTempMax},
    {"pt3916", "platinum, alpha 0.003916 (JIS C 1604-1981, JPt100)", 100,
     CvdAbove(3.9739E-3L, -5.870E-7L), CvdBelow(3.9739E-3L, -5.870E-7L, -4.4E-12L), PlatinumTempMin,
     PlatinumTempMax},
    {"pt3926", "platinum, alpha 0.003926", 100, CvdAbove(3.9848E-3L, -5.870E-7L),
     CvdBelow(3.9848E-3L, -5.870E-7L, -4.0E-12L), PlatinumTempMin, PlatinumTempMax},
    {"ni1000-tk5000",
     "nickel, TK 5000 ppm/K (LG-Ni1000)",
     1000,
     {1, 4.427E-3L, 5.172E-6L, 5.585E-9L, 0},
     {1, 4.427E-3L, 5.172E-6L, 5.585E-9L, 0},
     -30,
     160},
    // below 0 °C W = 1 + A·t + B·t·(t + 6.7) + C·t³
    {"cu428",
     "copper, alpha 0.00428 (GOST 6651-2009)",
     100,
     {1, 4.28E-3L, 0, 0, 0},
     {1, 4.28E-3L + 6.7L * -6.2032E-7L, -6.2032E-7L, 8.5154E-10L, 0},
     -180,
     200},
    {"cu427",
     "copper, alpha 0.00427, 10 ohm at 25 °C",
     10 / (1 + 25 * 0.00427L),
     {1, 0.00427L, 0, 0, 0},
     {1, 0.00427L, 0, 0, 0},
     -100,
     260},
};

// The named curve; nullptr for an unknown name.
const TRtdCurveData *FindRtdCurve(std::string_view name);

// One resistance thermometer: a curve at a size. Results are computed in extended precision and
// rounded once to double.
class TRtdCurve
{
public:
    TRtdCurve(const TRtdCurveData &curve, Extended r0);

    // A sensor with its own Callendar-Van Dusen coefficients over the platinum range.
    static TRtdCurve CallendarVanDusen(Extended a, Extended b, Extended c, Extended r0);

    const TRtdCurveData &Curve() const { return m_curve; }
    Extended R0() const { return m_r0; }

    // Ω at t °C. Throws ECannotCalculate outside the curve's range.
    double Resistance(Extended t) const;
    // °C at r Ω. Throws ECannotCalculate for a resistance without a temperature in the range.
    // Assumes a curve that rises over its whole range (MonotonicOver).
    double Temperature(Extended r) const;
    // dR/dt in Ω/°C.
    Extended Slope(Extended t) const;

    // Whether the resistance rises throughout tLow..tHigh (°C); the polynomials' derivatives are
    // examined at the ends and at their turning points, not sampled.
    bool MonotonicOver(double tLow, double tHigh) const;

private:
    TRtdCurveData m_curve;
    Extended m_r0;
};

} // namespace temperature
