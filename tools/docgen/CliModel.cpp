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

std::vector<std::string> SplitWords(const std::string &text, char separator)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == separator) {
            words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    words.push_back(word);
    const bool allWords = std::all_of(words.begin(), words.end(), [](const std::string &w) {
        return !w.empty() && std::all_of(w.begin(), w.end(), IsWordChar);
    });
    return allWords ? words : std::vector<std::string>{};
}

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
        result.choices = ChoicesOfType(result.typeName);
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

std::vector<std::string> ChoicesOfType(const std::string &typeName)
{
    // "TEXT:{a,b,c}" from a set check; a bare "a|b|c" from a type name that lists them.
    const std::size_t brace = typeName.find('{');
    if (brace != std::string::npos && typeName.back() == '}' && brace + 2 < typeName.size())
        return SplitWords(typeName.substr(brace + 1, typeName.size() - brace - 2), ',');
    if (typeName.find('|') == std::string::npos)
        return {};
    return SplitWords(typeName, '|');
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
