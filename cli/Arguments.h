// SPDX-License-Identifier: MIT
#pragma once

// The first step of every run: the command line against the tree of commands and options. CLI11
// checks what it can (a required option, options that exclude each other); before it, the words
// are checked against the commands and options so that a slip of the keyboard is named with what
// was probably meant; after it, one line says what was wrong. The options every command shares
// are defined here too, and read into the output options.

#include "input/Readings.h"
#include "output/Formats.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

namespace cli {

struct TCliApp;

// The options every command shares, as the parser fills them in.
struct TCommonArgs
{
    std::string format = "text";
    std::string decimals;
    std::string decimalMark = "point";
    std::string delimiter;
    bool keepGoing = false;
    TInputArgs input;
};

// Throws TCliError for an unknown command or option (with the nearest valid one), or an option
// that takes one value given twice.
void CheckArguments(const TCliApp &cli, const std::vector<std::string> &args);

// One line for an error of the parser, naming the option and what it accepts.
std::string ParseErrorMessage(const TCliApp &cli, const CLI::ParseError &error);

// --format, --decimals, --decimal-mark and --delimiter as the report takes them; a TCliError naming
// the choices otherwise.
TOutputOptions CheckOutputOptions(const TCommonArgs &args);

// Adds --format, --decimals, --decimal-mark, --delimiter and --keep-going; with `readsInput` also
// --input and --keep, and with
// `columnOption` --column.
std::shared_ptr<TCommonArgs> AddCommonOptions(CLI::App &command, bool readsInput,
                                              bool columnOption);

// Adds an option for one number, kept as text so that the tool itself says what is wrong with it.
CLI::Option *AddNumberOption(CLI::App &command, const std::string &name, std::string &text,
                             const std::string &description);

// Adds VALUE...: the readings on the command line, `what` they are; none: read them from the
// input.
void AddValueArguments(CLI::App &command, std::vector<std::string> &values,
                       const std::string &what);

// The readings of a command that calculates either way (loop: --current or --value; line: --x
// or --y): numbers after one of two options that exclude each other, or the option alone to read
// them from the input.
struct TEitherWayArgs
{
    std::vector<std::string> forward;
    std::vector<std::string> backward;
    CLI::Option *forwardOption = nullptr;
    CLI::Option *backwardOption = nullptr;

    // Whether the first option is given; a TCliError saying `neither` when neither is.
    bool Forward(const std::string &neither) const;
    // The numbers given to the option given; none to read them from the input.
    std::vector<std::string> Values() const;
};

void AddEitherWayOptions(CLI::App &command, TEitherWayArgs &args, const std::string &forward,
                         const std::string &forwardHelp, const std::string &backward,
                         const std::string &backwardHelp);

// Adds --pressure-unit, the unit of a pressure written without one.
CLI::Option *AddPressureUnitOption(CLI::App &command, std::string &name);

// Adds --atmosphere, the absolute pressure that a gauge pressure is above.
CLI::Option *AddAtmosphereOption(CLI::App &command, std::string &text);

// The text that tells how input is read, for the help of each command that reads it.
std::string InputHelp(const std::string &what);

} // namespace cli
