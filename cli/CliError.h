// SPDX-License-Identifier: MIT
#pragma once

#include "Messages.h"

#include <stdexcept>
#include <string>

namespace cli {

// Input the tool refuses: an unknown name, a text that is not a number, a value outside its limits,
// points that do not define a line. The message names the value and the rule, and is printed on
// one line of standard error: control characters that the input held are shown escaped, which also
// keeps a NUL byte from cutting the message short.
class TCliError : public std::runtime_error
{
public:
    explicit TCliError(const std::string &message)
        : std::runtime_error(EscapeControls(message))
    {
    }
};

// The exit status of refused input, the same as for a command line that does not parse.
inline constexpr int ExitBadInput = 2;

} // namespace cli
