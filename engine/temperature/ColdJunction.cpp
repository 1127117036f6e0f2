#include "ColdJunction.h"

#include "arith.h"

namespace temperature {

TSensorResult CalculateCompensated(TSensorType sensor, TConversionDirection direction,
                                   Extended input, Extended coldJunction, TTempUnit unit)
{
    if (!IsThermocoupleSensor(sensor))
        throw ECannotCalculate();
    const Extended coldJunctionEmf
        = CalculateSensor(sensor, cdTempToElectricQuant, coldJunction, unit, unit).Value;
    if (direction == cdTempToElectricQuant) {
        TSensorResult result = CalculateSensor(sensor, cdTempToElectricQuant, input, unit, unit);
        result.Value = arith::ToSingle(result.Value - coldJunctionEmf);
        return result;
    }
    return CalculateSensor(sensor, cdElectricQuantToTemp, arith::Checked(input + coldJunctionEmf),
                           unit, unit);
}

} // namespace temperature
