// SPDX-License-Identifier: MIT
#pragma once

#include "Extended.h"

#include "DecimalText.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// A number as given, kept with its text so that a message can quote it as typed.
struct TInputValue
{
    std::string text;
    Extended value = 0;
};

// The whole text as a finite decimal number that fits a double, the same rule as ParseNumber;
// nothing when it is not one.
std::optional<TInputValue> ReadNumber(std::string_view text);

// Reads the whole text as a finite decimal number with a point as decimal mark (an optional sign,
// an optional exponent), whatever the locale. `what` names the quantity in the message of a
// TCliError.
TInputValue ParseNumber(std::string_view text, std::string_view what);

// The shortest text that reads back as the same double, or with exactly `decimals` digits after
// the point. A rounded zero loses its sign.
std::string FormatNumber(double value, std::optional<int> decimals);
// The same for a single-precision result: the shortest text that reads back as the same float,
// or that text's value rounded to `decimals` places.
std::string FormatNumber(float value, std::optional<int> decimals);

// SingleDecimal, GivenDecimals and RoundedTo: the engine's, shared with the Python module.
using decimal::GivenDecimals;
using decimal::RoundedTo;
using decimal::SingleDecimal;

using decimal::MessageNumber;

} // namespace cli
