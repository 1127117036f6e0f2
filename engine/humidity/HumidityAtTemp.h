// SPDX-License-Identifier: MIT
#pragma once

// The relative humidity the same air has at another temperature: a reference hygrometer read at
// one temperature, a transmitter beside it at another. The vapour pressure and the total pressure
// stay as they were, so only the saturation vapour pressure changes; without an enhancement factor
// the total pressure does not enter. The saturation pressure is SatVapourPressure's, as for every
// relative humidity the calculator shows, so the result fed back with the other temperature gives
// the same vapour pressure.

namespace humidity {

enum TAtTempFault {
    atNone,
    atTempOutOfRange,      // the air temperature is outside [InputTempMin, InputTempMax]
    atRelHumOutOfRange,    // the relative humidity is outside [InputRelHumMin, InputRelHumMax]
    atOtherTempOutOfRange, // the other temperature is outside [InputTempMin, InputTempMax]
    atAccuracyOutOfRange,  // a stated accuracy outside its range (HumidityInputLimits.h)
    atCondenses,           // the other temperature lies below the dew point: above 100 %
};

struct TRelHumAtTemp
{
    double relHum = 0;   // %, NoValueSentinel unless fault is atNone
    double accuracy = 0; // ± percentage points, NoValueSentinel unless fault is atNone
    TAtTempFault fault = atNone;
};

// The air at t (°C, ± tempAccuracy) holds relHum % (± relHumAccuracy percentage points); the
// result is its relative humidity at otherTemp (°C, ± otherTempAccuracy). The accuracy is the
// worst-case sum of the three slopes of ITS-90 over water times the stated accuracies, plus the
// Magnus-to-ITS-90 model difference, as the calculator's other quantities carry it.
TRelHumAtTemp RelHumAtTemp(double t, double relHum, double otherTemp, double tempAccuracy = 0,
                           double relHumAccuracy = 0, double otherTempAccuracy = 0);

} // namespace humidity
