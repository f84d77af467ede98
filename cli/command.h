// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// What every command receives: its own words (after the command name, with --lang already
/// taken out), the two streams and the language of the user.
struct Invocation final {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
    Language language;

    /// Writes the catalogue text of message to err, followed by a new line.
    void error(const Message& message) const;
};

/// The signature of a command; returns an exit code.
using CommandFunction = int (*)(const Invocation&);

} // namespace quibel::cli
