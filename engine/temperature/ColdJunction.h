// SPDX-License-Identifier: MIT
#pragma once

// Thermocouple readings with the reference junction at a known temperature instead of 0 °C,
// compensated in voltage as the reference tables are used: a measuring junction at t gives
// E(t) - E(cj), and a reading e belongs to the temperature whose E is e + E(cj).

#include "temperature/SensorCalculation.h"
#include "temperature/TempScales.h"

namespace temperature {

// The calculation of CalculateSensor for a thermocouple whose reference junction is at
// coldJunction. Every temperature, the reference junction's included, is in `unit` (degrees
// Fahrenheit for unFahrenheit, else Celsius); voltages are in µV. Like the emfs it is taken from,
// a compensated voltage is rounded to single precision; so is the sum handed to the inverse
// function, as any thermocouple input is.
// Throws ECannotCalculate for a sensor that is not a thermocouple, a temperature (the reference
// junction's included) outside the sensor's temperature limits, or a compensated voltage outside
// the image of those limits that the inverse function covers (ElectricImageOfTempLimits); an arith
// failure where a trapping processor would fault.
TSensorResult CalculateCompensated(TSensorType sensor, TConversionDirection direction,
                                   Extended input, Extended coldJunction, TTempUnit unit);

// The emf E(cj) in µV of a thermocouple's reference junction at coldJunction (in `unit`), the
// amount a compensated reading is short of the table's. Throws ECannotCalculate for a sensor that
// is not a thermocouple or a temperature outside its limits.
double ColdJunctionEmf(TSensorType sensor, Extended coldJunction, TTempUnit unit);

} // namespace temperature
