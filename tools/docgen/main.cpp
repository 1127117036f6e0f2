// SPDX-License-Identifier: MIT
// Writes velmora-cli's manual page or one of its shell completion scripts from the program's own
// command-line definition:
//   velmora-docgen man SOURCE OUTPUT VERSION DATE
//   velmora-docgen bash|zsh|fish OUTPUT

#include "CliApp.h"
#include "CliModel.h"
#include "Writers.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

int Usage()
{
    std::cerr << "usage: velmora-docgen man SOURCE OUTPUT VERSION DATE\n"
                 "       velmora-docgen bash|zsh|fish OUTPUT\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2)
        return Usage();
    const docgen::TCliModel model = docgen::ReadCliModel(*cli::BuildCliApp()->app);

    std::string text;
    const std::string &kind = args[0];
    if (kind == "man" && args.size() == 5) {
        std::ifstream source(args[1]);
        if (!source) {
            std::cerr << "velmora-docgen: cannot read " << args[1] << "\n";
            return 1;
        }
        std::ostringstream content;
        content << source.rdbuf();
        text = docgen::WriteManPage(model, content.str(), args[3], args[4]);
    } else if (kind == "bash" && args.size() == 2) {
        text = docgen::WriteBashCompletion(model);
    } else if (kind == "zsh" && args.size() == 2) {
        text = docgen::WriteZshCompletion(model);
    } else if (kind == "fish" && args.size() == 2) {
        text = docgen::WriteFishCompletion(model);
    } else {
        return Usage();
    }
    const std::string &output = kind == "man" ? args[2] : args[1];
    std::ofstream out(output, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "velmora-docgen: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
