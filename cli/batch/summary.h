// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/case.h"
#include "cli/batch/runner.h"
#include "texts/text_catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace quibel::cli {

/// The summary of a batch is a table separated by ";", one row per case in the order of the
/// case table. Its column names and words are fixed (not translated), so that scripts read
/// summaries in either language; the messages are in the language of the run. Columns:
/// case, row (line in the case table), case_index, case_count (the cases of the whole table,
/// whatever the shard), the case table's other columns as written, then
/// analysis (sliding, rocking, sliding_and_rocking), status (CaseEndName), error_code (the
/// number of a convergence error), message (why the case did not run or ended early),
/// remarks (its warnings and questions, separated by " | "), steps, samples, end_time_s,
/// length_unit, peak_sliding, residual_sliding, peak_rotation_rad, min_sliding_sf,
/// min_overturning_sf, max_abs_energy_error_pct, max_rel_energy_error_pct, the intensity
/// measures of the horizontal base acceleration as run (the keys of `record info` after "h_":
/// h_pga_g, h_t_pga_s, ..., h_tm_s, h_tp_s; empty when that history has no equally spaced
/// samples), run_time_s.
/// Numbers are the shortest text that reads back to the same double; a value that does not
/// apply to the case is empty. Only run_time_s differs between two runs of one table.
inline constexpr char kSummarySeparator = ';';

/// Index of the column "case_index" and name of the column "run_time_s".
inline constexpr std::size_t kCaseIndexColumn = 2;
inline constexpr std::string_view kRunTimeColumn = "run_time_s";

/// The summary's header for a case table with these columns.
std::vector<std::string> SummaryHeader(const std::vector<std::string>& tableColumns);

/// The summary's row of case c of a table of caseCount cases.
std::vector<std::string> SummaryRow(const std::vector<std::string>& tableColumns,
                                    const BatchCase& c, const CaseResult& result, int caseCount,
                                    Language language);

/// The message of a result in language on one line, preceded by the file it is about when it
/// does not name it itself; empty when the result has none.
std::string CaseMessageText(const CaseResult& result, Language language);

/// The status word of an end: completed, stopped, step_failure, checks_failed, input_error,
/// write_failed.
std::string_view CaseEndName(CaseEnd end) noexcept;

} // namespace quibel::cli
