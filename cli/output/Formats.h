// SPDX-License-Identifier: MIT
#pragma once

// What a report is made of: the formats, the columns, and the plain values of a row. A command
// fills a row with numbers (and the inputs it echoes); only the report writer turns them into
// text, CSV or JSON.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace cli {

// Svg is a chart, drawn only by the commands that plot (calibrate, tolerance).
enum class TFormat { Text, Csv, Tsv, Json, Svg };

// The window's resolution: results are shown to a thousandth.
inline constexpr int DefaultDecimals = 3;

struct TOutputOptions
{
    TFormat format = TFormat::Text;
    // Digits after the point in text and CSV; none means the shortest text that reads back as the
    // same number. JSON always carries the full value.
    std::optional<int> decimals = DefaultDecimals;
    // Numbers in text, CSV and TSV written with a decimal comma (JSON's are JSON numbers).
    bool decimalComma = false;
    // Separates the fields of CSV: ',' or, under a decimal comma, ';' unless chosen.
    char delimiter = ',';
};

// One column of a command's output: the one place a quantity's names and units are given.
struct TColumn
{
    std::string key;       // JSON member and stem of the CSV heading, e.g. "dew_point"
    std::string heading;   // text heading, e.g. "dew point"
    std::string unit;      // unit as shown in text and JSON, e.g. "°C"; empty where none
    std::string asciiUnit; // the unit in a CSV heading after an underscore, e.g. "C"
    bool words = false;    // a column of words (left-aligned) rather than numbers
    bool accuracy = false; // the ± accuracy of the column before it
    // A short text heading for a table of many columns, whose units then stand on a second
    // heading line; empty for "heading [unit]" on one line.
    std::string abbreviation = {};
    // Results computed in single precision (the thermocouple functions'): each is shown as the
    // shortest text that reads back as the same float.
    bool single = false;

    std::string CsvHeading() const { return asciiUnit.empty() ? key : key + "_" + asciiUnit; }
};

// One value of a row: a number, none ("-----" in text, an empty field in CSV, null in JSON), a
// word, or an input echoed as it was given (its text in text and CSV, its value in JSON).
struct TValue
{
    enum class TKind { None, Number, Word, Given };

    TKind kind = TKind::None;
    double number = 0;
    std::string text;

    static TValue Number(double value) { return {TKind::Number, value, {}}; }
    static TValue Word(std::string word) { return {TKind::Word, 0, std::move(word)}; }
    static TValue Given(std::string text, double value)
    {
        return {TKind::Given, value, std::move(text)};
    }
    // A number where there is one.
    static TValue Maybe(const std::optional<double> &value)
    {
        return value ? Number(*value) : TValue();
    }
};

using TRow = std::vector<TValue>;

// The text of a value in `column` as text and CSV show it (no value as `missing`).
std::string ValueText(const TValue &value, const TColumn &column, const TOutputOptions &options,
                      const std::string &missing);

// The value as JSON carries it: every digit.
nlohmann::ordered_json JsonValue(const TValue &value, const TColumn &column);

// A field of a CSV record, quoted per RFC 4180 where it holds the delimiter, a quote or a line
// break.
std::string CsvField(const std::string &text, char delimiter = ',');

} // namespace cli
