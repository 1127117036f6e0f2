// SPDX-License-Identifier: MIT
#include "input/TableRows.h"

#include "CliError.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace cli {

namespace {

constexpr int MaxDigits = 18;

// A decimal text as digits × 10^exponent, when its digits fit a 64-bit integer.
struct TDecimal
{
    std::int64_t digits = 0;
    int exponent = 0;
};

std::optional<TDecimal> ReadDecimal(const std::string &text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    TDecimal decimal;
    int digitCount = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (decimal.digits == 0 && c == '0') {
            if (point)
                --decimal.exponent;
            continue;
        }
        if (++digitCount > MaxDigits)
            return std::nullopt;
        decimal.digits = decimal.digits * 10 + (c - '0');
        if (point)
            --decimal.exponent;
    }
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E')
            return std::nullopt;
        int exponent = 0;
        std::string_view rest(text.data() + i + 1, text.size() - i - 1);
        if (!rest.empty() && rest.front() == '+')
            rest.remove_prefix(1);
        const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), exponent);
        if (ec != std::errc() || ptr != rest.data() + rest.size() || std::abs(exponent) > 400)
            return std::nullopt;
        decimal.exponent += exponent;
    }
    if (negative)
        decimal.digits = -decimal.digits;
    return decimal;
}

// digits × 10^(exponent + places) when it is a whole number below 10^18 in size; `floor` rounds
// a value with more places down instead of failing.
std::optional<std::int64_t> Units(const TDecimal &decimal, int places, bool floor)
{
    std::int64_t value = decimal.digits;
    int shift = decimal.exponent + places;
    constexpr std::int64_t Limit = 1'000'000'000'000'000'000;
    for (; shift > 0; --shift) {
        if (std::abs(value) >= Limit / 10)
            return std::nullopt;
        value *= 10;
    }
    for (; shift < 0; ++shift) {
        if (!floor && value % 10 != 0)
            return std::nullopt;
        const bool down = value < 0 && value % 10 != 0;
        value = value / 10 - (down ? 1 : 0);
    }
    return value;
}

std::string UnitsText(std::int64_t units, int places)
{
    std::array<char, 32> buffer{};
    const bool negative = units < 0;
    const auto magnitude = static_cast<std::uint64_t>(negative ? -units : units);
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude);
    std::string digits(buffer.data(), ptr);
    if (places > 0) {
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(places), 1, '.');
    }
    return (negative ? "-" : "") + digits;
}

std::string RowCountText(Extended count)
{
    return count < 1e18 ? std::to_string(static_cast<unsigned long long>(count))
                        : MessageNumber(static_cast<double>(count));
}

} // namespace

TTableRows::TTableRows(const TInputValue &from, const TInputValue &to, const TInputValue &step)
    : m_from(from)
    , m_step(step)
{
    if (from.value == to.value) {
        m_count = 1;
        return;
    }
    const std::optional<TDecimal> fromDecimal = ReadDecimal(from.text);
    const std::optional<TDecimal> toDecimal = ReadDecimal(to.text);
    const std::optional<TDecimal> stepDecimal = ReadDecimal(step.text);
    if (fromDecimal && toDecimal && stepDecimal) {
        m_places = std::max({0, -fromDecimal->exponent, -stepDecimal->exponent});
        const auto fromUnits = Units(*fromDecimal, m_places, false);
        const auto toUnits = Units(*toDecimal, m_places, true);
        const auto stepUnits = Units(*stepDecimal, m_places, false);
        if (m_places <= MaxDigits && fromUnits && toUnits && stepUnits && *stepUnits > 0) {
            m_exact = true;
            m_fromUnits = *fromUnits;
            m_stepUnits = *stepUnits;
            const auto intervals = static_cast<std::uint64_t>(*toUnits - *fromUnits)
                                   / static_cast<std::uint64_t>(*stepUnits);
            if (intervals >= MaxRows)
                throw TCliError("--step " + step.text + " gives " + std::to_string(intervals + 1)
                                + " rows from " + from.text + " to " + to.text
                                + "; a table has at most " + std::to_string(MaxRows));
            m_count = static_cast<std::size_t>(intervals) + 1;
            return;
        }
    }
    const Extended intervals = std::floor((to.value - from.value) / step.value);
    if (!(intervals < static_cast<Extended>(MaxRows)))
        throw TCliError("--step " + step.text + " gives " + RowCountText(intervals + 1)
                        + " rows from " + from.text + " to " + to.text + "; a table has at most "
                        + std::to_string(MaxRows));
    m_count = static_cast<std::size_t>(intervals) + 1;
}

TInputValue TTableRows::At(std::size_t index) const
{
    if (m_exact) {
        const std::string text
            = UnitsText(m_fromUnits + static_cast<std::int64_t>(index) * m_stepUnits, m_places);
        return ParseNumber(text, "temperature");
    }
    if (index == 0)
        return m_from;
    const Extended value = m_from.value + static_cast<Extended>(index) * m_step.value;
    return {MessageNumber(static_cast<double>(value)), value};
}

} // namespace cli
