#include "HumidityInputLimits.h"

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

} // namespace humidity
