#include "SensorCalculation.h"

#include "ResistiveSensors.h"
#include "Thermocouples.h"
#include "arith.h"

namespace temperature {

namespace {

// The engine takes doubles; a value that a double cannot hold faults as the store would.
double ToEngine(Extended x)
{
    return arith::ToDouble(x);
}

double ElectricQuantity(TSensorType sensor, Extended t)
{
    switch (sensor) {
    case stPt1000:
        return PtTempToRes(ToEngine(t));
    case stPt100:
        return arith::ToDouble(static_cast<Extended>(PtTempToRes(ToEngine(t))) / 10);
    case stNi1000:
        return NiTempToRes(ToEngine(t));
    case stNTC2252:
        return NtcTempToRes(ToEngine(t));
    default: {
        // The thermocouple functions answer 0 outside their accepted range, which cannot be told
        // from a genuine 0 µV.
        const TThermocoupleType type = ThermocoupleTypeOf(sensor);
        const float single = arith::ToSingle(t);
        if (!TcTempInRange(type, single))
            throw ECannotCalculate();
        return TcTempToVolt(type, single);
    }
    }
}

double Temperature(TSensorType sensor, Extended e)
{
    double t = 0;
    switch (sensor) {
    case stPt1000:
        t = PtResToTemp(ToEngine(e));
        break;
    case stPt100:
        t = PtResToTemp(ToEngine(e * 10));
        break;
    case stNi1000:
        t = NiResToTemp(ToEngine(e));
        break;
    case stNTC2252:
        return NtcResToTemp(ToEngine(e));
    default: {
        const TThermocoupleType type = ThermocoupleTypeOf(sensor);
        const float single = arith::ToSingle(e);
        if (!TcVoltInRange(type, single))
            throw ECannotCalculate();
        return TcVoltToTemp(type, single);
    }
    }
    if (t == TempOutOfRange)
        throw ECannotCalculate();
    return t;
}

} // namespace

ECannotCalculate::ECannotCalculate()
    : std::runtime_error("Cannot calculate from input.")
{
}

TSensorResult CalculateSensor(TSensorType sensor, TConversionDirection direction, Extended input,
                              TTempUnit inputUnit, TTempUnit resultUnit)
{
    TSensorResult result;
    if (direction == cdTempToElectricQuant) {
        Extended t = input;
        if (inputUnit == unFahrenheit)
            t = FahrenheitToCelsius(ToEngine(t));
        result.Value = ElectricQuantity(sensor, t);
    } else {
        const double t = Temperature(sensor, input);
        result.IsTemperature = true;
        if (resultUnit == unFahrenheit) {
            result.Companion = t;
            result.Value = CelsiusToFahrenheit(t);
        } else {
            result.Companion = CelsiusToFahrenheit(t);
            result.Value = t;
        }
    }
    arith::Checked(result.Value);
    arith::Checked(result.Companion);
    return result;
}

TInputLimits InputFieldLimits(TSensorType sensor, TConversionDirection direction,
                              TTempUnit inputUnit)
{
    double min = 0;
    double max = 0;
    GetSensorLimits(sensor, direction, min, max);
    if (inputUnit == unFahrenheit)
        return {CelsiusToFahrenheit(min) - InputLimitMargin,
                CelsiusToFahrenheit(max) + InputLimitMargin};
    return {min - InputLimitMargin, max + InputLimitMargin};
}

std::optional<double> InputOntoSensorLimits(TSensorType sensor, TConversionDirection direction,
                                            TTempUnit inputUnit, Extended input)
{
    const bool fahrenheit = inputUnit == unFahrenheit;
    const double v = ToEngine(input);
    const double celsius = fahrenheit ? FahrenheitToCelsius(v) : v;
    if (CheckSensorLimits(sensor, direction, celsius) == 0)
        return std::nullopt;
    if (fahrenheit)
        return CelsiusToFahrenheit(ClampToSensorLimits(sensor, direction, celsius));
    return ClampToSensorLimits(sensor, direction, v);
}

std::optional<Extended> InvalidEntryCorrection(Extended value, const TInputLimits &limits)
{
    if (value < limits.MinValue)
        return limits.MinValue + InputLimitMargin;
    if (!(value <= limits.MaxValue))
        return limits.MaxValue - InputLimitMargin;
    return std::nullopt;
}

double OtherScale(Extended temperature, TTempUnit unit)
{
    const double t = ToEngine(temperature);
    return unit == unCelsius ? CelsiusToFahrenheit(t) : FahrenheitToCelsius(t);
}

} // namespace temperature
