// SPDX-License-Identifier: MIT
#include "input/Readings.h"

#include "CliError.h"
#include "Messages.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace cli {

namespace {

constexpr const char *Blanks = " \t\r\v\f";

std::string Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(Blanks);
    text = text.substr(first, last - first + 1);
    // A quoted field of a spreadsheet's export.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

std::vector<std::string> SplitBlanks(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while ((start = line.find_first_not_of(Blanks, start)) != std::string::npos) {
        const std::size_t end = line.find_first_of(Blanks, start);
        fields.push_back(line.substr(start, end - start));
        start = end;
    }
    return fields;
}

bool HasLetter(const std::string &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isalpha(c) != 0 || c >= 0x80; });
}

} // namespace

std::string TReading::Where() const
{
    return line > 0 ? "line " + std::to_string(line) + ": " : std::string();
}

TReadings::TReadings(const std::vector<std::string> &given, std::istream &in,
                     const TInputArgs &args, std::size_t fieldCount)
    : m_given(given)
    , m_args(args)
    , m_fieldCount(fieldCount)
    , m_fromArguments(!given.empty())
{
    if (m_fromArguments && !args.file.empty())
        throw TCliError("--input '" + args.file
                        + "' and values on the command line exclude each other; give one");
    if (!m_fromArguments && !args.file.empty()) {
        m_file.open(args.file, std::ios::binary);
        if (!m_file)
            throw TCliError("--input '" + args.file
                            + "' cannot be opened: " + std::strerror(errno));
    }
    m_lines.emplace(m_file.is_open() ? m_file : in);
    if (!args.column.empty()) {
        std::size_t number = 0;
        const char *end = args.column.data() + args.column.size();
        const auto [ptr, ec] = std::from_chars(args.column.data(), end, number);
        if (ec == std::errc() && ptr == end) {
            if (number == 0)
                throw TCliError("--column '" + args.column
                                + "' is not a column; columns are counted from 1");
            m_columnIndex = number - 1;
        }
    }
}

TReadings::TReadings(const std::vector<std::string> &record)
    : m_given(record)
    , m_givenRecord(true)
    , m_fieldCount(record.size())
    , m_fromArguments(true)
{
}

bool TLineReader::Next(std::string &line)
{
    while (std::getline(*m_in, line)) {
        ++m_lineNumber;
        line.erase(std::min(line.size(), line.find('#')));
        if (line.find_first_not_of(Blanks) != std::string::npos)
            return true;
    }
    if (m_in->bad())
        throw TCliError("cannot read the input: " + std::string(std::strerror(errno)));
    return false;
}

std::vector<std::string> TReadings::Split(const std::string &line) const
{
    if (m_delimiter == 0)
        return SplitBlanks(line);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(m_delimiter, start);
        fields.push_back(Trim(std::string_view(line).substr(start, end - start)));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

bool TReadings::IsHeader(const std::vector<std::string> &fields) const
{
    const std::size_t index = m_columnIndex.value_or(0);
    return index < fields.size() && !ReadNumber(fields[index]) && HasLetter(fields[index]);
}

// Finds the delimiter from the first line, and the named column in its header.
void TReadings::Start(const std::string &line)
{
    m_started = true;
    const bool delimited = !m_args.column.empty() || m_fieldCount > 1;
    if (delimited) {
        if (line.find('\t') != std::string::npos)
            m_delimiter = '\t';
        else if (line.find(';') != std::string::npos)
            m_delimiter = ';';
        else if (line.find(',') != std::string::npos
                 && (m_fieldCount == 1 || SplitBlanks(line).size() < m_fieldCount))
            m_delimiter = ',';
    }
    if (m_args.column.empty() || m_columnIndex)
        return;
    const std::vector<std::string> names = Split(line);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Lower(Trim(names[i])) == Lower(m_args.column)) {
            m_columnIndex = i;
            return;
        }
    }
    std::string known;
    for (const std::string &name : names)
        known += (known.empty() ? "" : ", ") + name;
    throw TCliError("--column '" + m_args.column + "' is not in the input's header row (" + known
                    + ")");
}

bool TReadings::Next(TReading &reading)
{
    reading = TReading();
    if (m_fromArguments) {
        if (m_nextGiven >= m_given.size())
            return false;
        reading.index = m_count++;
        if (m_givenRecord) {
            reading.fields = m_given;
            m_nextGiven = m_given.size();
            return true;
        }
        reading.fields.push_back(m_given[m_nextGiven++]);
        return true;
    }
    // Further values of a line that holds several.
    if (!m_pendingFields.empty()) {
        reading.fields.push_back(std::move(m_pendingFields.front()));
        m_pendingFields.erase(m_pendingFields.begin());
        reading.line = m_pendingLine;
        reading.index = m_count++;
        return true;
    }
    std::string line;
    if (!m_lines->Next(line))
        return false;
    if (!m_started) {
        const bool namedColumn = !m_args.column.empty() && !m_columnIndex;
        Start(line);
        if (namedColumn || IsHeader(Split(line))) {
            if (!m_lines->Next(line))
                return false;
        }
    }
    reading.index = m_count++;
    reading.line = m_lines->LineNumber();
    std::vector<std::string> fields = Split(line);
    if (m_columnIndex) {
        if (*m_columnIndex >= fields.size()) {
            reading.problem = "has no column " + std::to_string(*m_columnIndex + 1) + " (it has "
                              + std::to_string(fields.size()) + " fields)";
            return true;
        }
        reading.fields.push_back(std::move(fields[*m_columnIndex]));
        return true;
    }
    if (m_fieldCount > 1) {
        reading.fields = std::move(fields);
        return true;
    }
    reading.fields.push_back(std::move(fields.front()));
    m_pendingFields.assign(std::make_move_iterator(fields.begin() + 1),
                           std::make_move_iterator(fields.end()));
    m_pendingLine = m_lines->LineNumber();
    return true;
}

TInputValue ReadingValue(const TReading &reading, std::size_t index, std::string_view what)
{
    return ParseNumber(reading.fields.at(index), what);
}

} // namespace cli
