// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"

#include <span>
#include <string>
#include <string_view>

namespace quibel {

/// The language of every text the program shows. The desktop program keeps the user's choice;
/// the command-line tool takes it from --lang.
enum class Language { English, French };

/// One keyed text in both languages. Placeholders are %1..%9; both languages carry the same set.
struct TextEntry final {
    std::string_view key;
    std::string_view english;
    std::string_view french;
};

/// The text of key in language; the key itself when the catalogue has no such entry, so a
/// missing text shows up plainly instead of as an empty label.
std::string_view text(Language language, std::string_view key);

/// The text of message.key with %1..%9 replaced by message.args ("%%" gives "%").
std::string render(Language language, const Message& message);

/// Replaces %1..%9 in pattern by args.
std::string substitute(std::string_view pattern, std::span<const std::string> args);

/// Every entry of the catalogue, for checks that walk it.
std::span<const TextEntry> allTexts();

// The catalogue is split by subsystem so each keeps its own table (texts/*.cpp).
std::span<const TextEntry> modelTexts();
std::span<const TextEntry> signalsTexts();
std::span<const TextEntry> engineTexts();
std::span<const TextEntry> uiTexts();
std::span<const TextEntry> cliTexts();
std::span<const TextEntry> reportTexts();    ///< the computed-data report
std::span<const TextEntry> recordTexts();    ///< ground-motion records in agency formats
std::span<const TextEntry> desktopTexts();   ///< help everywhere, cancelling the spectra
std::span<const TextEntry> pdfReportTexts(); ///< the analysis report
std::span<const TextEntry> studyTexts();     ///< studies and fragility curves
std::span<const TextEntry> largeRunTexts();  ///< long runs in the desktop program

} // namespace quibel
