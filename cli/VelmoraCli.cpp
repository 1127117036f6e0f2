// SPDX-License-Identifier: MIT
#include "VelmoraCli.h"

#include "Arguments.h"
#include "CliApp.h"
#include "CliError.h"
#include "Messages.h"

#include "arith.h"

#include <CLI/CLI.hpp>

#include <new>

namespace cli {

namespace {

constexpr std::size_t HelpWidth = 80;
// Where an option's description starts in the help.
constexpr std::size_t HelpDescriptionColumn = 28;

// The command line through its stages: the words checked against the commands and options,
// parsed by CLI11, then the chosen command's plan and run, whose report goes to `out` only when
// all of it succeeded.
int Run(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
        std::ostream &err)
{
    const std::unique_ptr<TCliApp> cli = BuildCliApp();
    CLI::App &app = *cli->app;
    CheckArguments(*cli, args);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
        // The help of the command that asked for it, or of the program.
        out << WrapHelp(app.help(), HelpWidth, HelpDescriptionColumn);
        out.flush();
        return out ? ExitSuccess : ExitPartial;
    } catch (const CLI::CallForVersion &version) {
        out << version.what() << '\n';
        out.flush();
        return out ? ExitSuccess : ExitPartial;
    } catch (const CLI::ParseError &error) {
        throw TCliError(ParseErrorMessage(*cli, error));
    }
    for (const std::string &extra : app.remaining(true)) {
        // "--" only ends the options.
        if (extra != "--")
            throw TCliError("unexpected argument '" + extra + "'");
    }

    for (const TCommand &command : cli->commands) {
        if (!command.app->parsed())
            continue;
        TRunContext context(in, out, err, CheckOutputOptions(*command.common),
                            command.common->keepGoing);
        command.run(context);
        context.WriteNotes();
        out.flush();
        if (!out) {
            WriteMessage(err, "cannot write to standard output");
            return ExitPartial;
        }
        return context.BadRows() > 0 || context.AnsweredNo() ? ExitPartial : ExitSuccess;
    }
    std::string list;
    for (const TCommand &command : cli->commands)
        list += (list.empty() ? "" : ", ") + command.app->get_name();
    throw TCliError("no command given; expected one of " + list + " (see velmora-cli --help)");
}

// Help shows a long set of values by its label ("CURVE" of "CURVE:{pt385,...}"), as the manual
// page does; the option's text names the values.
class THelpFormatter : public CLI::Formatter
{
public:
    std::string make_option_opts(const CLI::Option *option) const override
    {
        std::string text = CLI::Formatter::make_option_opts(option);
        const std::string type = option->get_type_name();
        const std::size_t set = type.find(":{");
        const std::size_t at = text.find(type);
        if (set != std::string::npos && at != std::string::npos)
            text.replace(at, type.size(), type.substr(0, set));
        return text;
    }
};

} // namespace

std::unique_ptr<TCliApp> BuildCliApp()
{
    auto cli = std::make_unique<TCliApp>();
    cli->app = std::make_unique<CLI::App>(
        "Velmora's calculators from the command line: temperature sensors, reference tables, "
        "humidity, current loop and straight line.",
        ProgramName);
    CLI::App &app = *cli->app;
    app.require_subcommand(0, 1);
    app.allow_extras();
    app.set_version_flag("--version", std::string(ProgramName) + " " + VELMORA_VERSION,
                         "print the program's name and version, and exit");
    app.set_help_flag("-h,--help", "print this help, or a command's, and exit");
    app.formatter(std::make_shared<THelpFormatter>());
    app.get_formatter()->column_width(HelpDescriptionColumn);
    app.footer("Run 'velmora-cli COMMAND --help' for a command's options. Exit status: 0 "
               "success, 1 partial (bad readings let pass with --keep-going, a failed write) or a "
               "\"no\" (a calibration that fails, a check that misses a --class), 2 refused "
               "input.");
    cli->commands = {AddTempCommand(app),  AddTableCommand(app),    AddToleranceCommand(app),
                     AddCheckCommand(app), AddHumidityCommand(app), AddPressureDewPointCommand(app),
                     AddLoopCommand(app),  AddLineCommand(app),     AddCalibrateCommand(app)};
    for (const TCommand &command : cli->commands)
        command.app->allow_extras();
    return cli;
}

int RunCli(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
           std::ostream &err)
{
    try {
        return Run(args, in, out, err);
    } catch (const TCliError &error) {
        WriteMessage(err, error.what());
    } catch (const arith::EMathError &error) {
        WriteMessage(err, "cannot calculate: " + FaultText(error));
    } catch (const std::bad_alloc &) {
        WriteMessage(err, "out of memory");
    }
    return ExitBadInput;
}

int RunCli(int argc, const char *const *argv, std::istream &in, std::ostream &out,
           std::ostream &err)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return RunCli(args, in, out, err);
}

} // namespace cli
