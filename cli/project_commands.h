// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace quibel::cli {

/// quibel-cli info PROJECT.qbl: the model as one JSON object on stdout.
int runInfoCommand(const Invocation& inv);

/// quibel-cli convert IN.qbl OUT.qbl [--units 0|1|2|3]: reads IN, changes its unit system as
/// the unit selector does, writes OUT.
int runConvertCommand(const Invocation& inv);

} // namespace quibel::cli
