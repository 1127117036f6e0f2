#include "ColdJunction.h"

#include "ExtendedRounding.h"
#include "arith.h"

namespace temperature {

TSensorResult CalculateCompensated(TSensorType sensor, TConversionDirection direction,
                                   long double input, long double coldJunction, TTempUnit unit)
{
    if (!IsThermocoupleSensor(sensor))
        throw ECannotCalculate();
    const long double coldJunctionEmf
        = CalculateSensor(sensor, cdTempToElectricQuant, coldJunction, unit, unit).Value;
    if (direction == cdTempToElectricQuant) {
        TSensorResult result = CalculateSensor(sensor, cdTempToElectricQuant, input, unit, unit);
        result.Value = arith::Checked(ToSingle(result.Value - coldJunctionEmf));
        return result;
    }
    return CalculateSensor(sensor, cdElectricQuantToTemp, arith::Checked(input + coldJunctionEmf),
                           unit, unit);
}

} // namespace temperature
