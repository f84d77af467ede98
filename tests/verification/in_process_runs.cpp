// SPDX-License-Identifier: GPL-3.0-or-later
#include "in_process_runs.h"

#include "engine/run/run_driver.h"
#include "engine/run/run_host.h"
#include "reporting/result_grid.h"
#include "signals/effective_signal.h"
#include "signals/response_spectrum.h"

#include <cmath>
#include <stdexcept>

namespace quibel::verification {

RunResults RunInProcess(const CaseRuns& runs) {
    RunResults results;
    for (const AnalysisRequest& a : runs.analyses) {
        TBlocStatic model = a.model;
        SilentRunHost host;
        AnalysisRun run(model, host);
        if (run.run().end == RunEnd::ChecksFailed)
            throw std::runtime_error("the checks refused to run " + a.name);
        GridColumns grid;
        for (const GridColumn& c : ResultGridFor(model, Language::English).columns)
            grid.columns[c.title] = c.values.toVector();
        results.grids[a.name] = std::move(grid);
    }
    for (const SpectrumRequest& s : runs.spectra) {
        const auto signal = EffectiveSignal(s.model.history(HistoryKind::HorizontalAcceleration));
        if (!signal)
            throw std::runtime_error("no signal in " + s.name);
        const std::vector<double> periods = PeriodList(s.periods);
        const std::vector<double> dampings = DampingList(s.damping);
        const ResponseSpectra spectra =
            ComputeResponseSpectra(*signal, periods, dampings, s.model.UnitSystem);
        for (double ratio : s.ratios) {
            int d = 0;
            for (std::size_t i = 0; i < dampings.size(); ++i)
                if (std::abs(dampings[i] - ratio) <= 1e-9)
                    d = static_cast<int>(i) + 1;
            if (d == 0)
                throw std::runtime_error("damping ratio not in the list of " + s.name);
            SpectrumCurve curve;
            for (int l = 1; l <= static_cast<int>(periods.size()); ++l) {
                curve.periods.push_back(spectra.Periods(l));
                curve.Sd.push_back(spectra.Sd.get(l, d));
                curve.Sv.push_back(spectra.Sv.get(l, d));
                curve.Sa.push_back(spectra.Sa.get(l, d));
            }
            results.spectra[{s.name, ratio}] = std::move(curve);
        }
    }
    return results;
}

} // namespace quibel::verification
