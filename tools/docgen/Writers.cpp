// SPDX-License-Identifier: MIT
#include "Writers.h"

#include <cstdio>
#include <sstream>

namespace docgen {

namespace {

std::string Replace(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string> &words, const std::string &separator)
{
    std::string text;
    for (const std::string &word : words)
        text += (text.empty() ? "" : separator) + word;
    return text;
}

// The first line of a description: what a completion menu has room for.
std::string Summary(const std::string &description)
{
    const std::vector<std::string> lines = Lines(description);
    return lines.empty() ? std::string() : lines.front();
}

std::string DefaultNote(const TCliOption &option)
{
    if (option.defaultText.empty() || option.description.find("default") != std::string::npos)
        return {};
    return " (default: " + option.defaultText + ")";
}

// ---- roff

// Option names and value types are never hyphenated at a line's end (\\%).
std::string RoffBold(const std::string &text)
{
    return "\\fB\\%" + RoffText(text) + "\\fR";
}

std::string RoffItalic(const std::string &text)
{
    return "\\fI\\%" + RoffText(text) + "\\fR";
}

// The values of a list that an entry's head shows by its label, for the entry's text: "Values:
// pt385, pt3916, cu428", each value kept whole.
std::string ValuesNote(const TCliOption &option)
{
    const std::string &type = option.typeName;
    if (option.IsPositional() || !option.takesValue || ValueLabel(option) == type)
        return {};
    const std::size_t set = type.find(":{");
    const std::string values = set != std::string::npos && type.back() == '}'
                                   ? Replace(type.substr(set + 2, type.size() - set - 3), ",", "|")
                                   : type;
    return ".br\nValues: \\%" + Replace(RoffText(values), "|", ", \\%") + "\n";
}

// One option as a synopsis shows it, never broken across lines: an unpaddable space (\\ ) holds
// the option to its value, and no \\% gives groff a place to hyphenate after a bracket (the
// synopsis is not hyphenated). \\& after the ellipsis keeps its dot from ending a sentence.
std::string RoffOptionUse(const TCliOption &option)
{
    std::string use = option.IsPositional() ? "\\fI" + RoffText(option.positionalName) + "\\fR"
                                            : "\\fB" + RoffText(option.names.front()) + "\\fR";
    if (!option.IsPositional() && option.takesValue)
        use += "\\ \\fI" + RoffText(ValueLabel(option)) + "\\fR";
    if (option.repeats)
        use += "\\ .\\|.\\|.\\&";
    // A value ending in a dot ("R,R,...", "COL[,COL...]") ends no sentence: no wider space
    // after it.
    const std::string label = option.takesValue ? ValueLabel(option) : "";
    const std::size_t last = label.find_last_not_of(']');
    if (!option.repeats && last != std::string::npos && label[last] == '.')
        use += "\\&";
    return option.required ? use : "[" + use + "]";
}

// A command's synopsis: each option on a line of its own, so that the page breaks only between
// options, and later lines hang under the first (groff's .SY and .YS).
std::string RoffUsage(const std::string &program, const std::string &command,
                      const std::vector<TCliOption> &options)
{
    const std::string name = command.empty() ? program : program + " " + command;
    std::string usage = ".SY \"" + RoffText(name) + "\"\n";
    for (const TCliOption &option : options)
        usage += RoffOptionUse(option) + "\n";
    return usage + ".YS\n";
}

std::string RoffOptionList(const std::vector<TCliOption> &options)
{
    std::string text;
    for (const TCliOption &option : options) {
        std::vector<std::string> names;
        if (option.IsPositional())
            names.push_back(RoffItalic(option.positionalName));
        for (const std::string &name : option.names)
            names.push_back(RoffBold(name));
        std::string head = Join(names, ", ");
        if (!option.IsPositional() && option.takesValue)
            head += " " + RoffItalic(ValueLabel(option));
        text += ".TP\n" + head + "\n" + RoffText(option.description + DefaultNote(option)) + "\n"
                + ValuesNote(option);
    }
    return text;
}

// A command's closing notes: prose paragraphs are filled, examples keep their lines.
std::string RoffFooter(const std::string &footer)
{
    std::string text;
    std::vector<std::string> paragraph;
    const auto flush = [&] {
        if (paragraph.empty())
            return;
        const bool verbatim = paragraph.front().rfind("Example", 0) == 0;
        text += ".PP\n";
        if (verbatim) {
            text += ".nf\n";
            for (const std::string &line : paragraph)
                text += RoffText(line) + "\n";
            text += ".fi\n";
        } else {
            text += RoffText(Join(paragraph, " ")) + "\n";
        }
        paragraph.clear();
    };
    for (const std::string &line : Lines(footer)) {
        if (line.find_first_not_of(' ') == std::string::npos)
            flush();
        else
            paragraph.push_back(line);
    }
    flush();
    return text;
}

std::string RoffSynopsis(const TCliModel &model)
{
    std::string text = RoffUsage(model.program, "", model.options);
    for (const TCliCommand &command : model.commands)
        text += RoffUsage(model.program, command.name, command.options);
    return text;
}

std::string RoffCommands(const TCliModel &model)
{
    std::string text;
    for (const TCliCommand &command : model.commands) {
        text += ".SS " + RoffText(command.name) + "\n" + RoffText(command.description) + "\n";
        text += RoffUsage(model.program, command.name, command.options);
        text += RoffOptionList(command.options);
        text += RoffFooter(command.footer);
    }
    return text;
}

// ---- shells

std::vector<std::string> OptionNames(const std::vector<TCliOption> &options)
{
    std::vector<std::string> names;
    for (const TCliOption &option : options)
        names.insert(names.end(), option.names.begin(), option.names.end());
    return names;
}

const TCliOption *FirstPositional(const std::vector<TCliOption> &options)
{
    for (const TCliOption &option : options) {
        if (option.IsPositional())
            return &option;
    }
    return nullptr;
}

std::vector<std::string> CommandNames(const TCliModel &model)
{
    std::vector<std::string> names;
    for (const TCliCommand &command : model.commands)
        names.push_back(command.name);
    return names;
}

std::string ShellFunctionName(const std::string &program)
{
    return "_" + Replace(program, "-", "_");
}

// Inside single quotes for zsh and bash.
std::string SingleQuoted(const std::string &text)
{
    return "'" + Replace(text, "'", "'\\''") + "'";
}

// Inside single quotes for fish, which knows \' and \\ there.
std::string FishQuoted(const std::string &text)
{
    return "'" + Replace(Replace(text, "\\", "\\\\"), "'", "\\'") + "'";
}

// Fills COMPREPLY with a value's words and file or directory names; names are then quoted and
// marked as bash does for files (a directory gets its '/').
std::string BashReply(const TValueCompletion &completion, const std::string &indent)
{
    std::vector<std::string> generators;
    if (completion.fileNames != fnNone)
        generators.push_back(std::string("compgen ")
                             + (completion.fileNames == fnDirectories ? "-d" : "-f")
                             + " -- \"$cur\"");
    if (!completion.words.empty())
        generators.push_back("compgen -W " + SingleQuoted(Join(completion.words, " "))
                             + " -- \"$cur\"");
    std::string text;
    if (completion.fileNames != fnNone)
        text += indent + "compopt -o filenames 2>/dev/null\n";
    return text + indent + "mapfile -t COMPREPLY < <(" + Join(generators, "; ") + ")\n";
}

// The value part of a fish option line: -x takes a value and offers no file names (-F does),
// -a the words; __fish_complete_directories gives directories alone.
std::string FishValue(const TValueCompletion &completion)
{
    std::vector<std::string> arguments = completion.words;
    if (completion.fileNames == fnDirectories)
        arguments.push_back("(__fish_complete_directories (commandline -ct))");
    std::string text = completion.fileNames == fnFiles ? " -r -F" : " -x";
    if (!arguments.empty())
        text += " -a " + FishQuoted(Join(arguments, " "));
    return text;
}

std::string ZshBracketed(const std::string &text)
{
    return Replace(Replace(Replace(text, "\\", "\\\\"), "[", "\\["), "]", "\\]");
}

// The _arguments action for a value: its words, file or directory names, both, or only the
// message (a space).
std::string ZshAction(const TValueCompletion &completion)
{
    const std::string words = "compadd -- " + Join(completion.words, " ");
    const std::string files = completion.fileNames == fnDirectories ? "_files -/" : "_files";
    if (completion.fileNames == fnNone)
        return completion.words.empty() ? " " : "(" + Join(completion.words, " ") + ")";
    return completion.words.empty() ? files : "{" + files + "; " + words + "}";
}

std::string ZshOptionSpecs(const std::vector<TCliOption> &options, const std::string &indent)
{
    std::string text;
    int position = 0;
    for (const TCliOption &option : options) {
        const std::string message = Replace(ValueLabel(option), ":", " ");
        const std::string action = ZshAction(option.completion);
        std::string optionSpec;
        if (option.IsPositional()) {
            optionSpec = (option.repeats ? std::string("*") : std::to_string(++position)) + ":"
                         + message + ":" + action;
        } else {
            const std::string summary = "[" + ZshBracketed(Summary(option.description)) + "]";
            const std::string value = option.takesValue ? ":" + message + ":" + action : "";
            if (option.names.size() == 1) {
                optionSpec = (option.repeats ? "*" : "") + option.names.front() + summary + value;
            } else {
                // Brace expansion gives each name the same description and value.
                text += indent
                        + SingleQuoted(option.repeats ? "*" : "(" + Join(option.names, " ") + ")")
                        + "{" + Join(option.names, ",") + "}" + SingleQuoted(summary + value)
                        + " \\\n";
                continue;
            }
        }
        text += indent + SingleQuoted(optionSpec) + " \\\n";
    }
    return text;
}

} // namespace

std::string RoffText(const std::string &text)
{
    std::string out;
    bool lineStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        lineStart = c == '\n';
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            // One UTF-8 sequence; a malformed byte shows as the replacement character.
            const int length = c >= 0xF8 ? 0 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
            unsigned long code = length == 4 ? c & 0x07u : length == 3 ? c & 0x0Fu : c & 0x1Fu;
            bool valid = length > 0 && i + length <= text.size();
            for (int k = 1; valid && k < length; ++k) {
                const unsigned char next = static_cast<unsigned char>(text[i + k]);
                valid = (next & 0xC0u) == 0x80u;
                code = (code << 6) | (next & 0x3Fu);
            }
            if (!valid) {
                code = 0xFFFD;
            } else {
                i += length - 1;
            }
            char hex[16];
            std::snprintf(hex, sizeof hex, "\\[u%04lX]", code);
            out += hex;
        }
    }
    return out;
}

