// SPDX-License-Identifier: MIT
#include "CliModel.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace docgen {

namespace {

bool IsWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
           || c == '-' || c == '.' || c == '+';
}

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// The words of a list, or none where a part is empty or not a word (prose).
std::vector<std::string> SplitWords(const std::string &text, char separator)
{
    const std::vector<std::string> words = Split(text, separator);
    const bool allWords = std::all_of(words.begin(), words.end(), [](const std::string &w) {
        return !w.empty() && std::all_of(w.begin(), w.end(), IsWordChar);
    });
    return allWords ? words : std::vector<std::string>{};
}

// "NAME", "COL", "NUMBER": three or more capitals. "AA", "C" and "W0.1" are tolerance classes
// and units, so a shorter word, or one with a digit, is a choice.
bool IsNamedPlaceholder(const std::string &word)
{
    return word.size() >= 3 && std::all_of(word.begin(), word.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || c == '_';
           });
}

// A synopsis line has room for about this much of an option's value.
constexpr std::size_t LongestShownTypeName = 24;

TCliOption ReadOption(const CLI::Option &option)
{
    TCliOption result;
    for (const std::string &name : option.get_lnames())
        result.names.push_back("--" + name);
    for (const std::string &name : option.get_snames())
        result.names.push_back("-" + name);
    if (result.names.empty())
        result.positionalName = option.get_name(true);
    result.takesValue = option.get_items_expected_max() > 0;
    if (result.takesValue) {
        result.typeName = option.get_type_name();
        result.completion = CompletionOfType(result.typeName);
    }
    result.description = option.get_description();
    result.defaultText = option.get_default_str();
    result.required = option.get_required();
    result.repeats = option.get_items_expected_max() > 1;
    return result;
}

std::vector<TCliOption> ReadOptions(const CLI::App &app)
{
    std::vector<TCliOption> options;
    for (const CLI::Option *option : app.get_options())
        options.push_back(ReadOption(*option));
    std::stable_partition(options.begin(), options.end(),
                          [](const TCliOption &option) { return !option.IsPositional(); });
    return options;
}

} // namespace

TValueCompletion CompletionOfType(const std::string &typeName)
{
    TValueCompletion completion;
    bool wholeNumber = false;
    for (const std::string &part : Split(typeName, ':')) {
        // "{a,b,c}" from a set check, "a|b|c" as the program lists them, or one word.
        const bool set = part.size() >= 2 && part.front() == '{' && part.back() == '}';
        const bool listed = set || part.find('|') != std::string::npos;
        const std::vector<std::string> alternatives
            = set ? SplitWords(part.substr(1, part.size() - 2), ',') : SplitWords(part, '|');
        for (const std::string &word : alternatives) {
            if (word == "N")
                wholeNumber = true;
            else if (word == "FILE" || word == "PATH")
                completion.fileNames = fnFiles;
            else if (word == "DIR" && completion.fileNames == fnNone)
                completion.fileNames = fnDirectories;
            else if (listed && !IsNamedPlaceholder(word))
                completion.words.push_back(word);
        }
    }
    if (wholeNumber && !completion.words.empty()) {
        for (char digit = '0'; digit <= '9'; ++digit)
            completion.words.emplace_back(1, digit);
    }
    return completion;
}

std::string ValueLabel(const TCliOption &option)
{
    if (option.IsPositional())
        return option.positionalName;
    const std::string &type = option.typeName;
    if (type.size() <= LongestShownTypeName)
        return type;
    const std::size_t set = type.find(":{");
    if (set != std::string::npos && set > 0)
        return type.substr(0, set);
    std::string name = option.names.front();
    name = name.substr(name.find_last_of('-') + 1);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return name;
}

TCliModel ReadCliModel(const CLI::App &app)
{
    TCliModel model;
    model.program = app.get_name();
    model.description = app.get_description();
    model.options = ReadOptions(app);
    for (const CLI::App *command : app.get_subcommands([](const CLI::App *) { return true; })) {
        model.commands.push_back({command->get_name(), command->get_description(),
                                  command->get_footer(), ReadOptions(*command)});
    }
    return model;
}

} // namespace docgen
