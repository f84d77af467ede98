// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/model_flags.h"
#include "model/project_record.h"
#include "model/result_series.h"

#include <functional>

namespace quibel::test {

/// A block whose results are set by hand, as a run of kind would leave them: n samples of
/// every series the kind fills, 0 unless value(series, sample) says otherwise.
inline TBlocStatic resultModel(AnalysisKind kind, int n,
                               const std::function<double(ResultSeries, int)>& value = {}) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = kind;
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::ResultsValid, true);
    for (int s = 0; s < kResultSeriesCount; ++s) {
        const auto series = static_cast<ResultSeries>(s);
        const bool sliding =
            series == ResultSeries::SlidingDisp || series == ResultSeries::SlidingVel ||
            series == ResultSeries::SlidingAcc || series == ResultSeries::SlidingSF ||
            series == ResultSeries::FrictionEnergy;
        const bool rocking =
            series == ResultSeries::Rotation || series == ResultSeries::RotationVel ||
            series == ResultSeries::RotationAcc || series == ResultSeries::OverturningSF ||
            series == ResultSeries::ResultantPosition || series == ResultSeries::ImpactEnergy;
        if ((sliding && kind == AnalysisKind::Rocking) ||
            (rocking && kind == AnalysisKind::Sliding))
            continue;
        TVector v(n);
        if (value)
            for (int k = 1; k <= n; ++k)
                v.set(k, value(series, k));
        seriesSlot(m, series) = std::move(v);
    }
    return m;
}

} // namespace quibel::test
