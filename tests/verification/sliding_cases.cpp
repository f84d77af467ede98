// SPDX-License-Identifier: GPL-3.0-or-later
#include "series_measures.h"
#include "sliding_block_reference.h"
#include "verification_cases.h"
#include "verification_models.h"
#include "verification_tolerances.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quibel::verification {

namespace {

constexpr double kAmplitude = 0.5;   // g
constexpr double kPulsePeriod = 0.5; // s
constexpr double kTail = 2.0;        // s of still ground after the sine, to let the block stop

struct BlockCase {
    double ratio; ///< critical over peak acceleration, mu g / A
    int cycles;
};
const std::vector<BlockCase> kBlockCases = {{0.1, 2}, {0.2, 2}, {0.4, 1}, {0.4, 2},
                                            {0.6, 2}, {0.8, 2}, {1.2, 2}};
const std::vector<double> kSteps = {0.01, 0.005, 0.002, 0.001, 0.0005, 0.0002, 0.0001};

std::string BlockName(const BlockCase& c) {
    return "sliding-block-r" + Fixed(c.ratio, 1) + "-n" + std::to_string(c.cycles);
}

// The dry start-up block on a horizontal plane whose friction angle makes mu g = ratio A.
TBlocStatic SlidingProject(double ratio, int cycles, double dt, int newmark) {
    TBlocStatic m = DryStartupBlock(AnalysisKind::Sliding);
    const double phi = std::atan(ratio * kAmplitude) * 180.0 / std::numbers::pi;
    m.PhiS = phi;
    m.PhiD = phi;
    m.Options.TimeStep = dt;
    m.Options.SaveStep = 0.01;
    m.Options.NewmarkBeta = static_cast<std::uint8_t>(newmark);
    SineHistory(m.history(HistoryKind::HorizontalAcceleration), kAmplitude, kPulsePeriod,
                cycles * kPulsePeriod);
    SilentHistory(m.history(HistoryKind::VerticalAcceleration), cycles * kPulsePeriod + kTail);
    SetDefinedFlags(m);
    return m;
}

struct Comparison {
    std::vector<double> time, program, reference;
    double largest = 0.0; ///< largest |reference|, m
    double worst = 0.0;   ///< largest |program - reference|, m
    double permanentRef = 0.0;
    double permanentProgram = 0.0;
    int episodes = 0;
};

Comparison Compare(const GridColumns& grid, double ratio, int cycles) {
    Comparison c;
    c.time = grid["Time"];
    c.program = grid["Sliding"];
    const double mu = std::tan(std::atan(ratio * kAmplitude) * 180.0 / std::numbers::pi *
                               std::numbers::pi / 180.0);
    SlidingBlockReference ref(kAmplitude * kGravity, kPulsePeriod, cycles, mu, kGravity);
    c.reference = ref.displacements(c.time);
    c.permanentRef = ref.permanentDisplacement();
    c.episodes = ref.episodes();
    c.permanentProgram = c.program.back();
    c.largest = LargestMagnitude(c.reference);
    c.worst = LargestDifference(c.program, c.reference);
    return c;
}

// Differences are judged against the largest displacement, or 1 mm for a block that hardly
// moves.
double Scale(const Comparison& c) {
    return std::max(c.largest, 0.001);
}

} // namespace

CaseRuns SlidingBlockRuns(Scope) {
    CaseRuns runs;
    for (const BlockCase& c : kBlockCases)
        runs.analyses.push_back({BlockName(c), SlidingProject(c.ratio, c.cycles, 0.0001, 0)});
    return runs;
}

