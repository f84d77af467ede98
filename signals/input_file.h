// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace quibel {

struct FileCloser final {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

/// Opens path for reading bytes. Throws Error("signals.cannot_open_file", {path, system
/// message}).
InputFile OpenInputFile(const std::string& path);

} // namespace quibel
