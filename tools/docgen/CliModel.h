// SPDX-License-Identifier: MIT
#pragma once

// velmora-cli's commands and options as plain data, read off the CLI11 definition the program
// itself parses with, so that the manual page and the shell completions follow every change of
// an option without anyone editing them.
//
// What a shell offers for an option's value, or for a positional argument, is read from its
// CLI11 type name, so that the program names its values once, for --help and the shells alike:
//   - Words joined by '|' are alternatives ("text|csv|json", "N|full"); so are the words of
//     CLI11's set check ("TEXT:{a,b,c}"). A type name without either is a single word ("NUMBER",
//     "FILE", "T") or prose ("A,B,C").
//   - A placeholder names a kind of value instead of being one, and is never offered itself:
//       N            a whole number: beside choices ("N|full") the digits 0 to 9 are offered
//                    with them; alone or beside placeholders only ("N|NAME"), nothing;
//       FILE, PATH   a file name: the shell completes file names;
//       DIR          a directory name: the shell completes directory names;
//       any other word of three or more capitals A to Z or '_' ("NAME", "COL", "NUMBER",
//                    "VALUE", "UNIT", "CLASS"): nothing.
//   - Every other alternative is a choice, offered as written: "full", "csv", "C", "AA", "W0.15",
//     "pt100", "kPa", "1". So the tolerance classes "AA|A|B|C|W0.1|1|2" are all offered and a
//     unit list "C|F|K" offers K. A choice spelt "N", or in three or more capitals, cannot be
//     listed; list it as the program also accepts it, in lower case. A single word, not being a
//     list, is never a choice: "FILE" completes file names, "T" or "OHMS" nothing.
//   - CLI11 joins a validator's description to the type name with ':' ("TEXT:FILE" for
//     ExistingFile, "TEXT:DIR" for ExistingDirectory); each part is read as above, and a part
//     that is prose ("INT in [0 - 17]") offers nothing.

#include <string>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

namespace docgen {

enum TFileNames { fnNone, fnFiles, fnDirectories };

// What a shell offers for a value.
struct TValueCompletion
{
    std::vector<std::string> words; // offered as written: the choices, and digits beside them
    TFileNames fileNames = fnNone;  // file or directory names offered too

    bool Offers() const { return !words.empty() || fileNames != fnNone; }
    bool operator==(const TValueCompletion &) const = default;
};

struct TCliOption
{
    std::vector<std::string> names; // "--unit", "-h"; empty for a positional argument
    std::string positionalName;     // "SENSOR" for a positional argument
    std::string typeName;           // "NUMBER", "C|F"; empty for a flag
    TValueCompletion completion;    // what a shell offers for the value
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

// What a shell offers for a value of this type name, by the convention above.
TValueCompletion CompletionOfType(const std::string &typeName);

// How the manual page and a completion's message name an option's value: the type name, or where
// the type name is longer than a synopsis can keep on a line, its set check's label ("CURVE" of
// "CURVE:{pt385,...}") or else the last word of the option's long name in capitals ("UNIT" for
// --pressure-unit), the option's entry then listing the values; a positional argument's name.
std::string ValueLabel(const TCliOption &option);

TCliModel ReadCliModel(const CLI::App &app);

} // namespace docgen