std::string WriteManPage(const TCliModel &model, const std::string &source,
                         const std::string &version, const std::string &date)
{
    std::string page;
    for (const std::string &line : Lines(source)) {
        if (line == "@SYNOPSIS@")
            page += RoffSynopsis(model);
        else if (line == "@OPTIONS@")
            page += RoffOptionList(model.options);
        else if (line == "@COMMANDS@")
            page += RoffCommands(model);
        else
            page += Replace(Replace(line, "@VERSION@", version), "@DATE@", date) + "\n";
    }
    return page;
}

std::string WriteBashCompletion(const TCliModel &model)
{
    const std::string function = ShellFunctionName(model.program);
    std::ostringstream out;
    out << "# bash completion for " << model.program
        << ", written from the program's own option definitions.\n\n"
        << function << "()\n{\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        << "    local command=\"\" start=0 i\n"
        << "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        << "        case ${COMP_WORDS[i]} in\n"
        << "            -*) ;;\n"
        << "            *) command=${COMP_WORDS[i]}; start=$i; break ;;\n"
        << "        esac\n"
        << "    done\n"
        << "    local words=\"\"\n"
        << "    case $command in\n"
        << "        \"\") words="
        << SingleQuoted(Join(CommandNames(model), " ") + " "
                        + Join(OptionNames(model.options), " "))
        << " ;;\n";
    for (const TCliCommand &command : model.commands) {
        out << "        " << command.name << ")\n"
            << "            case $prev in\n";
        std::vector<std::string> freeValues;
        for (const TCliOption &option : command.options) {
            if (option.IsPositional() || !option.takesValue)
                continue;
            if (!option.completion.Offers()) {
                freeValues.insert(freeValues.end(), option.names.begin(), option.names.end());
                continue;
            }
            out << "                " << Join(option.names, "|") << ")\n"
                << BashReply(option.completion, "                    ")
                << "                    return ;;\n";
        }
        if (!freeValues.empty())
            out << "                " << Join(freeValues, "|") << ") return ;;\n";
        out << "            esac\n";
        const TCliOption *positional = FirstPositional(command.options);
        out << "            words=" << SingleQuoted(Join(OptionNames(command.options), " "))
            << "\n";
        if (positional && !positional->completion.words.empty()) {
            // Offer the first argument's words until one is given; an option's value is none.
            std::vector<std::string> valued;
            for (const TCliOption &option : command.options) {
                if (!option.IsPositional() && option.takesValue)
                    valued.insert(valued.end(), option.names.begin(), option.names.end());
            }
            out << "            local given=0 skip=0\n"
                << "            for ((i = start + 1; i < COMP_CWORD; i++)); do\n"
                << "                if ((skip)); then skip=0; continue; fi\n"
                << "                case ${COMP_WORDS[i]} in\n";
            if (!valued.empty())
                out << "                    " << Join(valued, "|") << ") skip=1 ;;\n";
            out << "                    -*) ;;\n"
                << "                    *) given=1 ;;\n"
                << "                esac\n"
                << "            done\n"
                << "            ((given)) || words+="
                << SingleQuoted(" " + Join(positional->completion.words, " ")) << "\n";
        }
        out << "            ;;\n";
    }
    out << "        *) return ;;\n"
        << "    esac\n"
        << "    mapfile -t COMPREPLY < <(compgen -W \"$words\" -- \"$cur\")\n"
        << "}\n\n"
        << "complete -F " << function << " " << model.program << "\n";
    return out.str();
}

