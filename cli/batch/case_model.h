// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/case.h"
#include "cli/batch/inputs.h"
#include "model/project_record.h"

namespace quibel::cli {

/// The model a case runs: its own copy of the base project, with
/// - each replaced base acceleration stored as the time-history dialog stores a loaded file
///   or database record (samples, Source Sampled, Duration, the file name or record title as
///   its title; the project's scale factor, offset and correction stay) and its flag set;
/// - each scale factor multiplied into the history's Scale;
/// - the fields of the case set, and GeometryComplete and ReservoirPresent set again as the
///   geometry dialog's OK sets them when a block field was among them;
/// - ResultsValid cleared, and the debug file off (many runs at once cannot share one
///   "debug.csv"; `quibel-cli run --debug` on the case's project writes it).
/// Throws BatchFileError for a file that cannot be read.
TBlocStatic BuildCaseModel(const BatchCase& c, BatchInputs& inputs);

} // namespace quibel::cli
