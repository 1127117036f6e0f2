#include "CliError.h"
#include "Command.h"
namespace cli {
TCommand AddTempCommand(CLI::App &app)
{
    auto *c = app.add_subcommand("temp", "x");
    return {c, [](std::istream &) -> TReport {
                throw TCliError("todo");
            }};
}
TCommand AddTableCommand(CLI::App &app)
{
    auto *c = app.add_subcommand("table", "x");
    return {c, [](std::istream &) -> TReport {
                throw TCliError("todo");
            }};
}
} // namespace cli
