// SPDX-License-Identifier: MIT
#include "humidity/humidity.h"

#include "humidity/HumidityConstants.h"
#include "humidity/HumidityInputLimits.h"

#include "arith.h"

#include <cmath>

namespace humidity {

TModuleState moduleState;

using namespace constants;

namespace {

// The record's doubles are stored from extended intermediates; a value that no double holds would
// have trapped on the store.
double Store(Ext x)
{
    return arith::ToDouble(x);
}

Ext Square(Ext x)
{
    return arith::Checked(x * x);
}

// Slope of the ITS-90 vapour pressure with temperature at constant relative humidity, Pa/K.
Ext VapPressSlopeITS(const TModuleState &s, Ext absT)
{
    return Ext(s.RelHum) / 100 * Ext(s.SatPressITS) * Ext(SatPressLogSlope(double(absT)));
}

// Slope of specific humidity (kg/kg) with vapour pressure, at the ITS-90 vapour pressure.
Ext SpecHumSlope(const TModuleState &s)
{
    const Ext p = s.Press;
    return arith::Div(MolarRatio * p, Square(p - OneMinusMolarRatio * Ext(s.VapPressITS)));
}

} // namespace

void ResetModuleState()
{
    moduleState = TModuleState{};
}

double SatVapourPressure(double t)
{
    const Ext te = t;
    if (t >= 0)
        return Store(MagnusBase * arith::Exp(arith::Div(MagnusWarmA * te, MagnusWarmB + te)));
    return Store(MagnusBase * arith::Exp(arith::Div(MagnusColdA * te, MagnusColdB + te)));
}

double VapourPressure(double es, double relHum)
{
    return Store(Ext(es) * Ext(relHum) / 100);
}

double AbsoluteHumidity(double t, double e)
{
    return Store(arith::Div(AbsHumFactor * Ext(e), Ext(t) + ZeroCelsius));
}

double DewPoint(double t, double e)
{
    if (!(e > 0))
        return NoValueSentinel;
    const Ext l = arith::Ln(arith::Div(Ext(e), MagnusBase));
    // The constant set follows the air temperature, as in SatVapourPressure, not the dew point.
    if (t >= 0)
        return Store(arith::Div(-MagnusWarmB * l, l - MagnusWarmA));
    return Store(arith::Div(-MagnusColdB * l, l - MagnusColdA));
}

double SpecificHumidity(double e, double p)
{
    const Ext ee = e;
    return Store(arith::Div(MolarRatioPerMille * ee, Ext(p) - OneMinusMolarRatio * ee));
}

double MixingRatio(double q)
{
    return Store(arith::Div(1000 * Ext(q), 1000 - Ext(q)));
}

double SpecificEnthalpy(double r, double t)
{
    const Ext te = t;
    return Store(DryAirHeat * te + (VapourHeat * te + LatentHeat0) * Ext(r) / 1000);
}

double SatVapourPressureITS90(double t)
{
    const Ext absT = Ext(t) + ZeroCelsius;
    // T^(i-2), starting from T^-2 and raised by one power of T a step.
    Ext power = arith::Div(Ext(1), absT * absT);
    Ext sum = 0;
    for (int i = 0; i <= 6; ++i) {
        sum += Its90G[i] * power;
        power *= absT;
    }
    sum += Its90G7 * arith::Ln(absT);
    return Store(arith::Exp(sum));
}

double SatPressLogSlope(double absT)
{
    const Ext te = absT;
    // T^(i-3), starting from T^-3 and raised by one power of T a step. The i = 2 term is zero but
    // stays in the loop.
    Ext power = arith::Div(Ext(1), te * te * te);
    Ext sum = 0;
    for (int i = 0; i <= 6; ++i) {
        sum += Ext(i - 2) * Its90G[i] * power;
        power *= te;
    }
    sum += arith::Div(Its90G7, te);
    return Store(sum);
}

void AbsHumAccuracy()
{
    TModuleState &s = moduleState;
    const Ext t = s.Temp;
    const Ext absT = t + ZeroCelsius;
    const Ext slope = SatPressLogSlope(double(absT));
    const Ext esI = s.SatPressITS;
    const Ext relHum = s.RelHum;

    // The model term: what the Magnus formula shown to the user departs from ITS-90.
    const Ext model = std::fabs(Ext(AbsoluteHumidity(s.Temp, s.VapPress))
                                - Ext(AbsoluteHumidity(s.Temp, s.VapPressITS)));
    const Ext aRelHum = arith::Div(AbsHumFactor * esI, absT);
    const Ext aTemp = AbsHumFactor * (relHum / 100)
                      * (arith::Div(-esI, Square(absT)) + arith::Div(esI, absT) * slope);
    s.Accuracies[riAbsoluteHumidity] = Store(std::fabs(aRelHum * Ext(s.RelHumAccuracy) / 100)
                                             + std::fabs(aTemp * Ext(s.TempAccuracy)) + model);
}

void DewPointAccuracy()
{
    TModuleState &s = moduleState;
    if (!(s.RelHum > 0)) {
        s.Accuracies[riDewPoint] = NoValueSentinel;
        return;
    }
    const Ext absT = Ext(s.Temp) + ZeroCelsius;
    const Ext slope = SatPressLogSlope(double(absT));
    // ln of the vapour pressure in pascals, as Hardy's dew-point formulation takes it.
    const Ext l = arith::Ln(Ext(s.VapPressITS));
    const Ext *c = DewPointC;
    const Ext *d = DewPointC + 4;
    const Ext n = c[0] + c[1] * l + c[2] * l * l + c[3] * l * l * l;
    const Ext dn = d[0] + d[1] * l + d[2] * l * l + d[3] * l * l * l;
    const Ext nPrime = c[1] + 2 * c[2] * l + 3 * c[3] * l * l;
    const Ext dnPrime = d[1] + 2 * d[2] * l + 3 * d[3] * l * l;
    const Ext dTdL = arith::Div(nPrime * dn - n * dnPrime, Square(dn));
    const Ext relHumFraction = Ext(s.RelHum) / 100;
    s.Accuracies[riDewPoint] = Store(
        std::fabs(dTdL * slope * Ext(s.TempAccuracy))
        + std::fabs(dTdL * arith::Div(Ext(1), relHumFraction) * Ext(s.RelHumAccuracy) / 100));
}

void SpecHumAccuracy()
{
    TModuleState &s = moduleState;
    const Ext absT = Ext(s.Temp) + ZeroCelsius;
    const Ext deDT = VapPressSlopeITS(s, absT);
    const Ext k = SpecHumSlope(s);
    const Ext esI = s.SatPressITS;

    const Ext model
        = std::fabs(Ext(s.Results[riSpecificHumidity])
                    - Ext(SpecificHumidity(VapourPressure(s.SatPressITS, s.RelHum), s.Press)));
    s.Accuracies[riSpecificHumidity] = Store((std::fabs(k * esI * Ext(s.RelHumAccuracy) / 100)
                                              + std::fabs(k * deDT * Ext(s.TempAccuracy)))
                                                 * 1000
                                             + model);
}

void MixRatioAccuracy()
{
    TModuleState &s = moduleState;
    // The specific-humidity accuracy carried through the slope of MixingRatio.
    const Ext base = 1 - Ext(s.Results[riSpecificHumidity]) / 1000;
    s.Accuracies[riMixingRatio]
        = Store(arith::Div(Ext(s.Accuracies[riSpecificHumidity]), Square(base)));
}

void SpecEnthAccuracy()
{
    TModuleState &s = moduleState;
    const Ext t = s.Temp;
    const Ext absT = t + ZeroCelsius;
    const Ext deDT = VapPressSlopeITS(s, absT);
    const Ext k = SpecHumSlope(s);
    const Ext esI = s.SatPressITS;

    const Ext qI = SpecificHumidity(s.VapPressITS, s.Press);
    const Ext rKgPerKg = Ext(MixingRatio(double(qI))) / 1000;
    const Ext dRdQ = arith::Div(Ext(1), Square(1 - qI / 1000));
    const Ext latent = VapourHeat * t + LatentHeat0;
    const Ext hTemp = (VapourHeat * rKgPerKg + DryAirHeat) + latent * dRdQ * k * deDT;
    const Ext hRelHum = latent * dRdQ * k * esI;
    s.Accuracies[riSpecificEnthalpy] = Store(std::fabs(hRelHum * Ext(s.RelHumAccuracy) / 100)
                                             + std::fabs(hTemp * Ext(s.TempAccuracy)));
}

bool CheckInputs()
{
    TModuleState &s = moduleState;
    // Written so that a NaN, which compares false, is refused.
    const bool valid = s.Temp >= InputTempMin && s.Temp <= InputTempMax
                       && s.RelHum >= InputRelHumMin && s.RelHum <= InputRelHumMax;
    if (!valid) {
        s.Results.fill(NoValueSentinel);
        // An accuracy of 0 beside a missing result would claim an exact value.
        s.Accuracies.fill(NoValueSentinel);
    }
    return valid;
}

void CalculateHumidity()
{
    TModuleState &s = moduleState;
    if (!CheckInputs())
        return;
    s.SatPress = SatVapourPressure(s.Temp);
    s.VapPress = VapourPressure(s.SatPress, s.RelHum);
    s.Results[riAbsoluteHumidity] = AbsoluteHumidity(s.Temp, s.VapPress);
    s.Results[riDewPoint] = DewPoint(s.Temp, s.VapPress);

    // Water vapour cannot exert the whole pressure of the air or more (this includes every
    // pressure of 0 or below): the quantities per kilogram of air do not exist then, and their
    // formulas would turn negative or divide by zero.
    const bool magnusPossible = s.VapPress < s.Press;
    if (magnusPossible) {
        s.Results[riSpecificHumidity] = SpecificHumidity(s.VapPress, s.Press);
        s.Results[riMixingRatio] = MixingRatio(s.Results[riSpecificHumidity]);
        s.Results[riSpecificEnthalpy] = SpecificEnthalpy(s.Results[riMixingRatio], s.Temp);
    }

    s.SatPressITS = SatVapourPressureITS90(s.Temp);
    s.VapPressITS = VapourPressure(s.SatPressITS, s.RelHum);
    // The accuracies of those quantities differentiate the ITS-90 vapour pressure, which must
    // stay below the total pressure too.
    const bool possible = magnusPossible && s.VapPressITS < s.Press;
    if (!possible) {
        s.Results[riSpecificHumidity] = NoValueSentinel;
        s.Results[riMixingRatio] = NoValueSentinel;
        s.Results[riSpecificEnthalpy] = NoValueSentinel;
    }

    AbsHumAccuracy();
    DewPointAccuracy();
    if (possible) {
        SpecHumAccuracy();
        MixRatioAccuracy();
        SpecEnthAccuracy();
    } else {
        s.Accuracies[riSpecificHumidity] = NoValueSentinel;
        s.Accuracies[riMixingRatio] = NoValueSentinel;
        s.Accuracies[riSpecificEnthalpy] = NoValueSentinel;
    }
}

} // namespace humidity
