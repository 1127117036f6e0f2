// SPDX-License-Identifier: MIT
#include "input/UnitText.h"

#include "CliError.h"
#include "Messages.h"

#include "humidity/PressureUnits.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace cli {

namespace {

// "µ" is the micro sign, "Ω" the Greek capital omega; the Greek small mu and the ohm sign, which
// look the same, are taken too.
constexpr std::array<TElectricUnit, 5> EmfUnits{{
    {"uV", 0, true},
    {"µV", 0, true},
    {"\xCE\xBCV", 0, false},
    {"mV", 3, true},
    {"V", 6, true},
}};

constexpr std::array<TElectricUnit, 9> ResistanceUnits{{
    {"ohm", 0, true},
    {"Ω", 0, true},
    {"\xE2\x84\xA6", 0, false},
    {"kohm", 3, true},
    {"kΩ", 3, true},
    {"k\xE2\x84\xA6", 3, false},
    {"Mohm", 6, true},
    {"MΩ", 6, true},
    {"M\xE2\x84\xA6", 6, false},
}};

bool InUnit(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
}

const char *KindName(TQuantityKind kind)
{
    switch (kind) {
    case TQuantityKind::Emf:
        return "an emf";
    case TQuantityKind::Resistance:
        return "a resistance";
    case TQuantityKind::Pressure:
        break;
    }
    return "a pressure";
}

// Every name a value of `kind` takes, the second spellings too.
std::vector<std::string> AllNames(TQuantityKind kind)
{
    std::vector<std::string> names;
    if (kind == TQuantityKind::Pressure) {
        for (const humidity::TPressureUnit &unit : humidity::PressureUnits())
            names.emplace_back(unit.name);
        return names;
    }
    for (const TElectricUnit &unit : ElectricUnits(kind))
        names.emplace_back(unit.name);
    return names;
}

bool Takes(TQuantityKind kind, std::string_view unit)
{
    const std::vector<std::string> names = AllNames(kind);
    return std::find(names.begin(), names.end(), unit) != names.end();
}

std::optional<int> ReadExponent(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int exponent = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), exponent);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return exponent;
}

} // namespace

TUnitSplit SplitUnit(std::string_view text)
{
    std::size_t start = text.size();
    while (start > 0 && InUnit(text[start - 1]))
        --start;
    std::size_t numberEnd = start;
    while (numberEnd > 0 && (text[numberEnd - 1] == ' ' || text[numberEnd - 1] == '\t'))
        --numberEnd;
    if (start == text.size())
        return {text, {}};
    return {text.substr(0, numberEnd), text.substr(start)};
}

std::string WithUnit(const std::string &text, const std::string &unit)
{
    return SplitUnit(text).unit.empty() ? text + " " + unit : text;
}

std::span<const TElectricUnit> ElectricUnits(TQuantityKind kind)
{
    if (kind == TQuantityKind::Emf)
        return EmfUnits;
    if (kind == TQuantityKind::Resistance)
        return ResistanceUnits;
    return {};
}

std::vector<std::string> UnitNames(TQuantityKind kind)
{
    if (kind == TQuantityKind::Pressure)
        return AllNames(kind);
    std::vector<std::string> names;
    for (const TElectricUnit &unit : ElectricUnits(kind)) {
        if (unit.listed)
            names.emplace_back(unit.name);
    }
    return names;
}

std::string UnitList(TQuantityKind kind)
{
    const std::vector<std::string> names = UnitNames(kind);
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            list += i + 1 == names.size() ? " or " : ", ";
        list += names[i];
    }
    return list;
}

std::string UnitSuggestion(std::string_view given, const std::vector<std::string> &valid)
{
    const std::string lower = Lower(std::string(given));
    std::vector<std::string> lowered;
    for (const std::string &name : valid) {
        if (Lower(name) == lower)
            return "; did you mean '" + name + "'?";
        lowered.push_back(Lower(name));
    }
    const std::string nearest = Nearest(lower, lowered);
    if (nearest.empty())
        return {};
    const auto found = std::find(lowered.begin(), lowered.end(), nearest);
    return "; did you mean '" + valid[static_cast<std::size_t>(found - lowered.begin())] + "'?";
}

void RefuseUnit(const std::string &quoted, std::string_view unit, TQuantityKind kind)
{
    const std::string expected
        = std::string("expected ") + KindName(kind) + " in " + UnitList(kind);
    for (const TQuantityKind other :
         {TQuantityKind::Emf, TQuantityKind::Resistance, TQuantityKind::Pressure}) {
        if (other != kind && Takes(other, unit))
            throw TCliError(quoted + " is " + KindName(other) + "; " + expected);
    }
    const std::string suggestion = UnitSuggestion(unit, UnitNames(kind));
    throw TCliError(quoted + ": unknown unit '" + Echo(unit) + "'"
                    + (suggestion.empty() ? "; " + expected : suggestion));
}

TInputValue ParseElectricText(std::string_view text, std::string_view what, TQuantityKind kind,
                              int shownExponent)
{
    const TUnitSplit split = SplitUnit(text);
    if (split.unit.empty())
        return ParseNumber(text, what);
    const std::string quoted = std::string(what) + " '" + Echo(text) + "'";
    if (!ReadNumber(split.number))
        throw TCliError(quoted + " is not a number, with or without a unit");
    const auto units = ElectricUnits(kind);
    const auto unit = std::find_if(units.begin(), units.end(),
                                   [&](const TElectricUnit &u) { return u.name == split.unit; });
    if (unit == units.end())
        RefuseUnit(quoted, split.unit, kind);
    // The unit moves the decimal exponent: no rounding but the reading's own.
    std::string_view mantissa = split.number;
    int exponent = unit->exponent - shownExponent;
    const std::size_t e = mantissa.find_first_of("eE");
    if (e != std::string_view::npos) {
        const std::optional<int> written = ReadExponent(mantissa.substr(e + 1));
        if (!written || *written > 100000 || *written < -100000)
            throw TCliError(quoted + " is out of range");
        exponent += *written;
        mantissa = mantissa.substr(0, e);
    }
    const std::optional<TInputValue> value
        = ReadNumber(std::string(mantissa) + "e" + std::to_string(exponent));
    if (!value)
        throw TCliError(quoted + " is out of range");
    return {std::string(text), value->value};
}

} // namespace cli
