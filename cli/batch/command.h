// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// quibel-cli batch CASES.csv [-o SUMMARY.csv] [--jobs N] [--results-dir DIR] [--reports DIR]
///                  [--shard I/N] [--on-question continue|stop] [--precision grid|full]
///
/// Runs every case of the table (ReadBatchTable) on N threads (default: the number of cores),
/// each on its own copy of its model, and writes the summary (summary.h) to SUMMARY.csv
/// or to out. --shard I/N runs only the cases whose case_index is I, I + N, I + 2N...; with
/// --results-dir each case leaves its project and its result grid there (BatchSettings); with
/// --reports each case whose model could be built leaves its analysis report there,
/// <name>.pdf (BatchReports).
/// Questions of the runs are answered as `quibel-cli run --on-question` does. A row that cannot
/// run is reported on err with its row number and the other rows still run; when err is a
/// terminal a progress line is kept there. `args` are the words after "batch".
///
/// Exit codes: 0 every case ran (completed, stopped or ended by a convergence error);
/// 1 usage error, or --reports in a build without the desktop program (which has no reports);
/// 2 at least one case could not run (its row, a file it names or the run's checks); 3 the
/// case table cannot be read or has no meaning as a whole; 4 the summary, a file of the
/// results folder or a report cannot be written.
int runBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    quibel::Language lang);

/// quibel-cli batch-merge SUMMARY-1.csv SUMMARY-2.csv ... [-o SUMMARY.csv] [--partial]
///
/// Merges the summaries of the shards of one study (MergeSummaries) into SUMMARY.csv or out.
/// When cases of the table are missing from every file the merge lists them on err and
/// writes nothing, unless --partial is given.
///
/// Exit codes: 0 merged; 1 usage error; 3 a file cannot be read, is not a summary, does not
/// belong with the others, or cases are missing (without --partial); 4 the output cannot be
/// written.
int runBatchMergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                         quibel::Language lang);

} // namespace quibel::cli
