#include "Command.h"

#include "CliError.h"

#include <charconv>

namespace cli {

namespace {

constexpr int MaxDecimals = 17;

} // namespace

void AddOutputOptions(CLI::App &command, TOutputArgs &args)
{
    command.add_option("--format", args.format, "text (aligned columns), csv or json")
        ->type_name("text|csv|json")
        ->default_str("text");
    command
        .add_option("--decimals", args.decimals,
                    "digits after the point (default: every digit a double needs)")
        ->type_name("N");
}

TOutputOptions ParseOutputOptions(const TOutputArgs &args)
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
    if (!args.decimals.empty()) {
        int decimals = -1;
        const char *end = args.decimals.data() + args.decimals.size();
        const auto [ptr, ec] = std::from_chars(args.decimals.data(), end, decimals);
        if (ec != std::errc() || ptr != end || decimals < 0 || decimals > MaxDecimals)
            throw TCliError("--decimals '" + args.decimals + "' is not a whole number from 0 to "
                            + std::to_string(MaxDecimals));
        options.decimals = decimals;
    }
    return options;
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

} // namespace cli
