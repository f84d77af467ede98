// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return quibel::cli::runCommandLine(args, std::cout, std::cerr);
}
