// SPDX-License-Identifier: MIT
#pragma once

#include "output/Formats.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// How text output shows its rows: a table, one row a line, or for a single state one quantity a
// line with its ± and unit.
enum class TLayout { Rows, Quantities };

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

    // The values of a command's row (the kept columns not counted).
    std::size_t RowSize() const { return m_columns.size() - m_keptCount; }

    // What the input's first line told, before the first row: the text taken as its header row
    // (named in the settings), and the headings of the input columns kept in front of the results.
    void DescribeInput(const std::optional<std::string> &header,
                       const std::vector<std::string> &kept);

    // A row of RowSize() values, after the kept input fields as they were read.
    void AddRow(const TRow &row, const std::vector<std::string> &kept = {});

    // Lines that close a record such as a calibration's, each set's verdict: in text after the
    // table, in CSV as '#' lines after the records (and the settings line before the heading, so
    // that the file holds every setting), in JSON the member `key` after the rows.
    void AddSummary(const std::string &key, nlohmann::ordered_json json,
                    const std::vector<std::string> &lines);

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
    // A member of a row's JSON object: its name as written, with the comma before it and the
    // colon after it, and the column of its value.
    struct TJsonMember
    {
        std::string name;
        std::size_t column = 0;
    };

    std::vector<TJsonMember> JsonMembers() const;
    void Spool(const std::string &text);
    void FlushSpool();
    void CopySpool(std::ostream &out);
    void Begin();
    void StartJson();
    void AppendField(std::string &line, std::size_t c, std::string field) const;
    std::string RecordLine(const std::vector<std::string> &fields) const;
    void FinishText(std::ostream &out);
    void AppendAligned(std::string &line, const std::vector<std::string_view> &texts,
                       bool heading) const;
    std::string QuantityLines(const std::vector<std::string> &texts) const;
    std::string SettingsLine() const;
    std::size_t HeadingWidth(std::size_t column) const;

    std::string m_command;
    std::vector<TColumn> m_columns;
    nlohmann::ordered_json m_settings;
    TOutputOptions m_options;
    TLayout m_layout;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> m_spool;
    std::string m_buffer;
    std::vector<TWidth> m_widths;
    // Whether units stand on a second heading line, and each column's heading width: known from
    // the first row on.
    bool m_twoLineHeading = false;
    std::vector<std::size_t> m_headingWidths;
    TRow m_cells;
    std::string m_line;
    std::vector<TJsonMember> m_jsonMembers;
    std::size_t m_rows = 0;
    nlohmann::ordered_json m_summary = nlohmann::ordered_json::object();
    std::vector<std::string> m_summaryLines;
    std::size_t m_keptCount = 0;
    bool m_begun = false;
};

} // namespace cli
