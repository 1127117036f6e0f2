// SPDX-License-Identifier: MIT
#pragma once

#include "VelmoraCli.h"

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

// One in-process run of velmora-cli with its standard streams captured.
struct TCliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

inline TCliRun RunCli(const std::vector<std::string> &args, const std::string &input = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TCliRun run;
    run.status = cli::RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

inline std::vector<std::string> SplitCsvLine(const std::string &line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream stream(line);
    while (std::getline(stream, field, ','))
        fields.push_back(field);
    if (!line.empty() && line.back() == ',')
        fields.emplace_back();
    return fields;
}

// The CSV output as rows of fields, the heading row first.
inline std::vector<std::vector<std::string>> CsvRows(const std::string &text)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string &line : SplitLines(text))
        rows.push_back(SplitCsvLine(line));
    return rows;
}

// A whole field read as a double; false when any of it is not part of the number.
inline bool ReadDouble(const std::string &text, double &value)
{
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

// Characters a terminal shows: "°" is one.
inline std::size_t DisplayWidth(const std::string &text)
{
    std::size_t width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return width;
}
