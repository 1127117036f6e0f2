// SPDX-License-Identifier: MIT
// What velmora-cli prints, kept case by case: every command line of the fuzz run, the README's
// examples, the help of every command and the invocations of the other suites, each with its
// standard input, exit status, standard output and standard error. A change of any byte of the
// output shows here with the case that changed. After a change of behaviour that is meant, run
// the suite with VELMORA_CLI_GOLDEN_UPDATE=1 to write the new outputs into the file, and read the
// file's diff before committing it.
//
// The file is text, one line an item: "case LABEL" starts a case, "a ARG" is one argument,
// "i INPUT" the standard input, "s STATUS" the exit status, "o LINE" and "e LINE" a line of
// standard output and standard error ("o~"/"e~" a last line without a line break). Control
// characters and backslashes are escaped (\n, \t, \r, \\, \xNN); "@VERSION@" stands for the
// program's version.

#include "CliRunner.h"

#include "Extended.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::string VersionToken = "@VERSION@";

struct TGoldenCase
{
    std::string label;
    std::vector<std::string> args;
    std::string input;
    int status = 0;
    std::string out;
    std::string err;
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'r')
            out += '\r';
        else if (c == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0
                 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else
            out += c;
    }
    return out;
}

std::string Escape(std::string_view text)
{
    static constexpr std::string_view Hex = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        } else
            out += c;
    }
    return out;
}

std::string WithVersion(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

std::vector<TGoldenCase> ReadCases(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<TGoldenCase> cases;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t space = line.find(' ');
        const std::string tag = line.substr(0, space);
        const std::string value
            = space == std::string::npos ? std::string() : Unescape(line.substr(space + 1));
        if (tag == "case") {
            cases.push_back({value, {}, {}, 0, {}, {}});
            continue;
        }
        if (cases.empty())
            continue; // the file's own comments
        TGoldenCase &c = cases.back();
        if (tag == "a")
            c.args.push_back(value);
        else if (tag == "i")
            c.input = value;
        else if (tag == "s")
            c.status = std::atoi(value.c_str());
        else if (tag == "o" || tag == "o~")
            c.out += value + (tag == "o" ? "\n" : "");
        else if (tag == "e" || tag == "e~")
            c.err += value + (tag == "e" ? "\n" : "");
    }
    return cases;
}

void WriteLines(std::ostream &file, const std::string &tag, const std::string &text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            file << tag << "~ " << Escape(text.substr(start)) << '\n';
            return;
        }
        file << tag << ' ' << Escape(text.substr(start, end - start)) << '\n';
        start = end + 1;
    }
}

void WriteCases(const std::string &path, const std::vector<TGoldenCase> &cases)
{
    std::ifstream old(path, std::ios::binary);
    std::string header;
    std::string line;
    while (std::getline(old, line) && line.rfind("case ", 0) != 0)
        header += line + '\n';
    old.close();
    std::ofstream file(path, std::ios::binary);
    file << header;
    for (const TGoldenCase &c : cases) {
        file << "case " << Escape(c.label) << '\n';
        for (const std::string &arg : c.args)
            file << "a " << Escape(arg) << '\n';
        if (!c.input.empty())
            file << "i " << Escape(c.input) << '\n';
        file << "s " << c.status << '\n';
        WriteLines(file, "o", c.out);
        WriteLines(file, "e", c.err);
    }
}

// The recording was made on x86-64 Linux, where the extended type has a 64-bit significand. Built
// for another platform (the extended type as double, 64-bit ARM, Windows' maths library) the last
// digits of a full-precision number may differ, and so may a half-way digit rounded at 0.001;
// there the outputs are compared number by number, each within one unit of its last printed digit
// or twelve significant digits (twelve decimals near zero), the text between the numbers the same
// but for the blanks that line them up.
bool OnTheRecordingPlatform()
{
#if defined(__x86_64__) && defined(__linux__)
    return std::numeric_limits<Extended>::digits == 64;
#else
    return false;
#endif
}

bool IsNumberStart(std::string_view text, std::size_t at)
{
    const auto digit = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    return digit(at) || (text[at] == '-' && digit(at + 1));
}

