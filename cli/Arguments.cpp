// SPDX-License-Identifier: MIT
#include "Arguments.h"

#include "CliApp.h"
#include "CliError.h"
#include "Messages.h"
#include "commands/Command.h"
#include "input/PressureText.h"
#include "input/UnitText.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace cli {

namespace {

constexpr int MaxDecimals = 17;

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

} // namespace

void CheckArguments(const TCliApp &cli, const std::vector<std::string> &args)
{
    const CLI::App *command = nullptr;
    std::map<const CLI::Option *, int> counts;
    // Help is given whatever else the command line holds.
    const auto end = std::find(args.begin(), args.end(), "--");
    const bool help = std::find(args.begin(), end, "--help") != end
                      || std::find(args.begin(), end, "-h") != end;
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
            // An option is no option's value: "--column --decimals 5" lacks the column.
            const std::size_t next = static_cast<std::size_t>(&arg - args.data()) + 1;
            if (!help && option->get_items_expected_min() >= 1 && arg.find('=') == std::string::npos
                && next < args.size() && IsOption(args[next]) && args[next] != "--"
                && args[next].rfind("--", 0) == 0)
                throw TCliError(name + " needs a value (" + option->get_type_name() + "), not '"
                                + Echo(args[next]) + "'");
            continue;
        }
        if (command != nullptr)
            continue;
        std::vector<std::string> names;
        for (const TCommand &candidate : cli.commands) {
            if (candidate.app->get_name() == arg)
                command = candidate.app;
            names.push_back(candidate.app->get_name());
        }
        if (command != nullptr)
            continue;
        const std::string nearest = Nearest(arg, names);
        throw TCliError("unknown command '" + arg + "'; "
                        + (nearest.empty() ? "expected one of " + CommandList(cli)
                                           : "did you mean '" + nearest + "'?"));
    }
}

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

