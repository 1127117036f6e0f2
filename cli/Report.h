// SPDX-License-Identifier: MIT
#pragma once

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace cli {

enum class TFormat { Text, Csv, Json };

// How text output shows its rows: a table, one row a line, or for a single state one quantity a
// line with its ± and unit.
enum class TLayout { Rows, Quantities };

// The window's resolution: results are shown to a thousandth.
inline constexpr int DefaultDecimals = 3;

struct TOutputOptions
{
    TFormat format = TFormat::Text;
    // Digits after the point in text and CSV; none means the shortest text that reads back as the
    // same number. JSON always carries the full value.
    std::optional<int> decimals = DefaultDecimals;
};

// One column of a command's output; the one place a quantity's names and units are given.
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

    std::string CsvHeading() const { return asciiUnit.empty() ? key : key + "_" + asciiUnit; }
};

// An input number echoed as it was given: its text in text and CSV, its value in JSON.
struct TGiven
{
    std::string text;
    double value = 0;
};

// A result, a value that does not exist ("-----" in text, an empty field in CSV, null in JSON),
// a word, or an input as given. A float is a result computed in single precision, whose full
// value is the shortest text that reads back as the same float.
using TCell = std::variant<std::monostate, double, float, std::string, TGiven>;

// Writes a command's output row by row into a temporary file, and copies it out only once the
// whole command has succeeded, so that a refused input leaves standard output empty and memory
// does not grow with the number of rows. Text columns are lined up on the decimal point when the
// output is copied out.
class TReportWriter
{
public:
    TReportWriter(std::string command, std::vector<TColumn> columns,
                  nlohmann::ordered_json settings, const TOutputOptions &options,
                  TLayout layout = TLayout::Rows);
    ~TReportWriter();
    TReportWriter(const TReportWriter &) = delete;
    TReportWriter &operator=(const TReportWriter &) = delete;

    const std::vector<TColumn> &Columns() const { return m_columns; }

    void AddRow(const std::vector<TCell> &cells);
    void AddRow(std::initializer_list<TCell> cells) { AddRow(std::vector<TCell>(cells)); }

    // Writes the whole output to `out`, ending with a line break.
    void Finish(std::ostream &out);

private:
    struct TWidth
    {
        std::size_t whole = 0;    // a number's characters before its decimal point; a word's all
        std::size_t fraction = 0; // from the decimal point on
        std::size_t marker = 0;   // of the no-value marker, right-aligned with the numbers
        std::size_t Numbers() const { return std::max(whole + fraction, marker); }
    };

    void Spool(const std::string &text);
    void FlushSpool();
    void CopySpool(std::ostream &out);
    void StartJson();
    void FinishText(std::ostream &out);
    std::string AlignedLine(const std::vector<std::string> &texts, bool heading) const;
    std::string QuantityLines(const std::vector<std::string> &texts) const;
    std::string SettingsLine() const;
    std::size_t HeadingWidth(std::size_t column) const;
    bool TwoLineHeading() const;

    std::string m_command;
    std::vector<TColumn> m_columns;
    nlohmann::ordered_json m_settings;
    TOutputOptions m_options;
    TLayout m_layout;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> m_spool;
    std::string m_buffer;
    std::vector<TWidth> m_widths;
    std::size_t m_rows = 0;
};

// The text of a cell as text and CSV show it (a missing value as `missing`).
std::string CellText(const TCell &cell, const TOutputOptions &options, const std::string &missing);

// A field of a CSV record, quoted per RFC 4180 where it holds a comma, a quote or a line break.
std::string CsvField(const std::string &text);

} // namespace cli
