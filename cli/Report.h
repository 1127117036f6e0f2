#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

enum class TFormat { Text, Csv, Json };

struct TOutputOptions
{
    TFormat format = TFormat::Text;
    // Digits after the point; none means every digit the double needs to read back unchanged.
    std::optional<int> decimals;
};

struct TColumn
{
    std::string key;     // JSON member and CSV heading, e.g. "dew_point_accuracy"
    std::string heading; // text heading, e.g. "±"
    std::string unit;    // e.g. "°C"; empty where the quantity has none
    bool words = false;  // a column of words (left-aligned) rather than numbers
};

// A number, a value that does not exist ("-----" in text and CSV, null in JSON), or a word. A
// float is a result computed in single precision, printed with the digits that single holds.
using TCell = std::variant<std::monostate, double, float, std::string>;

// The rows a command computed, with the settings it computed them for; rendered only once the
// whole calculation has succeeded, so that a refused input leaves standard output empty.
class TReport
{
public:
    TReport(std::string command, std::vector<TColumn> columns);

    // The command's settings, written ahead of the rows in JSON (text and CSV carry only rows).
    nlohmann::ordered_json &Settings() { return m_settings; }

    void Reserve(std::size_t rows);
    void AddRow(std::initializer_list<TCell> cells);

    const std::string &Command() const { return m_command; }
    const std::vector<TColumn> &Columns() const { return m_columns; }
    std::size_t RowCount() const;
    const TCell &Cell(std::size_t row, std::size_t column) const;
    const nlohmann::ordered_json &Settings() const { return m_settings; }

private:
    std::string m_command;
    std::vector<TColumn> m_columns;
    std::vector<TCell> m_cells; // row by row
    nlohmann::ordered_json m_settings = nlohmann::ordered_json::object();
};

// The whole output of a command, ending with a line break.
std::string Render(const TReport &report, const TOutputOptions &options);

} // namespace cli
