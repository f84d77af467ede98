// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quibel {

/// Reads the workbook at path once, every cell of every worksheet, in a child process, and says
/// whether that reading ended without the child being killed. Some damaged workbooks make the
/// system's .xls library crash or overrun its buffers; tried here first, they crash the child
/// and not the program. A reading that fails with an error of the library (a file not found, a
/// file that is no workbook) counts as ended: the real opening reports it. A child still busy
/// after a minute is killed and counts as a crash. True when no child can be started.
bool WorkbookReadsWithoutCrash(const std::string& path);

} // namespace quibel
