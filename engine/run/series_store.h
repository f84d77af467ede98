// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/block_motion.h"
#include "engine/run/energy_terms.h"
#include "engine/run/safety_factors.h"
#include "model/project_record.h"
#include "model/result_series.h"

#include <cstdint>
#include <vector>

namespace quibel {

/// The result series a run fills, created anew in the record, and the storing of its samples
/// in the record's units.
class SeriesStore final {
public:
    /// Creates the series of filled with samples elements each (all 0). They are made before
    /// the record's old ones go, so that a failed allocation (quibel::Error) leaves the results
    /// of the previous run as they were.
    SeriesStore(TBlocStatic& model, ResultSeriesSet filled, int samples);

    /// Stores the state reached as sample j (0-based) of every filled series.
    void store(std::int64_t j, const BlockMotion& next, const EnergyTerms& energy,
               const SafetyFactors& factors) noexcept;

    /// Shortens every filled series to samples elements (a run that stopped early).
    void truncate(int samples);

private:
    struct Target {
        ResultSeries series;
        double* data;
        double toModelUnits;
    };
    TBlocStatic& mModel;
    std::vector<Target> mTargets;
};

} // namespace quibel
