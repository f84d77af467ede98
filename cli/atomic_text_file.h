// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quibel::cli {

/// Writes text to path through a temporary file "path.part" in the same folder that replaces
/// path only when complete, so that a failed write leaves no half-written file behind (and an
/// earlier file at path as it was). Returns the system's message on failure.
[[nodiscard]] std::optional<std::string> WriteTextAtomically(const std::string& path,
                                                             const std::string& text);

/// Takes the next piece of a text being written; false when it could not be written.
using TextSink = std::function<bool(std::string_view piece)>;

/// The same for a text formed piece by piece: writeText hands each piece to the sink it is
/// given, and returns false when it stopped before the end (a piece refused, or a failure of
/// its own), which leaves path as it was.
[[nodiscard]] std::optional<std::string>
WriteTextAtomically(const std::string& path, const std::function<bool(const TextSink&)>& writeText);

} // namespace quibel::cli