// The number that starts at `at`, the unit of its last digit, and where it ends.
double ReadNumber(std::string_view text, std::size_t &at, double &unit)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    const std::string_view token
        = text.substr(at, static_cast<std::size_t>(end - (text.data() + at)));
    at += token.size();
    const std::size_t point = token.find('.');
    const std::size_t exponent = token.find_first_of("eE");
    const std::size_t digitsEnd = exponent == std::string_view::npos ? token.size() : exponent;
    unit = point == std::string_view::npos || point > digitsEnd
               ? 1.0
               : std::pow(10.0, -static_cast<double>(digitsEnd - point - 1));
    if (exponent != std::string_view::npos) {
        int power = 0;
        std::from_chars(token.data() + exponent + 1, token.data() + token.size(), power);
        unit *= std::pow(10.0, power);
    }
    return error == std::errc() ? value : std::numeric_limits<double>::quiet_NaN();
}

bool SameNumbers(std::string_view expected, std::string_view actual)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        // Blanks only line things up.
        i = std::min(expected.find_first_not_of(' ', i), expected.size());
        j = std::min(actual.find_first_not_of(' ', j), actual.size());
        if (i == expected.size() || j == actual.size())
            return i == expected.size() && j == actual.size();
        if (IsNumberStart(expected, i) && IsNumberStart(actual, j)) {
            double unitA = 0;
            double unitB = 0;
            const double a = ReadNumber(expected, i, unitA);
            const double b = ReadNumber(actual, j, unitB);
            if (!(std::fabs(a - b)
                  <= std::max({1.001 * unitA, 1.001 * unitB, 1e-12 * std::max(std::fabs(a), 1.0)})))
                return false;
        } else if (expected[i++] != actual[j++]) {
            return false;
        }
    }
}

bool SameOutput(const std::string &expected, const std::string &actual)
{
    return expected == actual || (!OnTheRecordingPlatform() && SameNumbers(expected, actual));
}

// The first line where two texts differ, for a message that shows what changed.
std::string FirstDifference(const std::string &expected, const std::string &actual)
{
    const std::vector<std::string> a = SplitLines(expected);
    const std::vector<std::string> b = SplitLines(actual);
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string left = i < a.size() ? a[i] : "(none)";
        const std::string right = i < b.size() ? b[i] : "(none)";
        if (left != right)
            return "line " + std::to_string(i + 1) + ": expected [" + Escape(left) + "], got ["
                   + Escape(right) + "]";
    }
    return "the same lines, different line breaks";
}

TEST(Golden, EveryRecordedCommandLinePrintsTheSameBytes)
{
    const std::string path = VELMORA_CLI_GOLDEN;
    std::vector<TGoldenCase> cases = ReadCases(path);
    ASSERT_GT(cases.size(), 2000u) << path;
    const bool update = std::getenv("VELMORA_CLI_GOLDEN_UPDATE") != nullptr;
    std::size_t failures = 0;
    for (TGoldenCase &c : cases) {
        const TCliRun run = RunCli(c.args, c.input);
        const std::string out = WithVersion(run.out, VELMORA_VERSION, VersionToken);
        const std::string err = WithVersion(run.err, VELMORA_VERSION, VersionToken);
        if (update) {
            c.status = run.status;
            c.out = out;
            c.err = err;
            continue;
        }
        if (run.status == c.status && SameOutput(c.out, out) && SameOutput(c.err, err))
            continue;
        // Each case that changed is named; the first few with what changed.
        if (++failures > 20)
            continue;
        std::string args;
        for (const std::string &arg : c.args)
            args += " [" + Escape(arg) + "]";
        ADD_FAILURE() << "case " << c.label << ":" << args << "\n  status " << c.status << " -> "
                      << run.status
                      << "\n  stdout: " << (out == c.out ? "same" : FirstDifference(c.out, out))
                      << "\n  stderr: " << (err == c.err ? "same" : FirstDifference(c.err, err));
    }
    if (update)
        WriteCases(path, cases);
    EXPECT_EQ(failures, 0u) << "of " << cases.size() << " cases";
}

} // namespace