CaseReport SlidingBlockReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"sliding-block",
                {"ac / amax", "cycles", "sliding episodes", "permanent closed form (mm)",
                 "permanent program (mm)", "largest displacement, closed form (mm)",
                 "largest difference (mm)", "relative to the largest displacement"},
                {}};
    Plot plot{"sliding-block", "Time (s)", "Sliding displacement (mm)", {}};
    const char* colors[] = {"#c00000", "#e07000", "#008000", "#0050c0", "#7030a0"};
    int curve = 0;
    for (const BlockCase& bc : kBlockCases) {
        const Comparison c = Compare(results.grid(BlockName(bc)), bc.ratio, bc.cycles);
        const std::string name =
            "ratio " + Fixed(bc.ratio, 1) + ", " + std::to_string(bc.cycles) + " cycles";
        report.check(name + ": largest difference", c.worst / Scale(c), kSlidingRelative);
        report.check(name + ": permanent displacement",
                     std::abs(c.permanentProgram - c.permanentRef) / Scale(c), kSlidingRelative);
        table.rows.push_back({Fixed(bc.ratio, 1), std::to_string(bc.cycles),
                              std::to_string(c.episodes), Fixed(c.permanentRef * 1000, 3),
                              Fixed(c.permanentProgram * 1000, 3), Fixed(c.largest * 1000, 3),
                              Fixed(c.worst * 1000, 4), Scientific(c.worst / Scale(c), 2)});
        if (bc.cycles == 2 && bc.ratio < 1.0) {
            const std::string color = colors[curve++ % 5];
            std::vector<double> prog, refTime, ref;
            for (double v : c.program)
                prog.push_back(v * 1000);
            // The closed form every 0.04 s, as markers over the program's line.
            for (std::size_t k = 0; k < c.reference.size(); k += 4) {
                refTime.push_back(c.time[k]);
                ref.push_back(c.reference[k] * 1000);
            }
            plot.series.push_back(
                {"r=" + Fixed(bc.ratio, 1), color, PlotSeries::Style::Line, c.time, prog});
            plot.series.push_back({"", color, PlotSeries::Style::Markers, refTime, ref});
        }
    }
    plot.series.push_back({"closed form", "#000000", PlotSeries::Style::Markers, {}, {}});
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

namespace {

// Two blocks: one that reverses without stopping (ratio 0.4), one that sticks between
// excursions (ratio 0.8).
const std::vector<double> kConvergenceRatios = {0.4, 0.8};
constexpr int kConvergenceCycles = 2;

std::string StepName(double ratio, double dt, int newmark) {
    return "sliding-convergence-r" + Fixed(ratio, 1) + "-dt" + Scientific(dt, 1) + "-nb" +
           std::to_string(newmark);
}

} // namespace

CaseRuns SlidingConvergenceRuns(Scope) {
    CaseRuns runs;
    for (double ratio : kConvergenceRatios)
        for (int newmark = 0; newmark <= 1; ++newmark)
            for (double dt : kSteps)
                runs.analyses.push_back({StepName(ratio, dt, newmark),
                                         SlidingProject(ratio, kConvergenceCycles, dt, newmark)});
    return runs;
}

CaseReport SlidingConvergenceReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"sliding-convergence", {"time step (s)"}, {}};
    for (double ratio : kConvergenceRatios)
        for (const char* variant : {"linear", "average"})
            table.header.push_back("r = " + Fixed(ratio, 1) + ", " + variant + " (mm)");
    Plot plot{"sliding-convergence", "log10 time step (s)", "log10 largest difference (m)", {}};
    const char* colors[] = {"#c00000", "#0050c0"};
    std::vector<std::vector<std::string>> rows(kSteps.size());
    for (std::size_t i = 0; i < kSteps.size(); ++i)
        rows[i].push_back(Fixed(kSteps[i], 4));
    std::vector<std::string> closed = {"permanent, closed form"};
    std::vector<std::string> last = {"permanent, 0.0001 s"};
    for (std::size_t r = 0; r < kConvergenceRatios.size(); ++r) {
        const double ratio = kConvergenceRatios[r];
        for (int newmark = 0; newmark <= 1; ++newmark) {
            std::vector<double> worst, logDt, logError;
            Comparison c;
            for (std::size_t i = 0; i < kSteps.size(); ++i) {
                c = Compare(results.grid(StepName(ratio, kSteps[i], newmark)), ratio,
                            kConvergenceCycles);
                worst.push_back(c.worst);
                rows[i].push_back(Significant(c.worst * 1000, 3));
                logDt.push_back(std::log10(kSteps[i]));
                logError.push_back(std::log10(std::max(c.worst, 1e-12)));
            }
            closed.push_back(Fixed(c.permanentRef * 1000, 3));
            last.push_back(Fixed(c.permanentProgram * 1000, 3));
            const std::string name = "ratio " + Fixed(ratio, 1) + ", " +
                                     (newmark == 0 ? "linear" : "average") + " acceleration";
            report.check(name + ": difference at 0.0001 s", worst.back() / Scale(c),
                         kSlidingRelative);
            // Going from 0.01 s to 0.0001 s must reduce the difference at least tenfold.
            report.check(name + ": difference at 0.0001 s over that at 0.01 s",
                         worst.back() / worst.front(), 0.1);
            plot.series.push_back(
                {"r=" + Fixed(ratio, 1) + (newmark == 0 ? " lin" : " avg"), colors[r],
                 newmark == 0 ? PlotSeries::Style::Line : PlotSeries::Style::Dashed, logDt,
                 logError});
        }
    }
    rows.push_back(last);
    rows.push_back(closed);
    table.rows = std::move(rows);
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

} // namespace quibel::verification
