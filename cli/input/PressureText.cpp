// SPDX-License-Identifier: MIT
#include "input/PressureText.h"

#include "CliError.h"
#include "Messages.h"
#include "input/UnitText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace cli {

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The unit the text is written in, or nullptr for one that names none.
const humidity::TPressureUnit *UnitOf(std::string_view text, const humidity::TPressureUnit &plain)
{
    const std::string_view unit = SplitUnit(Trimmed(text)).unit;
    return unit.empty() ? &plain : humidity::FindPressureUnit(unit);
}

} // namespace

std::string PressureUnitList()
{
    return UnitList(TQuantityKind::Pressure);
}

const humidity::TPressureUnit &PressureUnitOption(const std::string &name)
{
    const humidity::TPressureUnit *unit = humidity::FindPressureUnit(name);
    if (!unit) {
        const std::string suggestion = UnitSuggestion(name, UnitNames(TQuantityKind::Pressure));
        throw TCliError("--pressure-unit '" + Echo(name) + "' is not one of " + PressureUnitList()
                        + suggestion);
    }
    return *unit;
}

TPressureSetting PlanPressures(const std::string &unit, const std::string &atmosphere,
                               std::initializer_list<std::string_view> given)
{
    TPressureSetting setting;
    setting.unit = &PressureUnitOption(unit);
    setting.atmosphere
        = {MessageNumber(humidity::StandardAtmosphere), humidity::StandardAtmosphere};
    if (!atmosphere.empty()) {
        const humidity::TPressureUnit *absolute = setting.unit;
        if (absolute->gauge) {
            const std::string_view name = absolute->name.substr(0, absolute->name.size() - 1);
            absolute = humidity::FindPressureUnit(name);
            if (!absolute)
                absolute = &humidity::PressureUnits().front();
        }
        const humidity::TPressureUnit *written = UnitOf(atmosphere, *absolute);
        if (written && written->gauge)
            throw TCliError("--atmosphere '" + Echo(atmosphere)
                            + "' is a gauge pressure; the atmosphere is absolute, as 1013.25hPa");
        setting.atmosphere = ParsePressureText(atmosphere, "--atmosphere", {absolute, {}, true});
        CheckPressure(setting.atmosphere, "--atmosphere");
        setting.named = true;
    }
    for (const std::string_view text : given) {
        const humidity::TPressureUnit *written
            = text.empty() ? nullptr : UnitOf(text, *setting.unit);
        if (written && written->gauge)
            setting.named = true;
    }
    return setting;
}

TInputValue ParsePressureText(std::string_view text, std::string_view what,
                              const TPressureSetting &setting)
{
    const humidity::TPressureUnit &plain = *setting.unit;
    const humidity::TPressureText pressure
        = humidity::ParsePressure(text, plain, static_cast<double>(setting.atmosphere.value));
    const std::string quoted = std::string(what) + " '" + Echo(text) + "'";
    switch (pressure.fault) {
    case humidity::pfNone:
        break;
    case humidity::pfUnknownUnit:
        RefuseUnit(quoted, SplitUnit(Trimmed(text)).unit, TQuantityKind::Pressure);
    case humidity::pfOutOfRange:
        throw TCliError(quoted + " is out of range");
    case humidity::pfNotANumber:
        throw TCliError(quoted + " is not a number, with or without a unit");
    }
    if (pressure.gauge) {
        if (!setting.named)
            throw TCliError(quoted
                            + " is a gauge pressure; give --atmosphere, the absolute "
                              "pressure it is above (101325Pa is the standard atmosphere)");
        if (!(pressure.pascals > 0))
            throw TCliError(quoted + " is " + MessageNumber(pressure.pascals)
                            + " Pa absolute (gauge plus the atmosphere " + setting.atmosphere.text
                            + " Pa); an absolute pressure must be above 0");
    }
    // A plain number in pascals keeps its text, as every other number does.
    if (plain.pascals == 1 && !plain.gauge) {
        if (std::optional<TInputValue> number = ReadNumber(text))
            return *number;
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
        // The unit's size in pascals; a gauge pressure's atmosphere is no part of it.
        const double inUnit = pressure.gauge
                                  ? pascals - static_cast<double>(setting.atmosphere.value)
                                  : pascals;
        const double resolution = std::fabs(inUnit / static_cast<double>(given->value))
                                  * std::pow(10.0, -GivenDecimals(number));
        const int decimals = static_cast<int>(std::ceil(-std::log10(resolution) - 1e-9));
        pascals = RoundedTo(pascals, std::clamp(decimals, 0, 17));
    }
    return {MessageNumber(pascals), pascals};
}

void AddAtmosphere(nlohmann::ordered_json &settings, const TPressureSetting &setting)
{
    if (setting.named)
        settings["atmosphere"] = static_cast<double>(setting.atmosphere.value);
}

void CheckPressure(const TInputValue &pressure, const std::string &what)
{
    if (!(pressure.value > 0 && pressure.value <= PressureMax))
        throw TCliError(what + " " + pressure.text + " Pa is not above 0 and at most "
                        + MessageNumber(PressureMax) + " Pa");
}

} // namespace cli
