// SPDX-License-Identifier: MIT
#include "temperature/Thermocouples.h"

#include "arith.h"
#include "temperature/ExtendedMath.h"
#include "temperature/Its90Coefficients.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

namespace temperature {

namespace {

using Coeffs = std::span<const Extended>;

// Indexed by TThermocoupleType (J, K, S, B, T, N, E, R). Type N has no range test; its row is the
// range of its published functions. Some ranges reach a little beyond the standard's functions,
// whose outer branch is then extrapolated. Types E and R take NIST's ranges; R's inverse reaches
// down to -226.5 µV, the emf at -50 °C being -226.47 µV (printed as -0.226 mV), so that every
// accepted temperature has its inverse.
constexpr TTcRange TempRanges[] = {{-210, 1200}, {-270, 1372}, {-50, 1768},  {0, 1820},
                                   {-270, 401},  {-270, 1300}, {-270, 1000}, {-50, 1768.1f}};
constexpr TTcRange VoltRanges[]
    = {{-8095, 69553}, {-5891, 54886}, {-235, 18694},  {291, 13820},
       {-6300, 21000}, {-3990, 47513}, {-8825, 76373}, {-226.5f, 21103}};
static_assert(std::size(TempRanges) == ThermocoupleTypeCount);

bool InRange(const TTcRange (&ranges)[ThermocoupleTypeCount], TThermocoupleType tcType, float x)
{
    if (tcType == tcN)
        return true;
    if (tcType >= ThermocoupleTypeCount)
        return false;
    const TTcRange &range = ranges[tcType];
    return x >= range.Low && x <= range.High;
}

// Σ c[i]·xⁱ with each term formed as the coefficient multiplied by x, i times (not Horner's
// scheme), added from the constant term upward.
Extended Polynomial(Coeffs c, Extended x)
{
    Extended sum = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        Extended term = c[i];
        for (std::size_t j = 0; j < i; ++j)
            term *= x;
        sum += term;
    }
    return sum;
}

// Type K from 0 °C: the reference polynomial plus a0'·exp(a1·(t - a2)²).
Extended KPositive(Extended t)
{
    const Extended a0 = its90::KReferenceExp[0];
    const Extended a1 = its90::KReferenceExp[1];
    const Extended a2 = its90::KReferenceExp[2];
    const Extended d = t - a2;
    return Polynomial(its90::KReference2, t) + a0 * ExtExp(a1 * (d * d));
}

// Breakpoints between two functions of the standard, compared in extended precision.
constexpr Extended SBreak1 = 1064.18L;
constexpr Extended SBreak2 = 1664.5L;
constexpr Extended BBreak = 630.615L;
constexpr Extended RBreak1 = 1064.18L;
constexpr Extended RBreak2 = 1664.5L;

Extended ReferenceFunction(TThermocoupleType tcType, Extended t)
{
    // by number: types E and R are codes beyond the enumeration's own
    switch (static_cast<int>(tcType)) {
    case tcJ:
        return Polynomial(t < 760 ? Coeffs(its90::JReference1) : Coeffs(its90::JReference2), t);
    case tcK:
        return t < 0 ? Polynomial(its90::KReference1, t) : KPositive(t);
    case tcS:
        if (t < SBreak1)
            return Polynomial(its90::SReference1, t);
        return Polynomial(t < SBreak2 ? Coeffs(its90::SReference2) : Coeffs(its90::SReference3), t);
    case tcB:
        return Polynomial(t < BBreak ? Coeffs(its90::BReference1) : Coeffs(its90::BReference2), t);
    case tcT:
        return Polynomial(t < 0 ? Coeffs(its90::TReference1) : Coeffs(its90::TReference2), t);
    case tcN:
        return Polynomial(t < 0 ? Coeffs(its90::NReference1) : Coeffs(its90::NReference2), t);
    case tcE:
        return Polynomial(t < 0 ? Coeffs(its90::EReference1) : Coeffs(its90::EReference2), t);
    case tcR:
        if (t < RBreak1)
            return Polynomial(its90::RReference1, t);
        return Polynomial(t < RBreak2 ? Coeffs(its90::RReference2) : Coeffs(its90::RReference3), t);
    }
    return 0;
}

Extended InverseFunction(TThermocoupleType tcType, Extended e)
{
    Coeffs d;
    switch (static_cast<int>(tcType)) {
    case tcJ:
        d = e < 0 ? Coeffs(its90::JInverse1)
                  : (e < 42919 ? Coeffs(its90::JInverse2) : Coeffs(its90::JInverse3));
        break;
    case tcK:
        d = e < 0 ? Coeffs(its90::KInverse1)
                  : (e < 20644 ? Coeffs(its90::KInverse2) : Coeffs(its90::KInverse3));
        break;
    case tcS:
        // From 10332 µV, the lower end of the third function, where the second and third overlap.
        if (e < 1874)
            d = its90::SInverse1;
        else if (e < 10332)
            d = its90::SInverse2;
        else if (e < 17536)
            d = its90::SInverse3;
        else
            d = its90::SInverse4;
        break;
    case tcB:
        d = e < 2431 ? Coeffs(its90::BInverse1) : Coeffs(its90::BInverse2);
        break;
    case tcT:
        d = e < 0 ? Coeffs(its90::TInverse1) : Coeffs(its90::TInverse2);
        break;
    case tcN:
        d = e < 0 ? Coeffs(its90::NInverse1)
                  : (e < 20613 ? Coeffs(its90::NInverse2) : Coeffs(its90::NInverse3));
        break;
    case tcE:
        d = e < 0 ? Coeffs(its90::EInverse1) : Coeffs(its90::EInverse2);
        break;
    case tcR:
        // As type S: from 11361 µV, where the second and third functions overlap, the third.
        if (e < 1923)
            d = its90::RInverse1;
        else if (e < 11361)
            d = its90::RInverse2;
        else if (e < 19739)
            d = its90::RInverse3;
        else
            d = its90::RInverse4;
        break;
    default:
        return 0;
    }
    return Polynomial(d, e);
}

// The published ranges of the inverse functions in whole microvolts, and the temperatures from
// which they start, indexed by TThermocoupleType.
constexpr TTcRange InverseVoltRanges[]
    = {{-8095, 69553}, {-5891, 54886}, {-235, 18693},  {291, 13820},
       {-5603, 20872}, {-3990, 47513}, {-8825, 76373}, {-226, 21103}};
constexpr float InverseTempLows[] = {-210, -200, -50, 250, -200, -200, -200, -50};
static_assert(std::size(InverseVoltRanges) == ThermocoupleTypeCount);
static_assert(std::size(InverseTempLows) == ThermocoupleTypeCount);

// How far beyond its published range the inverse function still serves: half the unit the range
// is printed in.
constexpr Extended InverseReach = 0.5L;

// The temperature between tLow and tHigh whose reference emf is e, by bisection; the reference
// functions rise over every image.
Extended SolveReference(TThermocoupleType tcType, Extended e, Extended tLow, Extended tHigh)
{
    for (int i = 0; i < 200; ++i) {
        const Extended mid = (tLow + tHigh) / 2;
        if (mid <= tLow || mid >= tHigh)
            break;
        (ReferenceFunction(tcType, mid) < e ? tLow : tHigh) = mid;
    }
    return (tLow + tHigh) / 2;
}

} // namespace

