// SPDX-License-Identifier: MIT
#include "Messages.h"

#include "arith.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <sstream>

namespace cli {

namespace {

std::size_t DisplayWidth(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string EscapeControls(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            escaped += c;
            continue;
        }
        switch (c) {
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\0':
            escaped += "\\0";
            break;
        default: {
            constexpr std::array<char, 16> hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                               '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
            escaped += "\\x";
            escaped += hex[byte >> 4];
            escaped += hex[byte & 0xF];
        }
        }
    }
    return escaped;
}

std::string Echo(std::string_view text)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > EchoLength)
            return std::string(text.substr(0, i)) + "…";
    }
    return std::string(text);
}

void WriteMessage(std::ostream &err, std::string_view message)
{
    // In one piece: standard error is unbuffered, and a run with --keep-going may say a great
    // many of these.
    err << std::string(ProgramName) + ": " + EscapeControls(message) + '\n';
}

std::string Nearest(std::string_view given, const std::vector<std::string> &candidates)
{
    std::string best;
    std::size_t bestDistance = 0;
    for (const std::string &candidate : candidates) {
        const std::size_t distance = EditDistance(given, candidate);
        if (best.empty() || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    // Close enough to be a slip of the keyboard: at most a third of the name differs.
    if (best.empty() || bestDistance == 0
        || bestDistance * 3 > std::max<std::size_t>(best.size(), 3))
        return {};
    return best;
}

std::string BeyondPrintableText()
{
    std::array<char, 64> largest{};
    const auto end = std::to_chars(largest.data(), largest.data() + largest.size(),
                                   std::numeric_limits<double>::max())
                         .ptr;
    return "±" + std::string(largest.data(), end) + ", the largest number the tool can print";
}

std::string FaultText(const std::exception &fault)
{
    if (dynamic_cast<const arith::EOverflow *>(&fault) != nullptr)
        return "a result is beyond " + BeyondPrintableText();
    if (dynamic_cast<const arith::EZeroDivide *>(&fault) != nullptr)
        return "a result would divide by zero";
    if (dynamic_cast<const arith::EInvalidOp *>(&fault) != nullptr)
        return "a result is undefined (no number)";
    return fault.what();
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::string WrapHelp(const std::string &text, std::size_t width, std::size_t descriptionColumn)
{
    std::istringstream lines(text);
    std::string line;
    std::string out;
    while (std::getline(lines, line)) {
        while (DisplayWidth(line) > width) {
            const std::size_t indentEnd = line.find_first_not_of(' ');
            std::size_t hanging = indentEnd == std::string::npos ? 0 : indentEnd;
            const std::size_t gap = line.find("  ", hanging);
            const bool optionLine = line.compare(hanging, 1, "-") == 0;
            if (optionLine && line.size() > descriptionColumn && line[descriptionColumn - 1] == ' '
                && line[descriptionColumn] != ' '
                && (gap == std::string::npos || gap > descriptionColumn)) {
                hanging = descriptionColumn;
            } else if (gap != std::string::npos) {
                const std::size_t descriptionStart = line.find_first_not_of(' ', gap);
                if (descriptionStart != std::string::npos && descriptionStart < width / 2)
                    hanging = descriptionStart;
            }
            // The last blank that keeps the line within the width.
            std::size_t cut = std::string::npos;
            std::size_t columns = 0;
            for (std::size_t i = 0; i < line.size(); ++i) {
                if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80)
                    ++columns;
                if (columns > width)
                    break;
                if (line[i] == ' ' && i > hanging)
                    cut = i;
            }
            if (cut == std::string::npos)
                break;
            out += line.substr(0, line.find_last_not_of(' ', cut) + 1) + '\n';
            const std::size_t rest = line.find_first_not_of(' ', cut);
            line = std::string(hanging, ' ') + (rest == std::string::npos ? "" : line.substr(rest));
        }
        out += line + '\n';
    }
    return out;
}

} // namespace cli
