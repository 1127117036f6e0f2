// SPDX-License-Identifier: MIT
#pragma once

// The humidity quantities of one state of moist air and the pressure dew point, with
// velmora-cli's rules and messages. Temperatures in °C, pressures in Pa, humidity in %.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace pyvelmora {

// What stands for the humidity: the relative humidity, or a dew point, frost point or wet bulb.
enum class THumidityInput { RelHum, DewPoint, FrostPoint, WetBulb };

// The inputs echoed, then each quantity and its ±, then the relative humidity at another
// temperature and its ±: velmora-cli's JSON names, in its order.
inline constexpr std::size_t HumidityQuantityCount = 10;
inline constexpr std::size_t HumidityOutputCount = 3 + 2 * HumidityQuantityCount + 2;
extern const std::array<const char *, HumidityOutputCount> HumidityOutputNames;

struct THumiditySettings
{
    THumidityInput input = THumidityInput::RelHum;
    double tempAccuracy = 0.4;
    double relHumAccuracy = 2.5;
    std::optional<double> atTemp;
};

// Throws ERefused for an accuracy or an other temperature outside its range.
void CheckHumiditySettings(const THumiditySettings &settings);

// One state: a quantity that does not exist (a frost point above 0 °C, the quantities per
// kilogram where the vapour pressure reaches the pressure) is NaN. Throws ERefused with
// velmora-cli's message for a refused input.
void CalculateHumidityState(const THumiditySettings &settings, double temp, double humidity,
                            double pressure, std::array<double, HumidityOutputCount> &out);

// The dew point and frost point (NaN where none) of air with the dew point dewPoint at the
// pressure fromPressure, brought to toPressure. Throws ERefused with velmora-cli's message.
std::array<double, 2> PressureDewPoint(double dewPoint, double fromPressure, double toPressure);

} // namespace pyvelmora
