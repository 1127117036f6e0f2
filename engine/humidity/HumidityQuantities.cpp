// SPDX-License-Identifier: MIT
#include "humidity/HumidityQuantities.h"

#include "humidity/HumidityConstants.h"
#include "humidity/HumidityInputLimits.h"

#include "arith.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace humidity {

using namespace constants;

namespace {

// A Newton step this small, relative to the absolute temperature, ends an iteration: a few units
// in the last place of a double.
const Ext NewtonTolerance = 8 * Ext(std::numeric_limits<double>::epsilon());
constexpr int NewtonLimit = 60;

// The wet bulb is searched for from here up to the air temperature.
constexpr Ext WetBulbLowest = -200.0L;
// Ends the wet-bulb search: far below what any result shows.
constexpr Ext WetBulbTolerance = 1e-10L;
constexpr int WetBulbLimit = 200;

constexpr Ext PartsPerMillion = 1e6L;

double Store(Ext x)
{
    return arith::Checked(static_cast<double>(x));
}

Ext Square(Ext x)
{
    return arith::Checked(x * x);
}

bool AirTempInRange(double t)
{
    return t >= InputTempMin && t <= InputTempMax;
}

// ln of Hardy's ice formulation at the absolute temperature T.
Ext LnSatIce(Ext absT)
{
    Ext power = arith::Div(Ext(1), absT); // T^(i-1), raised by one power of T a step
    Ext sum = 0.0L;
    for (Ext k : Its90K) {
        sum += k * power;
        power *= absT;
    }
    return sum + Its90K5 * arith::Ln(absT);
}

// The Magnus pressure with the constant set chosen by `selector`, as DewPoint chooses it by the air
// temperature.
Ext MagnusPressure(Ext t, double selector)
{
    if (selector >= 0)
        return MagnusBase * arith::Exp(arith::Div(MagnusWarmA * t, MagnusWarmB + t));
    return MagnusBase * arith::Exp(arith::Div(MagnusColdA * t, MagnusColdB + t));
}

// Mixing ratio, kg/kg, of vapour of pressure e in air at the total pressure p.
Ext MixingRatioOf(Ext e, Ext p)
{
    return arith::Div(MolarRatio * e, p - e);
}

// The adiabatic saturation at the wet bulb tw, per kilogram of dry air: what the air at t with
// mixing ratio w takes in (its enthalpy and the water evaporated into it, as liquid at tw) against
// what leaves saturated at tw. Zero at the wet bulb, rising with tw.
struct TBalance
{
    bool saturated = false; // the saturation pressure at tw reaches p: tw lies above the wet bulb
    Ext value = 0;
    Ext slope = 0; // d value / d tw
};

TBalance Balance(Ext t, Ext w, Ext p, Ext tw)
{
    const bool warm = tw >= 0;
    const Ext a = warm ? MagnusWarmA : MagnusColdA;
    const Ext b = warm ? MagnusWarmB : MagnusColdB;
    const Ext es = MagnusBase * arith::Exp(arith::Div(a * tw, b + tw));
    if (!(es < p))
        return {true, 0, 0};
    const Ext ws = MixingRatioOf(es, p);
    const Ext wsSlope
        = arith::Div(MolarRatio * p, Square(p - es)) * es * arith::Div(a * b, Square(b + tw));
    const Ext latentAtTw = LatentHeat0 + (VapourHeat - LiquidWaterHeat) * tw;
    const Ext value = DryAirHeat * (tw - t) + ws * latentAtTw
                      - w * (LatentHeat0 + VapourHeat * t - LiquidWaterHeat * tw);
    const Ext slope = DryAirHeat + wsSlope * latentAtTw + ws * (VapourHeat - LiquidWaterHeat)
                      + w * LiquidWaterHeat;
    return {false, value, slope};
}

// The mixing ratio, kg/kg, for which tw is the wet bulb of air at t; Balance solved for w.
Ext MixingRatioAtWetBulb(Ext t, Ext tw, Ext p, Ext es)
{
    const Ext ws = MixingRatioOf(es, p);
    return arith::Div((LatentHeat0 + (VapourHeat - LiquidWaterHeat) * tw) * ws
                          - DryAirHeat * (t - tw),
                      LatentHeat0 + VapourHeat * t - LiquidWaterHeat * tw);
}

// ± wet bulb: the balance differentiated implicitly, at the ITS-90 pressures; NoValue where the
// ITS-90 saturation at the wet bulb reaches the total pressure.
double WetBulbAccuracy(const TModuleState &s, Ext tw)
{
    const Ext p = s.Press;
    const Ext esW = SatVapourPressureITS90(double(tw));
    if (!(esW < p))
        return NoValueSentinel;
    const Ext t = s.Temp;
    const Ext esI = s.SatPressITS;
    const Ext eI = s.VapPressITS;
    const Ext ws = MixingRatioOf(esW, p);
    const Ext wsSlope = arith::Div(MolarRatio * p, Square(p - esW)) * esW
                        * Ext(SatPressLogSlope(double(tw + ZeroCelsius)));
    const Ext w = MixingRatioOf(eI, p);
    const Ext dWdE = arith::Div(MolarRatio * p, Square(p - eI));
    const Ext latentAtTw = LatentHeat0 + (VapourHeat - LiquidWaterHeat) * tw;

    const Ext dGdTw = DryAirHeat + wsSlope * latentAtTw + ws * (VapourHeat - LiquidWaterHeat)
                      + w * LiquidWaterHeat;
    const Ext dGdT = -DryAirHeat - w * VapourHeat;
    const Ext dGdW = -(LatentHeat0 + VapourHeat * t - LiquidWaterHeat * tw);
    const Ext dEdT = Ext(s.RelHum) / 100.0L * esI * Ext(SatPressLogSlope(double(t + ZeroCelsius)));

    const Ext twTemp = arith::Div(-(dGdT + dGdW * dWdE * dEdT), dGdTw);
    const Ext twRelHum = arith::Div(-(dGdW * dWdE * esI), dGdTw);
    return Store(std::fabs(twRelHum * Ext(s.RelHumAccuracy) / 100.0L)
                 + std::fabs(twTemp * Ext(s.TempAccuracy)));
}

} // namespace

