// SPDX-License-Identifier: MIT
#include "input/NumberText.h"

#include "CliError.h"
#include "DecimalText.h"
#include "Messages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace cli {

namespace {

enum class TNumberFault { None, OutOfRange, NotANumber };

TNumberFault Read(std::string_view text, Extended &value)
{
    std::string_view digits = text;
    // The number text takes no plus sign, but people write one for a positive offset.
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const bool signedTwice
        = digits.size() < text.size() && !digits.empty() && digits.front() == '-';
    const decimal::TReadStatus status
        = signedTwice ? decimal::TReadStatus::NotANumber : decimal::Read(digits, value);
    // Every calculation and every output holds a double, as the window's fields do.
    if (status == decimal::TReadStatus::OutOfRange
        || (status == decimal::TReadStatus::Ok
            && std::fabs(value) > std::numeric_limits<double>::max()))
        return TNumberFault::OutOfRange;
    // "inf" and "nan" are not numbers anyone can calculate with.
    return status == decimal::TReadStatus::Ok ? TNumberFault::None : TNumberFault::NotANumber;
}

} // namespace

std::optional<TInputValue> ReadNumber(std::string_view text)
{
    Extended value = 0;
    if (Read(text, value) != TNumberFault::None)
        return std::nullopt;
    return TInputValue{std::string(text), value};
}

TInputValue ParseNumber(std::string_view text, std::string_view what)
{
    Extended value = 0;
    const TNumberFault fault = Read(text, value);
    if (fault == TNumberFault::None)
        return {std::string(text), value};
    const std::string quoted = std::string(what) + " '" + Echo(text) + "'";
    if (fault == TNumberFault::OutOfRange)
        throw TCliError(quoted + " is out of range (beyond "
                        + MessageNumber(std::numeric_limits<double>::max()) + " in size)");
    if (text.find(',') != std::string_view::npos)
        throw TCliError(quoted + " is not a number (the decimal mark is '.')");
    throw TCliError(quoted + " is not a number");
}

namespace {

template<typename T>
std::string Format(T value, std::optional<int> decimals)
{
    std::string text = decimals ? decimal::Fixed(static_cast<double>(value), *decimals)
                                : decimal::Shortest(value);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

} // namespace

std::string FormatNumber(double value, std::optional<int> decimals)
{
    return Format(value, decimals);
}

std::string FormatNumber(float value, std::optional<int> decimals)
{
    // rounded from the one double every format shows, as a reader of the JSON would round it
    return decimals ? Format(SingleDecimal(value), decimals) : Format(value, decimals);
}

} // namespace cli
