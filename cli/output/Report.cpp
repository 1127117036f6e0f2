// SPDX-License-Identifier: MIT
#include "output/Report.h"

#include "CliError.h"
#include "input/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace cli {

namespace {

const std::string NoValueText = "-----";
// Separates the cells of a spooled text row; no cell holds a control character.
constexpr char CellSeparator = '\x1f';
constexpr std::size_t SpoolChunk = std::size_t{1} << 16;

// Columns are padded by what a terminal shows, not by bytes: "°C" is two characters.
std::size_t DisplayWidth(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string TextHeading(const TColumn &column)
{
    return column.unit.empty() ? column.heading : column.heading + " [" + column.unit + "]";
}

// Where the unit of an input echoed with one starts ("12300uV"): the first letter after a digit
// that is not an exponent's 'e'.
std::size_t UnitStart(std::string_view text)
{
    for (std::size_t i = 1; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
        const bool exponent = (c == 'e' || c == 'E') && i + 1 < text.size()
                              && text.find_first_of("0123456789+-", i + 1) == i + 1;
        if (letter && !exponent && text[i - 1] >= '0' && text[i - 1] <= '9')
            return i;
    }
    return std::string_view::npos;
}

// A number's text split at its decimal point, or before its unit; a text without either is all
// whole part.
std::pair<std::string_view, std::string_view> SplitAtPoint(std::string_view text)
{
    // Not find_first_of(".,"), which calls a search of the set for every character.
    std::size_t point = static_cast<std::size_t>(
        std::find_if(text.begin(), text.end(), [](char c) { return c == '.' || c == ','; })
        - text.begin());
    if (point == text.size())
        point = std::min(UnitStart(text), text.size());
    return {text.substr(0, point), text.substr(point)};
}

void Pad(std::string &line, std::size_t count)
{
    line.append(count, ' ');
}

// The cells of a spooled row, as views into it.
void SplitCells(std::string_view row, std::vector<std::string_view> &cells)
{
    cells.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t end = row.find(CellSeparator, start);
        cells.push_back(row.substr(start, end - start));
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

void WriteOut(std::ostream &out, const std::string &text)
{
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace

TReportWriter::TReportWriter(std::string command, std::vector<TColumn> columns,
                             nlohmann::ordered_json settings, const TOutputOptions &options,
                             TLayout layout)
    : m_command(std::move(command))
    , m_columns(std::move(columns))
    , m_settings(std::move(settings))
    , m_options(options)
    , m_layout(layout)
    , m_spool(std::tmpfile(), &std::fclose)
    , m_widths(m_columns.size())
{
    if (m_options.format == TFormat::Svg)
        throw TCliError("--format svg: " + m_command
                        + " does not plot; svg is for calibrate and tolerance");
    if (!m_spool)
        throw TCliError("cannot create a temporary file for the output");
    m_buffer.reserve(SpoolChunk + 4096);
}

TReportWriter::~TReportWriter() = default;

void TReportWriter::DescribeInput(const std::optional<std::string> &header,
                                  const std::vector<std::string> &kept)
{
    if (m_begun)
        return;
    if (header)
        m_settings["header"] = *header;
    std::vector<TColumn> columns;
    for (const std::string &name : kept)
        columns.push_back({name, name, "", "", true});
    m_columns.insert(m_columns.begin(), columns.begin(), columns.end());
    m_widths.insert(m_widths.begin(), columns.size(), TWidth());
    m_keptCount = columns.size();
}

// Field `c` of a CSV or TSV record, after the delimiter where it is not the first.
void TReportWriter::AppendField(std::string &line, std::size_t c, std::string field) const
{
    if (m_options.format == TFormat::Tsv) {
        std::replace_if(
            field.begin(), field.end(),
            [](char ch) { return ch == '\t' || ch == '\n' || ch == '\r'; }, ' ');
        if (c > 0)
            line += '\t';
        line += field;
    } else {
        if (c > 0)
            line += m_options.delimiter;
        line += CsvField(field, m_options.delimiter);
    }
}

std::string TReportWriter::RecordLine(const std::vector<std::string> &fields) const
{
    std::string line;
    for (std::size_t c = 0; c < fields.size(); ++c)
        AppendField(line, c, fields[c]);
    return line + '\n';
}

// The start of the output, once the input's header and kept columns are known.
void TReportWriter::Begin()
{
    if (m_begun)
        return;
    m_begun = true;
    // Known once the kept columns are; every cell of a text table is padded by them.
    m_twoLineHeading = std::any_of(m_columns.begin(), m_columns.end(), [](const TColumn &column) {
        return !column.abbreviation.empty();
    });
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        m_headingWidths.push_back(HeadingWidth(c));
    switch (m_options.format) {
    case TFormat::Json:
        StartJson();
        break;
    case TFormat::Csv:
    case TFormat::Tsv: {
        std::vector<std::string> headings;
        for (const TColumn &column : m_columns)
            headings.push_back(column.CsvHeading());
        Spool(RecordLine(headings));
        break;
    }
    case TFormat::Text:
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c].words)
                m_widths[c].whole = m_headingWidths[c];
        }
        break;
    case TFormat::Svg:
        break;
    }
}

void TReportWriter::StartJson()
{
    using Json = nlohmann::ordered_json;
    Json units = Json::object();
    for (const TColumn &column : m_columns) {
        if (!column.unit.empty())
            units[column.key] = column.unit;
    }
    Json head = Json::object();
    head["command"] = m_command;
    head["settings"] = m_settings;
    head["units"] = std::move(units);
    head["rows"] = Json::array();
    // The rows are streamed into the array that closes the document.
    std::string text = head.dump(2);
    text.erase(text.rfind('['));
    Spool(text + '[');
}

// The members of a row's JSON object in order, each with its name written out. As an object
// holds a name once, a name that two columns share (a kept column named as a result) stands
// where it came first and takes the value of the last such column, as in a json object filled
// column by column.
std::vector<TReportWriter::TJsonMember> TReportWriter::JsonMembers() const
{
    std::vector<TJsonMember> members;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const auto same = std::find_if(members.begin(), members.end(), [&](const TJsonMember &m) {
            return m_columns[m.column].key == m_columns[c].key;
        });
        if (same != members.end()) {
            same->column = c;
            continue;
        }
        members.push_back(
            {(members.empty() ? "" : ",") + nlohmann::ordered_json(m_columns[c].key).dump() + ':',
             c});
    }
    return members;
}

