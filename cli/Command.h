// SPDX-License-Identifier: MIT
#pragma once

#include "InputValues.h"
#include "Report.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The options every command shares, as the parser fills them in.
struct TCommonArgs
{
    std::string format = "text";
    std::string decimals;
    bool keepGoing = false;
    TInputArgs input;
};

// One run of a command: its streams, its output options, and the bad readings it let pass.
class TRunContext
{
public:
    TRunContext(std::istream &in, std::ostream &out, std::ostream &err, const TCommonArgs &args);

    std::istream &In() { return m_in; }
    std::ostream &Out() { return m_out; }
    std::ostream &Err() { return m_err; }
    const TOutputOptions &Options() const { return m_options; }
    const TCommonArgs &Args() const { return m_args; }
    std::size_t BadRows() const { return m_badRows; }

    // Runs `compute` for one row. A refusal stops the run; with --keep-going it is reported on
    // standard error instead, and false returned so that the row is written without results.
    template<typename F>
    bool Row(F &&compute)
    {
        try {
            compute();
            return true;
        } catch (const std::exception &error) {
            if (!m_args.keepGoing)
                throw;
            ReportBadRow(error);
            return false;
        }
    }

    // A remark on a result that is written (a state that cannot exist), said on standard error
    // once the run has succeeded, so that a refusal stays the only line.
    void Note(const std::string &message);
    void WriteNotes();

private:
    void ReportBadRow(const std::exception &error);

    // Remarks kept in full; of more, only the count.
    static constexpr std::size_t MaxNotes = 100;
    std::vector<std::string> m_notes;
    std::size_t m_moreNotes = 0;

    std::istream &m_in;
    std::ostream &m_out;
    std::ostream &m_err;
    TCommonArgs m_args;
    TOutputOptions m_options;
    std::size_t m_badRows = 0;
};

// A subcommand as built: `run` reads what the parser filled in, calculates, and writes its
// report (or throws TCliError before anything is written).
struct TCommand
{
    CLI::App *app = nullptr;
    std::shared_ptr<TCommonArgs> common;
    std::function<void(TRunContext &)> run;
};

// Adds --format, --decimals and --keep-going; with `readsInput` also --input, and with
// `columnOption` --column.
std::shared_ptr<TCommonArgs> AddCommonOptions(CLI::App &command, bool readsInput,
                                              bool columnOption);

// Adds an option for one number, kept as text so that the tool itself says what is wrong with it.
CLI::Option *AddNumberOption(CLI::App &command, const std::string &name, std::string &text,
                             const std::string &description);

// The command's arithmetic failed on a value that passed every check of its own (an overflow, a
// zero divisor): report it with the value, as bad input.
[[noreturn]] void ThrowCalculationError(const std::string &what, const std::exception &error);

// The text that tells how input is read, for the help of each command that reads it.
std::string InputHelp(const std::string &what);

TCommand AddTempCommand(CLI::App &app);
TCommand AddTableCommand(CLI::App &app);
TCommand AddToleranceCommand(CLI::App &app);
TCommand AddCheckCommand(CLI::App &app);
TCommand AddLoopCommand(CLI::App &app);
TCommand AddLineCommand(CLI::App &app);
TCommand AddHumidityCommand(CLI::App &app);
TCommand AddPressureDewPointCommand(CLI::App &app);

} // namespace cli
