// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch/options.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

namespace quibel::cli {

std::optional<int> PositiveWhole(std::string_view text) noexcept {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

std::optional<Shard> ParseShard(std::string_view text) noexcept {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> part = PositiveWhole(text.substr(0, slash));
    const std::optional<int> parts = PositiveWhole(text.substr(slash + 1));
    if (!part || !parts || *part > *parts)
        return std::nullopt;
    return Shard{*part, *parts};
}

int CaseSpread::threads() const noexcept {
    const int n = jobs > 0 ? jobs : static_cast<int>(std::thread::hardware_concurrency());
    return n > 1 ? n : 1;
}

std::optional<bool> ReadCaseSpread(const std::vector<std::string>& args, std::size_t& i,
                                   CaseSpread& spread) {
    const std::string& a = args[i];
    if (a != "--jobs" && a != "--shard")
        return std::nullopt;
    if (i + 1 >= args.size())
        return false;
    const std::string& value = args[++i];
    if (a == "--jobs") {
        const std::optional<int> n = PositiveWhole(value);
        if (n)
            spread.jobs = *n;
        return n.has_value();
    }
    const std::optional<Shard> shard = ParseShard(value);
    if (shard)
        spread.shard = *shard;
    return shard.has_value();
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& text) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return std::generic_category().message(EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::generic_category().message(errno);
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad())
        return std::generic_category().message(EIO);
    text = s.str();
    return std::nullopt;
}

} // namespace quibel::cli
