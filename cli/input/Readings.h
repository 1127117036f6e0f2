// SPDX-License-Identifier: MIT
#pragma once

#include "input/NumberText.h"

#include <cstddef>
#include <fstream>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// Where logged readings come from: --input FILE (standard input when empty) and --column.
struct TInputArgs
{
    std::string file;
    std::string column;
};

// One reading as read: its fields, the line it stands on (0 for a value given on the command
// line or a row a command makes itself), its place in the run counted from 0, and what is wrong
// with the line itself when it holds no usable reading.
struct TReading
{
    std::vector<std::string> fields;
    std::size_t line = 0;
    std::size_t index = 0;
    std::string problem;

    // "line 17: " for a reading of the input, nothing for one of the command line.
    std::string Where() const;
};

// The lines of the input that hold something, with their numbers: blank lines and lines starting
// with '#' are skipped, as is the rest of a line after a '#'. The one place a line is read.
class TLineReader
{
public:
    explicit TLineReader(std::istream &in)
        : m_in(&in)
    {
    }

    // The next line that holds something; false at the end of the input.
    bool Next(std::string &line);
    std::size_t LineNumber() const { return m_lineNumber; }

private:
    std::istream *m_in;
    std::size_t m_lineNumber = 0;
};

// The readings of a command, read one at a time so that memory does not grow with the input.
//
// Values given on the command line come first and alone, each a reading (or, from
// the record constructor, all of them one reading). Otherwise each line of --input FILE or standard
// input is read (TLineReader). A first line whose leading field (or the chosen column) is a word
// rather than a number is a header row and skipped. With --column N|NAME a line is a delimited
// record (comma, semicolon or tab, found from the first line) and the value is its Nth field or
// the field under NAME in the header; without it, every blank-separated field of a line is one
// value. A record reader (`fieldCount` > 1) gives the first fieldCount fields of each line
// instead, separated by the delimiter of the first line or by blanks.
class TReadings
{
public:
    TReadings(const std::vector<std::string> &given, std::istream &in, const TInputArgs &args,
              std::size_t fieldCount = 1);

    // One reading made of all the values given on the command line.
    explicit TReadings(const std::vector<std::string> &record);
    TReadings(const TReadings &) = delete;
    TReadings &operator=(const TReadings &) = delete;

    // The next reading; false when there are no more. Throws TCliError for input that cannot be
    // read at all (a named column that the header does not hold, a failed read).
    bool Next(TReading &reading);

private:
    void Start(const std::string &line);
    std::vector<std::string> Split(const std::string &line) const;
    bool IsHeader(const std::vector<std::string> &fields) const;

    std::vector<std::string> m_given;
    std::size_t m_nextGiven = 0;
    bool m_givenRecord = false;
    std::ifstream m_file;
    std::optional<TLineReader> m_lines;
    TInputArgs m_args;
    std::size_t m_fieldCount;
    bool m_fromArguments;
    bool m_started = false;
    char m_delimiter = 0; // 0: blanks
    std::optional<std::size_t> m_columnIndex;
    std::vector<std::string> m_pendingFields;
    std::size_t m_pendingLine = 0;
    std::size_t m_count = 0;
};

// Field `index` of a reading as a number; a TCliError naming the quantity and the rule.
TInputValue ReadingValue(const TReading &reading, std::size_t index, std::string_view what);

} // namespace cli