void TReportWriter::AddRow(const TRow &values, const std::vector<std::string> &kept)
{
    Begin();
    // Kept from row to row, as is m_line, so that writing a row allocates nothing.
    TRow &cells = m_cells;
    cells.clear();
    for (std::size_t c = 0; c < m_keptCount; ++c)
        cells.push_back(TValue::Word(c < kept.size() ? kept[c] : std::string()));
    cells.insert(cells.end(), values.begin(), values.end());
    cells.resize(m_columns.size());
    // A number's text as text, CSV and TSV show it, with the decimal mark chosen.
    const auto text = [&](std::size_t c, const std::string &missing) {
        std::string value = ValueText(cells[c], m_columns[c], m_options, missing);
        if (m_options.decimalComma && cells[c].kind != TValue::TKind::Word
            && cells[c].kind != TValue::TKind::None)
            std::replace(value.begin(), value.end(), '.', ',');
        return value;
    };
    std::string &line = m_line;
    line.clear();
    switch (m_options.format) {
    case TFormat::Json:
        // The object {"name":value,...} as nlohmann::json writes it, with the names written once
        // for all rows: making and writing an object for every row took most of the run's time.
        if (m_jsonMembers.empty())
            m_jsonMembers = JsonMembers();
        line = m_rows > 0 ? ",\n    {" : "\n    {";
        for (const TJsonMember &member : m_jsonMembers) {
            line += member.name;
            line += JsonValue(cells[member.column], m_columns[member.column]).dump();
        }
        line += '}';
        break;
    case TFormat::Csv:
    case TFormat::Tsv: {
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            AppendField(line, c, text(c, std::string()));
        line += '\n';
        break;
    }
    case TFormat::Text:
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (c > 0)
                line += CellSeparator;
            std::string value = text(c, NoValueText);
            TWidth &width = m_widths[c];
            if (m_columns[c].words) {
                // A kept field's control characters would break the table's lines.
                for (char &ch : value) {
                    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
                        ch = ' ';
                }
                width.whole = std::max(width.whole, DisplayWidth(value));
            } else if (cells[c].kind == TValue::TKind::None) {
                width.marker = NoValueText.size();
            } else {
                const auto [whole, fraction] = SplitAtPoint(value);
                width.whole = std::max(width.whole, DisplayWidth(whole));
                width.fraction = std::max(width.fraction, DisplayWidth(fraction));
            }
            line += value;
        }
        line += '\n';
        break;
    case TFormat::Svg:
        break;
    }
    ++m_rows;
    Spool(line);
}

