// SPDX-License-Identifier: MIT
#include "input/Readings.h"

#include "CliError.h"
#include "Messages.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace cli {

namespace {

constexpr std::size_t ReadChunk = std::size_t{64} * 1024;

// Tested character by character rather than with find_first_of(" \t..."), which looks each
// character up in the set with a call of its own: this runs over every byte of the input.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(std::string_view text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    if (first >= last)
        return {};
    text = std::string_view(first, last);
    // A quoted field of a spreadsheet's export.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

void SplitBlanks(std::string_view line, std::vector<std::string> &fields)
{
    auto end = line.begin();
    while (true) {
        const auto start = std::find_if_not(end, line.end(), IsBlank);
        if (start == line.end())
            return;
        end = std::find_if(start, line.end(), IsBlank);
        fields.emplace_back(start, end);
    }
}

bool HasLetter(const std::string &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isalpha(c) != 0 || c >= 0x80; });
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A field someone meant as a number, whether or not it reads as one: "12", "-.5", "1e400",
// "5mA", "12,5", "nan", "-inf". A header names its columns with none of these.
bool NumberAttempt(std::string_view text)
{
    while (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    if (IsDigit(text.front()))
        return true;
    if (text.size() > 1 && (text.front() == '.' || text.front() == ',') && IsDigit(text[1]))
        return true;
    const std::string word = Lower(std::string(text));
    return word == "nan" || word == "inf" || word == "infinity";
}

std::optional<std::size_t> ColumnNumber(const TColumnChoice &choice)
{
    std::size_t number = 0;
    const char *end = choice.column.data() + choice.column.size();
    const auto [ptr, ec] = std::from_chars(choice.column.data(), end, number);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    if (number == 0)
        throw TCliError(choice.option + " '" + choice.column
                        + "' is not a column; columns are counted from 1");
    return number - 1;
}

} // namespace

std::string TReading::Where() const
{
    return line > 0 ? "line " + std::to_string(line) + ": " : std::string();
}

void TReading::Clear()
{
    fields.clear();
    line = 0;
    index = 0;
    problem.clear();
    kept.clear();
}

TLineReader::TLineReader(std::istream &in, std::string source)
    : m_in(&in)
    , m_source(std::move(source))
{
}

bool TLineReader::Fill()
{
    if (m_begin < m_end)
        return true;
    if (m_buffer.empty())
        m_buffer.resize(ReadChunk);
    m_in->read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_begin = 0;
    m_end = static_cast<std::size_t>(m_in->gcount());
    if (m_in->bad())
        throw TCliError("cannot read " + m_source + ": " + std::string(std::strerror(errno)));
    if (!m_started) {
        m_started = true;
        CheckEncoding();
    }
    return m_begin < m_end;
}

// A byte-order mark at the start of the input: UTF-8's is skipped, the others say the text is
// not UTF-8 at all.
void TLineReader::CheckEncoding()
{
    const auto starts = [&](std::string_view mark) {
        return m_end - m_begin >= mark.size()
               && std::memcmp(m_buffer.data() + m_begin, mark.data(), mark.size()) == 0;
    };
    using namespace std::string_view_literals;
    if (starts("\xEF\xBB\xBF"sv)) {
        m_begin += 3;
        return;
    }
    const char *encoding = starts("\xFF\xFE\0\0"sv)   ? "UTF-32 (little-endian)"
                           : starts("\0\0\xFE\xFF"sv) ? "UTF-32 (big-endian)"
                           : starts("\xFF\xFE"sv)     ? "UTF-16 (little-endian)"
                           : starts("\xFE\xFF"sv)     ? "UTF-16 (big-endian)"
                                                      : nullptr;
    if (encoding != nullptr)
        throw TCliError(m_source + " is " + encoding
                        + " text by its byte-order mark; velmora-cli reads UTF-8 (save it as "
                          "UTF-8)");
}