double SatVapourPressureIce(double t)
{
    return Store(arith::Exp(LnSatIce(Ext(t) + ZeroCelsius)));
}

double IcePressLogSlope(double absT)
{
    const Ext te = absT;
    // d/dT of k_i·T^(i-1): (i-1)·k_i·T^(i-2), from T^-2 upwards.
    Ext power = arith::Div(Ext(1), te * te);
    Ext sum = 0.0L;
    for (int i = 0; i < 5; ++i) {
        sum += Ext(i - 1) * Its90K[i] * power;
        power *= te;
    }
    return Store(sum + arith::Div(Its90K5, te));
}

double FrostPoint(double e)
{
    if (!(e > 0))
        return NoValueSentinel;
    // Well above the ice point's pressure there is nothing to solve for.
    static const double icePointPressure = SatVapourPressureIce(0);
    if (e > icePointPressure * (1 + NewtonTolerance))
        return NoValueSentinel;
    const Ext lnE = arith::Ln(Ext(e));
    // Start from a Magnus fit over ice, then Newton on Hardy's formulation.
    const Ext l = lnE - std::log(611.15L);
    Ext absT = arith::Div(272.62L * l, 22.46L - l) + ZeroCelsius;
    if (!(absT > 0))
        absT = 1.0L;
    for (int i = 0; i < NewtonLimit; ++i) {
        const Ext step = arith::Div(LnSatIce(absT) - lnE, Ext(IcePressLogSlope(double(absT))));
        absT = std::max(absT - step, absT / 2);
        if (std::fabs(step) <= NewtonTolerance * absT)
            break;
    }
    const Ext tf = absT - ZeroCelsius;
    // Vapour just at the ice point may land a rounding above it.
    if (tf > 0)
        return tf < 1e-9L ? 0.0 : NoValueSentinel;
    // Below the ice formulation's range there is no frost point to give; the window's dew point
    // (Magnus over water, extrapolated) would there come out above it, as no frost point can.
    if (tf < InputTempMin)
        return NoValueSentinel;
    return Store(tf);
}

double DewPointITS90(double e)
{
    if (!(e > 0))
        return NoValueSentinel;
    const Ext ee = e;
    // Start from the Magnus inverse, then Newton on the ITS-90 formulation.
    const Ext l = arith::Ln(ee / MagnusBase);
    Ext absT = arith::Div(MagnusWarmB * l, MagnusWarmA - l) + ZeroCelsius;
    if (!(absT > 0))
        absT = 1.0L;
    for (int i = 0; i < NewtonLimit; ++i) {
        const Ext es = SatVapourPressureITS90(double(absT - ZeroCelsius));
        const Ext step = arith::Div(Ext(1) - ee / es, Ext(SatPressLogSlope(double(absT))));
        absT = std::max(absT - step, absT / 2);
        if (std::fabs(step) <= NewtonTolerance * absT)
            break;
    }
    return Store(absT - ZeroCelsius);
}