std::string WriteZshCompletion(const TCliModel &model)
{
    const std::string function = ShellFunctionName(model.program);
    std::ostringstream out;
    out << "#compdef " << model.program << "\n"
        << "# zsh completion for " << model.program
        << ", written from the program's own option definitions.\n\n"
        << function << "() {\n"
        << "    local curcontext=$curcontext state line\n"
        << "    typeset -A opt_args\n"
        << "    local -a commands\n"
        << "    commands=(\n";
    for (const TCliCommand &command : model.commands)
        out << "        "
            << SingleQuoted(command.name + ":" + Replace(Summary(command.description), ":", "\\:"))
            << "\n";
    out << "    )\n"
        << "    _arguments -C \\\n"
        << ZshOptionSpecs(model.options, "        ") << "        '1: :->command' \\\n"
        << "        '*:: :->args' && return\n"
        << "    case $state in\n"
        << "        command) _describe -t commands " << SingleQuoted(model.program + " command")
        << " commands ;;\n"
        << "        args)\n"
        << "            case $words[1] in\n";
    for (const TCliCommand &command : model.commands) {
        out << "                " << command.name << ")\n"
            << "                    _arguments \\\n"
            << ZshOptionSpecs(command.options, "                        ")
            << "                        && return ;;\n";
    }
    out << "            esac ;;\n"
        << "    esac\n"
        << "    return 1\n"
        << "}\n\n"
        << function << " \"$@\"\n";
    return out.str();
}

