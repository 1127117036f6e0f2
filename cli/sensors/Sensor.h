// SPDX-License-Identifier: MIT
#pragma once

// A sensor as the commands use it, whatever it is: one of the window's ten, converted by the
// window's own functions, or a sensor the options make (temperature::TFieldSensor). Temperatures
// are in the unit given (°C or °F) where a unit is named, else in °C; the electrical quantity is
// in the engine's Ω or µV.

#include "sensors/CurveOptions.h"
#include "sensors/SensorTable.h"

#include "Extended.h"
#include "temperature/FieldSensor.h"
#include "temperature/TempScales.h"

#include <memory>
#include <optional>
#include <string>

namespace cli {

// A temperature in `unit` in °C, and back.
double CelsiusOf(Extended t, temperature::TTempUnit unit);
double ShownOf(double celsius, temperature::TTempUnit unit);

// The electrical inputs a sensor takes and the temperatures at their ends (°C); no electrical
// range where the characteristic turns back before an end of the temperature range.
struct TElectricImage
{
    std::optional<temperature::TValueRange> electric;
    double tempMin = 0;
    double tempMax = 0;
};

class TCliSensor
{
public:
    virtual ~TCliSensor() = default;

    const TSensorEntry &Entry() const { return *m_entry; }
    std::string ShortName() const { return std::string(m_entry->name); }
    bool Thermocouple() const { return m_entry->IsThermocouple(); }

    // "Pt100", "type E thermocouple", "NTC thermistor (B 3435 K, 10000 Ω at 25 °C)".
    virtual std::string DisplayName() const = 0;
    // The curve a sized or defined sensor is on, for the settings; nothing for the others.
    virtual std::optional<std::string> Curve() const = 0;

    // The temperature limits in °C, and whether a temperature in `unit` lies within them.
    virtual temperature::TValueRange TempLimits() const = 0;
    virtual bool TemperatureWithin(Extended t, temperature::TTempUnit unit) const = 0;

    virtual TElectricImage ElectricImage() const = 0;
    // Whether the sensor takes an electrical input: a thermocouple's emf as a single, a
    // resistance within half a milliohm, so that a value printed to three places is taken back.
    virtual bool ElectricWithin(Extended x) const = 0;

    // The emf of a thermocouple at its reference junction's temperature, in `unit`.
    virtual double ColdJunctionEmf(Extended coldJunction, temperature::TTempUnit unit) const = 0;

    // The conversion of `input` (a temperature in `unit`, or Ω or µV), with the reference junction
    // at `coldJunction` in `unit` where given: Ω or µV, or a temperature in `unit`. Throws
    // temperature::ECannotCalculate where there is no result, TCliError where the characteristic
    // is not one-to-one at the input, an arith failure where a trapping processor would fault.
    virtual double Convert(temperature::TConversionDirection direction, Extended input,
                           temperature::TTempUnit unit,
                           const std::optional<Extended> &coldJunction) const = 0;

    // Throws TCliError unless the characteristic is one-to-one from tLow to tHigh °C.
    virtual void CheckOneToOne(double tLow, double tHigh) const = 0;

    // The sensor whose tolerance classes apply; nothing where none are defined.
    virtual std::optional<temperature::TFieldSensor> ClassSensor() const = 0;

protected:
    explicit TCliSensor(const TSensorEntry &entry)
        : m_entry(&entry)
    {
    }

private:
    const TSensorEntry *m_entry;
};

// The sensor named on the command line, with the options that size or define it; a TCliError
// for an unknown name or options that do not fit it.
std::unique_ptr<TCliSensor> MakeSensor(const std::string &name, const TCurveArgs &curve);

} // namespace cli
