// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/database_folder.h"

#include "signals/earthquake_database.h"

#include <system_error>

namespace quibel {

namespace {

bool holdsAWorkbook(const std::filesystem::path& folder) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(folder / kHorizontalDatabaseFile, ignored) ||
           std::filesystem::is_regular_file(folder / kVerticalDatabaseFile, ignored);
}

} // namespace

std::filesystem::path FindDatabaseFolder(const std::filesystem::path& programFolder) {
    if (holdsAWorkbook(programFolder))
        return programFolder;
    const std::filesystem::path installed = programFolder / ".." / "share" / "quibel";
    if (holdsAWorkbook(installed))
        return installed.lexically_normal();
    return programFolder;
}

} // namespace quibel
