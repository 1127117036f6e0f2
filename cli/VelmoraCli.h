#pragma once

// velmora-cli: the window's calculators for scripts and printed tables, on the same engine
// functions. Each command computes its whole answer before anything is written, so refused input
// leaves standard output empty and says why on one line of standard error.

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

namespace cli {

// Runs one command line; argv[0] is the program's name. Returns the exit status: 0, or
// ExitBadInput for input the tool refuses.
int RunCli(int argc, const char *const *argv, std::istream &in, std::ostream &out,
           std::ostream &err);

// The same for the arguments after the program's name.
int RunCli(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
           std::ostream &err);

// Builds the whole command tree, options and their help included, and hands it to `visit` without
// parsing anything: the manual page and the shell completions are written from it.
void VisitCliDefinition(const std::function<void(const CLI::App &)> &visit);

} // namespace cli
