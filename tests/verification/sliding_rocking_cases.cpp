// SPDX-License-Identifier: GPL-3.0-or-later
#include "rocking_reference.h"
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

// Reduction to sliding: a squat rectangle (tan alpha = 2) under 2 cycles of 0.5 g at 0.5 s,
// with mu g = 0.4 of the peak: it slides and can never tip.
constexpr double kSquatWidth = 10.0, kSquatHeight = 5.0;
constexpr double kSineAmplitude = 0.5, kSinePeriod = 0.5;
constexpr int kSineCycles = 2;
constexpr double kRatio = 0.4;

// Reduction to rocking: the slender 2 m x 8 m rectangle with a friction angle of 80 degrees
// (mu = 5.7), set rocking by a pulse of 0.5 g lasting 0.478 s, Housner's restitution.
constexpr double kSlenderWidth = 2.0, kSlenderHeight = 8.0;
constexpr double kPulse = 0.478;
constexpr double kPulseDuration = 12.0;
constexpr std::size_t kReductionImpacts = 8; // seen within kPulseDuration

// Energy balance: the dry start-up block under San Fernando 1971, Pacoima Dam upper left
// abutment, 164 (worksheet 1, record 1 of the horizontal database).
constexpr int kRecordSheet = 1, kRecordNumber = 1;
constexpr int kRecordTestSamples = 1000; // the first 10 s in the test suite
constexpr double kEnergyScale = 1.5;     // of the record: peak 1.83 g
constexpr double kEnergyFriction = 42.0; // degrees: the block both slides and rocks

TBlocStatic SquatBlock(AnalysisKind kind) {
    const double phi = std::atan(kRatio * kSineAmplitude) * 180.0 / std::numbers::pi;
    TBlocStatic m = DryRectangle(kind, kSquatWidth, kSquatHeight, 1.0, phi);
    SineHistory(m.history(HistoryKind::HorizontalAcceleration), kSineAmplitude, kSinePeriod,
                kSineCycles * kSinePeriod);
    SilentHistory(m.history(HistoryKind::VerticalAcceleration), kSineCycles * kSinePeriod + 2.0);
    m.Options.SaveStep = 0.01;
    m.Options.Translational = 1;
    SetDefinedFlags(m);
    return m;
}

TBlocStatic SlenderBlock(AnalysisKind kind) {
    const double e = HousnerRestitution(std::atan(kSlenderWidth / kSlenderHeight));
    TBlocStatic m = DryRectangle(kind, kSlenderWidth, kSlenderHeight, e, 80.0);
    ConstantHistory(m.history(HistoryKind::HorizontalAcceleration),
                    2.0 * kSlenderWidth / kSlenderHeight, kPulse);
    SilentHistory(m.history(HistoryKind::VerticalAcceleration), kPulseDuration);
    m.Options.SaveStep = 0.001;
    m.Options.Translational = 1;
    SetDefinedFlags(m);
    return m;
}

std::vector<double> Times1000(const std::vector<double>& v) {
    std::vector<double> out;
    for (double x : v)
        out.push_back(1000.0 * x);
    return out;
}

} // namespace

CaseRuns ReductionRuns(Scope) {
    CaseRuns runs;
    runs.analyses.push_back(
        {"sr-reduction-sliding-sr", SquatBlock(AnalysisKind::SlidingAndRocking)});
    runs.analyses.push_back({"sr-reduction-sliding-s", SquatBlock(AnalysisKind::Sliding)});
    runs.analyses.push_back(
        {"sr-reduction-rocking-sr", SlenderBlock(AnalysisKind::SlidingAndRocking)});
    runs.analyses.push_back({"sr-reduction-rocking-r", SlenderBlock(AnalysisKind::Rocking)});
    return runs;
}

