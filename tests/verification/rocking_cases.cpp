// SPDX-License-Identifier: GPL-3.0-or-later
#include "rocking_reference.h"
#include "series_measures.h"
#include "verification_cases.h"
#include "verification_models.h"
#include "verification_tolerances.h"

#include <algorithm>
#include <cmath>

namespace quibel::verification {

namespace {

// The slender block of the free-rocking problems: 2 m wide, 8 m high, tan(alpha) = 1/4.
constexpr double kWidth = 2.0;
constexpr double kHeight = 8.0;

double RectangleAlpha() {
    return std::atan(kWidth / kHeight);
}
double RectangleRadius() {
    return std::hypot(kWidth / 2.0, kHeight / 2.0);
}
// I0 = 4/3 M R² about a corner, so p² = M g R / I0 = 3 g / (4 R).
double RectangleP() {
    return std::sqrt(3.0 * kGravity / (4.0 * RectangleRadius()));
}

// Threshold problems: a ramp of 0.2 g/s, sampled every 0.001 s, to 5 % beyond the threshold.
constexpr double kRampRate = 0.2; // g/s
constexpr double kRampSave = 0.001;

struct ThresholdCase {
    const char* name;
    const char* block;
    const char* pivot;
    bool rectangle;
    bool heel; ///< ground accelerating downstream: the block tips upstream about its heel
};
const ThresholdCase kThresholds[] = {
    {"rocking-threshold-rectangle-heel", "rectangle 2 m x 8 m", "heel", true, true},
    {"rocking-threshold-rectangle-toe", "rectangle 2 m x 8 m", "toe", true, false},
    {"rocking-threshold-dam-heel", "start-up dam block", "heel", false, true},
    {"rocking-threshold-dam-toe", "start-up dam block", "toe", false, false},
};

TBlocStatic ThresholdBlock(const ThresholdCase& c) {
    return c.rectangle ? DryRectangle(AnalysisKind::Rocking, kWidth, kHeight, 1.0, 45.0)
                       : DryStartupBlock(AnalysisKind::Rocking);
}

// tan(alpha) of the pivot: the horizontal over the vertical distance from the pivot to the
// centre of mass (horizontal plane).
double TanAlpha(const TBlocStatic& m, bool heel) {
    return (heel ? m.Xc : m.B - m.Xc) / m.Yc;
}

} // namespace

CaseRuns RockingThresholdRuns(Scope) {
    CaseRuns runs;
    for (const ThresholdCase& c : kThresholds) {
        TBlocStatic m = ThresholdBlock(c);
        const double end = 1.05 * TanAlpha(m, c.heel) / kRampRate;
        // A triangle term rises linearly from 0 to its amplitude over a quarter period.
        TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
        h = TimeHistoryRecord{};
        h.Source = HistorySource::Generated;
        h.Title = "Ramp 0.2 g/s";
        h.Terms[0] = {TermShape::Triangle,
                      (c.heel ? 1.0 : -1.0) * kRampRate * end,
                      4.0 * end,
                      0.0,
                      0.0,
                      end,
                      1};
        h.Duration = end;
        m.Options.SaveStep = kRampSave;
        SetDefinedFlags(m);
        runs.analyses.push_back({c.name, m});
    }
    return runs;
}

CaseReport RockingThresholdReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"rocking-threshold",
                {"block", "pivot", "tan α (hand)", "ag / g, last sample at rest",
                 "ag / g, first rotated sample", "difference (g)"},
                {}};
    for (const ThresholdCase& c : kThresholds) {
        const TBlocStatic m = ThresholdBlock(c);
        const GridColumns& g = results.grid(c.name);
        const std::vector<double>& t = g["Time"];
        const int k = FirstNonZero(g["Rotation"]);
        const double tan = TanAlpha(m, c.heel);
        const double first = k >= 0 ? kRampRate * t[static_cast<std::size_t>(k)] : 0.0;
        const double last = k >= 1 ? kRampRate * t[static_cast<std::size_t>(k - 1)] : 0.0;
        const double difference = k >= 0 ? std::abs(first - tan) : 1.0;
        report.check(std::string(c.block) + " " + c.pivot, difference, kRockingThreshold);
        table.rows.push_back({c.block, c.pivot, Fixed(tan, 6), Fixed(last, 4), Fixed(first, 4),
                              Scientific(difference, 2)});
    }
    report.tables.push_back(std::move(table));
    return report;
}

