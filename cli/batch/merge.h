// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quibel::cli {

/// A summary file to merge: its name (for the messages) and its text.
struct SummaryFile final {
    std::string name;
    std::string text;
};

/// The merge of the summaries of the shards of one case table.
struct MergedSummary final {
    std::string text;         ///< one header, then the rows of every file by case_index
    std::vector<int> missing; ///< case_index of the cases no file holds, ascending
};

/// Merges summaries written by `quibel-cli batch --shard I/N` (or any summaries of one case
/// table): the rows of all files, each written once, in the order of the case table, so that
/// the merge of the N shards equals the summary of the whole table run at once (except the
/// run times). Every file must have the same header and the same case_count. Throws
/// Error("cli.merge.not_summary", {file}) for a file that is not a summary (or a row whose
/// case_index or case_count is not a whole number in range), Error("cli.merge.other_header",
/// {file, first file}) and Error("cli.merge.other_count", {file, first file}) for summaries of
/// different tables, Error("cli.merge.twice", {case_index, file, file}) for a case that two
/// rows hold, Error("cli.batch.unclosed_quote", {row}) for a damaged file.
MergedSummary MergeSummaries(const std::vector<SummaryFile>& files);

} // namespace quibel::cli
