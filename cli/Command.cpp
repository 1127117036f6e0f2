// SPDX-License-Identifier: MIT
#include "Command.h"

#include "CliError.h"
#include "Messages.h"

#include "arith.h"

#include <charconv>

namespace cli {

namespace {

constexpr int MaxDecimals = 17;

TOutputOptions ParseOutputOptions(const TCommonArgs &args)
{
    TOutputOptions options;
    if (args.format == "text")
        options.format = TFormat::Text;
    else if (args.format == "csv")
        options.format = TFormat::Csv;
    else if (args.format == "json")
        options.format = TFormat::Json;
    else
        throw TCliError("--format '" + args.format + "' is not one of text, csv, json");
    if (args.decimals == "full") {
        options.decimals = std::nullopt;
    } else if (!args.decimals.empty()) {
        int decimals = -1;
        const char *end = args.decimals.data() + args.decimals.size();
        const auto [ptr, ec] = std::from_chars(args.decimals.data(), end, decimals);
        if (ec != std::errc() || ptr != end || decimals < 0 || decimals > MaxDecimals)
            throw TCliError("--decimals '" + args.decimals + "' is not a whole number from 0 to "
                            + std::to_string(MaxDecimals) + " or 'full'");
        options.decimals = decimals;
    }
    return options;
}

} // namespace

TRunContext::TRunContext(std::istream &in, std::ostream &out, std::ostream &err,
                         const TCommonArgs &args)
    : m_in(in)
    , m_out(out)
    , m_err(err)
    , m_args(args)
{
    // Assigned, not initialised: MinGW-w64's GCC 12 fails on the initialiser.
    m_options = ParseOutputOptions(args);
}

void TRunContext::ReportBadRow(const std::exception &error)
{
    ++m_badRows;
    if (dynamic_cast<const arith::EMathError *>(&error) != nullptr)
        WriteMessage(m_err, std::string("cannot calculate: ") + error.what());
    else
        WriteMessage(m_err, error.what());
}

void TRunContext::Note(const std::string &message)
{
    if (m_notes.size() < MaxNotes)
        m_notes.push_back(message);
    else
        ++m_moreNotes;
}

void TRunContext::WriteNotes()
{
    for (const std::string &note : m_notes)
        WriteMessage(m_err, note);
    if (m_moreNotes > 0)
        WriteMessage(m_err, "and " + std::to_string(m_moreNotes) + " more such remarks");
}

std::shared_ptr<TCommonArgs> AddCommonOptions(CLI::App &command, bool readsInput, bool columnOption)
{
    auto args = std::make_shared<TCommonArgs>();
    command
        .add_option("--format", args->format,
                    "text (columns lined up on the decimal point, settings in a first comment "
                    "line), csv (one heading row, a missing value as an empty field) or json "
                    "(settings, units and rows, full precision)")
        ->type_name("text|csv|json")
        ->default_str("text");
    command
        .add_option("--decimals", args->decimals,
                    "digits after the point of results in text and CSV, 0 to 17, or 'full' for "
                    "the shortest text that reads back as the same number (default: 3, the "
                    "window's resolution); inputs are echoed as given")
        ->type_name("N|full");
    command.add_flag("--keep-going", args->keepGoing,
                     "report a bad reading on standard error, write its row without results "
                     "(-----, an empty field or null) and go on; the exit status is then 1");
    if (readsInput) {
        command
            .add_option("--input", args->input.file,
                        "read the readings from FILE instead of standard input")
            ->type_name("FILE");
    }
    if (columnOption) {
        command
            .add_option("--column", args->input.column,
                        "take the readings from column N (counted from 1) or under heading NAME "
                        "of a log delimited by commas, semicolons or tabs (found from the first "
                        "line)")
            ->type_name("N|NAME");
    }
    return args;
}

CLI::Option *AddNumberOption(CLI::App &command, const std::string &name, std::string &text,
                             const std::string &description)
{
    return command.add_option(name, text, description)->type_name("NUMBER");
}

void ThrowCalculationError(const std::string &what, const std::exception &error)
{
    throw TCliError("cannot calculate for " + what + ": " + error.what());
}

std::string InputHelp(const std::string &what)
{
    return "Without " + what
           + " on the command line they are read from --input FILE or standard input, one a "
             "line or from --column of a delimited log. A header row is recognised and "
             "skipped, as are blank lines and lines starting with '#'. A bad reading stops the "
             "run with status 2 and nothing on standard output, its message naming the line; "
             "with --keep-going it is reported and the run ends with status 1.";
}

} // namespace cli
