// SPDX-License-Identifier: MIT
#pragma once

// The whole command line of velmora-cli in one place: every command and option with its
// description. Building it parses and runs nothing, so that the manual page and the shell
// completions can be written from the same tree that parses.

#include "commands/Command.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <vector>

namespace cli {

struct TCliApp
{
    std::unique_ptr<CLI::App> app;
    std::vector<TCommand> commands; // in the order of the help
};

std::unique_ptr<TCliApp> BuildCliApp();

} // namespace cli
