// SPDX-License-Identifier: MIT
#include "sensors/Sensor.h"

#include "arith.h"
#include "temperature/ColdJunction.h"
#include "temperature/SensorCalculation.h"

#include <algorithm>

namespace cli {

using namespace temperature;

namespace {

// One of the window's ten, on the window's own functions and limits table.
class TWindowSensor final : public TCliSensor
{
public:
    explicit TWindowSensor(const TSensorEntry &entry)
        : TCliSensor(entry)
        , m_sensor(entry.window)
    {
    }

    std::string DisplayName() const override { return std::string(Entry().displayName); }
    std::optional<std::string> Curve() const override { return std::nullopt; }

    TValueRange TempLimits() const override
    {
        double lo = 0;
        double hi = 0;
        GetSensorLimits(m_sensor, cdTempToElectricQuant, lo, hi);
        return {lo, hi};
    }

    bool TemperatureWithin(Extended t, TTempUnit unit) const override
    {
        try {
            return !InputOntoSensorLimits(m_sensor, cdTempToElectricQuant, unit, t);
        } catch (const arith::EMathError &) {
            // Beyond the range of a double, and so beyond every limit.
            return false;
        }
    }

    TElectricImage ElectricImage() const override
    {
        const TElectricRange range = ElectricImageOfTempLimits(m_sensor);
        return {TValueRange{range.Min, range.Max}, range.TempMin, range.TempMax};
    }

    bool ElectricWithin(Extended x) const override { return WithinElectricImage(m_sensor, x); }

    double ColdJunctionEmf(Extended coldJunction, TTempUnit unit) const override
    {
        return temperature::ColdJunctionEmf(m_sensor, coldJunction, unit);
    }

    double Convert(TConversionDirection direction, Extended input, TTempUnit unit,
                   const std::optional<Extended> &coldJunction) const override
    {
        if (coldJunction)
            return CalculateCompensated(m_sensor, direction, input, *coldJunction, unit).Value;
        if (direction == cdTempToElectricQuant)
            return CalculateSensor(m_sensor, direction, input, unit, unit).Value;
        return CalculateWithinTempLimits(m_sensor, input, unit).Value;
    }

    void CheckOneToOne(double, double) const override {}

    std::optional<TFieldSensor> ClassSensor() const override
    {
        if (Entry().tolerance == TToleranceFamily::None)
            return std::nullopt;
        return FieldSensorOf(m_sensor);
    }

private:
    TSensorType m_sensor;
};

// A sensor the options make: a thermocouple type, a sized curve, a thermistor.
class TMadeSensor final : public TCliSensor
{
public:
    explicit TMadeSensor(TFieldSetup setup)
        : TCliSensor(*setup.entry)
        , m_setup(std::move(setup))
    {
    }

    std::string DisplayName() const override { return m_setup.displayName; }
    std::optional<std::string> Curve() const override
    {
        if (Thermocouple())
            return std::nullopt;
        return m_setup.displayName;
    }

    TValueRange TempLimits() const override { return m_setup.sensor.TempRange(); }

    bool TemperatureWithin(Extended t, TTempUnit unit) const override
    {
        const TValueRange range = m_setup.sensor.TempRange();
        const double celsius = CelsiusOf(t, unit);
        return celsius >= range.Low && celsius <= range.High;
    }

    TElectricImage ElectricImage() const override
    {
        const TValueRange t = m_setup.sensor.ImageTempRange();
        try {
            return {m_setup.sensor.ElectricRange(), t.Low, t.High};
        } catch (const ECannotCalculate &) {
            // a thermistor curve that turns back before an end of the range
            return {std::nullopt, t.Low, t.High};
        }
    }

    bool ElectricWithin(Extended x) const override
    {
        const TValueRange range = m_setup.sensor.ElectricRange();
        if (Thermocouple()) {
            // the ends are the singles' shortest decimals, which read back as the singles
            const auto single = static_cast<float>(x);
            return single >= static_cast<float>(range.Low)
                   && single <= static_cast<float>(range.High);
        }
        return x >= range.Low - 0.0005L && x <= range.High + 0.0005L;
    }

    double ColdJunctionEmf(Extended coldJunction, TTempUnit unit) const override
    {
        return m_setup.sensor.ToElectric(CelsiusOf(coldJunction, unit));
    }

    double Convert(TConversionDirection direction, Extended input, TTempUnit unit,
                   const std::optional<Extended> &coldJunction) const override
    {
        const TFieldSensor &sensor = m_setup.sensor;
        if (direction == cdTempToElectricQuant) {
            const double t = CelsiusOf(input, unit);
            CheckMonotonic(m_setup, t, t);
            return coldJunction ? sensor.ToElectricCompensated(t, CelsiusOf(*coldJunction, unit))
                                : sensor.ToElectric(t);
        }
        if (coldJunction)
            return ShownOf(sensor.ToTemperatureCompensated(static_cast<double>(input),
                                                           CelsiusOf(*coldJunction, unit)),
                           unit);
        // a resistance a little beyond the range, as a printed limit may be, is the limit
        const TValueRange range = sensor.ElectricRange();
        const double x = std::clamp(static_cast<double>(input), range.Low, range.High);
        return ShownOf(sensor.ToTemperature(Thermocouple() ? static_cast<double>(input) : x), unit);
    }

    void CheckOneToOne(double tLow, double tHigh) const override
    {
        CheckMonotonic(m_setup, tLow, tHigh);
    }

    std::optional<TFieldSensor> ClassSensor() const override { return m_setup.sensor; }

private:
    TFieldSetup m_setup;
};

} // namespace

double CelsiusOf(Extended t, TTempUnit unit)
{
    const auto value = static_cast<double>(t);
    return unit == unFahrenheit ? FahrenheitToCelsius(value) : value;
}

double ShownOf(double celsius, TTempUnit unit)
{
    return unit == unFahrenheit ? CelsiusToFahrenheit(celsius) : celsius;
}

std::unique_ptr<TCliSensor> MakeSensor(const std::string &name, const TCurveArgs &curve)
{
    const TSensorEntry &entry = FindSensor(name);
    if (entry.model == TSensorModel::Window) {
        RefuseCurveOptions(curve, std::string(entry.displayName));
        return std::make_unique<TWindowSensor>(entry);
    }
    return std::make_unique<TMadeSensor>(ParseFieldSensor(entry, curve));
}

} // namespace cli
