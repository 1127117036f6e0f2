// SPDX-License-Identifier: MIT
#pragma once

// The physical constants and published coefficients the psychrometric functions share. Internal to
// the engine: callers use the functions in humidity.h and HumidityQuantities.h.

#include "Extended.h"

namespace humidity::constants {

using Ext = Extended;

// Magnus constants over liquid water; the second set serves air temperatures below 0 °C.
inline constexpr Ext MagnusBase = 610.78L;
inline constexpr Ext MagnusWarmA = 17.08085L;
inline constexpr Ext MagnusWarmB = 234.175L;
inline constexpr Ext MagnusColdA = 17.84362L;
inline constexpr Ext MagnusColdB = 245.425L;

inline constexpr Ext ZeroCelsius = 273.15L;
inline constexpr Ext AbsHumFactor = 2.1667L; // g·K/(m³·Pa): water vapour density from e and T
inline constexpr Ext MolarRatioPerMille = 622.0L; // ratio of molar masses water/dry air, in g/kg
inline constexpr Ext MolarRatio = 0.622L;         // the same ratio, in kg/kg
inline constexpr Ext OneMinusMolarRatio = 0.378L;
inline constexpr Ext DryAirHeat = 1.00545L;    // kJ/(kg·K)
inline constexpr Ext VapourHeat = 1.85894L;    // kJ/(kg·K)
inline constexpr Ext LatentHeat0 = 2500.827L;  // kJ/kg at 0 °C
inline constexpr Ext LiquidWaterHeat = 4.186L; // kJ/(kg·K), the wet bulb's water

// Hardy's ITS-90 saturation vapour pressure over water: g0..g6 multiply T^(i-2); g7 ln T.
inline constexpr Ext Its90G[7] = {-2836.5744L,   -6028.076559L,  19.54263612L,   -0.02737830188L,
                                  1.6261698e-5L, 7.0229056e-10L, -1.8680009e-13L};
inline constexpr Ext Its90G7 = 2.7150305L;

// Hardy's ITS-90 dew-point formulation: Td = (c0..c3 polynomial) / (d0..d3 polynomial) in ln e.
inline constexpr Ext DewPointC[8] = {207.98233L, -20.156028L,  0.46778925L,   -9.2288067e-6L,
                                     1.0L,       -0.13319669L, 0.0056577518L, -7.5172865e-5L};

// Hardy's ITS-90 saturation vapour pressure over ice: k0..k4 multiply T^(i-1); k5 ln T.
inline constexpr Ext Its90K[5]
    = {-5866.6426L, 22.32870244L, 0.0139387003L, -3.4262402e-5L, 2.7040955e-8L};
inline constexpr Ext Its90K5 = 0.67063522L;

} // namespace humidity::constants
