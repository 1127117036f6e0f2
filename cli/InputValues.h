// SPDX-License-Identifier: MIT
#pragma once

#include "NumberText.h"

#include <cstddef>
#include <fstream>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Where logged readings come from: --input FILE (standard input when empty) and --column.
struct TInputArgs
{
    std::string file;
    std::string column;
};

// One reading as read: its fields, the line it stands on (0 for a value given on the command
// line), and what is wrong with the line itself when it holds no usable reading.
struct TReading
{
    std::vector<std::string> fields;
    std::size_t line = 0;
    std::string problem;

    // "line 17: " for a reading of the input, nothing for one of the command line.
    std::string Where() const;
};

// The readings of a command, read one at a time so that memory does not grow with the input.
//
// Values given on the command line come first and alone. Otherwise each line of --input FILE or
// standard input is read: blank lines and lines starting with '#' are skipped, as is the rest of a
// line after a '#'. A first line whose leading field (or the chosen column) is a word rather than a
// number is a header row and skipped. With --column N|NAME a line is a delimited record (comma,
// semicolon or tab, found from the first line) and the value is its Nth field or the field under
// NAME in the header; without it, every blank-separated field of a line is one value.
// A record reader (`fieldCount` > 1) gives the first fieldCount fields of each line instead,
// separated by the delimiter of the first line or by blanks.
class TReadings
{
public:
    TReadings(const std::vector<std::string> &given, std::istream &in, const TInputArgs &args,
              std::size_t fieldCount = 1);

    // The next reading; false when there are no more.
    bool Next(TReading &reading);

    // Readings given so far, good or bad.
    std::size_t Count() const { return m_count; }

private:
    bool NextLine(std::string &line);
    void Start(const std::string &line);
    std::vector<std::string> Split(const std::string &line) const;
    bool IsHeader(const std::vector<std::string> &fields) const;

    std::vector<std::string> m_given;
    std::size_t m_nextGiven = 0;
    std::ifstream m_file;
    std::istream *m_in;
    TInputArgs m_args;
    std::size_t m_fieldCount;
    bool m_fromArguments;
    bool m_started = false;
    char m_delimiter = 0; // 0: blanks
    std::optional<std::size_t> m_columnIndex;
    std::size_t m_lineNumber = 0;
    std::vector<std::string> m_pendingFields;
    std::size_t m_pendingLine = 0;
    std::size_t m_count = 0;
};

// Field `index` of a reading as a number; a TCliError naming the line, the quantity and the rule.
TInputValue ReadingValue(const TReading &reading, std::size_t index, std::string_view what);

} // namespace cli
