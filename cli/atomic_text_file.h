// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quibel::cli {

/// Writes text to path through a temporary file "path.part" in the same folder that replaces
/// path only when complete, so that a failed write leaves no half-written file behind (and an
/// earlier file at path as it was). Returns the system's message on failure.
[[nodiscard]] std::optional<std::string> WriteTextAtomically(const std::string& path,
                                                             const std::string& text);

} // namespace quibel::cli
