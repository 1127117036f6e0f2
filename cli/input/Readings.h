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

// A column of a delimited log chosen by an option: N (counted from 1) or the NAME of its header.
struct TColumnChoice
{
    std::string option; // "--column", "--temp-column", "--keep"
    std::string column; // as given; empty when the option is not given
};

// Where logged readings come from: --input FILE (standard input when empty), the columns that
// hold the readings (--column, or a command's own column options, in the order of the reading's
// values), the columns kept in front of the results (--keep) and the decimal mark of the
// readings.
struct TInputArgs
{
    std::string file;
    std::string column;
    std::vector<TColumnChoice> columns;
    std::string keep;
    bool decimalComma = false;
};

// One reading as read: its fields, the line it stands on (0 for a value given on the command
// line or a row a command makes itself), its place in the run counted from 0, what is wrong
// with the line itself when it holds no usable reading, and the fields of its line kept with it.
struct TReading
{
    std::vector<std::string> fields;
    std::size_t line = 0;
    std::size_t index = 0;
    std::string problem;
    std::vector<std::string> kept;

    // "line 17: " for a reading of the input, nothing for one of the command line.
    std::string Where() const;
    // Empties the reading for the next one; its vectors keep their storage, so that a run over
    // millions of lines does not allocate for each.
    void Clear();
};

// The lines of the input that hold something, with their numbers: blank lines and lines starting
// with '#' are skipped, as is the rest of a line after a '#'. The one place a line is read: a
// UTF-8 byte-order mark at the start is skipped, UTF-16 and UTF-32 are refused, and a line longer
// than MaxLineLength is refused without being kept, so that memory stays bounded whatever the
// input holds.
class TLineReader
{
public:
    static constexpr std::size_t MaxLineLength = std::size_t{64} * 1024;

    // `source` names the input in a message: "--input 'log.csv'" or "standard input".
    TLineReader(std::istream &in, std::string source);

    // The next line that holds something; false at the end of the input.
    bool Next(std::string &line);
    std::size_t LineNumber() const { return m_lineNumber; }

private:
    bool Fill();
    bool ReadLine(std::string &line);
    void CheckEncoding();

    std::istream *m_in;
    std::string m_source;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_started = false;
    std::size_t m_lineNumber = 0;
};

// The readings of a command, read one at a time so that memory does not grow with the input.
//
// Values given on the command line come first and alone, each a reading (or, from the record
// constructor, all of them one reading). Otherwise each line of --input FILE or standard input
// is read (TLineReader). The first line that holds something is a header row when none of its
// fields is an attempt at a number (a digit, a sign or point before a digit, "nan", "inf") and
// one holds a letter; its text is kept (Header) for the report's settings. Any later line, and a
// first line that is no header, is readings: one that does not read is a bad reading of its
// line. With a chosen column (N|NAME) or kept columns a line is a delimited record (tab,
// semicolon or comma, found from the first line; not a comma under a decimal comma), and the
// reading is the chosen columns' fields; otherwise the fields not kept are the values, each
// blank-separated field one reading, or for a record reader (`fieldCount` > 1) all of them one.
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

    // The text taken as the header row, once the first reading has been read.
    const std::optional<std::string> &Header() const { return m_header; }
    // The headings of the kept columns: their names in the header, else "column N".
    std::vector<std::string> KeptNames() const;

private:
    struct TChoice
    {
        TColumnChoice choice;
        std::optional<std::size_t> index;
    };

    void Start(const std::string &line);
    void Resolve(TChoice &choice, const std::vector<std::string> &names) const;
    void Split(const std::string &line, std::vector<std::string> &fields) const;
    bool IsHeader(const std::vector<std::string> &fields) const;
    std::string Field(std::string text, std::string &problem) const;
    bool Kept(std::size_t index) const;

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
    std::vector<TChoice> m_choices;
    std::vector<TChoice> m_kept;
    std::optional<std::string> m_header;
    std::vector<std::string> m_headerNames;
    // The line being read and its fields, kept from line to line for their storage.
    std::string m_line;
    std::vector<std::string> m_fields;
    std::vector<std::string> m_pendingFields;
    std::size_t m_nextPending = 0;
    std::vector<std::string> m_pendingKept;
    std::size_t m_pendingLine = 0;
    std::size_t m_count = 0;
};

// Field `index` of a reading as a number; a TCliError naming the quantity and the rule.
TInputValue ReadingValue(const TReading &reading, std::size_t index, std::string_view what);

} // namespace cli
