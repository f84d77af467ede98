// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdof_reference.h"
#include "verification_cases.h"
#include "verification_models.h"
#include "verification_tolerances.h"

#include <algorithm>
#include <cmath>

namespace quibel::verification {

namespace {

constexpr double kTwoPi = 6.283185307179586;
/// g of the spectra in "mm - N - kg": 981 cm/s² = 9810 mm/s².
constexpr double kSpectrumG = 9810.0;

// Ramp: 0 to 0.5 g over 2 s, sampled every 0.01 s.
constexpr double kRampRate = 0.25; // g/s
constexpr double kRampDt = 0.01;
constexpr int kRampSamples = 201;

// Sine: 0.2 g at 0.5 s for 10 s, 100 samples per cycle.
constexpr double kSineAmplitude = 0.2; // g
constexpr double kSinePeriod = 0.5;    // s
constexpr double kSineDt = 0.005;
constexpr int kSineSamples = 2001;

// El Centro 1940, 180: worksheet 2, record 1 of the horizontal database.
constexpr int kRecordSheet = 2;
constexpr int kRecordNumber = 1;
constexpr int kRecordRefinement = 10;
constexpr int kRecordTestSamples = 1500; // the first 15 s in the test suite

const std::vector<double> kTwoDampings = {0.02, 0.05};

bool IsShown(double T, const std::vector<double>& shown) {
    return std::any_of(shown.begin(), shown.end(),
                       [&](double s) { return std::abs(s - T) < 1e-9; });
}

double RelativeTo(double difference, double reference) {
    return reference != 0.0 ? difference / std::abs(reference) : difference;
}

// Checks the three spectra of one curve against references (g units, times G), value by
// value, with tolerance relative * |reference| + print.
void CheckCurve(CaseReport& report, const std::string& name, double xi, const SpectrumCurve& c,
                const std::vector<OscillatorPeaks>& ref, double relative) {
    for (std::size_t l = 0; l < c.periods.size(); ++l) {
        const std::string where =
            name + " T=" + Fixed(c.periods[l], 4) + " xi=" + Fixed(xi, 2) + " ";
        const double d = ref[l].displacement * kSpectrumG;
        const double v = ref[l].velocity * kSpectrumG;
        const double a = ref[l].acceleration * kSpectrumG;
        report.check(where + "Sd", std::abs(c.Sd[l] - d), relative * d + kSpectrumFilePrint);
        report.check(where + "Sv", std::abs(c.Sv[l] - v), relative * v + kSpectrumFilePrint);
        report.check(where + "Sa", std::abs(c.Sa[l] - a), relative * a + kSpectrumFilePrint);
    }
}

// The largest relative difference of the three spectra beyond the rounding of the file
// (half its last digit), which alone can reach 1e-2 for the tiny displacements of the
// shortest periods.
double LargestRelative(const SpectrumCurve& c, const std::vector<OscillatorPeaks>& ref,
                       std::size_t l) {
    const auto beyond = [](double program, double reference) {
        return RelativeTo(std::max(0.0, std::abs(program - reference) - kSpectrumFilePrint),
                          reference);
    };
    return std::max({beyond(c.Sd[l], ref[l].displacement * kSpectrumG),
                     beyond(c.Sv[l], ref[l].velocity * kSpectrumG),
                     beyond(c.Sa[l], ref[l].acceleration * kSpectrumG)});
}

// The last row of a spectrum table: the largest relative difference over every period.
std::vector<std::string> AllPeriodsRow(const SpectrumCurve& c,
                                       const std::vector<OscillatorPeaks>& ref, double xi,
                                       std::size_t columns, double between = -1.0) {
    double worst = 0.0;
    for (std::size_t l = 0; l < c.periods.size(); ++l)
        worst = std::max(worst, LargestRelative(c, ref, l));
    std::vector<std::string> row(columns);
    row[0] = "all " + std::to_string(c.periods.size()) + " periods";
    row[1] = Fixed(xi, 2);
    row[columns - (between >= 0.0 ? 2 : 1)] = Scientific(worst, 2);
    if (between >= 0.0)
        row[columns - 1] = Scientific(between, 2);
    return row;
}

PlotSeries Curve(const std::string& label, const std::string& color, PlotSeries::Style style,
                 const std::vector<double>& x, std::vector<double> y) {
    return {label, color, style, x, std::move(y)};
}

std::vector<double> Scaled(const std::vector<OscillatorPeaks>& ref, double OscillatorPeaks::*field,
                           double factor) {
    std::vector<double> out;
    for (const OscillatorPeaks& p : ref)
        out.push_back(p.*field * factor);
    return out;
}

} // namespace

CaseRuns SpectrumRampRuns(Scope) {
    std::vector<double> ramp;
    for (int k = 0; k < kRampSamples; ++k)
        ramp.push_back(kRampRate * k * kRampDt);
    CaseRuns runs;
    runs.spectra.push_back({"spectra-ramp",
                            SpectrumProject("Ramp 0 to 0.5 g in 2 s", ramp, kRampDt),
                            {{0.05, 0.5, 0.05}, {0.75, 2.0, 0.25}, {2.5, 5.0, 0.5}},
                            {0.02, 0.05, 0.03},
                            kTwoDampings});
    return runs;
}

CaseReport SpectrumRampReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"spectra-ramp",
                {"T (s)", "ξ", "Sd closed form (mm)", "Sd program (mm)", "Sv closed form (mm/s)",
                 "Sv program (mm/s)", "Sa closed form (mm/s²)", "Sa program (mm/s²)",
                 "largest relative difference beyond the file's rounding"},
                {}};
    Plot plot{"spectra-ramp", "Period (s)", "Sd (mm)", {}};
    const std::vector<double> shown = {0.05, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0};
    for (double xi : kTwoDampings) {
        const SpectrumCurve& c = results.spectrum("spectra-ramp", xi);
        std::vector<OscillatorPeaks> ref;
        for (double T : c.periods)
            ref.push_back(RampRecordPeaks(T, xi, kRampRate, kRampSamples, kRampDt));
        CheckCurve(report, "ramp", xi, c, ref, kRampSpectrumRelative);
        for (std::size_t l = 0; l < c.periods.size(); ++l) {
            if (!IsShown(c.periods[l], shown))
                continue;
            table.rows.push_back({Fixed(c.periods[l], 2), Fixed(xi, 2),
                                  Fixed(ref[l].displacement * kSpectrumG, 6), Fixed(c.Sd[l], 6),
                                  Fixed(ref[l].velocity * kSpectrumG, 6), Fixed(c.Sv[l], 6),
                                  Fixed(ref[l].acceleration * kSpectrumG, 6), Fixed(c.Sa[l], 6),
                                  Scientific(LargestRelative(c, ref, l), 2)});
        }
        table.rows.push_back(AllPeriodsRow(c, ref, xi, table.header.size()));
        const std::string tag = "xi=" + Fixed(xi, 2);
        plot.series.push_back(Curve("closed " + tag, xi < 0.03 ? "#c00000" : "#0050c0",
                                    PlotSeries::Style::Line, c.periods,
                                    Scaled(ref, &OscillatorPeaks::displacement, kSpectrumG)));
        plot.series.push_back(Curve("program " + tag, xi < 0.03 ? "#c00000" : "#0050c0",
                                    PlotSeries::Style::Markers, c.periods, c.Sd));
    }
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

