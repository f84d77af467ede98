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

std::optional<std::string>
WriteTextAtomically(const std::string& path,
                    const std::function<bool(const TextSink&)>& writeText) {
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return systemText(errno);
    int error = 0;
    const TextSink sink = [&](std::string_view piece) {
        if (std::fwrite(piece.data(), 1, piece.size(), file) == piece.size())
            return true;
        error = errno;
        return false;
    };
    const bool written = writeText(sink);
    if (std::fclose(file) != 0 || !written) {
        if (written || error == 0)
            error = errno != 0 ? errno : EIO;
        std::remove(temporary.c_str());
        return systemText(error);
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return ec.message();
    }
    return std::nullopt;
}

std::optional<std::string> WriteTextAtomically(const std::string& path, const std::string& text) {
    return WriteTextAtomically(path, [&](const TextSink& sink) { return sink(text); });
}

} // namespace quibel::cli
