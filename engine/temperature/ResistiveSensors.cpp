// SPDX-License-Identifier: MIT
#include "temperature/ResistiveSensors.h"

#include "arith.h"
#include "temperature/ExtendedMath.h"

#include <cmath>

namespace temperature {

namespace {

namespace pt {
constexpr Extended R0 = 1000.0L;
constexpr Extended A = 3.9083E-3L;
constexpr Extended B = 5.775E-7L;  // subtracted
constexpr Extended C = 4.183E-12L; // subtracted, below 0 °C only
// The vertex of the quadratic, a stored constant: A/(2B) would be 3383.8095...
constexpr double K = 3383.805230592;
// Fitted inverse below R0, in x = R/R0.
constexpr Extended P[]
    = {-241.96560251L, 221.63854354L, 28.548406119L, -9.960255151L, 1.7389080065L};
constexpr double LowBound = -210;
constexpr double HighBound = 650;
} // namespace pt

namespace ni {
constexpr Extended R0 = 1000.0L;
constexpr Extended A = 5.485E-3L;
constexpr Extended B = 6.65E-6L;
constexpr Extended D = 2.805E-11L;
constexpr Extended F = 2E-17L; // subtracted
constexpr double Breakpoint = 1618;
constexpr Extended QBelow[] = {-251.0519L, 0.3574185L, -1.536441E-4L, 5.692404E-8L, -9.646537E-12L};
constexpr Extended QFrom[] = {-220.471L, 0.266355L, -5.2528E-5L, 7.17059E-9L, -4.8468E-13L};
constexpr double LowBound = -50;
constexpr double HighBound = 300;
} // namespace ni

namespace ntc {
constexpr Extended A = 1.468E-3L;
constexpr Extended B = 2.383E-4L;
constexpr Extended C = 1.007E-7L;
constexpr Extended K = 788.8116517709367759L; // B / (3C)
constexpr Extended KelvinOffset = 273.15L;
} // namespace ntc

// q[0] + q[1]·x + ... + q[4]·x⁴, each power by repeated multiplication.
Extended Quartic(const Extended (&q)[5], Extended x)
{
    const Extended x2 = x * x;
    const Extended x3 = x2 * x;
    const Extended x4 = x3 * x;
    return q[0] + q[1] * x + q[2] * x2 + q[3] * x3 + q[4] * x4;
}

} // namespace

double PtTempToRes(double t)
{
    const Extended tx = t;
    Extended r = 1 + pt::A * tx - pt::B * (tx * tx);
    if (t < 0)
        r -= pt::C * (tx - 100) * (tx * tx * tx);
    return arith::ToDouble(pt::R0 * r);
}

double PtResToTemp(double r)
{
    return PtResToTempUpTo(r, pt::HighBound);
}

double PtResToTempUpTo(double r, double highBound)
{
    const double x = arith::ToDouble(r / pt::R0);
    double t = 0;
    if (x < 1) {
        t = arith::ToDouble(Quartic(pt::P, x));
    } else {
        const Extended k = pt::K;
        const double d = arith::ToDouble(k * k - (x - 1) / pt::B);
        if (d < 0)
            return TempOutOfRange;
        t = arith::ToDouble(k - std::sqrt(static_cast<Extended>(d)));
    }
    if (t < pt::LowBound || t > highBound)
        return TempOutOfRange;
    return t;
}

double NiTempToRes(double t)
{
    const Extended tx = t;
    const Extended t2 = tx * tx;
    const Extended t4 = t2 * t2;
    const Extended t6 = t4 * t2;
    return arith::ToDouble(ni::R0 * (1 + ni::A * tx + ni::B * t2 + ni::D * t4 - ni::F * t6));
}

double NiResToTemp(double r)
{
    const double t = arith::ToDouble(Quartic(r < ni::Breakpoint ? ni::QBelow : ni::QFrom, r));
    if (t < ni::LowBound || t > ni::HighBound)
        return TempOutOfRange;
    return t;
}

double NtcTempToRes(double t)
{
    using namespace ntc;
    // Steinhart-Hart solved for L = ln R as the depressed cubic L³ + 3K·L + alpha = 0.
    const double tk = arith::ToDouble(t + KelvinOffset);
    if (tk == 0)
        throw arith::EZeroDivide();
    // C is not zero, and a finite 1/tk keeps alpha finite in extended precision
    const double alpha = arith::ToDouble((A - 1 / static_cast<Extended>(tk)) / C);
    const Extended a = alpha;
    const double beta = arith::ToDouble(std::sqrt(K * K * K + a * a / 4));
    const Extended u = ExtExp(ExtLn(beta - a / 2) / 3);
    const Extended v = ExtExp(ExtLn(beta + a / 2) / 3);
    return arith::ToDouble(ExtExp(u - v));
}

double NtcResToTemp(double r)
{
    using namespace ntc;
    const Extended l = ExtLn(r);
    const Extended denominator = A + B * l + C * (l * l * l);
    if (denominator == 0)
        throw arith::EZeroDivide();
    return arith::ToDouble(1 / denominator - KelvinOffset);
}

} // namespace temperature
