// SPDX-License-Identifier: MIT
#include "Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace pyvelmora {

namespace {

constexpr int ExtendedDigits = std::numeric_limits<Extended>::digits;

// The largest k whose 10^k the extended type holds exactly: 5^k fits its mantissa.
constexpr int ExactPowers()
{
    Extended two = 1;
    for (int i = 0; i < ExtendedDigits; ++i)
        two *= 2;
    int k = 0;
    Extended five = 1;
    while (k < 60 && five * 5 < two) {
        five *= 5;
        ++k;
    }
    return k;
}

constexpr int MaxExactPower = ExtendedDigits >= 64 ? ExactPowers() : 0;

constexpr std::array<Extended, 61> PowersOfTen = [] {
    std::array<Extended, 61> powers{};
    Extended power = 1;
    for (Extended &p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

} // namespace

Extended AsDecimal(double value)
{
    // Integers up to 2^53 read back exactly in any binary type: no text needed.
    if (std::abs(value) < 9007199254740992.0 && value == std::trunc(value))
        return static_cast<Extended>(value);
    // The nearest double to a double's shortest text is the double itself.
    if constexpr (ExtendedDigits <= std::numeric_limits<double>::digits)
        return value;
    // A value logged with up to six decimals: the first k for which m / 10^k reads back as the
    // value gives the shortest text's digits, as the decimals are far wider apart than doubles.
    if (std::abs(value) < 1e9) {
        for (std::size_t k = 1; k <= 6; ++k) {
            const double scale = static_cast<double>(PowersOfTen[k]);
            const double m = std::nearbyint(value * scale);
            if (m / scale == value)
                return static_cast<Extended>(m) / PowersOfTen[k];
        }
    }
    // The shortest text's digits as an integer m and a power of ten: where both are exact in the
    // extended type, one correctly rounded division or multiplication gives the nearest value to
    // the decimal, as reading the text does.
    std::array<char, 40> buffer{};
    const char *end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    const char *c = buffer.data();
    const bool negative = *c == '-';
    c += negative;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    for (; c != end && *c != 'e'; ++c) {
        if (*c == '.') {
            point = true;
            continue;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*c - '0');
        ++digits;
        fraction += point;
    }
    int exponent = 0;
    if (c != end)
        std::from_chars(c + 1 + (c[1] == '+'), end, exponent);
    const int power = exponent - fraction;
    if (digits <= 19 && std::abs(power) <= MaxExactPower) {
        const auto m = static_cast<Extended>(mantissa);
        const Extended magnitude = power < 0 ? m / PowersOfTen[static_cast<std::size_t>(-power)]
                                             : m * PowersOfTen[static_cast<std::size_t>(power)];
        return negative ? -magnitude : magnitude;
    }
    Extended extended = value;
    decimal::Read(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())),
                  extended);
    return extended;
}

std::string GivenText(double value)
{
    return decimal::Shortest(value);
}

std::string FixedText(double value, int decimals)
{
    std::string text = decimal::Fixed(value, decimals);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

} // namespace pyvelmora
