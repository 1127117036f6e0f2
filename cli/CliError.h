#pragma once

#include <stdexcept>

namespace cli {

// Input the tool refuses: an unknown name, a text that is not a number, a value outside its limits,
// points that do not define a line. The message names the value and the rule, and is printed on
// one line of standard error.
class TCliError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The exit status of refused input, the same as for a command line that does not parse.
inline constexpr int ExitBadInput = 2;

} // namespace cli
