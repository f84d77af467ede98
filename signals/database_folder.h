// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace quibel {

/// Where a program in programFolder finds the earthquake database: beside the program when
/// one of the workbooks lies there (a build tree, or a copy run from its own folder), otherwise
/// programFolder/../share/quibel, where an installed program keeps it. When neither holds a
/// workbook the answer is programFolder, so that the message of a missing workbook names it.
std::filesystem::path FindDatabaseFolder(const std::filesystem::path& programFolder);

} // namespace quibel
