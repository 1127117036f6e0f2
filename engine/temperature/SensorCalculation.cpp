// SPDX-License-Identifier: MIT
#include "temperature/SensorCalculation.h"

#include "arith.h"
#include "temperature/ResistiveSensors.h"
#include "temperature/Thermocouples.h"

#include <algorithm>
#include <array>
#include <cmath>

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

// The platinum inverse function's own upper bound.
constexpr double PtInverseHighBound = 650;

double Temperature(TSensorType sensor, Extended e, double ptHighBound = PtInverseHighBound)
{
    double t = 0;
    switch (sensor) {
    case stPt1000:
        t = PtResToTempUpTo(ToEngine(e), ptHighBound);
        break;
    case stPt100:
        t = PtResToTempUpTo(ToEngine(e * 10), ptHighBound);
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

// Half a unit in the third place of a resistance.
constexpr Extended ResistanceTolerance = 0.0005L;

TTcImage ThermocoupleImage(TSensorType sensor)
{
    return TcImageUpTo(ThermocoupleTypeOf(sensor),
                       static_cast<float>(SensorLimitsTable[sensor].TempMax));
}

TElectricRange ComputeElectricImage(TSensorType sensor)
{
    if (IsThermocoupleSensor(sensor)) {
        const TTcImage image = ThermocoupleImage(sensor);
        return {image.Volt.Low, image.Volt.High, image.Temp.Low, image.Temp.High};
    }
    const double tempMin = SensorLimitsTable[sensor].TempMin;
    const double tempMax = SensorLimitsTable[sensor].TempMax;
    const double atMin = ElectricQuantity(sensor, tempMin);
    const double atMax = ElectricQuantity(sensor, tempMax);
    // An NTC's resistance falls as the temperature rises.
    return {std::min(atMin, atMax), std::max(atMin, atMax), tempMin, tempMax};
}

} // namespace

TElectricRange ElectricImageOfTempLimits(TSensorType sensor)
{
    static const std::array<TElectricRange, SensorCount> images = [] {
        std::array<TElectricRange, SensorCount> all{};
        for (int i = 0; i < SensorCount; ++i)
            all[static_cast<std::size_t>(i)] = ComputeElectricImage(static_cast<TSensorType>(i));
        return all;
    }();
    return images[sensor];
}

bool WithinElectricImage(TSensorType sensor, Extended input)
{
    const TElectricRange range = ElectricImageOfTempLimits(sensor);
    if (IsThermocoupleSensor(sensor)) {
        if (std::isnan(input))
            return false;
        const Extended clamped = std::clamp(input, Extended(-1e30L), Extended(1e30L));
        const float single = arith::ToSingle(clamped);
        return single >= range.Min && single <= range.Max;
    }
    return input >= range.Min - ResistanceTolerance && input <= range.Max + ResistanceTolerance;
}

TSensorResult CalculateWithinTempLimits(TSensorType sensor, Extended input, TTempUnit resultUnit)
{
    const TSensorLimits &limits = SensorLimitsTable[sensor];
    double t = 0;
    if (IsThermocoupleSensor(sensor)) {
        const TTcImage image = ThermocoupleImage(sensor);
        const std::optional<float> e
            = std::isnan(input)
                  ? std::nullopt
                  : TcOntoImage(
                      image, arith::ToSingle(std::clamp(input, Extended(-1e30L), Extended(1e30L))));
        if (!e)
            throw ECannotCalculate();
        t = TcImageVoltToTemp(ThermocoupleTypeOf(sensor), image, *e);
    } else {
        if (!WithinElectricImage(sensor, input))
            throw ECannotCalculate();
        t = Temperature(sensor, input, limits.TempMax + InputLimitMargin);
    }
    if (!(t >= limits.TempMin - InputLimitMargin && t <= limits.TempMax + InputLimitMargin))
        throw ECannotCalculate();
    TSensorResult result;
    result.IsTemperature = true;
    const double fahrenheit = arith::Checked(CelsiusToFahrenheit(t));
    result.Value = resultUnit == unFahrenheit ? fahrenheit : t;
    result.Companion = resultUnit == unFahrenheit ? t : fahrenheit;
    return result;
}

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
