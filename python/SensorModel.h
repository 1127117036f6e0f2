// SPDX-License-Identifier: MIT
#pragma once

// A temperature sensor as the module's functions take it: a name velmora-cli knows with the
// options that size or define it, checked once, then each value converted or checked with
// velmora-cli's rules and its messages. Values are in the units the user gives: °C or °F, Ω, or
// µV or mV.

#include "Extended.h"
#include "temperature/FieldSensor.h"
#include "temperature/TempScales.h"
#include "temperature/ToleranceClasses.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pyvelmora {

// A value or an option the module refuses; Python sees it as ValueError with this message.
class ERefused : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// The options as the keyword arguments give them.
struct TSensorOptions
{
    std::string unit = "C";
    std::string emfUnit = "uV";
    std::optional<double> r0;
    std::optional<std::array<double, 3>> cvd;
    std::optional<std::string> curve;
    std::optional<double> r25;
    std::optional<double> beta;
    std::optional<std::array<double, 3>> sh;
};

class TSensorModel
{
public:
    // Throws ERefused for an unknown sensor, unit or curve, or options that do not fit it.
    TSensorModel(const std::string &name, const TSensorOptions &options);

    bool Thermocouple() const { return m_thermocouple; }
    // "resistance" or "emf", as velmora-cli's JSON names the electrical column.
    std::string ElectricKey() const { return m_thermocouple ? "emf" : "resistance"; }
    std::string DisplayName() const { return m_displayName; }

    // Throws ERefused unless the characteristic is one-to-one over the sensor's limits, as a
    // conversion to temperature needs.
    void CheckInverse() const;

    // Throws ERefused unless the sensor is a thermocouple and cj lies within its limits.
    void CheckColdJunction(double cj) const;

    // A temperature in the unit to Ω, µV or mV, and back; the reference junction at cj in the
    // unit where given. Throws ERefused with velmora-cli's message where there is no result, an
    // arith failure where a trapping processor would fault.
    double ToElectric(double temperature, const std::optional<double> &cj) const;
    // The same for a temperature computed in the extended type, such as a test point's.
    double ToElectricExtended(Extended temperature, const std::optional<double> &cj) const;
    double ToTemperature(double electric, const std::optional<double> &cj) const;
    // A thermocouple's result is a single-precision value, held as its double; velmora-cli
    // prints it, and its JSON holds it, as the single's shortest decimal, which this gives.
    double AsPrinted(double value, bool toElectric) const;

    // The class named by `text`; throws ERefused for a sensor without classes or an unknown one.
    temperature::TClassKey ToleranceClass(const std::string &text) const;
    // The class's ± at `temperature` (in the unit) in the unit and in Ω, µV or mV. Throws
    // ERefused outside the sensor's limits or the class's range.
    std::array<double, 2> Tolerance(const temperature::TClassKey &key, double temperature) const;
    // The sensor's class letter ('P' or a thermocouple's); throws ERefused for a sensor without
    // tolerance classes, naming `what`.
    char ClassSensor(const std::string &what) const;
    // A reference temperature in °C, after it is checked against the sensor's limits.
    double ReferenceCelsius(double reference, const char *what) const;
    double Celsius(double temperature) const;
    bool Fahrenheit() const { return m_unit == temperature::unFahrenheit; }

private:
    struct TImage
    {
        std::optional<temperature::TValueRange> electric;
        double tempMin = 0;
        double tempMax = 0;
    };

    // `given` is the value as the user gave it, named in a message.
    void CheckTemperature(Extended t, double given, const char *what) const;
    // The electrical input to convert (an end of the range where `given` is that end as shown),
    // or a refusal naming `given`.
    Extended CheckElectric(Extended engineValue, double given, const std::optional<Extended> &cj,
                           const std::optional<double> &cjGiven) const;
    std::optional<Extended> RangeEnd(double given, double coldJunctionEmf,
                                     const std::optional<Extended> &cj) const;
    void CheckMonotonic(double tLow, double tHigh) const;
    bool TemperatureWithin(Extended t) const;
    bool ElectricWithin(Extended x) const;
    temperature::TValueRange TempLimits() const;
    TImage ElectricImage() const;
    double ColdJunctionEmf(Extended cj) const;
    double Convert(temperature::TConversionDirection direction, Extended input,
                   const std::optional<Extended> &cj) const;
    double Result(double value, bool toElectric) const;
    std::string ElectricText(double engineValue) const;
    std::string ElectricRangeText() const;
    std::string TempUnit() const { return Fahrenheit() ? "°F" : "°C"; }
    std::string ElectricUnit() const;
    Extended ElectricScale() const { return m_thermocouple && m_millivolts ? 1000 : 1; }

    temperature::TTempUnit m_unit = temperature::unCelsius;
    bool m_millivolts = false;
    bool m_thermocouple = false;
    bool m_thermistor = false;
    // One of the window's ten, converted by the window's functions; else m_field.
    std::optional<temperature::TSensorType> m_window;
    std::optional<temperature::TFieldSensor> m_field;
    std::string m_displayName;
    std::string m_definition; // the keyword that defines a made curve, for messages
    bool m_hasClasses = false;
};

} // namespace pyvelmora
