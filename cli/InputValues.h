#pragma once

#include "NumberText.h"

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The values given on the command line or, when none is given, every value on standard input:
// one or several a line, separated by blanks or tabs (not by commas, which would split a decimal
// comma into two numbers). A '#' starts a comment that runs to the end of its line. `what`
// names the quantity in messages.
std::vector<TInputValue> ValuesOrInput(const std::vector<std::string> &given, std::istream &in,
                                       std::string_view what);

// The records of standard input, one a line, each of `names.size()` values, of which the first
// `required` must be present. A '#' starts a comment; blank lines are skipped.
std::vector<std::vector<TInputValue>>
InputRecords(std::istream &in, const std::vector<std::string> &names, std::size_t required);

} // namespace cli
