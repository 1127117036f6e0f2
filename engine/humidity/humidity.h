// SPDX-License-Identifier: MIT
#pragma once

// The psychrometric engine: from air temperature, relative humidity and total pressure it derives
// absolute humidity, dew point, specific humidity, mixing ratio and specific enthalpy, each with a
// worst-case ± accuracy propagated from the stated accuracies of temperature and relative
// humidity. The results use a Magnus-type saturation vapour pressure; the accuracies differentiate
// the ITS-90 formulation over water (Hardy, 1998) and add the Magnus-to-ITS-90 model difference.
//
// Inputs and results travel through one module-level record: write the five inputs, call
// CalculateHumidity(), read Results and Accuracies. Arithmetic faults (a zero divisor, a
// non-finite result) are thrown as arith::EMathError and leave the record partly updated.

#include <array>

namespace humidity {

// The one sentinel for a result that does not exist; callers compare it by exact equality.
inline constexpr double NoValueSentinel = -99999999.0;
inline constexpr double DefaultPressure = 101325.0;

// Index order of Results and Accuracies; the calculator reads them by index.
enum TResultIndex {
    riAbsoluteHumidity = 0, // g/m³
    riDewPoint = 1,         // °C
    riSpecificHumidity = 2, // g/kg
    riMixingRatio = 3,      // g/kg
    riSpecificEnthalpy = 4, // kJ/kg
};
inline constexpr int ResultCount = 5;

// Index order of ExtResults and ExtAccuracies: the quantities CalculateExtendedHumidity
// (HumidityQuantities.h) adds.
enum TExtResultIndex {
    xiSatVapourPressure = 0, // Pa
    xiVapourPressure = 1,    // Pa
    xiFrostPoint = 2,        // °C, over ice; NoValue at 0 °C and above
    xiWetBulb = 3,           // °C, psychrometric, over water, at the total pressure
    xiVolumeRatio = 4,       // ppmv: parts of vapour per million parts of dry air by volume
};
inline constexpr int ExtResultCount = 5;

struct TModuleState
{
    double Temp = 0;                // °C
    double RelHum = 0;              // %
    double Press = DefaultPressure; // Pa
    double TempAccuracy = 0;        // ± °C
    double RelHumAccuracy = 0;      // ± percentage points
    std::array<double, ResultCount> Results{};
    std::array<double, ResultCount> Accuracies{};
    double SatPress = 0;    // Pa, Magnus
    double VapPress = 0;    // Pa, Magnus
    double SatPressITS = 0; // Pa, ITS-90 over water
    double VapPressITS = 0; // Pa, ITS-90 over water
    std::array<double, ExtResultCount> ExtResults{};
    std::array<double, ExtResultCount> ExtAccuracies{};
    // The record's spelling of NoValueSentinel: the same constant, which nothing can overwrite.
    static constexpr double NoValue = NoValueSentinel;
};

// The single record, alive for the whole run. Not re-entrant: user-interface thread only.
extern TModuleState moduleState;

// Puts the record back to its state at program start (Press 101325, all else 0).
void ResetModuleState();

double SatVapourPressure(double t);
double VapourPressure(double es, double relHum);
double AbsoluteHumidity(double t, double e);
// NoValue when the vapour pressure is not above zero.
double DewPoint(double t, double e);
double SpecificHumidity(double e, double p);
double MixingRatio(double q);
double SpecificEnthalpy(double r, double t);
double SatVapourPressureITS90(double t);

// d(ln es)/dT of the ITS-90 water formulation at the absolute temperature T (kelvin).
double SatPressLogSlope(double absT);

// Each reads the module record and stores its value in Accuracies at its index.
void AbsHumAccuracy();
void DewPointAccuracy();
void SpecHumAccuracy();
void MixRatioAccuracy();
void SpecEnthAccuracy();

// False, with every result and accuracy set to NoValue, when the temperature lies outside
// [-100, 200] °C or the relative humidity outside [0, 100] %.
bool CheckInputs();

void CalculateHumidity();

} // namespace humidity
