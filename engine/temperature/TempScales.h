// SPDX-License-Identifier: MIT
#pragma once

// The temperature sensor engine's vocabulary: the ten sensors of the temperature calculator, the
// two directions of a calculation, the thermocouple type codes, the Celsius/Fahrenheit scales and
// the limits of each sensor. The engine works in degrees Celsius, ohms and microvolts; Fahrenheit
// exists only where a caller shows a temperature.

#include <array>
#include <cstdint>

namespace temperature {

// The order is the sensor index of the temperature calculator and the row order of the limits.
enum TSensorType : std::uint8_t {
    stPt1000 = 0,
    stPt100 = 1,
    stNi1000 = 2,
    stNTC2252 = 3,
    stTcK = 4,
    stTcJ = 5,
    stTcS = 6,
    stTcB = 7,
    stTcT = 8,
    stTcN = 9
};

inline constexpr int SensorCount = 10;

inline constexpr bool IsThermocoupleSensor(TSensorType sensor)
{
    return sensor >= stTcK;
}

// Any value other than cdTempToElectricQuant counts as cdElectricQuantToTemp.
enum TConversionDirection : std::uint8_t { cdTempToElectricQuant = 0, cdElectricQuantToTemp = 1 };

// The type codes of the thermocouple functions; J comes before K, unlike TSensorType.
enum TThermocoupleType : std::uint8_t { tcJ = 0, tcK = 1, tcS = 2, tcB = 3, tcT = 4, tcN = 5 };

// The unit of a temperature as a caller shows it; unNone where no temperature is shown.
enum TTempUnit : std::uint8_t { unCelsius = 0, unFahrenheit = 1, unNone = 2 };

// The temperature pair and the electrical pair are independent limits, not images of each other
// under the sensor's characteristic.
struct TSensorLimits
{
    double TempMin;     // °C
    double TempMax;     // °C
    double ElectricMin; // Ω or µV
    double ElectricMax; // Ω or µV
};

inline constexpr std::array<TSensorLimits, SensorCount> SensorLimitsTable = {{
    {-200, 850, 180, 3900},     // stPt1000
    {-200, 850, 18, 390},       // stPt100
    {-50, 250, 742, 2891},      // stNi1000
    {-80, 120, 80, 1700000},    // stNTC2252: the smaller resistance belongs to the hot end
    {-270, 1370, -5500, 54500}, // stTcK
    {-210, 1200, -8095, 69553}, // stTcJ: the span of its inverse function
    {-50, 1760, -200, 18600},   // stTcS
    {0, 1820, 291, 13500},      // stTcB
    {-270, 401, -5500, 20500},  // stTcT
    {-210, 1310, -4000, 47600}, // stTcN
}};

double CelsiusToFahrenheit(double c);
double FahrenheitToCelsius(double f);

// The limits of the input quantity of a calculation in the given direction (°C, Ω or µV).
void GetSensorLimits(TSensorType sensor, TConversionDirection direction, double &minValue,
                     double &maxValue);

// -1 below the lower limit (a NaN included), 0 within (limits inclusive), +1 above the upper.
int CheckSensorLimits(TSensorType sensor, TConversionDirection direction, double value);

// The value itself when within the limits, else the limit that it passed.
double ClampToSensorLimits(TSensorType sensor, TConversionDirection direction, double value);

} // namespace temperature
