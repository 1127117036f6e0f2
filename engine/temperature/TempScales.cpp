// SPDX-License-Identifier: MIT
#include "temperature/TempScales.h"

#include "arith.h"

namespace temperature {

double CelsiusToFahrenheit(double c)
{
    return arith::ToDouble(static_cast<Extended>(c) * 9 / 5 + 32);
}

double FahrenheitToCelsius(double f)
{
    return arith::ToDouble((static_cast<Extended>(f) - 32) * 5 / 9);
}

void GetSensorLimits(TSensorType sensor, TConversionDirection direction, double &minValue,
                     double &maxValue)
{
    const TSensorLimits &row = SensorLimitsTable[sensor];
    if (direction == cdTempToElectricQuant) {
        minValue = row.TempMin;
        maxValue = row.TempMax;
    } else {
        minValue = row.ElectricMin;
        maxValue = row.ElectricMax;
    }
}

int CheckSensorLimits(TSensorType sensor, TConversionDirection direction, double value)
{
    double minValue = 0;
    double maxValue = 0;
    GetSensorLimits(sensor, direction, minValue, maxValue);
    int result = 0;
    if (!(value >= minValue))
        result = -1;
    if (value > maxValue)
        result = 1;
    return result;
}

double ClampToSensorLimits(TSensorType sensor, TConversionDirection direction, double value)
{
    double minValue = 0;
    double maxValue = 0;
    GetSensorLimits(sensor, direction, minValue, maxValue);
    const int check = CheckSensorLimits(sensor, direction, value);
    if (check < 0)
        return minValue;
    if (check > 0)
        return maxValue;
    return value;
}

} // namespace temperature
