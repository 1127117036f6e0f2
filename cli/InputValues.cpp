#include "InputValues.h"

#include "CliError.h"

#include <sstream>

namespace cli {

namespace {

// The blank-separated fields of a line, up to a '#' that starts a comment.
std::vector<std::string> Fields(const std::string &line)
{
    std::vector<std::string> fields;
    std::istringstream stream(line.substr(0, line.find('#')));
    std::string field;
    while (stream >> field)
        fields.push_back(field);
    return fields;
}

std::string LinePrefix(std::size_t lineNumber)
{
    return "line " + std::to_string(lineNumber) + " of standard input: ";
}

// Calls take(fields, lineNumber) for every line of the input that holds any field.
template<typename F>
void ForEachInputLine(std::istream &in, F &&take)
{
    std::string line;
    std::size_t lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::vector<std::string> fields = Fields(line);
        if (!fields.empty())
            take(fields, lineNumber);
    }
}

// A number of the input, a refusal naming the line it stands on.
TInputValue ParseInputField(const std::string &field, std::string_view what, std::size_t lineNumber)
{
    try {
        return ParseNumber(field, what);
    } catch (const TCliError &error) {
        throw TCliError(LinePrefix(lineNumber) + error.what());
    }
}

} // namespace

std::vector<TInputValue> ValuesOrInput(const std::vector<std::string> &given, std::istream &in,
                                       std::string_view what)
{
    std::vector<TInputValue> values;
    if (!given.empty()) {
        for (const std::string &text : given)
            values.push_back(ParseNumber(text, what));
        return values;
    }
    ForEachInputLine(in, [&](const std::vector<std::string> &fields, std::size_t lineNumber) {
        for (const std::string &field : fields)
            values.push_back(ParseInputField(field, what, lineNumber));
    });
    if (values.empty())
        throw TCliError("no " + std::string(what) + " given, and none on standard input");
    return values;
}

std::vector<std::vector<TInputValue>>
InputRecords(std::istream &in, const std::vector<std::string> &names, std::size_t required)
{
    std::vector<std::vector<TInputValue>> records;
    ForEachInputLine(in, [&](const std::vector<std::string> &fields, std::size_t lineNumber) {
        if (fields.size() < required || fields.size() > names.size()) {
            std::string expected;
            for (std::size_t i = 0; i < names.size(); ++i)
                expected += (i > 0 ? " " : "") + (i < required ? names[i] : "[" + names[i] + "]");
            throw TCliError(LinePrefix(lineNumber) + "has " + std::to_string(fields.size())
                            + " values; expected " + expected);
        }
        std::vector<TInputValue> record;
        for (std::size_t i = 0; i < fields.size(); ++i)
            record.push_back(ParseInputField(fields[i], names[i], lineNumber));
        records.push_back(std::move(record));
    });
    if (records.empty())
        throw TCliError("no reading given, and none on standard input");
    return records;
}

} // namespace cli