CaseReport ReductionReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"sliding-rocking-reductions",
                {"problem", "compared with", "largest value", "largest difference",
                 "relative difference", "largest value of the other motion"},
                {}};

    // To sliding.
    const GridColumns& sr = results.grid("sr-reduction-sliding-sr");
    const GridColumns& s = results.grid("sr-reduction-sliding-s");
    const std::vector<double>& t = sr["Time"];
    const std::vector<double>& u = sr["Sliding displacement"];
    const double mu = std::tan(std::atan(kRatio * kSineAmplitude) * 180.0 / std::numbers::pi *
                               std::numbers::pi / 180.0);
    SlidingBlockReference closed(kSineAmplitude * kGravity, kSinePeriod, kSineCycles, mu, kGravity);
    const std::vector<double> uClosed = closed.displacements(t);
    const double largest = LargestMagnitude(s["Sliding"]);
    const double vsSliding = LargestDifference(u, s["Sliding"]);
    const double vsClosed = LargestDifference(u, uClosed);
    const double rotation = LargestMagnitude(sr["Rotation"]);
    report.check("reduced to sliding: against the sliding analysis", vsSliding / largest,
                 kReductionSlidingRelative);
    report.check("reduced to sliding: against the rigid-plastic block", vsClosed / largest,
                 kSlidingRelative);
    report.check("reduced to sliding: no rotation", rotation, 0.0);
    table.rows.push_back({"squat block, sliding displacement", "sliding analysis",
                          Fixed(largest * 1000, 3) + " mm", Fixed(vsSliding * 1000, 4) + " mm",
                          Scientific(vsSliding / largest, 2), Scientific(rotation, 2) + " rad"});
    table.rows.push_back({"squat block, sliding displacement", "rigid-plastic block",
                          Fixed(LargestMagnitude(uClosed) * 1000, 3) + " mm",
                          Fixed(vsClosed * 1000, 4) + " mm", Scientific(vsClosed / largest, 2),
                          ""});
    Plot slidingPlot{
        "sliding-rocking-reduction-sliding", "Time (s)", "Sliding displacement (mm)", {}};
    slidingPlot.series.push_back(
        {"sliding+rocking", "#c00000", PlotSeries::Style::Line, t, Times1000(u)});
    slidingPlot.series.push_back(
        {"sliding", "#0050c0", PlotSeries::Style::Dashed, s["Time"], Times1000(s["Sliding"])});
    slidingPlot.series.push_back(
        {"closed form", "#000000", PlotSeries::Style::Markers, t, Times1000(uClosed)});
    report.plots.push_back(std::move(slidingPlot));

    // To rocking.
    const GridColumns& rr = results.grid("sr-reduction-rocking-sr");
    const GridColumns& r = results.grid("sr-reduction-rocking-r");
    const double largestTheta = LargestMagnitude(r["Rotation"]);
    const double vsRocking = LargestDifference(rr["Rotation"], r["Rotation"]);
    const double sliding = LargestMagnitude(rr["Sliding displacement"]);
    report.check("reduced to rocking: against the rocking analysis", vsRocking / largestTheta,
                 kReductionRockingRelative);
    report.check("reduced to rocking: no sliding", sliding, 0.0);
    // The sliding-and-rocking block against the exact free rocking: after the pulse, the time
    // between impacts and the amplitude lost at each impact.
    const double alpha = std::atan(kSlenderWidth / kSlenderHeight);
    const double e = HousnerRestitution(alpha);
    const FreeRockingReference free(
        alpha, std::sqrt(3.0 * kGravity / (4.0 * std::hypot(kSlenderWidth, kSlenderHeight) / 2.0)));
    const RockingExcursions x = MeasureExcursions(rr["Time"], rr["Rotation"], kPulse);
    double worstPeriod = 0.0, worstAmplitude = 0.0;
    for (std::size_t i = 1; i < x.impacts.size(); ++i) {
        const double expected = 2.0 * free.quarterPeriod(x.amplitudes[i]);
        worstPeriod =
            std::max(worstPeriod, std::abs(x.impacts[i] - x.impacts[i - 1] - expected) / expected);
        const double after = free.amplitudeAfterImpact(x.amplitudes[i - 1], e);
        worstAmplitude = std::max(worstAmplitude, std::abs(x.amplitudes[i] - after) / after);
    }
    if (x.impacts.size() < kReductionImpacts + 1)
        report.check("reduced to rocking: impacts found", 1.0, 0.0);
    report.check("reduced to rocking: time between impacts", worstPeriod,
                 kRockingHalfPeriodRelative);
    report.check("reduced to rocking: amplitude after impacts", worstAmplitude,
                 kRockingAmplitudeRelative);
    table.rows.push_back({"slender block, rotation", "rocking analysis",
                          Scientific(largestTheta, 4) + " rad", Scientific(vsRocking, 2) + " rad",
                          Scientific(vsRocking / largestTheta, 2), Scientific(sliding, 2) + " m"});
    table.rows.push_back({"slender block, time between impacts", "exact free rocking", "", "",
                          Scientific(worstPeriod, 2), ""});
    table.rows.push_back({"slender block, amplitude after impacts",
                          "energy rule, e = " + Fixed(e, 4), "", "", Scientific(worstAmplitude, 2),
                          ""});
    Plot rockingPlot{"sliding-rocking-reduction-rocking", "Time (s)", "Rotation (rad)", {}};
    rockingPlot.series.push_back(
        {"sliding+rocking", "#c00000", PlotSeries::Style::Line, rr["Time"], rr["Rotation"]});
    rockingPlot.series.push_back(
        {"rocking", "#0050c0", PlotSeries::Style::Dashed, r["Time"], r["Rotation"]});
    report.plots.push_back(std::move(rockingPlot));

    report.tables.push_back(std::move(table));
    return report;
}

