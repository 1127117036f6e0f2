// SPDX-License-Identifier: MIT
#pragma once

// The manual page and the bash, zsh and fish completion scripts, written from the model of the
// command line.

#include "CliModel.h"

#include <string>

namespace docgen {

// Text as roff shows it literally: backslashes, minus signs, a leading dot or quote, and every
// character past ASCII as a named Unicode escape.
std::string RoffText(const std::string &text);

// Fills a man page source: @VERSION@ and @DATE@ anywhere, and the lines @SYNOPSIS@, @OPTIONS@
// and @COMMANDS@ with the program's synopsis, its own options and one subsection per command.
std::string WriteManPage(const TCliModel &model, const std::string &source,
                         const std::string &version, const std::string &date);

std::string WriteBashCompletion(const TCliModel &model);
std::string WriteZshCompletion(const TCliModel &model);
std::string WriteFishCompletion(const TCliModel &model);

} // namespace docgen
