// SPDX-License-Identifier: MIT
#pragma once

// A command of velmora-cli. Each lives in one file of this folder and holds three things: its
// options (Add…Command, which puts them in the tree that parses and that the manual page and
// completions are written from), its plan (every option checked and read into numbers and
// choices, or a TCliError before anything is written) and its run (rows of numbers handed to the
// report).

#include "Arguments.h"
#include "CliError.h"
#include "RunContext.h"
#include "output/Report.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>

namespace cli {

// A subcommand as built: `run` checks what the parser filled in, calculates, and writes its
// report (or throws TCliError before anything is written).
struct TCommand
{
    CLI::App *app = nullptr;
    std::shared_ptr<TCommonArgs> common;
    std::function<void(TRunContext &)> run;
};

TCommand AddTempCommand(CLI::App &app);
TCommand AddTableCommand(CLI::App &app);
TCommand AddToleranceCommand(CLI::App &app);
TCommand AddCheckCommand(CLI::App &app);
TCommand AddHumidityCommand(CLI::App &app);
TCommand AddPressureDewPointCommand(CLI::App &app);
TCommand AddLoopCommand(CLI::App &app);
TCommand AddLineCommand(CLI::App &app);

} // namespace cli
