// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quibel {

/// A text export made one line at a time, so that a file of any length is written with the
/// memory of one line: append(i, out) adds line i (0 <= i < count), its line end included.
struct TextRows final {
    std::size_t count = 0;
    std::function<void(std::size_t line, std::string& out)> append;
};

/// Told how far an export is (done of total lines or rows); returning false stops it.
using ExportProgress = std::function<bool(std::size_t done, std::size_t total)>;

/// Every line of rows, one after the other.
std::string joinRows(const TextRows& rows);

} // namespace quibel
