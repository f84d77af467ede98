// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/merge.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quibel::cli {

/// The summary rows a study has written so far, one journal file per run (journal/all.csv,
/// or journal/shard-I-of-N.csv), each a summary with the study's header. A row is written
/// whole as its case ends, so an interrupted run leaves at most one partial line at the end
/// of its journal: that case counts as not done.
struct StudyJournal final {
    std::vector<SummaryFile> files; ///< complete lines only
    std::set<int> done;             ///< case_index of the rows
};

/// Reads the journals of dir. Throws Error("study.other_study", {file}) when a journal's
/// header is not header (another study's results are there).
StudyJournal ReadStudyJournals(const std::filesystem::path& dir, const std::string& header);

/// Appends rows to one journal, flushed after each.
class JournalWriter final {
public:
    /// Opens path for appending; a file that does not exist starts with header, one that does
    /// is first cut back to its complete lines. Returns the system's message on failure.
    std::optional<std::string> open(const std::filesystem::path& path, const std::string& header);
    void append(const std::string& line);

private:
    std::ofstream mOut;
};

} // namespace quibel::cli
