#include "cli/command_line.h"

#include <ostream>

namespace quibel::cli {

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    (void)args;
    (void)out;
    err << "usage: quibel-cli COMMAND ...\n";
    return UsageError;
}

} // namespace quibel::cli
