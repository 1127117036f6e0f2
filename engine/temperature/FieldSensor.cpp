// SPDX-License-Identifier: MIT
#include "temperature/FieldSensor.h"

#include "arith.h"
#include "temperature/SensorCalculation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace temperature {

std::string CurveNames(bool thermistors, std::string_view prefix)
{
    std::string list;
    const auto add = [&](std::string_view name) {
        if (name.substr(0, prefix.size()) == prefix)
            list += (list.empty() ? "" : ", ") + std::string(name);
    };
    if (thermistors) {
        for (const TThermistorData &c : ThermistorCurves)
            add(c.Name);
    } else {
        for (const TRtdCurveData &c : RtdCurves)
            add(c.Name);
    }
    return list;
}

namespace {

// A single limit as the decimal it was written as (1768.1, not 1768.0999755859375), so that the
// decimal itself lies within the range.
double Decimal(float x)
{
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), x).ptr;
    double value = 0;
    std::from_chars(text.data(), end, value);
    return value;
}

TValueRange DecimalRange(TTcRange range)
{
    return {Decimal(range.Low), Decimal(range.High)};
}

float SingleInRange(double x, TTcRange range)
{
    const auto single = static_cast<float>(x);
    if (!(single >= range.Low && single <= range.High))
        throw ECannotCalculate();
    return single;
}

TTcImage Image(TThermocoupleType type)
{
    return TcImageUpTo(type, TcTempRange(type).High);
}

} // namespace

TFieldSensor::TFieldSensor(TThermocoupleType type)
    : m_sensor(type)
{
}

TFieldSensor::TFieldSensor(const TRtdCurve &rtd)
    : m_sensor(rtd)
{
}

TFieldSensor::TFieldSensor(const TThermistor &thermistor)
    : m_sensor(thermistor)
{
}

TValueRange TFieldSensor::TempRange() const
{
    if (const auto *type = std::get_if<TThermocoupleType>(&m_sensor))
        return DecimalRange(TcTempRange(*type));
    if (const auto *rtd = std::get_if<TRtdCurve>(&m_sensor))
        return {rtd->Curve().TempMin, rtd->Curve().TempMax};
    const TThermistorData &data = std::get<TThermistor>(m_sensor).Data();
    return {data.TempMin, data.TempMax};
}

TValueRange TFieldSensor::ElectricRange() const
{
    if (const auto *type = std::get_if<TThermocoupleType>(&m_sensor))
        return DecimalRange(Image(*type).Volt);
    const TValueRange t = TempRange();
    if (const auto *rtd = std::get_if<TRtdCurve>(&m_sensor))
        return {rtd->Resistance(t.Low), rtd->Resistance(t.High)};
    // the thermistor's resistance falls as it warms
    const TThermistor &thermistor = std::get<TThermistor>(m_sensor);
    return {thermistor.Resistance(t.High), thermistor.Resistance(t.Low)};
}

TValueRange TFieldSensor::ImageTempRange() const
{
    if (const auto *type = std::get_if<TThermocoupleType>(&m_sensor))
        return DecimalRange(Image(*type).Temp);
    return TempRange();
}

double TFieldSensor::ToElectric(double t) const
{
    if (const auto *type = std::get_if<TThermocoupleType>(&m_sensor))
        return arith::Checked(TcTempToVolt(*type, SingleInRange(t, TcTempRange(*type))));
    if (const auto *rtd = std::get_if<TRtdCurve>(&m_sensor))
        return rtd->Resistance(t);
    return std::get<TThermistor>(m_sensor).Resistance(t);
}

double TFieldSensor::ToTemperature(double x) const
{
    if (const auto *type = std::get_if<TThermocoupleType>(&m_sensor)) {
        const TTcImage image = Image(*type);
        const std::optional<float> e
            = std::isnan(x) ? std::nullopt
                            : TcOntoImage(image, static_cast<float>(std::clamp(x, -1e30, 1e30)));
        if (!e)
            throw ECannotCalculate();
        return arith::Checked(TcImageVoltToTemp(*type, image, *e));
    }
    if (const auto *rtd = std::get_if<TRtdCurve>(&m_sensor))
        return rtd->Temperature(x);
    return std::get<TThermistor>(m_sensor).Temperature(x);
}

double TFieldSensor::ToElectricCompensated(double t, double coldJunction) const
{
    if (!IsThermocouple())
        throw ECannotCalculate();
    const double emf = ToElectric(t);
    return arith::Checked(static_cast<float>(emf - ToElectric(coldJunction)));
}

double TFieldSensor::ToTemperatureCompensated(double e, double coldJunction) const
{
    if (!IsThermocouple())
        throw ECannotCalculate();
    return ToTemperature(arith::Checked(static_cast<float>(e + ToElectric(coldJunction))));
}

bool TFieldSensor::MonotonicOver(double tLow, double tHigh) const
{
    if (const auto *rtd = std::get_if<TRtdCurve>(&m_sensor))
        return rtd->MonotonicOver(tLow, tHigh);
    if (const auto *thermistor = std::get_if<TThermistor>(&m_sensor))
        return thermistor->MonotonicOver(tLow, tHigh);
    return true;
}

char TFieldSensor::ToleranceSensor() const
{
    if (const auto *type = std::get_if<TThermocoupleType>(&m_sensor))
        return ThermocoupleLetter(*type);
    const auto *rtd = std::get_if<TRtdCurve>(&m_sensor);
    return rtd && rtd->Curve().Name == RtdCurves[0].Name ? 'P' : 0;
}

double TFieldSensor::ElectricDeviation(double t, double deviation) const
{
    return std::fabs(ToElectric(t + deviation) - ToElectric(t - deviation)) / 2;
}

std::optional<TFieldSensor> FieldSensorOf(TSensorType sensor)
{
    switch (sensor) {
    case stPt1000:
        return TFieldSensor(TRtdCurve(RtdCurves[0], 1000));
    case stPt100:
        return TFieldSensor(TRtdCurve(RtdCurves[0], 100));
    case stNi1000:
    case stNTC2252:
        return std::nullopt;
    case stTcK:
    case stTcJ:
    case stTcS:
    case stTcB:
    case stTcT:
    case stTcN:
        return TFieldSensor(ThermocoupleTypeOf(sensor));
    }
    // A value that names no sensor has no field sensor either.
    return std::nullopt;
}

} // namespace temperature
