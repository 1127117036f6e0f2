#include "VelmoraCli.h"

#include "CliError.h"
#include "Command.h"

#include "arith.h"

#include <CLI/CLI.hpp>

namespace cli {

namespace {

constexpr const char *ProgramName = "velmora-cli";

// Every command with its options, on an app made with MakeApp's name and description.
std::vector<TCommand> AddCommands(CLI::App &app, TOutputArgs &outputArgs)
{
    app.require_subcommand(0, 1);
    app.footer("Run 'velmora-cli COMMAND --help' for a command's options.");
    std::vector<TCommand> commands{AddTempCommand(app), AddTableCommand(app),
                                   AddHumidityCommand(app), AddLoopCommand(app),
                                   AddLineCommand(app)};
    for (const TCommand &command : commands)
        AddOutputOptions(*command.app, outputArgs);
    return commands;
}

CLI::App MakeApp()
{
    return CLI::App("Velmora's calculators from the command line: temperature sensors, reference "
                    "tables, humidity, current loop and straight line.",
                    ProgramName);
}

} // namespace

int RunCli(int argc, const char *const *argv, std::istream &in, std::ostream &out,
           std::ostream &err)
{
    CLI::App app = MakeApp();
    TOutputArgs outputArgs;
    const std::vector<TCommand> commands = AddCommands(app, outputArgs);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &) {
        // The help of the command that asked for it, or of the program.
        out << app.help();
        return 0;
    } catch (const CLI::ParseError &error) {
        err << ProgramName << ": " << error.what() << '\n';
        return ExitBadInput;
    }

    try {
        for (const TCommand &command : commands) {
            if (command.app->parsed()) {
                const TOutputOptions options = ParseOutputOptions(outputArgs);
                const std::string text = Render(command.run(in), options);
                out << text;
                out.flush();
                return 0;
            }
        }
        throw TCliError("no command given; expected one of temp, table, humidity, loop, line "
                        "(see velmora-cli --help)");
    } catch (const TCliError &error) {
        err << ProgramName << ": " << error.what() << '\n';
        return ExitBadInput;
    } catch (const arith::EMathError &error) {
        err << ProgramName << ": cannot calculate: " << error.what() << '\n';
        return ExitBadInput;
    }
}

void VisitCliDefinition(const std::function<void(const CLI::App &)> &visit)
{
    CLI::App app = MakeApp();
    TOutputArgs outputArgs;
    AddCommands(app, outputArgs);
    visit(app);
}

int RunCli(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
           std::ostream &err)
{
    std::vector<const char *> argv{ProgramName};
    for (const std::string &arg : args)
        argv.push_back(arg.c_str());
    return RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err);
}

} // namespace cli