namespace {

// Free rocking: a pulse of 2 tan(alpha) g lasting pulse seconds sets the block rocking; its
// amplitude (a fraction of alpha) is then kept (restitution 1) or lost at each impact.
struct PulseCase {
    double target; ///< amplitude sought, fraction of alpha (the measured one is compared)
    double pulse;  ///< s
};
const std::vector<PulseCase> kPulses = {{0.05, 0.166}, {0.1, 0.231}, {0.2, 0.317}, {0.3, 0.375},
                                        {0.4, 0.419},  {0.5, 0.453}, {0.6, 0.478}, {0.7, 0.497},
                                        {0.8, 0.51},   {0.9, 0.518}};
constexpr int kHalfPeriods = 4;
constexpr double kRockingSave = 0.001;

std::string PeriodName(double target) {
    return "rocking-period-a" + Fixed(target, 2);
}

TBlocStatic PulsedRectangle(AnalysisKind kind, double e, double phi, double pulse,
                            double duration) {
    TBlocStatic m = DryRectangle(kind, kWidth, kHeight, e, phi);
    ConstantHistory(m.history(HistoryKind::HorizontalAcceleration), 2.0 * kWidth / kHeight, pulse);
    SilentHistory(m.history(HistoryKind::VerticalAcceleration), duration);
    m.Options.SaveStep = kRockingSave;
    SetDefinedFlags(m);
    return m;
}

RockingExcursions Measure(const GridColumns& g, double pulse) {
    return MeasureExcursions(g["Time"], g["Rotation"], pulse);
}

} // namespace

CaseRuns RockingPeriodRuns(Scope scope) {
    const FreeRockingReference ref(RectangleAlpha(), RectangleP());
    CaseRuns runs;
    for (const PulseCase& c : kPulses) {
        if (scope == Scope::Tests && c.target != 0.1 && c.target != 0.5 && c.target != 0.8)
            continue;
        const double quarter = ref.quarterPeriod(c.target * RectangleAlpha());
        // The first excursion lasts the pulse and about two quarter periods; then each
        // half-period two; and one more for the last impact to be seen.
        const double duration = c.pulse + (2.0 * kHalfPeriods + 3.0) * quarter;
        runs.analyses.push_back({PeriodName(c.target), PulsedRectangle(AnalysisKind::Rocking, 1.0,
                                                                       45.0, c.pulse, duration)});
    }
    return runs;
}

