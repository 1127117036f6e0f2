// SPDX-License-Identifier: MIT
#pragma once

// What humidity and pressure-dew-point share: the humidity quantities with their columns, an
// engine result as a value of a row, and the words for an input the engine refuses.

#include "output/Formats.h"

#include "humidity/HumidityQuantities.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace cli {

// A humidity quantity of the commands: the one place each is named, in the window's order.
struct THumidityQuantity
{
    int index;
    bool extended; // an index of ExtResults rather than Results
    const char *key;
    const char *heading;
    const char *abbreviation; // heading in a table of many readings
    const char *unit;
    const char *asciiUnit;
    bool dependsOnPressure; // no value where the vapour pressure reaches the pressure
};

// The window's five come first, then those it does not show.
extern const std::array<THumidityQuantity, humidity::ResultCount + humidity::ExtResultCount>
    HumidityQuantities;

// The quantities' names as --quantities takes them.
std::string QuantityNames();

// Which quantities a run shows, as indexes into HumidityQuantities: those named in a
// --quantities list ("all", "window" for the window's five, or keys with - or _), else all of
// them, except in a text table of many readings, which shows the window's five so that it fits
// 100 columns.
std::vector<std::size_t> SelectQuantities(const std::string &list, bool textRows);

// The inputs (temperature, relative humidity, pressure), then each chosen quantity followed by
// its ± accuracy.
std::vector<TColumn> HumidityColumns(const std::vector<std::size_t> &chosen);

// An engine result: its number, or no value for the engine's marker of none.
TValue HumidityValue(double value);

// What a refusal of the humidity engine is said with.
struct THumidityFaultWords
{
    std::string named;       // the value refused as given: "dew point 3 °C", "--dew-point 3 °C"
    double max = 0;          // the highest value taken, in °C
    std::string air;         // "the air temperature " or "the dry bulb "
    std::string temp;        // the air temperature as given, in °C
    std::string pressure;    // the pressure the value is given at, in Pa
    std::string to;          // pressure-dew-point: the pressure converted to, in Pa
    bool converting = false; // pressure-dew-point rather than humidity
};

// The one-line refusal for an input fault of the humidity engine.
std::string HumidityFaultMessage(humidity::TInputFault fault, const THumidityFaultWords &words);

} // namespace cli
