// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/run_host.h"
#include "cli/batch/runner.h"
#include "model/project_record.h"

namespace quibel::cli {

/// Sets the peaks, the residual sliding, the smallest safety factors and the largest energy
/// errors of r from a run of model made with host. Peaks and factors are taken over every
/// step (a reversal between two samples counts), for the series the analysis stores; the
/// residual sliding is the last sample. The largest energy errors are those of the progress
/// display over the samples whose input energy (the errors' denominator, absolute for the
/// absolute error and relative for the relative one) is at least kNegligibleInputShare of its
/// largest magnitude in the run; a NaN error stays NaN.
void CollectRunFigures(const TBlocStatic& model, const BatchRunHost& host, CaseResult& r);

} // namespace quibel::cli
