// SPDX-License-Identifier: MIT
#include "temperature/Thermistors.h"

#include "arith.h"
#include "temperature/SensorCalculation.h"

#include <algorithm>
#include <cmath>

namespace temperature {

namespace {

constexpr Extended KelvinOffset = 273.15L;
constexpr Extended T25 = 25 + KelvinOffset;

// Steinhart-Hart's 1/T at ln R = l.
Extended InverseKelvin(const TThermistorData &d, Extended l)
{
    return d.A + d.B * l + d.C * (l * l * l);
}

// The turning point of a + b·l + c·l³ for c < 0 and b > 0: between -lm and lm it rises.
Extended TurningPoint(const TThermistorData &d)
{
    return std::sqrt(-d.B / (3 * d.C));
}

// ln R at 1/T = y on a rising Steinhart-Hart curve.
Extended SteinhartHartLn(const TThermistorData &d, Extended y)
{
    if (d.C == 0)
        return (y - d.A) / d.B;
    if (d.C > 0) {
        // l³ + p·l + q = 0 with p > 0 has one real root; of Cardano's two cube roots the larger is
        // formed directly and the other from their product -p/3, which avoids cancellation.
        const Extended p = d.B / d.C;
        const Extended q = (d.A - y) / d.C;
        const Extended s = std::sqrt(q * q / 4 + p * p * p / 27);
        const Extended u = std::cbrt(q > 0 ? -q / 2 - s : -q / 2 + s);
        return u == 0 ? 0 : u - p / (3 * u);
    }
    // c < 0: the root between the turning points, by bisection.
    Extended lo = -TurningPoint(d);
    Extended hi = -lo;
    for (int i = 0; i < 128 && hi - lo > 0; ++i) {
        const Extended mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi)
            break;
        (InverseKelvin(d, mid) < y ? lo : hi) = mid;
    }
    return lo + (hi - lo) / 2;
}

} // namespace

const TThermistorData *FindThermistorCurve(std::string_view name)
{
    const auto it = std::find_if(std::begin(ThermistorCurves), std::end(ThermistorCurves),
                                 [name](const TThermistorData &c) { return c.Name == name; });
    return it == std::end(ThermistorCurves) ? nullptr : &*it;
}

TThermistor::TThermistor(const TThermistorData &data)
    : m_data(data)
{
}

TThermistor TThermistor::Beta(Extended r25, Extended beta)
{
    return TThermistor({"beta", "NTC thermistor, beta model", TThermistorModel::Beta, r25, beta, 0,
                        0, 0, ThermistorTempMin, ThermistorTempMax});
}

TThermistor TThermistor::SteinhartHart(Extended a, Extended b, Extended c)
{
    return TThermistor({"sh", "NTC thermistor, Steinhart-Hart coefficients given",
                        TThermistorModel::SteinhartHart, 0, 0, a, b, c, ThermistorTempMin,
                        ThermistorTempMax});
}

double TThermistor::Resistance(Extended t) const
{
    if (!(t >= m_data.TempMin && t <= m_data.TempMax) || !MonotonicOver(t, t))
        throw ECannotCalculate();
    const Extended y = 1 / (t + KelvinOffset);
    if (m_data.Model == TThermistorModel::Beta)
        return arith::Checked(
            static_cast<double>(m_data.R25 * arith::Exp(m_data.Beta * (y - 1 / T25))));
    return arith::Checked(static_cast<double>(arith::Exp(SteinhartHartLn(m_data, y))));
}

double TThermistor::Temperature(Extended r) const
{
    Extended y = 0;
    if (m_data.Model == TThermistorModel::Beta)
        y = 1 / T25 + arith::Div(arith::Ln(arith::Div(r, m_data.R25)), m_data.Beta);
    else
        y = InverseKelvin(m_data, arith::Ln(r));
    if (!(y > 0))
        throw ECannotCalculate();
    // A curve fitted through its range's ends gives them back only to the rounding of its
    // coefficients: some 1e-9 °C.
    constexpr Extended Slack = 1e-6L;
    const Extended t = 1 / y - KelvinOffset;
    if (!(t >= m_data.TempMin - Slack && t <= m_data.TempMax + Slack))
        throw ECannotCalculate();
    return static_cast<double>(t);
}

bool TThermistor::MonotonicOver(double tLow, double tHigh) const
{
    if (m_data.Model == TThermistorModel::Beta)
        return m_data.Beta > 0 && m_data.R25 > 0;
    if (!(m_data.B > 0))
        return false;
    if (m_data.C >= 0)
        return true;
    const Extended lo = std::max(tLow, m_data.TempMin) + KelvinOffset;
    const Extended hi = std::min(tHigh, m_data.TempMax) + KelvinOffset;
    const Extended lm = TurningPoint(m_data);
    return InverseKelvin(m_data, -lm) < 1 / hi && 1 / lo < InverseKelvin(m_data, lm);
}

} // namespace temperature