double WetBulb(double t, double e, double p)
{
    // Saturated air's vapour pressure, computed from 100 %, may round a few units above the
    // saturation pressure itself.
    const double saturated
        = SatVapourPressure(t) * (1 + 8 * std::numeric_limits<double>::epsilon());
    if (!(e >= 0 && e < p) || e > saturated)
        return NoValueSentinel;
    const Ext te = t;
    const Ext pe = p;
    const Ext w = MixingRatioOf(e, pe);
    Ext lo = WetBulbLowest;
    Ext hi = te;
    const TBalance atLowest = Balance(te, w, pe, lo);
    if (atLowest.saturated || !(atLowest.value < 0))
        return NoValueSentinel;
    // The balance is convex in tw: Newton from the air temperature comes down without overshoot;
    // the bracket catches the steps that would leave it.
    Ext x = hi;
    for (int i = 0; i < WetBulbLimit; ++i) {
        const TBalance b = Balance(te, w, pe, x);
        if (!b.saturated && b.value == 0)
            break;
        if (b.saturated || b.value > 0)
            hi = x;
        else
            lo = x;
        Ext next = (lo + hi) / 2;
        if (!b.saturated && b.slope > 0) {
            const Ext newton = x - b.value / b.slope;
            if (newton > lo && newton < hi)
                next = newton;
        }
        const Ext step = std::fabs(next - x);
        x = next;
        if (step <= WetBulbTolerance)
            break;
    }
    // At saturation the wet bulb is the air temperature; rounding must not lift it above.
    return Store(std::min(x, te));
}

double VolumeRatio(double e, double p)
{
    if (!(e >= 0 && e < p))
        return NoValueSentinel;
    return Store(PartsPerMillion * arith::Div(Ext(e), Ext(p) - Ext(e)));
}

TRelHumInput RelHumFromDewPoint(double t, double dewPoint)
{
    if (!AirTempInRange(t))
        return {NoValueSentinel, ifTempOutOfRange};
    if (!(dewPoint >= InputTempMin && dewPoint <= InputTempMax))
        return {NoValueSentinel, ifValueOutOfRange};
    // Saturated air's own dew point may lie a rounding above the air temperature.
    if (dewPoint > t && !(dewPoint <= DewPoint(t, SatVapourPressure(t))))
        return {NoValueSentinel, ifAboveAirTemperature};
    if (dewPoint > t)
        return {InputRelHumMax, ifNone};
    const Ext e = MagnusPressure(dewPoint, t);
    const double relHum = Store(100.0L * arith::Div(e, Ext(SatVapourPressure(t))));
    return {std::min(relHum, InputRelHumMax), ifNone};
}

TRelHumInput RelHumFromFrostPoint(double t, double frostPoint)
{
    if (!AirTempInRange(t))
        return {NoValueSentinel, ifTempOutOfRange};
    if (!(frostPoint >= InputTempMin && frostPoint <= InputFrostPointMax))
        return {NoValueSentinel, ifValueOutOfRange};
    const double relHum = Store(
        100.0L * arith::Div(Ext(SatVapourPressureIce(frostPoint)), Ext(SatVapourPressure(t))));
    if (relHum > InputRelHumMax) {
        // Saturated air's own frost point is solved to a tolerance, and may give a hair more.
        const double saturated = SaturationFrostPoint(t);
        if (saturated != NoValueSentinel && frostPoint <= saturated)
            return {InputRelHumMax, ifNone};
        return {NoValueSentinel, ifAboveSaturation};
    }
    return {relHum, ifNone};
}

double SaturationFrostPoint(double t)
{
    return FrostPoint(SatVapourPressure(t));
}

TRelHumInput RelHumFromWetBulb(double t, double wetBulb, double p)
{
    if (!AirTempInRange(t))
        return {NoValueSentinel, ifTempOutOfRange};
    if (!(wetBulb >= InputTempMin && wetBulb <= InputTempMax))
        return {NoValueSentinel, ifValueOutOfRange};
    if (!PressureValid(p))
        return {NoValueSentinel, ifPressureNotPositive};
    // Saturated air's own wet bulb is solved to a tolerance and may lie a hair above it.
    if (wetBulb > t) {
        const double saturated = WetBulb(t, SatVapourPressure(t), p);
        if (saturated == NoValueSentinel || !(wetBulb <= saturated))
            return {NoValueSentinel, ifAboveAirTemperature};
        return {InputRelHumMax, ifNone};
    }
    const Ext es = SatVapourPressure(wetBulb);
    if (!(es < Ext(p)))
        return {NoValueSentinel, ifVapourExceedsPressure};
    const Ext w = MixingRatioAtWetBulb(t, wetBulb, p, es);
    if (w < 0)
        return {NoValueSentinel, ifBelowDryAir};
    const Ext e = arith::Div(Ext(p) * w, MolarRatio + w);
    const double relHum = Store(100.0L * arith::Div(e, Ext(SatVapourPressure(t))));
    return {std::min(relHum, InputRelHumMax), ifNone};
}

