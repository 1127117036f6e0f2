// SPDX-License-Identifier: MIT
#pragma once

// One sensor as met in the field, whatever its family: a thermocouple of the eight letter-coded
// types, a resistance thermometer on a curve at a size, or a thermistor. Temperatures are in °C,
// the electrical quantity in µV or Ω; every conversion throws ECannotCalculate where there is no
// result (outside the range, or no temperature for a reading) and an arith failure where a
// trapping processor would fault. It serves velmora-cli only: the sensors beyond the window's
// ten convert with it, and every tolerance class is checked against it. The window's ten sensors
// convert through SensorCalculation.h, in the window and in velmora-cli alike.

#include "temperature/ResistanceCurves.h"
#include "temperature/Thermistors.h"
#include "temperature/Thermocouples.h"
#include "temperature/ToleranceClasses.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace temperature {

// The names of the resistance curves (or, with `thermistors`, the thermistor curves) that start
// with `prefix`, joined by ", ", for a message that lists them.
std::string CurveNames(bool thermistors, std::string_view prefix);

struct TValueRange
{
    double Low;
    double High;
};

class TFieldSensor
{
public:
    explicit TFieldSensor(TThermocoupleType type);
    explicit TFieldSensor(const TRtdCurve &rtd);
    explicit TFieldSensor(const TThermistor &thermistor);

    bool IsThermocouple() const { return std::holds_alternative<TThermocoupleType>(m_sensor); }

    // The accepted temperatures (°C) and electrical inputs (µV or Ω), limits inclusive. A
    // thermocouple's electrical inputs are the image of the temperatures from the lowest its
    // inverse function reaches to its upper limit (TcImageUpTo), which ImageTempRange gives; for
    // the others ImageTempRange is TempRange.
    TValueRange TempRange() const;
    TValueRange ElectricRange() const;
    TValueRange ImageTempRange() const;

    // A thermocouple's results are single values, as the thermocouple functions give them.
    double ToElectric(double t) const;
    double ToTemperature(double x) const;

    // A thermocouple with its reference junction at coldJunction °C: E(t) - E(cj), and the
    // temperature whose E is e + E(cj); each voltage rounded to single.
    double ToElectricCompensated(double t, double coldJunction) const;
    double ToTemperatureCompensated(double e, double coldJunction) const;

    // Whether the characteristic is one-to-one over tLow..tHigh °C. Thermocouple functions are
    // taken as published.
    bool MonotonicOver(double tLow, double tHigh) const;

    // The sensor whose tolerance classes apply: 'P' for platinum on the IEC 60751 curve, the
    // letter of a thermocouple; 0 where no class is defined.
    char ToleranceSensor() const;

    // A permitted deviation of ±deviation °C at t °C in the electrical unit: half the span of the
    // electrical quantity between t - deviation and t + deviation, always positive.
    double ElectricDeviation(double t, double deviation) const;

private:
    std::variant<TThermocoupleType, TRtdCurve, TThermistor> m_sensor;
};

// The window's sensor as a field sensor: Pt100 and Pt1000 on the IEC 60751 curve, the
// thermocouples by their type; nothing for the Ni1000 and the NTC2252, whose curves are the
// window's own, nor for a value that names no sensor.
std::optional<TFieldSensor> FieldSensorOf(TSensorType sensor);

} // namespace temperature
