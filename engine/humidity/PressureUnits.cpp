// SPDX-License-Identifier: MIT
#include "humidity/PressureUnits.h"

#include <array>
#include <charconv>
#include <cmath>

namespace humidity {

namespace {

// The pound-force per square inch from its definition: 0.45359237 kg · 9.80665 m/s² per
// (0.0254 m)².
constexpr double PascalsPerPsi = 0.45359237 * 9.80665 / (0.0254 * 0.0254);

constexpr std::array<TPressureUnit, 10> Units{{
    {"Pa", 1},
    {"hPa", 100},
    {"kPa", 1000},
    {"MPa", 1e6},
    {"mbar", 100},
    {"bar", 1e5},
    {"psi", PascalsPerPsi},
    {"kPag", 1000, true},
    {"barg", 1e5, true},
    {"psig", PascalsPerPsi, true},
}};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::span<const TPressureUnit> PressureUnits()
{
    return Units;
}

const TPressureUnit *FindPressureUnit(std::string_view name)
{
    for (const TPressureUnit &unit : Units) {
        if (unit.name == name)
            return &unit;
    }
    return nullptr;
}

TPressureText ParsePressure(std::string_view text, const TPressureUnit &defaultUnit,
                            double atmosphere)
{
    text = Trimmed(text);
    // from_chars takes a minus but no plus; "inf" and "nan" it takes are refused below.
    const bool plus = !text.empty() && text.front() == '+';
    const char *first = text.data() + (plus ? 1 : 0);
    const char *last = text.data() + text.size();
    if (plus && first != last && *first == '-')
        return {0, pfNotANumber};
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        return {0, pfOutOfRange};
    if (error != std::errc() || !std::isfinite(value))
        return {0, pfNotANumber};

    const std::string_view unitText = Trimmed(std::string_view(end, std::size_t(last - end)));
    const TPressureUnit *unit = unitText.empty() ? &defaultUnit : FindPressureUnit(unitText);
    if (!unit)
        return {0, pfUnknownUnit};
    const double pascals = value * unit->pascals + (unit->gauge ? atmosphere : 0.0);
    if (!std::isfinite(pascals))
        return {0, pfOutOfRange};
    return {pascals, pfNone, unit->gauge};
}

} // namespace humidity
