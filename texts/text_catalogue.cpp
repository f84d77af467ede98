// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

#include <algorithm>
#include <map>
#include <vector>

namespace quibel {

namespace {
struct Catalogue {
    std::vector<TextEntry> entries;
    std::map<std::string_view, const TextEntry*> byKey;

    Catalogue() {
        for (auto table :
             {modelTexts(), signalsTexts(), engineTexts(), uiTexts(), cliTexts(), reportTexts(),
              recordTexts(), desktopTexts(), pdfReportTexts(), studyTexts(), largeRunTexts()})
            entries.insert(entries.end(), table.begin(), table.end());
        for (const TextEntry& e : entries)
            byKey.emplace(e.key, &e);
    }
};

// Built once on first use and never changed afterwards.
const Catalogue& catalogue() {
    static const Catalogue instance;
    return instance;
}
} // namespace

std::string_view text(Language language, std::string_view key) {
    const auto& map = catalogue().byKey;
    auto it = map.find(key);
    if (it == map.end())
        return key;
    return language == Language::English ? it->second->english : it->second->french;
}

std::string substitute(std::string_view pattern, std::span<const std::string> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            char n = pattern[i + 1];
            if (n >= '1' && n <= '9') {
                std::size_t index = static_cast<std::size_t>(n - '1');
                if (index < args.size())
                    out += args[index];
                ++i;
                continue;
            }
            if (n == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string render(Language language, const Message& message) {
    return substitute(text(language, message.key), message.args);
}

std::span<const TextEntry> allTexts() {
    return catalogue().entries;
}

} // namespace quibel