std::string WriteFishCompletion(const TCliModel &model)
{
    std::ostringstream out;
    const std::string complete = "complete -c " + model.program;
    const std::string wantsArgument = ShellFunctionName(model.program) + "_wants_argument";
    out << "# fish completion for " << model.program
        << ", written from the program's own option definitions.\n\n"
        << complete << " -f\n\n"
        << "# True while the command named first has no argument yet; the names after it are its\n"
        << "# options that take a value.\n"
        << "function " << wantsArgument << "\n"
        << "    set -l tokens (commandline -opc)\n"
        << "    set -l found 0\n"
        << "    set -l skip 0\n"
        << "    for token in $tokens[2..-1]\n"
        << "        if test $found = 0\n"
        << "            test \"$token\" = $argv[1]; and set found 1\n"
        << "        else if test $skip = 1\n"
        << "            set skip 0\n"
        << "        else if contains -- $token $argv[2..-1]\n"
        << "            set skip 1\n"
        << "        else if not string match -q -- '-*' $token\n"
        << "            return 1\n"
        << "        end\n"
        << "    end\n"
        << "    test $found = 1\n"
        << "end\n\n";
    const auto optionLine = [&](const std::string &condition, const TCliOption &option) {
        out << complete << " -n " << FishQuoted(condition);
        for (const std::string &name : option.names)
            out << (name.rfind("--", 0) == 0 ? " -l " + name.substr(2) : " -s " + name.substr(1));
        if (option.takesValue)
            out << FishValue(option.completion);
        out << " -d " << FishQuoted(Summary(option.description)) << "\n";
    };
    for (const TCliOption &option : model.options) {
        if (!option.IsPositional())
            optionLine("__fish_use_subcommand", option);
    }
    for (const TCliCommand &command : model.commands)
        out << complete << " -n __fish_use_subcommand -a " << command.name << " -d "
            << FishQuoted(Summary(command.description)) << "\n";
    for (const TCliCommand &command : model.commands) {
        const std::string condition = "__fish_seen_subcommand_from " + command.name;
        for (const TCliOption &option : command.options) {
            if (!option.IsPositional())
                optionLine(condition, option);
        }
        // The first argument's words, until it is given.
        const TCliOption *positional = FirstPositional(command.options);
        if (positional && !positional->completion.words.empty()) {
            std::vector<std::string> needs{wantsArgument, command.name};
            for (const TCliOption &option : command.options) {
                if (!option.IsPositional() && option.takesValue)
                    needs.insert(needs.end(), option.names.begin(), option.names.end());
            }
            out << complete << " -n " << FishQuoted(Join(needs, " ")) << " -a "
                << FishQuoted(Join(positional->completion.words, " ")) << " -d "
                << FishQuoted(positional->positionalName) << "\n";
        }
    }
    return out.str();
}

} // namespace docgen
