// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibel::cli {

/// A whole number of 1 or more written in full ("8"), or nothing.
std::optional<int> PositiveWhole(std::string_view text) noexcept;

/// The part I and the count N of "--shard I/N", 1 <= I <= N; nothing for another text.
struct Shard final {
    int part = 1;
    int parts = 1;
};
std::optional<Shard> ParseShard(std::string_view text) noexcept;

/// How a command spreads its cases: over how many threads (0: one per core) and which shard.
struct CaseSpread final {
    int jobs = 0;
    Shard shard;

    /// The threads to run on: jobs, or one per core when 0; at least 1.
    int threads() const noexcept;
    /// Whether the case of 1-based index is this shard's. Shard I of N takes every N-th case
    /// from the I-th: the parts stay alike in length and in mix when the table is ordered by
    /// record or by intensity.
    bool takes(long long index) const noexcept {
        return (index - 1) % shard.parts == shard.part - 1;
    }
};

/// Reads "--jobs N" or "--shard I/N" at args[i] into spread, moving i onto its value. Nothing
/// when args[i] is neither option; false when its value is missing or wrong.
std::optional<bool> ReadCaseSpread(const std::vector<std::string>& args, std::size_t& i,
                                   CaseSpread& spread);

/// Reads the whole file at path into text; returns the system's reason when it cannot (a
/// folder included).
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& text);

} // namespace quibel::cli
