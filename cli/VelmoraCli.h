// SPDX-License-Identifier: MIT
#pragma once

// velmora-cli: the window's calculators for scripts, logs and calibration sheets, on the same
// engine functions. A command writes its rows as it computes them into a temporary file that is
// copied to standard output only when the whole command has succeeded, so that refused input
// leaves standard output empty and says why on one line of standard error.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The exit statuses: success; a partial result (bad readings let pass with --keep-going, a failed
// write to standard output); refused input (ExitBadInput in CliError.h).
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitPartial = 1;

// Runs one command line; argv[0] is the program's name. Returns the exit status.
int RunCli(int argc, const char *const *argv, std::istream &in, std::ostream &out,
           std::ostream &err);

// The same for the arguments after the program's name.
int RunCli(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
           std::ostream &err);

} // namespace cli
