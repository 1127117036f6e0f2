// SPDX-License-Identifier: MIT
#include "humidity/HumidityAtTemp.h"

#include "humidity/HumidityConstants.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/humidity.h"

#include "arith.h"

#include <cmath>
#include <limits>

namespace humidity {

using constants::Ext;
using constants::ZeroCelsius;

namespace {

bool TempInRange(double t)
{
    return t >= InputTempMin && t <= InputTempMax;
}

TRelHumAtTemp Refused(TAtTempFault fault)
{
    return {NoValueSentinel, NoValueSentinel, fault};
}

} // namespace

TRelHumAtTemp RelHumAtTemp(double t, double relHum, double otherTemp, double tempAccuracy,
                           double relHumAccuracy, double otherTempAccuracy)
{
    if (!TempInRange(t))
        return Refused(atTempOutOfRange);
    if (!(relHum >= InputRelHumMin && relHum <= InputRelHumMax))
        return Refused(atRelHumOutOfRange);
    if (!TempInRange(otherTemp))
        return Refused(atOtherTempOutOfRange);
    if (!TempAccuracyValid(tempAccuracy) || !TempAccuracyValid(otherTempAccuracy)
        || !RelHumAccuracyValid(relHumAccuracy))
        return Refused(atAccuracyOutOfRange);

    const Ext ratio = arith::Div(Ext(SatVapourPressure(t)), Ext(SatVapourPressure(otherTemp)));
    const Ext shown = Ext(relHum) * ratio;
    // Air brought back to its own temperature keeps 100 %; a few units in the last place above it
    // are rounding, more is vapour that condenses.
    const Ext saturated = InputRelHumMax * (1 + 8 * Ext(std::numeric_limits<double>::epsilon()));
    if (shown > saturated)
        return Refused(atCondenses);

    const Ext ratioITS
        = arith::Div(Ext(SatVapourPressureITS90(t)), Ext(SatVapourPressureITS90(otherTemp)));
    const Ext its = Ext(relHum) * ratioITS;
    // ln RH2 = ln RH1 + ln es(t) - ln es(otherTemp): each slope is RH2 times a log slope.
    const Ext slopeT = its * Ext(SatPressLogSlope(double(Ext(t) + ZeroCelsius)));
    const Ext slopeOther = its * Ext(SatPressLogSlope(double(Ext(otherTemp) + ZeroCelsius)));
    const Ext accuracy = std::fabs(ratioITS * Ext(relHumAccuracy))
                         + std::fabs(slopeT * Ext(tempAccuracy))
                         + std::fabs(slopeOther * Ext(otherTempAccuracy)) + std::fabs(shown - its);
    return {arith::ToDouble(std::fmin(shown, Ext(InputRelHumMax))), arith::ToDouble(accuracy),
            atNone};
}

} // namespace humidity
