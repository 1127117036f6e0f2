// SPDX-License-Identifier: MIT
#include "VelmoraCli.h"

#include "CliApp.h"
#include "CliError.h"
#include "Command.h"
#include "Messages.h"

#include "arith.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>
#include <new>

namespace cli {

namespace {

constexpr std::size_t HelpWidth = 80;

std::string CommandList(const TCliApp &cli)
{
    std::string list;
    for (const TCommand &command : cli.commands)
        list += (list.empty() ? "" : ", ") + command.app->get_name();
    return list;
}

// An argument that is a number, not an option: "-5", "-.5".
bool IsNegativeNumber(const std::string &arg)
{
    return arg.size() > 1 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
}

bool IsOption(const std::string &arg)
{
    return arg.size() > 1 && arg[0] == '-' && !IsNegativeNumber(arg);
}

std::vector<std::string> OptionNames(const CLI::App &app)
{
    std::vector<std::string> names;
    for (const CLI::Option *option : app.get_options()) {
        for (const std::string &name : option->get_lnames())
            names.push_back("--" + name);
        for (const std::string &name : option->get_snames())
            names.push_back("-" + name);
    }
    return names;
}

const CLI::Option *FindOption(const CLI::App &app, const std::string &name)
{
    for (const CLI::Option *option : app.get_options()) {
        if (option->check_name(name))
            return option;
    }
    return nullptr;
}

std::string Accepted(const CLI::Option *option)
{
    std::string text = option->get_type_name();
    const std::string description = option->get_description();
    if (!description.empty())
        text += (text.empty() ? "" : ": ") + description;
    return text;
}

// The arguments checked against the commands and their options before anything is parsed, so
// that a slip of the keyboard is named with what was probably meant.
void CheckArguments(const TCliApp &cli, const std::vector<std::string> &args)
{
    const CLI::App *command = nullptr;
    std::map<const CLI::Option *, int> counts;
    for (const std::string &arg : args) {
        if (arg == "--")
            break;
        const CLI::App &scope = command ? *command : *cli.app;
        if (IsOption(arg)) {
            const std::string name = arg.substr(0, arg.find('='));
            const CLI::Option *option = FindOption(scope, name);
            if (option == nullptr) {
                const std::string nearest = Nearest(name, OptionNames(scope));
                throw TCliError("unknown option '" + name + "'"
                                + (nearest.empty() ? "" : "; did you mean '" + nearest + "'?")
                                + (command ? "" : " (options go after the command)"));
            }
            if (option->get_items_expected_max() <= 1 && ++counts[option] == 2)
                throw TCliError(name + " is given more than once; give it once ("
                                + option->get_type_name() + ")");
            continue;
        }
        if (command != nullptr)
            continue;
        for (const TCommand &candidate : cli.commands) {
            if (candidate.app->get_name() == arg)
                command = candidate.app;
        }
        if (command != nullptr)
            continue;
        std::vector<std::string> names;
        for (const TCommand &candidate : cli.commands)
            names.push_back(candidate.app->get_name());
        const std::string nearest = Nearest(arg, names);
        throw TCliError("unknown command '" + arg + "'; "
                        + (nearest.empty() ? "expected one of " + CommandList(cli)
                                           : "did you mean '" + nearest + "'?"));
    }
}

// One line for an error of the parser, naming the option and what it accepts.
std::string ParseErrorMessage(const TCliApp &cli, const CLI::ParseError &error)
{
    for (const TCommand &command : cli.commands) {
        if (!command.app->parsed())
            continue;
        if (dynamic_cast<const CLI::RequiredError *>(&error) != nullptr) {
            for (const CLI::Option *option : command.app->get_options()) {
                if (option->get_required() && option->count() == 0)
                    return command.app->get_name() + " needs " + option->get_name() + " ("
                           + Accepted(option) + ")";
            }
        }
    }
    std::string message = error.what();
    std::replace(message.begin(), message.end(), '\n', ' ');
    return message;
}

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
        out << WrapHelp(app.help(), HelpWidth);
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
        TRunContext context(in, out, err, *command.common);
        command.run(context);
        context.WriteNotes();
        out.flush();
        if (!out) {
            WriteMessage(err, "cannot write to standard output");
            return ExitPartial;
        }
        return context.BadRows() > 0 ? ExitPartial : ExitSuccess;
    }
    throw TCliError("no command given; expected one of " + CommandList(*cli)
                    + " (see velmora-cli --help)");
}

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
    app.get_formatter()->column_width(28);
    app.footer("Run 'velmora-cli COMMAND --help' for a command's options. Exit status: 0 "
               "success, 1 partial (bad readings let pass with --keep-going, a failed write), 2 "
               "refused input.");
    cli->commands = {AddTempCommand(app),  AddTableCommand(app),    AddToleranceCommand(app),
                     AddCheckCommand(app), AddHumidityCommand(app), AddPressureDewPointCommand(app),
                     AddLoopCommand(app),  AddLineCommand(app)};
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
        WriteMessage(err, std::string("cannot calculate: ") + error.what());
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