void TReportWriter::AddSummary(const std::string &key, nlohmann::ordered_json json,
                               const std::vector<std::string> &lines)
{
    m_summary[key] = std::move(json);
    m_summaryLines.insert(m_summaryLines.end(), lines.begin(), lines.end());
}

void TReportWriter::Spool(const std::string &text)
{
    m_buffer += text;
    if (m_buffer.size() >= SpoolChunk)
        FlushSpool();
}

void TReportWriter::FlushSpool()
{
    if (!m_buffer.empty()
        && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_spool.get()) != m_buffer.size())
        throw TCliError("cannot write the output to a temporary file (is the disk full?)");
    m_buffer.clear();
}

void TReportWriter::CopySpool(std::ostream &out)
{
    FlushSpool();
    std::rewind(m_spool.get());
    std::array<char, SpoolChunk> chunk{};
    std::size_t count = 0;
    while ((count = std::fread(chunk.data(), 1, chunk.size(), m_spool.get())) > 0)
        out.write(chunk.data(), static_cast<std::streamsize>(count));
}

std::string TReportWriter::SettingsLine() const
{
    std::string line = "# " + m_command;
    bool first = true;
    for (const auto &[key, value] : m_settings.items()) {
        line += first ? ": " : ", ";
        first = false;
        line += key + ' ';
        if (value.is_string())
            line += value.get<std::string>();
        else if (value.is_number())
            line += MessageNumber(value.get<double>());
        else
            line += value.dump();
    }
    return line + '\n';
}

std::size_t TReportWriter::HeadingWidth(std::size_t c) const
{
    const TColumn &column = m_columns[c];
    if (!m_twoLineHeading)
        return DisplayWidth(TextHeading(column));
    return std::max(
        DisplayWidth(column.abbreviation.empty() ? column.heading : column.abbreviation),
        DisplayWidth(column.unit));
}

// One line of the table, `texts` lined up in the columns, after what `line` holds.
void TReportWriter::AppendAligned(std::string &line, const std::vector<std::string_view> &texts,
                                  bool heading) const
{
    const std::size_t start = line.size();
    for (std::size_t c = 0; c < m_columns.size() && c < texts.size(); ++c) {
        // An accuracy stands closer to its value than to the next quantity.
        if (c > 0)
            line += m_columns[c].accuracy ? " " : "  ";
        const TWidth &width = m_widths[c];
        const std::size_t headingWidth = m_headingWidths[c];
        if (m_columns[c].words) {
            line += texts[c];
            Pad(line, std::max(width.whole, headingWidth) - DisplayWidth(texts[c]));
            continue;
        }
        const std::size_t cellWidth = std::max(width.Numbers(), headingWidth);
        // A heading and the no-value marker stand at the right of the cell; a number has its
        // decimal point where the column's numbers have theirs, and the column's widest numbers
        // stand at the right.
        if (heading || texts[c] == NoValueText) {
            Pad(line, cellWidth - DisplayWidth(texts[c]));
            line += texts[c];
            continue;
        }
        const auto [whole, fraction] = SplitAtPoint(texts[c]);
        Pad(line, cellWidth - width.fraction - DisplayWidth(whole));
        line += texts[c];
        Pad(line, width.fraction - DisplayWidth(fraction));
    }
    // No blanks at the end of the line.
    line.erase(std::max(start, line.find_last_not_of(' ') + 1));
    line += '\n';
}