// One line without its line break, kept up to MaxLineLength bytes and counted in full; false at
// the end of the input.
bool TLineReader::ReadLine(std::string &line)
{
    line.clear();
    std::size_t length = 0;
    bool any = false;
    while (Fill()) {
        any = true;
        const char *begin = m_buffer.data() + m_begin;
        const auto *newline = static_cast<const char *>(std::memchr(begin, '\n', m_end - m_begin));
        const std::size_t take
            = newline != nullptr ? static_cast<std::size_t>(newline - begin) : m_end - m_begin;
        if (length < MaxLineLength + 1)
            line.append(begin, std::min(take, MaxLineLength + 1 - length));
        length += take;
        m_begin += take;
        if (newline != nullptr) {
            ++m_begin;
            break;
        }
    }
    if (!any)
        return false;
    ++m_lineNumber;
    if (length > MaxLineLength) {
        line.clear();
        line.shrink_to_fit();
        throw TCliError(m_source + ": line " + std::to_string(m_lineNumber) + " is "
                        + std::to_string(length) + " bytes long; a line may hold at most "
                        + std::to_string(MaxLineLength) + " bytes");
    }
    return true;
}

bool TLineReader::Next(std::string &line)
{
    while (ReadLine(line)) {
        line.erase(std::min(line.size(), line.find('#')));
        if (std::find_if_not(line.begin(), line.end(), IsBlank) != line.end())
            return true;
    }
    return false;
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
    if (m_fromArguments && !args.keep.empty())
        throw TCliError("--keep '" + args.keep
                        + "' keeps columns of the input; values on the command line have none");
    if (!m_fromArguments && !args.file.empty()) {
        const std::string source = "--input '" + args.file + "'";
        std::error_code error;
        if (std::filesystem::is_directory(args.file, error))
            throw TCliError(source + " is a folder; give a file");
        m_file.open(args.file, std::ios::binary);
        if (!m_file)
            throw TCliError(source + " cannot be opened: " + std::strerror(errno));
        m_lines.emplace(m_file, source);
    } else {
        m_lines.emplace(in, "standard input");
    }
    if (!args.column.empty())
        m_choices.push_back({{"--column", args.column}, {}});
    for (const TColumnChoice &choice : args.columns) {
        if (!choice.column.empty())
            m_choices.push_back({choice, {}});
    }
    std::size_t start = 0;
    while (!args.keep.empty() && start <= args.keep.size()) {
        const std::size_t end = std::min(args.keep.find(',', start), args.keep.size());
        const std::string column = Trim(std::string_view(args.keep).substr(start, end - start));
        if (column.empty())
            throw TCliError("--keep '" + args.keep + "' names an empty column");
        m_kept.push_back({{"--keep", column}, {}});
        start = end + 1;
    }
    for (TChoice &choice : m_choices)
        choice.index = ColumnNumber(choice.choice);
    for (TChoice &choice : m_kept)
        choice.index = ColumnNumber(choice.choice);
}

TReadings::TReadings(const std::vector<std::string> &record)
    : m_given(record)
    , m_givenRecord(true)
    , m_fieldCount(record.size())
    , m_fromArguments(true)
{
}

void TReadings::Split(const std::string &line, std::vector<std::string> &fields) const
{
    fields.clear();
    if (m_delimiter == 0) {
        SplitBlanks(line, fields);
        return;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(m_delimiter, start);
        fields.push_back(Trim(std::string_view(line).substr(start, end - start)));
        if (end == std::string::npos)
            return;
        start = end + 1;
    }
}

bool TReadings::IsHeader(const std::vector<std::string> &fields) const
{
    return std::none_of(fields.begin(), fields.end(), NumberAttempt)
           && std::any_of(fields.begin(), fields.end(), HasLetter);
}

void TReadings::Resolve(TChoice &choice, const std::vector<std::string> &names) const
{
    if (choice.index)
        return;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Lower(names[i]) == Lower(choice.choice.column)) {
            choice.index = i;
            return;
        }
    }
    std::string known;
    for (const std::string &name : names)
        known += (known.empty() ? "" : ", ") + name;
    throw TCliError(choice.choice.option + " '" + Echo(choice.choice.column)
                    + "' is not in the input's header row (" + Echo(known) + ")");
}

