// SPDX-License-Identifier: MIT
#include "input/PressureText.h"

#include "CliError.h"
#include "Messages.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace cli {

std::string PressureUnitList()
{
    std::string list;
    const auto units = humidity::PressureUnits();
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0)
            list += i + 1 == units.size() ? " or " : ", ";
        list += units[i].name;
    }
    return list;
}

const humidity::TPressureUnit &PressureUnitOption(const std::string &name)
{
    const humidity::TPressureUnit *unit = humidity::FindPressureUnit(name);
    if (!unit)
        throw TCliError("--pressure-unit '" + name + "' is not one of " + PressureUnitList());
    return *unit;
}

TInputValue ParsePressureText(std::string_view text, std::string_view what,
                              const humidity::TPressureUnit &defaultUnit)
{
    const humidity::TPressureText pressure = humidity::ParsePressure(text, defaultUnit);
    const std::string quoted = std::string(what) + " '" + Echo(text) + "'";
    switch (pressure.fault) {
    case humidity::pfNone:
        break;
    case humidity::pfUnknownUnit:
        throw TCliError(quoted + " has a unit that is not one of " + PressureUnitList());
    case humidity::pfOutOfRange:
        throw TCliError(quoted + " is out of range");
    case humidity::pfNotANumber:
        throw TCliError(quoted + " is not a number, with or without a unit");
    }
    // A plain number in pascals keeps its text, as every other number does.
    if (defaultUnit.pascals == 1) {
        if (std::optional<TInputValue> plain = ReadNumber(text))
            return *plain;
    }
    // Converted, it keeps the resolution it was given in: 1.0132 bar is 101320 Pa, not the
    // product's 101320.00000000001.
    const std::string_view trimmed = text.substr(
        text.find_first_not_of(" \t") == std::string_view::npos ? 0
                                                                : text.find_first_not_of(" \t"));
    const std::string_view number = trimmed.substr(0, trimmed.find_first_not_of("+-0123456789.eE"));
    const std::optional<TInputValue> given = ReadNumber(number);
    double pascals = pressure.pascals;
    if (given && given->value != 0) {
        const double resolution = std::fabs(pascals / static_cast<double>(given->value))
                                  * std::pow(10.0, -GivenDecimals(number));
        const int decimals = static_cast<int>(std::ceil(-std::log10(resolution) - 1e-9));
        pascals = RoundedTo(pascals, std::clamp(decimals, 0, 17));
    }
    return {MessageNumber(pascals), pascals};
}

void CheckPressure(const TInputValue &pressure, const std::string &what)
{
    if (!(pressure.value > 0 && pressure.value <= PressureMax))
        throw TCliError(what + " " + pressure.text + " Pa is not above 0 and at most "
                        + MessageNumber(PressureMax) + " Pa");
}

} // namespace cli
