// SPDX-License-Identifier: MIT
#pragma once

// Values written with their unit, as engineers write them: an emf in µV, mV or V ("12.3mV"), a
// resistance in Ω, kΩ or MΩ ("2.2kohm"), and what is said when a unit is not one of those that
// the value takes (a slip of case, another quantity's unit).

#include "input/NumberText.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A number followed by its unit: the number's text, and the unit's with the blanks between
// dropped (empty when the text ends in a digit or a point).
struct TUnitSplit
{
    std::string_view number;
    std::string_view unit;
};

// Splits at the trailing run of letters and other non-ASCII characters (µ, Ω), so that "1e3mV"
// is "1e3" and "mV".
TUnitSplit SplitUnit(std::string_view text);

// A value as a message names it: its text, followed by `unit` unless written with its own
// ("2kohm", "138.5 Ω").
std::string WithUnit(const std::string &text, const std::string &unit);

// The quantities whose values may carry a unit.
enum class TQuantityKind { Emf, Resistance, Pressure };

// An electrical unit as a power of ten of the engine's unit (µV, Ω).
struct TElectricUnit
{
    std::string_view name;
    int exponent;
    bool listed; // false for a second spelling of a listed one (Greek mu, the ohm sign)
};

std::span<const TElectricUnit> ElectricUnits(TQuantityKind kind);

// The names a value of `kind` takes, as help and messages list them: "uV, µV, mV or V".
std::string UnitList(TQuantityKind kind);
// The same names as words, for completion.
std::vector<std::string> UnitNames(TQuantityKind kind);

// "; did you mean 'bar'?" for the valid name `given` most probably meant (the same letters in
// another case first, then a slip of the keyboard), else nothing.
std::string UnitSuggestion(std::string_view given, const std::vector<std::string> &valid);

// The refusal of `quoted` (what the value is and its text, "--at '7BAR'") for its `unit`, which
// `kind` does not take: another quantity's unit is named as such, else the nearest valid unit or
// the list of them.
[[noreturn]] void RefuseUnit(const std::string &quoted, std::string_view unit, TQuantityKind kind);

// An emf or a resistance as written, its text kept as typed and its value in the unit that a
// number alone is in: 10^shownExponent of the engine's unit (3 for an emf in mV). A unit is
// applied by moving the decimal exponent, so that "12300uV" in mV is exactly 12.3.
TInputValue ParseElectricText(std::string_view text, std::string_view what, TQuantityKind kind,
                              int shownExponent);

} // namespace cli