// Finds the delimiter from the first line, whether it is a header, and the named columns in it.
void TReadings::Start(const std::string &line)
{
    m_started = true;
    const bool delimited = !m_choices.empty() || !m_kept.empty() || m_fieldCount > 1;
    if (delimited) {
        if (line.find('\t') != std::string::npos)
            m_delimiter = '\t';
        else if (line.find(';') != std::string::npos)
            m_delimiter = ';';
        else if (!m_args.decimalComma && line.find(',') != std::string::npos)
            m_delimiter = ',';
    }
    const auto named = [](const TChoice &choice) {
        return !choice.index;
    };
    std::vector<std::string> fields;
    Split(line, fields);
    // A named column needs the header, whatever it holds.
    if (!std::any_of(m_choices.begin(), m_choices.end(), named)
        && !std::any_of(m_kept.begin(), m_kept.end(), named) && !IsHeader(fields))
        return;
    m_header = EscapeControls(Trim(line));
    m_headerNames = fields;
    for (TChoice &choice : m_choices)
        Resolve(choice, fields);
    for (TChoice &choice : m_kept)
        Resolve(choice, fields);
}

bool TReadings::Kept(std::size_t index) const
{
    return std::any_of(m_kept.begin(), m_kept.end(),
                       [&](const TChoice &choice) { return choice.index == index; });
}

// A value's text as the number reader takes it: under a decimal comma the comma becomes the
// point, and a point, which a German or French export writes only as a thousands separator, is
// refused rather than guessed at.
std::string TReadings::Field(std::string text, std::string &problem) const
{
    if (!m_args.decimalComma)
        return text;
    if (text.find('.') != std::string::npos && problem.empty())
        problem = "'" + Echo(text)
                  + "' holds a point; with --decimal-mark comma the decimal mark is ','";
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

std::vector<std::string> TReadings::KeptNames() const
{
    std::vector<std::string> names;
    for (const TChoice &choice : m_kept) {
        const std::size_t index = choice.index.value_or(0);
        names.push_back(index < m_headerNames.size() && !m_headerNames[index].empty()
                            ? m_headerNames[index]
                            : "column " + std::to_string(index + 1));
    }
    return names;
}

bool TReadings::Next(TReading &reading)
{
    reading.Clear();
    if (m_fromArguments) {
        if (m_nextGiven >= m_given.size())
            return false;
        reading.index = m_count++;
        if (m_givenRecord) {
            for (const std::string &text : m_given)
                reading.fields.push_back(Field(text, reading.problem));
            m_nextGiven = m_given.size();
            return true;
        }
        reading.fields.push_back(Field(m_given[m_nextGiven++], reading.problem));
        return true;
    }
    // Further values of a line that holds several.
    if (m_nextPending < m_pendingFields.size()) {
        reading.fields.push_back(
            Field(std::move(m_pendingFields[m_nextPending++]), reading.problem));
        reading.kept = m_pendingKept;
        reading.line = m_pendingLine;
        reading.index = m_count++;
        return true;
    }
    std::string &line = m_line;
    if (!m_lines->Next(line))
        return false;
    if (!m_started) {
        Start(line);
        if (m_header && !m_lines->Next(line))
            return false;
    }
    reading.index = m_count++;
    reading.line = m_lines->LineNumber();
    std::vector<std::string> &fields = m_fields;
    Split(line, fields);
    for (const TChoice &choice : m_kept)
        reading.kept.push_back(*choice.index < fields.size() ? fields[*choice.index] : "");
    if (!m_choices.empty()) {
        for (const TChoice &choice : m_choices) {
            if (*choice.index >= fields.size()) {
                reading.problem = "has no column " + std::to_string(*choice.index + 1) + " (it has "
                                  + std::to_string(fields.size()) + " fields)";
                reading.fields.clear();
                return true;
            }
            reading.fields.push_back(Field(std::move(fields[*choice.index]), reading.problem));
        }
        return true;
    }
    // The values of the line; for a reader of single values, those after the first wait in
    // m_pendingFields for the next calls.
    std::vector<std::string> &values = m_pendingFields;
    values.clear();
    m_nextPending = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!Kept(i))
            values.push_back(std::move(fields[i]));
    }
    if (values.empty()) {
        reading.problem = "holds no reading besides the kept columns";
        return true;
    }
    if (m_fieldCount > 1) {
        for (std::string &value : values)
            reading.fields.push_back(Field(std::move(value), reading.problem));
        values.clear();
        return true;
    }
    reading.fields.push_back(Field(std::move(values.front()), reading.problem));
    m_nextPending = 1;
    m_pendingKept = reading.kept;
    m_pendingLine = reading.line;
    return true;
}

TInputValue ReadingValue(const TReading &reading, std::size_t index, std::string_view what)
{
    return ParseNumber(reading.fields.at(index), what);
}

} // namespace cli
