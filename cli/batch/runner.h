// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/batch/case.h"
#include "cli/batch/inputs.h"
#include "engine/run/run_host.h"
#include "model/enums.h"
#include "reporting/result_grid.h"
#include "signals/records/intensity_measures.h"
#include "texts/text_catalogue.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace quibel::cli {

class BatchReports;

/// How a case of a batch ended.
enum class CaseEnd {
    Completed,    ///< every step was made
    Stopped,      ///< a question was answered with stop (--on-question stop)
    StepFailure,  ///< a step could not go on (convergence problem): the run ended early
    ChecksFailed, ///< the run's checks refused to start it
    InputError,   ///< the row, or a file it names, could not be read
    WriteFailed,  ///< the run was made but its files in the results folder could not be written
};

/// What a case gives the summary. Lengths are in the length unit of its project.
struct CaseResult final {
    CaseEnd end = CaseEnd::InputError;
    Message message;  ///< why it did not run or ended early (empty key otherwise)
    std::string file; ///< the file that message is about, when it is a file's
    /// The run's warnings and questions, each once, but for the one in message.
    std::vector<Message> remarks;
    AnalysisKind kind = AnalysisKind::Sliding;
    UnitSystem units = UnitSystem::MKnTon;
    bool ran = false;       ///< the run passed its checks: the values below are set
    std::int64_t steps = 0; ///< integration steps made
    int samples = 0;        ///< output samples stored, the block at rest at time 0 included
    double endTime = 0.0;   ///< time of the last sample, s
    /// Largest |sliding displacement| over every step and the last SlidingDisp (length);
    /// analyses that slide.
    std::optional<double> peakSliding, residualSliding;
    /// Largest |rotation| over every step, rad; analyses that rock.
    std::optional<double> peakRotation;
    /// Smallest sliding and overturning safety factors over every step (time 0, the block at
    /// rest before the first step, holds no factor); the analyses that compute them, with at
    /// least one step.
    std::optional<double> minSlidingSF, minOverturningSF;
    /// Largest energy errors of the progress display over the samples whose input energy is
    /// not negligible (see CollectRunFigures), %.
    double maxAbsoluteEnergyError = 0.0, maxRelativeEnergyError = 0.0;
    double seconds = 0.0; ///< wall time of the run itself, s
    /// Intensity measures of the horizontal base acceleration as run (scale and offset
    /// applied); set once the case's model is built, when that history has equally spaced
    /// samples.
    std::optional<IntensityMeasures> horizontalMeasures;
};

/// The settings shared by every case of a batch.
struct BatchSettings final {
    int jobs = 1; ///< threads that run cases
    QuestionAnswer policy = QuestionAnswer::Continue;
    Language language = Language::English;
    /// When set, each case that runs leaves there <name>.qbl, its project as run (readable by
    /// `quibel-cli run`), and, when its checks passed, <name>.csv, its result grid exactly as
    /// `quibel-cli run -o` writes it.
    std::optional<std::filesystem::path> resultsDir;
    GridPrecision precision = GridPrecision::Grid;
    /// When set, every case whose model was built hands it over after its run, with what the
    /// run said, for its analysis report.
    BatchReports* reports = nullptr;
};

/// Runs one case on its own copy of the model. Never throws: every failure is in the result.
CaseResult RunBatchCase(const BatchCase& c, BatchInputs& inputs, const BatchSettings& settings);

/// Runs cases on settings.jobs threads (at most one per case; the calling thread itself when
/// it is 1), each case on its own model, and returns their results in the order of cases.
/// finished is called once per case as it ends, one call at a time, with the case's position
/// in cases.
std::vector<CaseResult>
RunBatchCases(const std::vector<const BatchCase*>& cases, BatchInputs& inputs,
              const BatchSettings& settings,
              const std::function<void(std::size_t, const CaseResult&)>& finished = {});

} // namespace quibel::cli