namespace {

TBlocStatic EnergyProject(AnalysisKind kind, Scope scope) {
    ShippedRecord record = ReadShippedRecord(kRecordSheet, kRecordNumber);
    if (scope == Scope::Tests && static_cast<int>(record.values.size()) > kRecordTestSamples)
        record.values.resize(kRecordTestSamples);
    TBlocStatic m = DryStartupBlock(kind);
    m.PhiS = kEnergyFriction;
    m.PhiD = kEnergyFriction;
    SampledHistory(m.history(HistoryKind::HorizontalAcceleration), record.title, record.values,
                   record.dt);
    m.history(HistoryKind::HorizontalAcceleration).Scale = kEnergyScale;
    m.Options.SaveStep = 0.01;
    m.Options.Translational = 1;
    SetDefinedFlags(m);
    return m;
}

struct Balance {
    std::vector<double> error; ///< Ia + W - Ka - D - F - P (absolute) per sample
    std::vector<double> relativeError;
    double largestInput = 0.0;
    double largestError = 0.0;
    double largestRelativeError = 0.0;
    double largestRelativeInput = 0.0;
};

Balance BalanceOf(const std::vector<double>& Ia, const std::vector<double>& Ir,
                  const std::vector<double>& W, const std::vector<double>& Ka,
                  const std::vector<double>& Kr, const std::vector<double>& D,
                  const std::vector<double>& F, const std::vector<double>& P) {
    Balance b;
    for (std::size_t k = 0; k < Ia.size(); ++k) {
        const double d = D.empty() ? 0.0 : D[k];
        const double f = F.empty() ? 0.0 : F[k];
        b.error.push_back(Ia[k] + W[k] - Ka[k] - d - f - P[k]);
        b.relativeError.push_back(Ir[k] + W[k] - Kr[k] - d - f - P[k]);
    }
    b.largestInput = LargestMagnitude(Ia);
    b.largestRelativeInput = LargestMagnitude(Ir);
    b.largestError = LargestMagnitude(b.error);
    b.largestRelativeError = LargestMagnitude(b.relativeError);
    return b;
}

} // namespace

CaseRuns EnergyBalanceRuns(Scope scope) {
    CaseRuns runs;
    runs.analyses.push_back(
        {"sr-energy-sr", EnergyProject(AnalysisKind::SlidingAndRocking, scope)});
    runs.analyses.push_back({"sr-energy-s", EnergyProject(AnalysisKind::Sliding, scope)});
    runs.analyses.push_back({"sr-energy-r", EnergyProject(AnalysisKind::Rocking, scope)});
    return runs;
}

