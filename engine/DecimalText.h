// SPDX-License-Identifier: MIT
#pragma once

// Numbers as decimal text with a point, whatever the locale and the platform: the one reading and
// writing of number text that the window's fields and velmora-cli share. Built on std::from_chars
// and std::to_chars, so the text of a value is the same wherever the program runs.

#include "Extended.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace decimal {

enum class TReadStatus {
    Ok,
    NotANumber, // not the form below, or nothing at all
    OutOfRange  // a magnitude beyond the extended type's largest finite value
};

// Reads the whole text as an optional minus sign, digits with at most one point (at least one
// digit), and an optional exponent ("e" or "E", an optional sign, at least one digit). No plus
// sign, no blanks, no "inf" or "nan": a caller that allows them removes them first. A magnitude
// below the extended type's smallest normal value reads as zero of the same sign. On anything but
// Ok, value is left as it was.
TReadStatus Read(std::string_view text, Extended &value);

// The shortest text that reads back as the same value of its type ("0.1", "1e+300", "-0").
template<typename T>
std::string Shortest(T value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

// Exactly `decimals` digits after the point, rounded to nearest ("2.500", "-0.000").
std::string Fixed(double value, int decimals);

// One digit, a point, `fractionDigits` digits and the exponent ("1.2500e+03"), correctly rounded
// from the binary value.
std::string Scientific(Extended value, int fractionDigits);

// A single-precision value as the double its shortest text reads as: the number a reader of that
// text sees (36740.42f is 36740.42, not 36740.421875).
double SingleDecimal(float value);

// How many digits after the point a number's text gives ("12.50" 2, "1.5e-3" 4, "1200" 0), from 0
// to 17.
int GivenDecimals(std::string_view text);

// `value` rounded to `decimals` digits after the point, as Fixed writes it.
double RoundedTo(double value, int decimals);

// A single-precision emf in microvolts as millivolts: its shortest decimal text with the point
// moved, so that no binary residue of a division shows.
double Millivolts(float microvolts);

// A number for a message: the shortest text, with no exponent for everyday magnitudes.
std::string MessageNumber(double value);

} // namespace decimal
