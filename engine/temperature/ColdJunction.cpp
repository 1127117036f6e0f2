// SPDX-License-Identifier: MIT
#include "temperature/ColdJunction.h"

#include "arith.h"

namespace temperature {

namespace {

bool WithinTempLimits(TSensorType sensor, Extended t, TTempUnit unit)
{
    const double celsius
        = unit == unFahrenheit ? FahrenheitToCelsius(arith::ToDouble(t)) : arith::ToDouble(t);
    return CheckSensorLimits(sensor, cdTempToElectricQuant, celsius) == 0;
}

} // namespace

double ColdJunctionEmf(TSensorType sensor, Extended coldJunction, TTempUnit unit)
{
    if (!IsThermocoupleSensor(sensor) || !WithinTempLimits(sensor, coldJunction, unit))
        throw ECannotCalculate();
    return CalculateSensor(sensor, cdTempToElectricQuant, coldJunction, unit, unit).Value;
}

TSensorResult CalculateCompensated(TSensorType sensor, TConversionDirection direction,
                                   Extended input, Extended coldJunction, TTempUnit unit)
{
    if (!IsThermocoupleSensor(sensor))
        throw ECannotCalculate();
    const Extended coldJunctionEmf = ColdJunctionEmf(sensor, coldJunction, unit);
    if (direction == cdTempToElectricQuant) {
        if (!WithinTempLimits(sensor, input, unit))
            throw ECannotCalculate();
        TSensorResult result = CalculateSensor(sensor, cdTempToElectricQuant, input, unit, unit);
        result.Value = arith::ToSingle(result.Value - coldJunctionEmf);
        return result;
    }
    return CalculateWithinTempLimits(sensor, arith::Checked(input + coldJunctionEmf), unit);
}

} // namespace temperature