TOutputOptions CheckOutputOptions(const TCommonArgs &args)
{
    TOutputOptions options;
    if (args.format == "text")
        options.format = TFormat::Text;
    else if (args.format == "csv")
        options.format = TFormat::Csv;
    else if (args.format == "tsv")
        options.format = TFormat::Tsv;
    else if (args.format == "json")
        options.format = TFormat::Json;
    else if (args.format == "svg")
        options.format = TFormat::Svg;
    else
        throw TCliError("--format '" + Echo(args.format) + "' is not one of text, csv, tsv, json, svg");
    if (args.decimalMark == "comma")
        options.decimalComma = true;
    else if (args.decimalMark != "point")
        throw TCliError("--decimal-mark '" + Echo(args.decimalMark)
                        + "' is not one of point, comma");
    options.delimiter = options.decimalComma ? ';' : ',';
    if (args.delimiter == "comma")
        options.delimiter = ',';
    else if (args.delimiter == "semicolon")
        options.delimiter = ';';
    else if (args.delimiter == "tab")
        options.delimiter = '\t';
    else if (!args.delimiter.empty())
        throw TCliError("--delimiter '" + Echo(args.delimiter)
                        + "' is not one of comma, semicolon, tab");
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

std::shared_ptr<TCommonArgs> AddCommonOptions(CLI::App &command, bool readsInput, bool columnOption)
{
    auto args = std::make_shared<TCommonArgs>();
    command
        .add_option("--format", args->format,
                    "text (columns lined up on the decimal point, settings in a first comment "
                    "line), csv (one heading row, a missing value as an empty field), tsv (as "
                    "csv, separated by tabs) or json (settings, units and rows, full precision); "
                    "svg (a chart of 800 × 500) for calibrate and tolerance")
        ->type_name("text|csv|tsv|json|svg")
        ->default_str("text");
    command
        .add_option("--decimals", args->decimals,
                    "digits after the point of results in text and CSV, 0 to 17, or 'full' for "
                    "the shortest text that reads back as the same number (default: 3, the "
                    "window's resolution); inputs are echoed as given")
        ->type_name("N|full");
    command
        .add_option("--decimal-mark", args->decimalMark,
                    "the decimal mark of the readings read and of the numbers written in text, "
                    "CSV and TSV: point, or comma as German and French spreadsheets write it "
                    "(options such as --lo still take a point)")
        ->type_name("point|comma")
        ->default_str("point");
    command
        .add_option("--delimiter", args->delimiter,
                    "what separates the fields of CSV output (default: comma; semicolon with "
                    "--decimal-mark comma)")
        ->type_name("comma|semicolon|tab");
    command.add_flag("--keep-going", args->keepGoing,
                     "report a bad reading on standard error, write its row without results "
                     "(-----, an empty field or null) and go on; the exit status is then 1");
    if (readsInput) {
        command
            .add_option("--input", args->input.file,
                        "read the readings from FILE instead of standard input")
            ->type_name("FILE");
        command
            .add_option("--keep", args->input.keep,
                        "copy these columns of the input (N or NAME, separated by commas), such "
                        "as a timestamp, unchanged in front of the results; the readings are then "
                        "the other columns unless chosen")
            ->type_name("COL[,COL...]");
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

namespace {

// "--current" with no number reads the currents from the input.
CLI::Option *AddValuesOption(CLI::App &command, const std::string &name,
                             std::vector<std::string> &texts, const std::string &description)
{
    return command.add_option(name, texts, description)
        ->type_name("NUMBER")
        ->expected(0, CLI::detail::expected_max_vector_size)
        ->allow_extra_args();
}

} // namespace

void AddValueArguments(CLI::App &command, std::vector<std::string> &values, const std::string &what)
{
    command.add_option("VALUE", values, what + "; none: read them from the input")
        ->type_name("NUMBER");
}

bool TEitherWayArgs::Forward(const std::string &neither) const
{
    if (forwardOption->count() == 0 && backwardOption->count() == 0)
        throw TCliError(neither);
    return forwardOption->count() > 0;
}

std::vector<std::string> TEitherWayArgs::Values() const
{
    std::vector<std::string> given;
    for (const std::string &text : forwardOption->count() > 0 ? forward : backward) {
        if (!text.empty())
            given.push_back(text);
    }
    return given;
}

void AddEitherWayOptions(CLI::App &command, TEitherWayArgs &args, const std::string &forward,
                         const std::string &forwardHelp, const std::string &backward,
                         const std::string &backwardHelp)
{
    args.forwardOption = AddValuesOption(command, forward, args.forward, forwardHelp);
    args.backwardOption = AddValuesOption(command, backward, args.backward, backwardHelp);
    args.forwardOption->excludes(args.backwardOption);
}

namespace {

// A unit option's choices as its type name: "Pa|hPa|...".
std::string JoinedUnits(TQuantityKind kind)
{
    std::string joined;
    for (const std::string &name : UnitNames(kind))
        joined += (joined.empty() ? "" : "|") + name;
    return joined;
}

} // namespace

CLI::Option *AddPressureUnitOption(CLI::App &command, std::string &name)
{
    return command
        .add_option("--pressure-unit", name,
                    "unit of a pressure written without one: " + PressureUnitList())
        ->type_name(JoinedUnits(TQuantityKind::Pressure))
        ->default_str(name);
}

CLI::Option *AddAtmosphereOption(CLI::App &command, std::string &text)
{
    return command
        .add_option("--atmosphere", text,
                    "absolute pressure a gauge pressure (kPag, barg, psig) is above; a number "
                    "alone is in --pressure-unit (bar for barg)")
        ->type_name("PRESSURE")
        ->default_str(MessageNumber(humidity::StandardAtmosphere));
}

std::string Paragraph(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string FooterText(const TCommandHelp &help)
{
    std::string text = Paragraph(help.footer);
    if (!help.readings.empty())
        text += InputHelp(help.readings);
    const std::string label = help.examples.size() > 1 ? "Examples: " : "Example: ";
    for (std::size_t i = 0; i < help.examples.size(); ++i)
        text
            += (i == 0 ? "\n\n" + label : "\n" + std::string(label.size(), ' ')) + help.examples[i];
    return text;
}

std::string InputHelp(const std::string &what)
{
    return "Without " + what
           + " on the command line they are read from --input FILE or standard input, one a "
             "line or from --column of a delimited log. A first line whose fields are all "
             "words is the header row, named in the settings; blank lines and lines starting "
             "with '#' are skipped, every other line is read. A bad reading stops the "
             "run with status 2 and nothing on standard output, its message naming the line; "
             "with --keep-going it is reported and the run ends with status 1.";
}

} // namespace cli
