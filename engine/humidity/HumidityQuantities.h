// SPDX-License-Identifier: MIT
#pragma once

// The humidity quantities field instruments quote beside the calculator's five: vapour pressures,
// frost point, psychrometric wet bulb and volume ratio; the relative humidity from a dew point,
// frost point or wet bulb; and the dew point of compressed air brought to another pressure.
// Temperatures in °C, pressures in Pa, relative humidity in %. A quantity that does not exist is
// NoValueSentinel; arithmetic faults are thrown as arith::EMathError.

#include "humidity/humidity.h"

namespace humidity {

// CalculateHumidity, then the quantities of TExtResultIndex with their accuracies, propagated in
// the same way. Refused inputs leave them all NoValue; the frost point and the wet bulb are NoValue
// where they do not exist, the wet bulb and the volume ratio wherever the quantities per kilogram
// are. Arithmetic faults are thrown as by CalculateHumidity.
void CalculateExtendedHumidity();

// Hardy's ITS-90 saturation vapour pressure over ice, Pa.
double SatVapourPressureIce(double t);
// d(ln ei)/dT of the ice formulation at the absolute temperature T (kelvin).
double IcePressLogSlope(double absT);

// The temperature at which ice is in equilibrium with vapour of pressure e (Hardy's formulation
// over ice, solved exactly). NoValue when e is not above zero, when the frost point would lie
// above 0 °C, where the vapour condenses as dew first, or below the formulation's range
// (InputTempMin, -100 °C).
double FrostPoint(double e);
// The frost point of air at t saturated over water, as CalculateExtendedHumidity gives it: the
// highest frost point RelHumFromFrostPoint takes at t. NoValue where it would lie above 0 °C.
double SaturationFrostPoint(double t);
// The inverse of SatVapourPressureITS90: the dew point over water. NoValue when e is not above 0.
double DewPointITS90(double e);

// The thermodynamic wet-bulb temperature of air at t holding vapour of pressure e at the total
// pressure p: the temperature at which evaporating water saturates the air adiabatically, with the
// saturation pressure of SatVapourPressure over water (a supercooled wick below 0 °C). NoValue
// unless 0 <= e < p and e is at most the saturation pressure at t.
double WetBulb(double t, double e, double p);

// Volume of water vapour per million volumes of the dry air with it. NoValue unless 0 <= e < p.
double VolumeRatio(double e, double p);

// Why an input that stands for the humidity was refused.
enum TInputFault {
    ifNone,
    ifTempOutOfRange,        // the air temperature is outside [InputTempMin, InputTempMax]
    ifValueOutOfRange,       // the dew point, frost point or wet bulb is outside its range
    ifAboveAirTemperature,   // a dew point or wet bulb above the air temperature
    ifAboveSaturation,       // a frost point that needs more than 100 % relative humidity
    ifBelowDryAir,           // a wet bulb so low that even dry air would be wetter
    ifPressureNotPositive,   // a pressure that is not above 0 Pa (or not a number)
    ifVapourExceedsPressure, // saturation needs a vapour pressure at or above the total pressure
    ifResultOutOfRange,      // a converted dew point outside [InputTempMin, InputTempMax]
};

struct TRelHumInput
{
    double relHum = NoValueSentinel; // %, NoValue unless fault is ifNone
    TInputFault fault = ifNone;
};

// The relative humidity of air at t with the given dew point, frost point or wet bulb; each gives
// back that input through CalculateExtendedHumidity. The dew point inverts DewPoint (the Magnus
// constants chosen by the air temperature); the frost point lies in [InputTempMin, 0] °C and is
// refused where the air could not hold its vapour; the wet bulb needs the total pressure p.
TRelHumInput RelHumFromDewPoint(double t, double dewPoint);
TRelHumInput RelHumFromFrostPoint(double t, double frostPoint);
TRelHumInput RelHumFromWetBulb(double t, double wetBulb, double p);

struct TPressureDewPoint
{
    double dewPoint = NoValueSentinel;   // °C over water
    double frostPoint = NoValueSentinel; // °C over ice, NoValue at 0 °C and above
    TInputFault fault = ifNone;
};

// The dew point of air whose dew point is dewPoint at the total pressure fromPressure, after it is
// expanded or compressed to toPressure without condensing: the vapour keeps its share of the
// pressure (ideal gases, no enhancement factor; ITS-90 over water).
TPressureDewPoint ConvertPressureDewPoint(double dewPoint, double fromPressure, double toPressure);

} // namespace humidity
