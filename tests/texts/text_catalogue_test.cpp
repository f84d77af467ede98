// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/text_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quibel;

namespace {
std::multiset<std::string> placeholders(std::string_view s) {
    std::multiset<std::string> out;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '%')
            continue;
        if (s[i + 1] == '%') {
            ++i;
            continue;
        }
        if (s[i + 1] >= '1' && s[i + 1] <= '9')
            out.insert(std::string(s.substr(i, 2)));
    }
    return out;
}
} // namespace

// Every key has a text in both languages, with the same placeholders, and keys are unique.
TEST(TextCatalogueTest, EveryKeyHasBothLanguagesWithTheSamePlaceholders) {
    std::set<std::string_view> keys;
    for (const TextEntry& e : allTexts()) {
        SCOPED_TRACE(std::string(e.key));
        EXPECT_TRUE(keys.insert(e.key).second) << "duplicate key";
        EXPECT_FALSE(e.english.empty());
        EXPECT_FALSE(e.french.empty());
        EXPECT_EQ(placeholders(e.english), placeholders(e.french));
    }
}

TEST(TextCatalogueTest, RendersInTheChosenLanguage) {
    Message m("file.unable_to_read");
    EXPECT_EQ(render(Language::English, m), "Unable to read file.");
    EXPECT_EQ(render(Language::French, m), "Impossible de lire correctement le fichier.");
    EXPECT_EQ(text(Language::French, "no.such.key"), "no.such.key");
}

TEST(TextCatalogueTest, SubstitutesNumberedPlaceholders) {
    std::string args[] = {"a", "b"};
    EXPECT_EQ(substitute("%2-%1 100%% %3", args), "b-a 100% ");
}
