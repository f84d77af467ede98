// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"

namespace quibel::cli {

/// quibel-cli record info FILE [--component N] [--format NAME] [--dt S] [processing options]
/// quibel-cli record convert FILE -o OUT.txt [the same options]
///
/// Reads a ground-motion record in an agency format (recognised from its content unless
/// --format names one; --dt gives the step of files that state none). "info" prints one JSON
/// object describing component N (0-based, default 0) and its intensity measures; "convert"
/// writes its time/value pairs in g, the text the pairs import reads. Processing options,
/// applied in this order: --detrend 0..3, --taper S, --bandpass ORDER:LOW:HIGH, --trim
/// FROM:TO, --resample DT, --scale-pga G, --scale-sa T:XI:SA.
///
/// Exit codes: 0 success; 1 usage error or options that do not fit the record; 3 the record
/// cannot be read; 4 the output cannot be written.
int runRecordCommand(const Invocation& inv);

} // namespace quibel::cli
