// SPDX-License-Identifier: MIT
#include "VelmoraCli.h"

#include <iostream>

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    return cli::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
