// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"
#include "model/enums.h"

#include <string>

namespace quibel {

/// The labels of the progress window's status box for one output sample, with "." as the
/// decimal separator (a window replaces it by the user's own).
struct RunStatusText final {
    std::string time;                ///< "%10.3f sec"
    std::string slidingDisplacement; ///< "%12.7f " and the length unit ("mm", "m", "in", "ft")
    std::string rotation;            ///< "%12.10f rad"
    std::string absoluteEnergyError; ///< "%10.3f %"
    std::string relativeEnergyError; ///< "%10.3f %"
};

RunStatusText FormatRunStatus(const RunStatus& status, UnitSystem units);

} // namespace quibel
