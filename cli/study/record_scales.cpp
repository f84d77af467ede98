// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/study/record_scales.h"

#include "cli/batch/case.h"
#include "cli/batch/case_model.h"
#include "cli/study/case_table.h"
#include "numeric/error.h"
#include "signals/effective_signal.h"
#include "signals/records/record_samples.h"
#include "signals/response_spectrum.h"

#include <algorithm>
#include <cmath>

namespace quibel::cli {

namespace {

using study::IntensityKind;

std::optional<double> intensity(const study::IntensityLevels& levels, const SignalSamples& s) {
    const std::optional<double> dt = EqualStep(s);
    if (!dt || s.size() < 2)
        return std::nullopt;
    const double* values = s.Values.data();
    if (levels.kind == IntensityKind::Sa)
        return OscillatorResponsePeaks(values, s.size(), *dt, levels.period, levels.damping)
            .Acceleration;
    double peak = 0.0;
    for (int i = 0; i < s.size(); ++i)
        peak = std::max(peak, std::abs(values[i]));
    return peak;
}

} // namespace

std::optional<std::vector<double>> RecordIntensities(const study::StudyDescription& study,
                                                     BatchInputs& inputs,
                                                     std::optional<RecordProblem>& problem) {
    const BatchTable table = ReadBatchTable(StudyRecordTable(study), {});
    std::vector<double> out;
    for (std::size_t r = 0; r < table.cases.size(); ++r) {
        const study::StudyRecord& record = study.records[r];
        const BatchCase& c = table.cases[r];
        if (c.problem) {
            problem = RecordProblem{record.line, *c.problem, {}};
            return std::nullopt;
        }
        std::optional<double> im;
        try {
            const TBlocStatic model = BuildCaseModel(c, inputs);
            const HistoryKind kind = record.component == study::RecordComponent::Vertical
                                         ? HistoryKind::VerticalAcceleration
                                         : HistoryKind::HorizontalAcceleration;
            if (const std::optional<SignalSamples> s = EffectiveSignal(model.history(kind)))
                im = intensity(study.intensity, *s);
        } catch (const BatchFileError& e) {
            problem = RecordProblem{record.line, e.message(), e.path()};
            return std::nullopt;
        } catch (const Error& e) {
            problem = RecordProblem{record.line, e.message(), {}};
            return std::nullopt;
        }
        if (!im || !(*im > 0.0) || !std::isfinite(*im)) {
            problem = RecordProblem{record.line, Message("study.no_motion"), {}};
            return std::nullopt;
        }
        out.push_back(*im);
    }
    return out;
}

} // namespace quibel::cli
