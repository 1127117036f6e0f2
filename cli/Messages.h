// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

inline constexpr const char *ProgramName = "velmora-cli";

// The text with its control characters shown escaped (\n, \t, \0, \x1b), so that any message
// stays on one line whatever the input held.
std::string EscapeControls(std::string_view text);

// A value as a message quotes it: its first EchoLength characters followed by "…" when it is
// longer, so that no input makes a message long.
inline constexpr std::size_t EchoLength = 40;
std::string Echo(std::string_view text);

// Writes "velmora-cli: message" as one line of standard error.
void WriteMessage(std::ostream &err, std::string_view message);

// The candidate nearest to `given` by edit distance, or empty when none is close enough to be
// what was meant.
std::string Nearest(std::string_view given, const std::vector<std::string> &candidates);

// What an arithmetic failure means to the user, with no fault class named: "a result is beyond
// ±1.7976931348623157e308, the largest number the tool can print"; any other exception's own text.
std::string FaultText(const std::exception &fault);
// "±1.7976931348623157e308, the largest number the tool can print"
std::string BeyondPrintableText();

// The text in lower case, ASCII letters only, whatever the locale.
std::string Lower(std::string text);

// Wraps every line longer than `width` columns at blanks, continuing under the text that follows
// the first gap of two or more blanks or, on an option's line, under `descriptionColumn` where its
// description starts (an option name that fills the column leaves one blank before it); else under
// the line's indent.
std::string WrapHelp(const std::string &text, std::size_t width, std::size_t descriptionColumn);

} // namespace cli