TPressureDewPoint ConvertPressureDewPoint(double dewPoint, double fromPressure, double toPressure)
{
    if (!(dewPoint >= InputTempMin && dewPoint <= InputTempMax))
        return {NoValueSentinel, NoValueSentinel, ifValueOutOfRange};
    if (!PressureValid(fromPressure) || !PressureValid(toPressure))
        return {NoValueSentinel, NoValueSentinel, ifPressureNotPositive};
    const Ext e = SatVapourPressureITS90(dewPoint);
    if (!(e < Ext(fromPressure)))
        return {NoValueSentinel, NoValueSentinel, ifVapourExceedsPressure};
    // The vapour's share of the total pressure stays as it was.
    const double converted = Store(e * arith::Div(Ext(toPressure), Ext(fromPressure)));
    const double td = DewPointITS90(converted);
    if (!(td >= InputTempMin && td <= InputTempMax))
        return {NoValueSentinel, NoValueSentinel, ifResultOutOfRange};
    return {td, FrostPoint(converted), ifNone};
}

void CalculateExtendedHumidity()
{
    TModuleState &s = moduleState;
    if (!CheckInputs()) {
        s.ExtResults.fill(NoValueSentinel);
        s.ExtAccuracies.fill(NoValueSentinel);
        return;
    }
    CalculateHumidity();

    const Ext absT = Ext(s.Temp) + ZeroCelsius;
    const Ext slope = SatPressLogSlope(double(absT));
    const Ext esI = s.SatPressITS;
    const Ext eI = s.VapPressITS;
    const Ext relHum = Ext(s.RelHum) / 100.0L;
    const Ext relHumAccuracy = Ext(s.RelHumAccuracy) / 100.0L;
    const Ext tempAccuracy = s.TempAccuracy;
    // The vapour pressure's slopes with temperature (at constant RH) and with RH (per 100 %).
    const Ext eTemp = relHum * esI * slope;
    const Ext eRelHum = esI;
    const Ext eSpread = std::fabs(eRelHum * relHumAccuracy) + std::fabs(eTemp * tempAccuracy);

    // The pressures carry the model term, as absolute and specific humidity do.
    s.ExtResults[xiSatVapourPressure] = s.SatPress;
    s.ExtAccuracies[xiSatVapourPressure]
        = Store(std::fabs(esI * slope * tempAccuracy) + std::fabs(Ext(s.SatPress) - esI));
    s.ExtResults[xiVapourPressure] = s.VapPress;
    s.ExtAccuracies[xiVapourPressure] = Store(eSpread + std::fabs(Ext(s.VapPress) - eI));

    // Temperatures carry none, as the dew point does. Less vapour condenses as frost at a higher
    // temperature than as dew; within hundredths of a degree of the ice point the dew point's
    // Magnus fit and the ice formulation disagree by more than that, and the frost point is then
    // held at the dew point.
    double frostPoint = FrostPoint(s.VapPress);
    const double dewPoint = s.Results[riDewPoint];
    if (frostPoint != NoValueSentinel && dewPoint != NoValueSentinel && dewPoint < 0
        && frostPoint < dewPoint)
        frostPoint = dewPoint;
    s.ExtResults[xiFrostPoint] = frostPoint;
    s.ExtAccuracies[xiFrostPoint] = NoValueSentinel;
    if (frostPoint != NoValueSentinel) {
        const Ext iceSlope = IcePressLogSlope(double(Ext(frostPoint) + ZeroCelsius));
        s.ExtAccuracies[xiFrostPoint]
            = Store(std::fabs(arith::Div(slope, iceSlope) * tempAccuracy)
                    + std::fabs(arith::Div(Ext(1), relHum * iceSlope) * relHumAccuracy));
    }

    // Both need the air to exist as CalculateHumidity's quantities per kilogram do.
    s.ExtResults[xiWetBulb] = NoValueSentinel;
    s.ExtAccuracies[xiWetBulb] = NoValueSentinel;
    s.ExtResults[xiVolumeRatio] = NoValueSentinel;
    s.ExtAccuracies[xiVolumeRatio] = NoValueSentinel;
    const Ext p = s.Press;
    if (!(Ext(s.VapPress) < p && eI < p))
        return;

    const double wetBulb = WetBulb(s.Temp, s.VapPress, s.Press);
    if (wetBulb != NoValueSentinel) {
        const double accuracy = WetBulbAccuracy(s, wetBulb);
        if (accuracy != NoValueSentinel) {
            s.ExtResults[xiWetBulb] = wetBulb;
            s.ExtAccuracies[xiWetBulb] = accuracy;
        }
    }

    const double volumeRatio = VolumeRatio(s.VapPress, s.Press);
    s.ExtResults[xiVolumeRatio] = volumeRatio;
    const Ext ratioSlope = PartsPerMillion * arith::Div(p, Square(p - eI));
    s.ExtAccuracies[xiVolumeRatio]
        = Store(ratioSlope * eSpread + std::fabs(Ext(volumeRatio) - Ext(VolumeRatio(eI, p))));
}

} // namespace humidity
