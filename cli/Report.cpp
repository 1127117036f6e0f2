#include "Report.h"

#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <type_traits>

namespace cli {

namespace {

const std::string NoValueText = "-----";

// Columns are padded by what a terminal shows, not by bytes: "°C" is two characters.
std::size_t DisplayWidth(const std::string &text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string CellText(const TCell &cell, const TOutputOptions &options)
{
    if (const double *number = std::get_if<double>(&cell))
        return FormatNumber(*number, options.decimals);
    if (const float *single = std::get_if<float>(&cell))
        return FormatNumber(*single, options.decimals);
    if (const std::string *word = std::get_if<std::string>(&cell))
        return *word;
    return NoValueText;
}

std::string TextHeading(const TColumn &column)
{
    return column.unit.empty() ? column.heading : column.heading + " [" + column.unit + "]";
}

std::string CsvHeading(const TColumn &column)
{
    return column.unit.empty() ? column.key : column.key + " [" + column.unit + "]";
}

void AppendPadded(std::string &out, const std::string &text, std::size_t width, bool left)
{
    const std::size_t fill = width - std::min(width, DisplayWidth(text));
    if (!left)
        out.append(fill, ' ');
    out += text;
    if (left)
        out.append(fill, ' ');
}

std::string RenderText(const TReport &report, const TOutputOptions &options)
{
    const std::vector<TColumn> &columns = report.Columns();
    const std::size_t rowCount = report.RowCount();
    std::vector<std::string> texts;
    texts.reserve(rowCount * columns.size());
    std::vector<std::size_t> widths;
    for (const TColumn &column : columns)
        widths.push_back(DisplayWidth(TextHeading(column)));
    for (std::size_t row = 0; row < rowCount; ++row) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            texts.push_back(CellText(report.Cell(row, c), options));
            widths[c] = std::max(widths[c], DisplayWidth(texts.back()));
        }
    }

    std::string out;
    std::size_t lineLength = 2 * columns.size();
    for (const std::size_t width : widths)
        lineLength += width;
    out.reserve((rowCount + 1) * (lineLength + 1));
    const auto appendLine = [&](auto textOf) {
        std::string line;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                line += "  ";
            AppendPadded(line, textOf(c), widths[c], columns[c].words);
        }
        // A left-aligned last column would otherwise end in blanks.
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += '\n';
    };
    appendLine([&](std::size_t c) { return TextHeading(columns[c]); });
    for (std::size_t row = 0; row < rowCount; ++row)
        appendLine(
            [&](std::size_t c) -> const std::string & { return texts[row * columns.size() + c]; });
    return out;
}

std::string CsvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string RenderCsv(const TReport &report, const TOutputOptions &options)
{
    const std::vector<TColumn> &columns = report.Columns();
    std::string out;
    out.reserve((report.RowCount() + 1) * columns.size() * 24);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            out += ',';
        out += CsvField(CsvHeading(columns[c]));
    }
    out += '\n';
    for (std::size_t row = 0; row < report.RowCount(); ++row) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                out += ',';
            out += CsvField(CellText(report.Cell(row, c), options));
        }
        out += '\n';
    }
    return out;
}

// The number a reader of the text would get, so that JSON and text agree digit for digit.
template<typename T>
double AsPrinted(T value, const TOutputOptions &options)
{
    if (!options.decimals && std::is_same_v<T, double>)
        return static_cast<double>(value);
    const std::string text = FormatNumber(value, options.decimals);
    double printed = 0;
    std::from_chars(text.data(), text.data() + text.size(), printed);
    return printed;
}

std::string RenderJson(const TReport &report, const TOutputOptions &options)
{
    using Json = nlohmann::ordered_json;
    const std::vector<TColumn> &columns = report.Columns();
    Json document = Json::object();
    document["command"] = report.Command();
    for (const auto &[key, value] : report.Settings().items())
        document[key] = value;
    Json units = Json::object();
    for (const TColumn &column : columns) {
        if (!column.unit.empty())
            units[column.key] = column.unit;
    }
    document["units"] = std::move(units);
    Json rows = Json::array();
    rows.get_ref<Json::array_t &>().reserve(report.RowCount());
    for (std::size_t row = 0; row < report.RowCount(); ++row) {
        Json object = Json::object();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const TCell &cell = report.Cell(row, c);
            if (const double *number = std::get_if<double>(&cell))
                object[columns[c].key] = AsPrinted(*number, options);
            else if (const float *single = std::get_if<float>(&cell))
                object[columns[c].key] = AsPrinted(*single, options);
            else if (const std::string *word = std::get_if<std::string>(&cell))
                object[columns[c].key] = *word;
            else
                object[columns[c].key] = nullptr;
        }
        rows.push_back(std::move(object));
    }
    document["rows"] = std::move(rows);
    return document.dump(2) + '\n';
}

} // namespace

TReport::TReport(std::string command, std::vector<TColumn> columns)
    : m_command(std::move(command))
    , m_columns(std::move(columns))
{
}

void TReport::Reserve(std::size_t rows)
{
    m_cells.reserve(rows * m_columns.size());
}

void TReport::AddRow(std::initializer_list<TCell> cells)
{
    if (cells.size() != m_columns.size())
        throw std::logic_error("a report row needs one cell per column");
    m_cells.insert(m_cells.end(), cells);
}

std::size_t TReport::RowCount() const
{
    return m_columns.empty() ? 0 : m_cells.size() / m_columns.size();
}

const TCell &TReport::Cell(std::size_t row, std::size_t column) const
{
    return m_cells[row * m_columns.size() + column];
}

std::string Render(const TReport &report, const TOutputOptions &options)
{
    switch (options.format) {
    case TFormat::Csv:
        return RenderCsv(report, options);
    case TFormat::Json:
        return RenderJson(report, options);
    case TFormat::Text:
        break;
    }
    return RenderText(report, options);
}

} // namespace cli