TTcImage TcImageUpTo(TThermocoupleType tcType, float tempHigh)
{
    if (tcType >= ThermocoupleTypeCount)
        return {};
    const float tempLow = InverseTempLows[tcType];
    return {{tempLow, tempHigh},
            {arith::ToSingle(ReferenceFunction(tcType, tempLow)),
             arith::ToSingle(ReferenceFunction(tcType, tempHigh))}};
}

std::optional<float> TcOntoImage(const TTcImage &image, float e)
{
    constexpr int Steps = 2;
    float low = image.Volt.Low;
    float high = image.Volt.High;
    if (e >= low && e <= high)
        return e;
    for (int i = 0; i < Steps; ++i) {
        low = std::nextafter(low, -HUGE_VALF);
        high = std::nextafter(high, HUGE_VALF);
    }
    if (e >= low && e < image.Volt.Low)
        return image.Volt.Low;
    if (e <= high && e > image.Volt.High)
        return image.Volt.High;
    return std::nullopt;
}

float TcImageVoltToTemp(TThermocoupleType tcType, const TTcImage &image, float e)
{
    if (tcType >= ThermocoupleTypeCount)
        return 0;
    const Extended v = std::clamp(e, image.Volt.Low, image.Volt.High);
    const TTcRange &published = InverseVoltRanges[tcType];
    if (v >= published.Low - InverseReach && v <= published.High + InverseReach)
        return arith::ToSingle(InverseFunction(tcType, v));
    return arith::ToSingle(SolveReference(tcType, v, image.Temp.Low, image.Temp.High));
}

bool TcTempInRange(TThermocoupleType tcType, float t)
{
    return InRange(TempRanges, tcType, t);
}

bool TcVoltInRange(TThermocoupleType tcType, float e)
{
    return InRange(VoltRanges, tcType, e);
}

float TcTempToVolt(TThermocoupleType tcType, float t)
{
    if (!TcTempInRange(tcType, t))
        return 0;
    return arith::ToSingle(ReferenceFunction(tcType, t));
}

float TcVoltToTemp(TThermocoupleType tcType, float e)
{
    if (!TcVoltInRange(tcType, e))
        return 0;
    return arith::ToSingle(InverseFunction(tcType, e));
}

TTcRange TcTempRange(TThermocoupleType tcType)
{
    return tcType < ThermocoupleTypeCount ? TempRanges[tcType] : TTcRange{0, 0};
}

TTcRange TcVoltRange(TThermocoupleType tcType)
{
    return tcType < ThermocoupleTypeCount ? VoltRanges[tcType] : TTcRange{0, 0};
}

char ThermocoupleLetter(TThermocoupleType tcType)
{
    constexpr char Letters[] = "JKSBTNER";
    return tcType < ThermocoupleTypeCount ? Letters[tcType] : 0;
}

TThermocoupleType ThermocoupleTypeOf(TSensorType sensor)
{
    switch (sensor) {
    case stTcK:
        return tcK;
    case stTcJ:
        return tcJ;
    case stTcS:
        return tcS;
    case stTcB:
        return tcB;
    case stTcT:
        return tcT;
    case stTcN:
        return tcN;
    default:
        return NotAThermocouple;
    }
}

} // namespace temperature
