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
#include <string>
#include <vector>

namespace cli {

// A subcommand as built: `run` checks what the parser filled in, calculates, and writes its
// report (or throws TCliError before anything is written).
struct TCommand
{
    CLI::App *app = nullptr;
    std::shared_ptr<TCommonArgs> common;
    std::function<void(TRunContext &)> run;
};

// What --help says of a command: its name, one line on what it does, and after its options the
// text `footer`, how readings are read (InputHelp of `readings`, where the command reads them)
// and its examples.
struct TCommandHelp
{
    std::string name;
    std::string description; // each one paragraph: its line breaks are blanks
    std::string footer;
    std::string readings;
    std::vector<std::string> examples;
};

// Prose written over several lines of the source as one paragraph: its line breaks are blanks.
std::string Paragraph(std::string text);

// The text after a command's options.
std::string FooterText(const TCommandHelp &help);

// Which of the input options a command takes besides --format, --decimals and --keep-going.
enum class TInputOptions { None, Input, InputAndColumn };

// A command of three steps: `options` puts its own options in the tree and fills them into a
// TArgs, `plan` checks them into a TPlan (reading the --input options where the command takes
// them), and `run` calculates the plan's rows and writes its report.
template<typename TArgs, typename TPlan>
TCommand DefineCommand(CLI::App &app, const TCommandHelp &help, TInputOptions input,
                       void (*options)(CLI::App &, TArgs &),
                       TPlan (*plan)(const TArgs &, const TInputArgs &, TRunContext &),
                       void (*run)(const TPlan &, TRunContext &))
{
    auto args = std::make_shared<TArgs>();
    CLI::App *command = app.add_subcommand(help.name, Paragraph(help.description));
    command->footer(FooterText(help));
    options(*command, *args);
    auto common = AddCommonOptions(*command, input != TInputOptions::None,
                                   input == TInputOptions::InputAndColumn);
    return {command, common, [args, common, plan, run](TRunContext &context) {
                TInputArgs input = common->input;
                input.decimalComma = context.Options().decimalComma;
                run(plan(*args, input, context), context);
            }};
}

TCommand AddTempCommand(CLI::App &app);
TCommand AddTableCommand(CLI::App &app);
TCommand AddToleranceCommand(CLI::App &app);
TCommand AddCheckCommand(CLI::App &app);
TCommand AddHumidityCommand(CLI::App &app);
TCommand AddPressureDewPointCommand(CLI::App &app);
TCommand AddLoopCommand(CLI::App &app);
TCommand AddLineCommand(CLI::App &app);
TCommand AddCalibrateCommand(CLI::App &app);

} // namespace cli
