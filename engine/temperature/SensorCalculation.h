// SPDX-License-Identifier: MIT
#pragma once

// One calculation of the temperature calculator, from the input as the user gives it (°C or °F,
// Ω, µV) to the result as it is shown, and the handling of the input's range in the unit shown.
// The "Temperature sensors" tab and the command-line tool both call these, so that they give the
// same results.

#include "Extended.h"
#include "temperature/TempScales.h"

#include <optional>
#include <stdexcept>

namespace temperature {

// A calculation without a result: a metal thermometer's resistance without a temperature within
// its bounds, or a thermocouple input outside the accepted range of the function called.
class ECannotCalculate : public std::runtime_error
{
public:
    ECannotCalculate();
};

struct TSensorResult
{
    double Value = 0; // Ω or µV; a temperature in the result's unit
    bool IsTemperature = false;
    double Companion = 0; // a temperature result in the other scale
};

// The conversion of the input by the sensor's characteristic in the given direction. inputUnit
// is the unit of a temperature input, resultUnit the unit wanted for a temperature result
// (unFahrenheit for degrees Fahrenheit, anything else for degrees Celsius).
// Throws ECannotCalculate, or an arith failure where a trapping processor would fault.
TSensorResult CalculateSensor(TSensorType sensor, TConversionDirection direction, Extended input,
                              TTempUnit inputUnit, TTempUnit resultUnit);

// The electrical inputs (Ω or µV) that velmora-cli takes back, ends included: the image of the
// temperature limits under the sensor's characteristic; for a thermocouple, of the temperatures
// from the lowest its inverse function reaches to the upper limit (TcImageUpTo). TempMin and
// TempMax (°C) are the temperatures of the ends. A thermocouple's ends are single-precision emfs.
// The window's limits (GetSensorLimits) are its own.
struct TElectricRange
{
    double Min;
    double Max;
    double TempMin;
    double TempMax;
};

TElectricRange ElectricImageOfTempLimits(TSensorType sensor);

// Whether an electrical input lies within ElectricImageOfTempLimits: a thermocouple's emf as the
// inverse function takes it, rounded to single precision; a resistance within half a
// milliohm, so that a value printed to three places is taken back.
bool WithinElectricImage(TSensorType sensor, Extended input);

// CalculateSensor from the electrical side over the whole image of the temperature limits: the
// platinum thermometers up to 850 °C, beyond the inverse function's own bound of 650 °C; a
// thermocouple by TcImageVoltToTemp, an emf a rounding step beyond an end counting as the end.
// Throws ECannotCalculate for an input outside the image and for a result more than
// InputLimitMargin outside the temperature limits; an arith failure where a trapping processor
// would fault.
TSensorResult CalculateWithinTempLimits(TSensorType sensor, Extended input, TTempUnit resultUnit);

// How far the input field tolerates a value beyond the sensor's limits; a correction always lands
// on the limit itself.
inline constexpr Extended InputLimitMargin = 0.1L;

struct TInputLimits
{
    Extended MinValue;
    Extended MaxValue;
};

// The input field's limits in the unit shown: the sensor's limits widened by the margin.
TInputLimits InputFieldLimits(TSensorType sensor, TConversionDirection direction,
                              TTempUnit inputUnit);

// The input brought onto the sensor limit that it passed, in the unit shown; nothing when within.
std::optional<double> InputOntoSensorLimits(TSensorType sensor, TConversionDirection direction,
                                            TTempUnit inputUnit, Extended input);

// A value that left the input field outside its limits, brought back onto the sensor's limit;
// nothing when within.
std::optional<Extended> InvalidEntryCorrection(Extended value, const TInputLimits &limits);

// A temperature in the other scale: Fahrenheit for a Celsius value, else Celsius.
double OtherScale(Extended temperature, TTempUnit unit);

} // namespace temperature
