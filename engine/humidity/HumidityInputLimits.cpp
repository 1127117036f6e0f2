// SPDX-License-Identifier: MIT
#include "humidity/HumidityInputLimits.h"

#include <cmath>

namespace humidity {

// Written so that a NaN, which compares false, is refused.
bool TempAccuracyValid(Extended tempAccuracy)
{
    return tempAccuracy >= 0 && tempAccuracy <= TempAccuracyMax;
}

bool RelHumAccuracyValid(Extended relHumAccuracy)
{
    return relHumAccuracy >= 0 && relHumAccuracy <= RelHumAccuracyMax;
}

bool PressureValid(double pressure)
{
    return pressure > 0 && std::isfinite(pressure);
}

} // namespace humidity
