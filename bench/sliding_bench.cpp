// The sliding analysis of the start-up dam (confirmed complete: 398 t block, 28 m reservoir,
// uplift 1330 kN, friction 45°) under a 40-second synthetic horizontal record sampled at
// 0.01 s, at the default time step of 0.0001 s: 400 001 integration steps per run.
#include "engine/run_driver.h"
#include "model/model_flags.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace quibel;

namespace {

// A host that shows nothing: the cost measured is the run's own.
class SilentHost final : public RunHost {
public:
    void showMessage(MessageKind, const Message&) override {}
    QuestionAnswer ask(const RunQuestion&) override { return QuestionAnswer::Continue; }
    void progress(int) override {}
    void status(const RunStatus&) override {}
    bool stopRequested() override { return false; }
};

// Three sines of 1.3, 2.9 and 6.1 Hz under a build-up and decay envelope, peak about 0.55 g:
// strong enough to make the block slide, both ways, many times.
TBlocStatic startupUnderSyntheticRecord() {
    TBlocStatic m = startupModel();
    m.ModelFlags =
        ModelFlag::GeometryComplete | ModelFlag::ReservoirPresent | ModelFlag::HorizontalAccDefined;
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    h.Source = HistorySource::Sampled;
    h.Title = "Synthetic record, 40 s";
    const int n = 4001;
    h.Times.emplace(n);
    h.Values.emplace(n);
    const double pi = 3.141592653589793;
    for (int i = 1; i <= n; ++i) {
        const double t = (i - 1) * 0.01;
        const double envelope = std::min(1.0, t / 5.0) * std::exp(-std::max(0.0, t - 15.0) / 10.0);
        const double a = 0.35 * std::sin(2 * pi * 1.3 * t) + 0.25 * std::sin(2 * pi * 2.9 * t + 1) +
                         0.15 * std::sin(2 * pi * 6.1 * t + 2);
        h.Times->set(i, t);
        h.Values->set(i, envelope * a);
    }
    h.Duration = 40.0;
    return m;
}

void BM_SlidingRun40s(benchmark::State& state) {
    TBlocStatic model = startupUnderSyntheticRecord();
    SilentHost host;
    std::int64_t steps = 0;
    double slide = 0;
    for (auto _ : state) {
        AnalysisRun run(model, host);
        const RunOutcome outcome = run.run();
        steps = outcome.steps;
        slide = model.SlidingDisp->get(model.SlidingDisp->size());
        benchmark::DoNotOptimize(slide);
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["ns_per_step"] =
        benchmark::Counter(static_cast<double>(steps) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["residual_slide_m"] = slide;
}
BENCHMARK(BM_SlidingRun40s)->Unit(benchmark::kMillisecond);

} // namespace