std::string TReportWriter::QuantityLines(const std::vector<std::string> &texts) const
{
    struct TLine
    {
        std::string name;
        std::string value;
        std::string accuracy;
        std::string unit;
        bool words = false;
    };
    std::vector<TLine> lines;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].accuracy)
            continue;
        TLine line{m_columns[c].heading, texts[c], {}, m_columns[c].unit, m_columns[c].words};
        if (c + 1 < m_columns.size() && m_columns[c + 1].accuracy)
            line.accuracy = texts[c + 1];
        lines.push_back(std::move(line));
    }
    std::size_t nameWidth = 0;
    TWidth value;
    TWidth accuracy;
    const auto widen = [](TWidth &width, const std::string &text) {
        const auto [whole, fraction] = SplitAtPoint(text);
        width.whole = std::max(width.whole, DisplayWidth(whole));
        width.fraction = std::max(width.fraction, DisplayWidth(fraction));
    };
    for (const TLine &line : lines) {
        nameWidth = std::max(nameWidth, DisplayWidth(line.name));
        // words stand from where the numbers start, taking no part in their alignment
        if (!line.words)
            widen(value, line.value);
        if (!line.accuracy.empty())
            widen(accuracy, line.accuracy);
    }
    const auto aligned = [](const TWidth &width, const std::string &text) {
        const auto [whole, fraction] = SplitAtPoint(text);
        std::string cell(width.whole - DisplayWidth(whole), ' ');
        cell += text;
        Pad(cell, width.fraction - DisplayWidth(fraction));
        return cell;
    };
    std::string out;
    for (const TLine &line : lines) {
        std::string text = line.name;
        Pad(text, nameWidth - DisplayWidth(line.name) + 2);
        if (line.words) {
            out += text + line.value + '\n';
            continue;
        }
        text += aligned(value, line.value);
        if (accuracy.whole + accuracy.fraction > 0)
            text += line.accuracy.empty() ? std::string(accuracy.whole + accuracy.fraction + 4, ' ')
                                          : "  ± " + aligned(accuracy, line.accuracy);
        text += "  " + line.unit;
        text.erase(text.find_last_not_of(' ') + 1);
        out += text + '\n';
    }
    return out;
}

void TReportWriter::FinishText(std::ostream &out)
{
    FlushSpool();
    WriteOut(out, SettingsLine());
    std::rewind(m_spool.get());
    std::string pending;
    std::array<char, SpoolChunk> chunk{};
    std::size_t count = 0;
    std::vector<std::string_view> cells;
    const auto rows = [&](auto each) {
        while ((count = std::fread(chunk.data(), 1, chunk.size(), m_spool.get())) > 0) {
            pending.append(chunk.data(), count);
            std::size_t start = 0;
            std::size_t end = 0;
            while ((end = pending.find('\n', start)) != std::string::npos) {
                SplitCells(std::string_view(pending).substr(start, end - start), cells);
                each(cells);
                start = end + 1;
            }
            pending.erase(0, start);
        }
    };
    if (m_layout == TLayout::Quantities && m_rows == 1) {
        rows([&](const std::vector<std::string_view> &texts) {
            WriteOut(out, QuantityLines({texts.begin(), texts.end()}));
        });
        return;
    }
    std::vector<std::string> headings;
    std::vector<std::string> units;
    for (const TColumn &column : m_columns) {
        if (m_twoLineHeading) {
            headings.push_back(column.abbreviation.empty() ? column.heading : column.abbreviation);
            units.push_back(column.unit);
        } else {
            headings.push_back(TextHeading(column));
        }
    }
    std::string block;
    AppendAligned(block, {headings.begin(), headings.end()}, true);
    if (m_twoLineHeading)
        AppendAligned(block, {units.begin(), units.end()}, true);
    rows([&](const std::vector<std::string_view> &texts) {
        AppendAligned(block, texts, false);
        if (block.size() >= SpoolChunk) {
            WriteOut(out, block);
            block.clear();
        }
    });
    for (const std::string &line : m_summaryLines)
        block += line + '\n';
    WriteOut(out, block);
}

void TReportWriter::Finish(std::ostream &out)
{
    Begin();
    switch (m_options.format) {
    case TFormat::Text:
        FinishText(out);
        return;
    case TFormat::Json: {
        Spool(m_rows > 0 ? "\n  ]" : "]");
        for (const auto &[key, value] : m_summary.items()) {
            // Indented as the rest of the document.
            std::string text = value.dump(2);
            for (std::size_t at = text.find('\n'); at != std::string::npos;
                 at = text.find('\n', at + 1))
                text.insert(at + 1, "  ");
            Spool(",\n  " + nlohmann::ordered_json(key).dump() + ": " + text);
        }
        Spool("\n}\n");
        break;
    }
    case TFormat::Csv:
    case TFormat::Tsv:
        if (!m_summaryLines.empty())
            WriteOut(out, SettingsLine());
        break;
    case TFormat::Svg:
        break;
    }
    CopySpool(out);
    if (m_options.format == TFormat::Csv || m_options.format == TFormat::Tsv) {
        for (const std::string &line : m_summaryLines)
            WriteOut(out, "# " + line + '\n');
    }
}

} // namespace cli
