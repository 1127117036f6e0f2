#include "temperature/ResistiveSensors.h"

#include "arith.h"
#include "temperature/ExtendedMath.h"
#include "temperature/ExtendedRounding.h"

#include <cmath>

namespace temperature {

namespace {

namespace pt {
constexpr long double R0 = 1000.0L;
constexpr long double A = 3.9083E-3L;
constexpr long double B = 5.775E-7L;  // subtracted
constexpr long double C = 4.183E-12L; // subtracted, below 0 °C only
// The vertex of the quadratic, a stored constant: A/(2B) would be 3383.8095...
constexpr double K = 3383.805230592;
// Fitted inverse below R0, in x = R/R0.
constexpr long double P[]
    = {-241.96560251L, 221.63854354L, 28.548406119L, -9.960255151L, 1.7389080065L};
constexpr double LowBound = -210;
constexpr double HighBound = 650;
} // namespace pt

namespace ni {
constexpr long double R0 = 1000.0L;
constexpr long double A = 5.485E-3L;
constexpr long double B = 6.65E-6L;
constexpr long double D = 2.805E-11L;
constexpr long double F = 2E-17L; // subtracted
constexpr double Breakpoint = 1618;
constexpr long double QBelow[]
    = {-251.0519L, 0.3574185L, -1.536441E-4L, 5.692404E-8L, -9.646537E-12L};
constexpr long double QFrom[] = {-220.471L, 0.266355L, -5.2528E-5L, 7.17059E-9L, -4.8468E-13L};
constexpr double LowBound = -50;
constexpr double HighBound = 300;
} // namespace ni

namespace ntc {
constexpr long double A = 1.468E-3L;
constexpr long double B = 2.383E-4L;
constexpr long double C = 1.007E-7L;
constexpr long double K = 788.8116517709367759L; // B / (3C)
constexpr long double KelvinOffset = 273.15L;
} // namespace ntc

// q[0] + q[1]·x + ... + q[4]·x⁴, each power by repeated multiplication.
long double Quartic(const long double (&q)[5], long double x)
{
    const long double x2 = x * x;
    const long double x3 = x2 * x;
    const long double x4 = x3 * x;
    return q[0] + q[1] * x + q[2] * x2 + q[3] * x3 + q[4] * x4;
}

} // namespace

double PtTempToRes(double t)
{
    const long double tx = t;
    long double r = 1 + pt::A * tx - pt::B * (tx * tx);
    if (t < 0)
        r -= pt::C * (tx - 100) * (tx * tx * tx);
    return ToDouble(pt::R0 * r);
}

double PtResToTemp(double r)
{
    return PtResToTempUpTo(r, pt::HighBound);
}

double PtResToTempUpTo(double r, double highBound)
{
    const double x = ToDouble(r / pt::R0);
    double t = 0;
    if (x < 1) {
        t = ToDouble(Quartic(pt::P, x));
    } else {
        const long double k = pt::K;
        const double d = ToDouble(k * k - (x - 1.0L) / pt::B);
        if (d < 0)
            return TempOutOfRange;
        t = ToDouble(k - std::sqrt(static_cast<long double>(d)));
    }
    if (t < pt::LowBound || t > highBound)
        return TempOutOfRange;
    return t;
}

double NiTempToRes(double t)
{
    const long double tx = t;
    const long double t2 = tx * tx;
    const long double t4 = t2 * t2;
    const long double t6 = t4 * t2;
    return ToDouble(ni::R0 * (1 + ni::A * tx + ni::B * t2 + ni::D * t4 - ni::F * t6));
}

double NiResToTemp(double r)
{
    const double t = ToDouble(Quartic(r < ni::Breakpoint ? ni::QBelow : ni::QFrom, r));
    if (t < ni::LowBound || t > ni::HighBound)
        return TempOutOfRange;
    return t;
}

double NtcTempToRes(double t)
{
    using namespace ntc;
    // Steinhart-Hart solved for L = ln R as the depressed cubic L³ + 3K·L + alpha = 0.
    const double tk = ToDouble(t + KelvinOffset);
    if (tk == 0)
        ThrowZeroDivide();
    // C is not zero, and a finite 1/tk keeps alpha finite in extended precision
    const double alpha = ToDouble((A - 1 / static_cast<long double>(tk)) / C);
    const long double a = alpha;
    const double beta = ToDouble(std::sqrt(K * K * K + a * a / 4));
    const long double u = ExtExp(ExtLn(beta - a / 2) / 3);
    const long double v = ExtExp(ExtLn(beta + a / 2) / 3);
    return ToDouble(ExtExp(u - v));
}

double NtcResToTemp(double r)
{
    using namespace ntc;
    const long double l = ExtLn(r);
    const long double denominator = A + B * l + C * (l * l * l);
    if (denominator == 0)
        ThrowZeroDivide();
    return ToDouble(1 / denominator - KelvinOffset);
}

} // namespace temperature
