// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/atomic_text_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quibel::cli {

namespace {

// The system's text of an error number; unlike strerror, safe while other threads write.
std::string systemText(int error) {
    return std::generic_category().message(error);
}

} // namespace

std::optional<std::string> WriteTextAtomically(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return systemText(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int error = errno;
    if (std::fclose(file) != 0 || !written) {
        std::remove(temporary.c_str());
        return systemText(written ? errno : error);
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return ec.message();
    }
    return std::nullopt;
}

} // namespace quibel::cli