CaseReport RockingPeriodReport(const RunResults& results, Scope scope) {
    const double alpha = RectangleAlpha();
    const FreeRockingReference ref(alpha, RectangleP());
    CaseReport report;
    Table table{"rocking-period",
                {"θ0 / α (measured)", "half-period, exact (s)", "half-period, program (s)",
                 "relative difference", "Housner, slender block (s)"},
                {}};
    Plot plot{"rocking-period", "Amplitude / alpha", "Time between impacts (s)", {}};
    PlotSeries exact{"exact", "#0050c0", PlotSeries::Style::Line, {}, {}};
    PlotSeries housner{"Housner", "#808080", PlotSeries::Style::Dashed, {}, {}};
    for (int i = 1; i <= 95; ++i) {
        const double a = i / 100.0;
        exact.x.push_back(a);
        exact.y.push_back(2.0 * ref.quarterPeriod(a * alpha));
        housner.x.push_back(a);
        housner.y.push_back(2.0 * ref.housnerQuarterPeriod(a * alpha));
    }
    PlotSeries program{"program", "#c00000", PlotSeries::Style::Markers, {}, {}};
    for (const PulseCase& c : kPulses) {
        if (scope == Scope::Tests && c.target != 0.1 && c.target != 0.5 && c.target != 0.8)
            continue;
        const RockingExcursions e = Measure(results.grid(PeriodName(c.target)), c.pulse);
        const std::string name = "amplitude " + Fixed(c.target, 2) + " alpha";
        if (e.impacts.size() < kHalfPeriods + 1) {
            report.check(name + ": impacts found", 1.0, 0.0);
            continue;
        }
        double worst = 0.0, sumProgram = 0.0, sumExact = 0.0, sumAmplitude = 0.0;
        for (int i = 1; i <= kHalfPeriods; ++i) {
            const double measured = e.impacts[i] - e.impacts[i - 1];
            const double expected = 2.0 * ref.quarterPeriod(e.amplitudes[i]);
            worst = std::max(worst, std::abs(measured - expected) / expected);
            sumProgram += measured;
            sumExact += expected;
            sumAmplitude += e.amplitudes[i];
        }
        report.check(name + ": time between impacts", worst, kRockingHalfPeriodRelative);
        const double amplitude = sumAmplitude / kHalfPeriods;
        table.rows.push_back({Fixed(amplitude / alpha, 4), Fixed(sumExact / kHalfPeriods, 6),
                              Fixed(sumProgram / kHalfPeriods, 6), Scientific(worst, 2),
                              Fixed(2.0 * ref.housnerQuarterPeriod(amplitude), 6)});
        program.x.push_back(amplitude / alpha);
        program.y.push_back(sumProgram / kHalfPeriods);
    }
    plot.series = {exact, housner, program};
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

namespace {

constexpr double kDecayPulse = 0.478; // s: about 0.6 alpha
struct DecayCase {
    const char* name;
    double e; ///< 0: Housner's value for the block
    int impacts;
};
const DecayCase kDecays[] = {{"rocking-decay-housner", 0.0, 8}, {"rocking-decay-0.7", 0.7, 5}};

double Restitution(const DecayCase& c) {
    return c.e > 0.0 ? c.e : HousnerRestitution(RectangleAlpha());
}

// Run length: the pulse and the first excursion (about two quarter periods), then the
// excursions the reference expects, and one quarter period more.
double DecayDuration(const DecayCase& c) {
    const FreeRockingReference ref(RectangleAlpha(), RectangleP());
    double amplitude = 0.6 * RectangleAlpha();
    double duration = kDecayPulse + 2.0 * ref.quarterPeriod(amplitude);
    for (int i = 0; i < c.impacts; ++i) {
        amplitude = ref.amplitudeAfterImpact(amplitude, Restitution(c));
        duration += 2.0 * ref.quarterPeriod(amplitude);
    }
    return duration + ref.quarterPeriod(amplitude);
}

} // namespace

CaseRuns RockingDecayRuns(Scope) {
    CaseRuns runs;
    for (const DecayCase& c : kDecays)
        runs.analyses.push_back({c.name, PulsedRectangle(AnalysisKind::Rocking, Restitution(c),
                                                         45.0, kDecayPulse, DecayDuration(c))});
    return runs;
}

CaseReport RockingDecayReport(const RunResults& results, Scope) {
    const double alpha = RectangleAlpha();
    const FreeRockingReference ref(alpha, RectangleP());
    CaseReport report;
    Table table{"rocking-decay",
                {"e", "impact", "amplitude before (rad)", "amplitude after, energy rule (rad)",
                 "amplitude after, program (rad)", "relative difference"},
                {}};
    Plot plot{"rocking-decay", "Time (s)", "Rotation (rad)", {}};
    const char* colors[] = {"#0050c0", "#c00000"};
    int curve = 0;
    for (const DecayCase& c : kDecays) {
        const double e = Restitution(c);
        const GridColumns& g = results.grid(c.name);
        const RockingExcursions x = Measure(g, kDecayPulse);
        PlotSeries expected{"", colors[curve], PlotSeries::Style::Markers, {}, {}};
        double chained = x.amplitudes.empty() ? 0.0 : x.amplitudes[0];
        for (int i = 1; i <= c.impacts; ++i) {
            const std::string name = "e=" + Fixed(e, 4) + " impact " + std::to_string(i);
            if (static_cast<int>(x.amplitudes.size()) <= i) {
                report.check(name + ": found", 1.0, 0.0);
                break;
            }
            const double before = x.amplitudes[i - 1];
            const double predicted = ref.amplitudeAfterImpact(before, e);
            const double measured = x.amplitudes[i];
            const double difference = std::abs(measured - predicted) / predicted;
            report.check(name, difference, kRockingAmplitudeRelative);
            table.rows.push_back({Fixed(e, 4), std::to_string(i), Fixed(before, 6),
                                  Fixed(predicted, 6), Fixed(measured, 6),
                                  Scientific(difference, 2)});
            // The envelope predicted from the first amplitude alone, at the program's peaks.
            chained = ref.amplitudeAfterImpact(chained, e);
            const double mid = 0.5 * (x.impacts[i - 1] + x.impacts[i]);
            expected.x.push_back(mid);
            expected.y.push_back(i % 2 == 1 ? -chained : chained);
        }
        plot.series.push_back(
            {"e=" + Fixed(e, 3), colors[curve], PlotSeries::Style::Line, g["Time"], g["Rotation"]});
        plot.series.push_back(expected);
        ++curve;
    }
    plot.series.push_back({"energy rule", "#000000", PlotSeries::Style::Markers, {}, {}});
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

} // namespace quibel::verification
