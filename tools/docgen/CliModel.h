// SPDX-License-Identifier: MIT
#pragma once

// velmora-cli's commands and options as plain data, read off the CLI11 definition the program
// itself parses with, so that the manual page and the shell completions follow every change of
// an option without anyone editing them.

#include <string>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

namespace docgen {

struct TCliOption
{
    std::vector<std::string> names;   // "--unit", "-h"; empty for a positional argument
    std::string positionalName;       // "SENSOR" for a positional argument
    std::string typeName;             // "NUMBER", "C|F"; empty for a flag
    std::vector<std::string> choices; // the words the value may be, when the type lists them
    std::string description;
    std::string defaultText;
    bool required = false;
    bool repeats = false; // takes several values
    bool takesValue = false;

    bool IsPositional() const { return names.empty(); }
};

struct TCliCommand
{
    std::string name;
    std::string description;
    std::string footer;
    std::vector<TCliOption> options; // the named options first, then the positional ones
};

struct TCliModel
{
    std::string program;
    std::string description;
    std::vector<TCliOption> options;
    std::vector<TCliCommand> commands;
};

// A type name made only of words joined by '|' ("text|csv|json"), or a CLI11 set check
// ("{a,b}"), lists the accepted values; any other type name lists none.
std::vector<std::string> ChoicesOfType(const std::string &typeName);

TCliModel ReadCliModel(const CLI::App &app);

} // namespace docgen
