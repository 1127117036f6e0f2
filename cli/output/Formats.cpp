// SPDX-License-Identifier: MIT
#include "output/Formats.h"

#include "input/NumberText.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {

// A result of zero is shown without a sign in every format.
double Unsigned0(double value)
{
    return value == 0 ? 0.0 : value;
}

} // namespace

std::string ValueText(const TValue &value, const TColumn &column, const TOutputOptions &options,
                      const std::string &missing)
{
    switch (value.kind) {
    case TValue::TKind::Number:
        return column.single ? FormatNumber(static_cast<float>(value.number), options.decimals)
                             : FormatNumber(value.number, options.decimals);
    case TValue::TKind::Word:
    case TValue::TKind::Given:
        return value.text;
    case TValue::TKind::None:
        break;
    }
    return missing;
}

nlohmann::ordered_json JsonValue(const TValue &value, const TColumn &column)
{
    switch (value.kind) {
    case TValue::TKind::Number: {
        if (!column.single)
            return Unsigned0(value.number);
        // The double of the single's shortest text, not its binary expansion.
        return Unsigned0(SingleDecimal(static_cast<float>(value.number)));
    }
    case TValue::TKind::Word:
        return value.text;
    case TValue::TKind::Given:
        return value.number;
    case TValue::TKind::None:
        break;
    }
    return nullptr;
}

std::string CsvField(const std::string &text, char delimiter)
{
    // Tested character by character: find_first_of("\"\r\n") would search the set for each
    // character of every field of every record.
    if (std::none_of(text.begin(), text.end(),
                     [&](char c) { return c == '"' || c == '\r' || c == '\n' || c == delimiter; }))
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace cli
