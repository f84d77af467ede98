// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// Exit codes of quibel-cli.
enum ExitCode : int {
    Success = 0,
    UsageError = 1,
    PreconditionFailed = 2, ///< a run's checks refused to start it
    ReadFailed = 3,         ///< a file could not be read
    WriteFailed = 4,        ///< a file could not be written
    /// Ctrl+C ended a run early; its samples so far were written (128 + SIGINT, as shells
    /// report a process ended by it).
    Interrupted = 130,
};

/// Runs one invocation of the tool: args without the program name; output to out and err.
/// "--lang en|fr" may stand anywhere; "--help" lists the commands.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quibel::cli
