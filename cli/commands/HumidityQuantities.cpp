// SPDX-License-Identifier: MIT
#include "commands/HumidityQuantities.h"

#include "CliError.h"
#include "input/NumberText.h"

#include "humidity/HumidityInputLimits.h"
#include "humidity/humidity.h"

#include <algorithm>

namespace cli {

const std::array<THumidityQuantity, humidity::ResultCount + humidity::ExtResultCount>
    HumidityQuantities{{
        {humidity::riDewPoint, false, "dew_point", "dew point", "dew pt", "°C", "C", false},
        {humidity::riAbsoluteHumidity, false, "absolute_humidity", "absolute humidity", "abs hum",
         "g/m³", "g_m3", false},
        {humidity::riSpecificHumidity, false, "specific_humidity", "specific humidity", "sp hum",
         "g/kg", "g_kg", true},
        {humidity::riMixingRatio, false, "mixing_ratio", "mixing ratio", "mix rat", "g/kg", "g_kg",
         true},
        {humidity::riSpecificEnthalpy, false, "specific_enthalpy", "specific enthalpy", "enthalpy",
         "kJ/kg", "kJ_kg", true},
        {humidity::xiSatVapourPressure, true, "saturation_vapour_pressure",
         "saturation vapour pressure", "sat vp", "Pa", "Pa", false},
        {humidity::xiVapourPressure, true, "vapour_pressure", "vapour pressure", "vap pr", "Pa",
         "Pa", false},
        {humidity::xiFrostPoint, true, "frost_point", "frost point", "frost pt", "°C", "C", false},
        {humidity::xiWetBulb, true, "wet_bulb", "wet bulb", "wet bulb", "°C", "C", true},
        {humidity::xiVolumeRatio, true, "ppmv", "volume ratio", "ppmv", "ppmv", "", true},
    }};

namespace {

constexpr std::size_t WindowQuantityCount = humidity::ResultCount;

} // namespace

std::string QuantityNames()
{
    std::string names;
    for (const THumidityQuantity &quantity : HumidityQuantities) {
        std::string name = quantity.key;
        std::replace(name.begin(), name.end(), '_', '-');
        names += (names.empty() ? "" : ", ") + name;
    }
    return names;
}

std::vector<std::size_t> SelectQuantities(const std::string &list, bool textRows)
{
    std::vector<std::size_t> chosen;
    const auto add = [&chosen](std::size_t index) {
        if (std::find(chosen.begin(), chosen.end(), index) == chosen.end())
            chosen.push_back(index);
    };
    const auto addRange = [&add](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            add(i);
    };
    if (list.empty()) {
        addRange(textRows ? WindowQuantityCount : HumidityQuantities.size());
        return chosen;
    }
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        std::string name = list.substr(start, end - start);
        std::replace(name.begin(), name.end(), '-', '_');
        if (name == "all") {
            addRange(HumidityQuantities.size());
        } else if (name == "window") {
            addRange(WindowQuantityCount);
        } else {
            const auto found
                = std::find_if(HumidityQuantities.begin(), HumidityQuantities.end(),
                               [&name](const THumidityQuantity &q) { return name == q.key; });
            if (found == HumidityQuantities.end())
                throw TCliError("--quantities: unknown quantity '" + list.substr(start, end - start)
                                + "'; expected all, window or " + QuantityNames());
            add(static_cast<std::size_t>(found - HumidityQuantities.begin()));
        }
        start = end + 1;
    }
    return chosen;
}

std::vector<TColumn> HumidityColumns(const std::vector<std::size_t> &chosen)
{
    std::vector<TColumn> columns{
        {"temperature", "temperature", "°C", "C", false, false, "temp"},
        {"relative_humidity", "relative humidity", "%", "pct", false, false, "RH"},
        {"pressure", "pressure", "Pa", "Pa", false, false, "p"}};
    for (const std::size_t index : chosen) {
        const THumidityQuantity &quantity = HumidityQuantities[index];
        columns.push_back({quantity.key, quantity.heading, quantity.unit, quantity.asciiUnit, false,
                           false, quantity.abbreviation});
        columns.push_back({std::string(quantity.key) + "_accuracy", "±", quantity.unit,
                           quantity.asciiUnit, false, true, "±"});
    }
    return columns;
}

TValue HumidityValue(double value)
{
    if (value == humidity::NoValueSentinel)
        return {};
    return TValue::Number(value);
}

std::string HumidityFaultMessage(humidity::TInputFault fault, const THumidityFaultWords &words)
{
    const std::string &named = words.named;
    const std::string range
        = MessageNumber(humidity::InputTempMin) + " to " + MessageNumber(words.max) + " °C";
    switch (fault) {
    case humidity::ifValueOutOfRange:
        return named + " is outside " + range;
    case humidity::ifAboveAirTemperature:
        return named + " is above " + words.air + words.temp + " °C";
    case humidity::ifAboveSaturation:
        return named + " needs more vapour than air at " + words.temp
               + " °C holds (relative humidity above 100 %)";
    case humidity::ifBelowDryAir:
        return named + " is too far below the dry bulb " + words.temp
               + " °C: even dry air has a higher wet bulb";
    case humidity::ifVapourExceedsPressure:
        return words.converting
                   ? named + " is above the boiling point at " + words.pressure + " Pa"
                   : named + ": water there boils at the pressure " + words.pressure + " Pa";
    case humidity::ifResultOutOfRange:
        if (words.converting)
            return "the dew point at " + words.to + " Pa would lie outside " + range;
        break;
    case humidity::ifNone:
    case humidity::ifTempOutOfRange:
    case humidity::ifPressureNotPositive:
        break;
    }
    // Checked before the conversion.
    return named + " cannot be converted";
}

} // namespace cli