CaseRuns SpectrumHarmonicRuns(Scope scope) {
    std::vector<double> sine;
    for (int k = 0; k < kSineSamples; ++k)
        sine.push_back(kSineAmplitude * std::sin(kTwoPi * k * kSineDt / kSinePeriod));
    CaseRuns runs;
    SpectrumRequest request{"spectra-harmonic",
                            SpectrumProject("Sine 0.2 g, 0.5 s, 10 s", sine, kSineDt),
                            {{0.1, 2.0, 0.02}},
                            {0.02, 0.05, 0.03},
                            kTwoDampings};
    if (scope == Scope::Tests)
        request.periods = {{0.25, 1.0, 0.25}, {2.0, 2.0, 1.0}};
    runs.spectra.push_back(std::move(request));
    return runs;
}

CaseReport SpectrumHarmonicReport(const RunResults& results, Scope) {
    CaseReport report;
    Table table{"spectra-harmonic",
                {"T (s)", "ξ", "Sd closed form (mm)", "Sd program (mm)", "Sd / (A/ω²)",
                 "steady-state amplification", "Sa closed form (mm/s²)", "Sa program (mm/s²)",
                 "largest relative difference beyond the file's rounding"},
                {}};
    Plot plot{"spectra-harmonic", "Period (s)", "Sd (mm)", {}};
    const std::vector<double> shown = {0.1, 0.25, 0.4, 0.5, 0.6, 1.0, 2.0};
    const double forcing = kTwoPi / kSinePeriod;
    for (double xi : kTwoDampings) {
        const SpectrumCurve& c = results.spectrum("spectra-harmonic", xi);
        std::vector<OscillatorPeaks> ref;
        for (double T : c.periods)
            ref.push_back(
                HarmonicRecordPeaks(T, xi, kSineAmplitude, forcing, kSineSamples, kSineDt));
        CheckCurve(report, "sine", xi, c, ref, kHarmonicSpectrumRelative);
        for (std::size_t l = 0; l < c.periods.size(); ++l) {
            if (!IsShown(c.periods[l], shown))
                continue;
            const double w = kTwoPi / c.periods[l];
            const double r = forcing / w;
            const double staticSd = kSineAmplitude * kSpectrumG / (w * w);
            const double amplification =
                1.0 / std::sqrt((1 - r * r) * (1 - r * r) + (2 * xi * r) * (2 * xi * r));
            table.rows.push_back({Fixed(c.periods[l], 2), Fixed(xi, 2),
                                  Fixed(ref[l].displacement * kSpectrumG, 4), Fixed(c.Sd[l], 4),
                                  Fixed(c.Sd[l] / staticSd, 3), Fixed(amplification, 3),
                                  Fixed(ref[l].acceleration * kSpectrumG, 3), Fixed(c.Sa[l], 3),
                                  Scientific(LargestRelative(c, ref, l), 2)});
        }
        table.rows.push_back(AllPeriodsRow(c, ref, xi, table.header.size()));
        const std::string tag = "xi=" + Fixed(xi, 2);
        plot.series.push_back(Curve("closed " + tag, xi < 0.03 ? "#c00000" : "#0050c0",
                                    PlotSeries::Style::Line, c.periods,
                                    Scaled(ref, &OscillatorPeaks::displacement, kSpectrumG)));
        plot.series.push_back(Curve("program " + tag, xi < 0.03 ? "#c00000" : "#0050c0",
                                    PlotSeries::Style::Markers, c.periods, c.Sd));
    }
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

namespace {

std::vector<double> RecordValues(Scope scope, std::string* title, double* dt) {
    ShippedRecord r = ReadShippedRecord(kRecordSheet, kRecordNumber);
    if (scope == Scope::Tests && static_cast<int>(r.values.size()) > kRecordTestSamples)
        r.values.resize(kRecordTestSamples);
    if (title)
        *title = r.title;
    if (dt)
        *dt = r.dt;
    return r.values;
}

} // namespace

CaseRuns SpectrumRecordRuns(Scope scope) {
    std::string title;
    double dt = 0.0;
    const std::vector<double> values = RecordValues(scope, &title, &dt);
    CaseRuns runs;
    SpectrumRequest request{
        "spectra-record",
        SpectrumProject(title, values, dt),
        {{0.001, 0.01, 0.0005}, {0.015, 0.1, 0.005}, {0.15, 1.0, 0.05}, {1.25, 5.0, 0.25}},
        {0.02, 0.05, 0.03},
        kTwoDampings};
    if (scope == Scope::Tests) {
        request.periods = {{0.02, 0.1, 0.04}, {0.5, 2.0, 0.5}};
        request.damping = {0.05, 0.05, 0.01};
        request.ratios = {0.05};
    }
    runs.spectra.push_back(std::move(request));
    return runs;
}

CaseReport SpectrumRecordReport(const RunResults& results, Scope scope) {
    double dt = 0.0;
    const std::vector<double> record = RecordValues(scope, nullptr, &dt);
    CaseReport report;
    Table table{"spectra-record",
                {"T (s)", "ξ", "Sa fine-step (mm/s²)", "Sa program (mm/s²)", "Sd fine-step (mm)",
                 "Sd program (mm)", "largest relative difference beyond the file's rounding",
                 "the same against the peaks between instants"},
                {}};
    Plot plot{"spectra-record", "Period (s)", "Sa (mm/s²)", {}};
    const std::vector<double> shown = {0.001, 0.01, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0};
    const std::vector<double> ratios =
        scope == Scope::Tests ? std::vector<double>{0.05} : kTwoDampings;
    for (double xi : ratios) {
        const SpectrumCurve& c = results.spectrum("spectra-record", xi);
        std::vector<OscillatorPeaks> atInstants, everywhere;
        for (double T : c.periods) {
            const FineStepPeaks p = FineStepRecordPeaks(record, dt, T, xi, kRecordRefinement);
            atInstants.push_back(p.atInstants);
            everywhere.push_back(p.everywhere);
        }
        CheckCurve(report, "record", xi, c, atInstants, kRecordSpectrumRelative);
        double worstBetween = 0.0;
        for (std::size_t l = 0; l < c.periods.size(); ++l) {
            const double between = LargestRelative(c, everywhere, l);
            worstBetween = std::max(worstBetween, between);
            if (!IsShown(c.periods[l], shown))
                continue;
            table.rows.push_back(
                {Fixed(c.periods[l], 3), Fixed(xi, 2),
                 Fixed(atInstants[l].acceleration * kSpectrumG, 3), Fixed(c.Sa[l], 3),
                 Fixed(atInstants[l].displacement * kSpectrumG, 6), Fixed(c.Sd[l], 6),
                 Scientific(LargestRelative(c, atInstants, l), 2), Scientific(between, 2)});
        }
        table.rows.push_back(AllPeriodsRow(c, atInstants, xi, table.header.size(), worstBetween));
        report.check("record xi=" + Fixed(xi, 2) + " peaks between instants", worstBetween,
                     kRecordSpectrumBetweenInstants);
        const std::string tag = "xi=" + Fixed(xi, 2);
        plot.series.push_back(
            Curve("fine " + tag, xi < 0.03 ? "#c00000" : "#0050c0", PlotSeries::Style::Line,
                  c.periods, Scaled(atInstants, &OscillatorPeaks::acceleration, kSpectrumG)));
        plot.series.push_back(Curve("program " + tag, xi < 0.03 ? "#c00000" : "#0050c0",
                                    PlotSeries::Style::Markers, c.periods, c.Sa));
    }
    report.tables.push_back(std::move(table));
    report.plots.push_back(std::move(plot));
    return report;
}

} // namespace quibel::verification
