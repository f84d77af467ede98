// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quibel::cli {

/// A whole number of 1 or more written in full ("8"), or nothing.
std::optional<int> PositiveWhole(std::string_view text) noexcept;

/// The part I and the count N of "--shard I/N", 1 <= I <= N; nothing for another text.
struct Shard final {
    int part = 1;
    int parts = 1;
};
std::optional<Shard> ParseShard(std::string_view text) noexcept;

/// Reads the whole file at path into text; returns the system's reason when it cannot (a
/// folder included).
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& text);

} // namespace quibel::cli
