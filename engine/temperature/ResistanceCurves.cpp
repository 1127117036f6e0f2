// SPDX-License-Identifier: MIT
#include "temperature/ResistanceCurves.h"

#include "arith.h"
#include "temperature/SensorCalculation.h"

#include <algorithm>
#include <cmath>

namespace temperature {

namespace {

Extended Evaluate(const TCurvePolynomial &c, Extended t)
{
    return (((c[4] * t + c[3]) * t + c[2]) * t + c[1]) * t + c[0];
}

Extended Derivative(const TCurvePolynomial &c, Extended t)
{
    return ((4 * c[4] * t + 3 * c[3]) * t + 2 * c[2]) * t + c[1];
}

// Whether W' > 0 on lo..hi: the cubic W' is smallest at an end or where W'' = 0.
bool RisesOver(const TCurvePolynomial &c, Extended lo, Extended hi)
{
    if (Derivative(c, lo) <= 0 || Derivative(c, hi) <= 0)
        return false;
    // W'' = 2·c2 + 6·c3·t + 12·c4·t²
    const Extended qa = 12 * c[4];
    const Extended qb = 6 * c[3];
    const Extended qc = 2 * c[2];
    const auto risesAt = [&](Extended t) {
        return t <= lo || t >= hi || Derivative(c, t) > 0;
    };
    if (qa == 0)
        return qb == 0 || risesAt(-qc / qb);
    const Extended discriminant = qb * qb - 4 * qa * qc;
    if (discriminant < 0)
        return true;
    const Extended root = std::sqrt(discriminant);
    return risesAt((-qb - root) / (2 * qa)) && risesAt((-qb + root) / (2 * qa));
}

} // namespace

const TRtdCurveData *FindRtdCurve(std::string_view name)
{
    const auto it = std::find_if(std::begin(RtdCurves), std::end(RtdCurves),
                                 [name](const TRtdCurveData &c) { return c.Name == name; });
    return it == std::end(RtdCurves) ? nullptr : &*it;
}

TRtdCurve::TRtdCurve(const TRtdCurveData &curve, Extended r0)
    : m_curve(curve)
    , m_r0(r0)
{
}

TRtdCurve TRtdCurve::CallendarVanDusen(Extended a, Extended b, Extended c, Extended r0)
{
    const TRtdCurveData curve{"cvd",
                              "platinum, Callendar-Van Dusen coefficients given",
                              r0,
                              CvdAbove(a, b),
                              CvdBelow(a, b, c),
                              PlatinumTempMin,
                              PlatinumTempMax};
    return TRtdCurve(curve, r0);
}

double TRtdCurve::Resistance(Extended t) const
{
    if (!(t >= m_curve.TempMin && t <= m_curve.TempMax))
        throw ECannotCalculate();
    const Extended w = Evaluate(t < 0 ? m_curve.Below : m_curve.Above, t);
    return arith::Checked(static_cast<double>(m_r0 * w));
}

Extended TRtdCurve::Slope(Extended t) const
{
    return m_r0 * Derivative(t < 0 ? m_curve.Below : m_curve.Above, t);
}

double TRtdCurve::Temperature(Extended r) const
{
    const Extended lo = m_curve.TempMin;
    const Extended hi = m_curve.TempMax;
    const auto w = [this](Extended t) {
        return Evaluate(t < 0 ? m_curve.Below : m_curve.Above, t);
    };
    // the limits as Resistance gives them, so that each of its results has a temperature
    if (!(r >= Resistance(lo) && r <= Resistance(hi)))
        throw ECannotCalculate();
    const Extended x = std::clamp(r / m_r0, w(lo), w(hi));
    // Newton's method kept inside a shrinking bracket, bisecting where a step would leave it.
    Extended below = lo;
    Extended above = hi;
    const Extended a = m_curve.Above[1];
    Extended t = a > 0 ? std::clamp((x - 1) / a, lo, hi) : lo + (hi - lo) / 2;
    for (int i = 0; i < 100; ++i) {
        const Extended f = w(t) - x;
        if (f == 0)
            break;
        (f < 0 ? below : above) = t;
        const Extended slope = Derivative(t < 0 ? m_curve.Below : m_curve.Above, t);
        Extended next = slope > 0 ? t - f / slope : below;
        if (!(next > below && next < above))
            next = below + (above - below) / 2;
        if (std::fabs(next - t) <= 1e-15L * (1 + std::fabs(t))) {
            t = next;
            break;
        }
        t = next;
    }
    return arith::Checked(static_cast<double>(t));
}

bool TRtdCurve::MonotonicOver(double tLow, double tHigh) const
{
    const Extended lo = std::max(tLow, m_curve.TempMin);
    const Extended hi = std::min(tHigh, m_curve.TempMax);
    if (lo < 0 && !RisesOver(m_curve.Below, lo, std::min(hi, Extended{0})))
        return false;
    return hi < 0 || RisesOver(m_curve.Above, std::max(lo, Extended{0}), hi);
}

} // namespace temperature
