// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quibel::cli {

/// quibel-cli study STUDY.toml [-o DIR] [--jobs N] [--shard I/N] [--dry-run]
///
/// Expands the study (study/study_description.h) into a case table, DIR/cases.csv, and runs
/// its cases with the batch runner; each case's summary row goes to a journal in DIR/journal
/// as it ends, so a run interrupted goes on where it stopped when started again into the same
/// DIR. Once every case is done (without --shard) it writes DIR/summary.csv (the batch
/// summary), fractions.csv, fragility.csv, incremental.csv and study.txt, and prints the
/// latter. --shard I/N runs the I-th interleaved part and writes DIR/summary-I-of-N.csv.
/// --dry-run prints the number of cases and an estimate of the run time, and runs nothing.
/// DIR defaults to the study's name without its extension, beside it.
///
/// Exit codes as the batch's: 0, 1 usage, 2 some case could not run, 3 the study or a record
/// cannot be read or has no meaning (nothing is run), 4 a file cannot be written.
int runStudyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    quibel::Language lang);

} // namespace quibel::cli