CaseReport EnergyBalanceReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"sliding-rocking-energy",
                {"analysis", "largest sliding (m)", "largest rotation (rad)",
                 "largest absolute input (kN·m)", "largest absolute balance error (kN·m)",
                 "relative to the input", "largest relative input (kN·m)",
                 "largest relative balance error (kN·m)", "relative to the input"},
                {}};
    const std::vector<double> none;
    struct Row {
        const char* run;
        const char* label;
        Balance balance;
        double sliding, rotation;
    };
    const GridColumns& sr = results.grid("sr-energy-sr");
    const GridColumns& s = results.grid("sr-energy-s");
    const GridColumns& r = results.grid("sr-energy-r");
    std::vector<Row> rows = {
        {"sr-energy-sr", "sliding and rocking",
         BalanceOf(sr["Absolute input energy"], sr["Relative input energy"],
                   sr["Work done by pre-seismic forces"], sr["Absolute kinetic energy"],
                   sr["Relative kinetic energy"], sr["Energy dissipated by impact"],
                   sr["Energy dissipated by friction"], sr["Potential energy"]),
         LargestMagnitude(sr["Sliding displacement"]), LargestMagnitude(sr["Rotation"])},
        {"sr-energy-s", "sliding",
         BalanceOf(s["Absolute input energy"], s["Relative input energy"],
                   s["Work done by pre-seismic forces"], s["Absolute kinetic energy"],
                   s["Relative kinetic energy"], none, s["Energy dissipated by friction"],
                   s["Potential energy"]),
         LargestMagnitude(s["Sliding"]), 0.0},
        {"sr-energy-r", "rocking",
         BalanceOf(r["Absolute input energy"], r["Relative input energy"],
                   r["Work done by pre-seismic forces"], r["Absolute kinetic energy"],
                   r["Relative kinetic energy"], r["Energy dissipated by impact"], none,
                   r["Potential energy"]),
         0.0, LargestMagnitude(r["Rotation"])},
    };
    for (const Row& row : rows) {
        const Balance& b = row.balance;
        const double absolute = b.largestInput > 0 ? b.largestError / b.largestInput : 0.0;
        const double relative =
            b.largestRelativeInput > 0 ? b.largestRelativeError / b.largestRelativeInput : 0.0;
        report.check(std::string(row.label) + ": absolute energy balance", absolute,
                     kEnergyBalanceRelative);
        report.check(std::string(row.label) + ": relative energy balance", relative,
                     kEnergyBalanceRelative);
        table.rows.push_back({row.label, Fixed(row.sliding, 4), Fixed(row.rotation, 5),
                              Fixed(b.largestInput, 1), Fixed(b.largestError, 2),
                              Scientific(absolute, 2), Fixed(b.largestRelativeInput, 1),
                              Fixed(b.largestRelativeError, 2), Scientific(relative, 2)});
    }
    const std::vector<double>& t = sr["Time"];
    Plot plot{"sliding-rocking-energy", "Time (s)", "Energy relative to the base (kN·m)", {}};
    plot.series.push_back(
        {"input Ir", "#000000", PlotSeries::Style::Line, t, sr["Relative input energy"]});
    plot.series.push_back(
        {"kinetic Kr", "#0050c0", PlotSeries::Style::Line, t, sr["Relative kinetic energy"]});
    plot.series.push_back(
        {"friction F", "#e07000", PlotSeries::Style::Line, t, sr["Energy dissipated by friction"]});
    plot.series.push_back(
        {"impact D", "#008000", PlotSeries::Style::Line, t, sr["Energy dissipated by impact"]});
    plot.series.push_back(
        {"potential P", "#7030a0", PlotSeries::Style::Line, t, sr["Potential energy"]});
    plot.series.push_back(
        {"balance error", "#c00000", PlotSeries::Style::Dashed, t, rows[0].balance.relativeError});
    report.plots.push_back(std::move(plot));
    report.tables.push_back(std::move(table));
    return report;
}

} // namespace quibel::verification
