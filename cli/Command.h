#pragma once

#include "Report.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <istream>
#include <string>

namespace cli {

// A subcommand as parsed: `run` reads the strings CLI11 filled in, calculates, and returns the
// report (or throws TCliError).
struct TCommand
{
    CLI::App *app = nullptr;
    std::function<TReport(std::istream &in)> run;
};

// --format and --decimals, shared by every command; only one command runs per invocation.
struct TOutputArgs
{
    std::string format = "text";
    std::string decimals;
};

void AddOutputOptions(CLI::App &command, TOutputArgs &args);
TOutputOptions ParseOutputOptions(const TOutputArgs &args);

// Adds an option for one number, kept as text so that the tool itself says what is wrong with it.
CLI::Option *AddNumberOption(CLI::App &command, const std::string &name, std::string &text,
                             const std::string &description);

// The command's arithmetic failed on a value that passed every check of its own (an overflow, a
// zero divisor): report it with the value, as bad input.
[[noreturn]] void ThrowCalculationError(const std::string &what, const std::exception &error);

TCommand AddTempCommand(CLI::App &app);
TCommand AddTableCommand(CLI::App &app);
TCommand AddLoopCommand(CLI::App &app);
TCommand AddLineCommand(CLI::App &app);
TCommand AddHumidityCommand(CLI::App &app);

} // namespace cli
