// SPDX-License-Identifier: GPL-3.0-or-later
// The input records: each defined history plotted with its peak, its figures, and for the
// base accelerations the intensity measures and the 5 % response spectrum.
#include "chart/chart_widget.h"
#include "documents/report_canvas.h"
#include "documents/report_plots.h"
#include "documents/report_sections.h"
#include "model/unit_tables.h"
#include "signals/decimal_format.h"
#include "signals/effective_signal.h"
#include "signals/history_value.h"
#include "signals/records/intensity_measures.h"
#include "signals/records/record_samples.h"
#include "signals/response_spectrum.h"
#include "signals/spectrum_parameters.h"

#include <cmath>
#include <cstdio>

namespace quibel {

namespace {

constexpr double kSpectrumDamping = 0.05;

std::string fixed(double v, int decimals) {
    return FormatFixed(v, 0, decimals);
}

// Four significant digits, for values of any size.
std::string significant(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g", v);
    return buffer;
}

bool isAcceleration(int k) {
    return k < 2;
}

std::string valueUnit(const ReportContent& c, int k) {
    return isAcceleration(k) ? "g" : std::string(units::forceUnit(c.model.UnitSystem));
}

std::vector<double> values(const TVector& v) {
    return std::vector<double>(v.data(), v.data() + v.size());
}

void addFigures(ReportCanvas& canvas, const ReportContent& c, int k, const TimeHistoryRecord& h,
                const SignalSamples& s) {
    const std::optional<double> dt = EqualStep(s);
    const char* source =
        h.Source == HistorySource::Sampled ? "pdf.records.sampled" : "pdf.records.generated";
    std::vector<ReportRow> rows{
        {reportText(c, "pdf.records.title"), h.Title.empty() ? "-" : h.Title},
        {reportText(c, "pdf.records.source"), reportText(c, source)},
        {reportText(c, "pdf.records.n"), std::to_string(s.size())},
        {reportText(c, "pdf.records.dt"),
         dt ? FormatDecimals(*dt, 0, 6) + " s" : reportText(c, "pdf.records.uneven")},
        {reportText(c, "pdf.records.duration"), FormatDecimals(h.Duration, 0, 6) + " s"},
        {reportText(c, "pdf.records.scale"), FormatDecimals(h.Scale, 0, 6)},
        {reportText(c, "pdf.records.offset"),
         FormatDecimals(EffectiveOffset(h), 0, 6) + " " + valueUnit(c, k)},
    };
    if (!isAcceleration(k))
        rows.push_back({reportText(c, "pdf.records.point"),
                        "X = " + FormatDecimals(h.PosX, 0, 4) +
                            ", Y = " + FormatDecimals(h.PosY, 0, 4) + " " +
                            std::string(units::lengthUnit(c.model.UnitSystem))});
    canvas.table(rows, {0.3, 0.7}, false);
}

void addPlot(ReportCanvas& canvas, const ReportContent& c, int k, const SignalSamples& s) {
    const std::string name = reportText(c, "ui.main.history." + std::to_string(k));
    PlotLine line{values(s.Times), values(s.Values)};
    std::size_t peak = 0;
    for (std::size_t i = 1; i < line.y.size(); ++i)
        if (std::fabs(line.y[i]) > std::fabs(line.y[peak]))
            peak = i;
    ChartWidget chart;
    plotLines(chart, {line},
              {name, reportText(c, "pdf.axis.time"), name + " (" + valueUnit(c, k) + ")"});
    if (!line.y.empty()) {
        markPoint(chart, line.x[peak], line.y[peak], significant(line.y[peak]));
        canvas.chart(chart);
        canvas.paragraph(reportText(
            c, "pdf.records.peak",
            {significant(line.y[peak]) + " " + valueUnit(c, k), fixed(line.x[peak], 3)}));
    }
}

void addMeasures(ReportCanvas& canvas, const ReportContent& c, const std::vector<double>& g,
                 double dt) {
    const IntensityMeasures m = ComputeIntensityMeasures(g, dt);
    const auto row = [&](std::string_view key, double v, const char* unit, double at = -1.0) {
        ReportRow r{reportText(c, key), significant(v) + " " + unit};
        r.push_back(at >= 0.0 ? reportText(c, "pdf.records.at", {fixed(at, 3)}) : "");
        return r;
    };
    canvas.table(
        {
            row("pdf.measure.pga", m.Pga, "g", m.TPga),
            row("pdf.measure.pgv", m.Pgv, "m/s", m.TPgv),
            row("pdf.measure.pgd", m.Pgd, "m", m.TPgd),
            row("pdf.measure.arias", m.Arias, "m/s"),
            row("pdf.measure.cav", m.Cav, "m/s"),
            row("pdf.measure.d5_95", m.D5_95, "s"),
            row("pdf.measure.d5_75", m.D5_75, "s"),
            row("pdf.measure.tm", m.Tm, "s"),
            row("pdf.measure.tp", m.Tp, "s"),
        },
        {0.45, 0.3, 0.25}, false);
}

void addSpectrum(ReportCanvas& canvas, const ReportContent& c, int k, const SignalSamples& s) {
    const std::vector<double> periods = PeriodList(kDefaultPeriodSets);
    const ResponseSpectra spectra =
        ComputeResponseSpectra(s, periods, {kSpectrumDamping}, c.model.UnitSystem, 1);
    const double g = SpectrumGravity(c.model.UnitSystem);
    PlotLine line{periods, {}};
    for (int l = 1; l <= spectra.Periods.size(); ++l)
        line.y.push_back(spectra.Sa.get(l, 1) / g);
    const std::string title = reportText(c, "pdf.records.spectrum",
                                         {reportText(c, "ui.main.history." + std::to_string(k))});
    ChartWidget chart;
    plotLines(chart, {line}, {title, reportText(c, "pdf.axis.period"), "Sa (g)"});
    canvas.chart(chart);
}

} // namespace

void addRecordsSection(ReportCanvas& canvas, const ReportContent& c) {
    canvas.heading(reportText(c, "pdf.records"));
    bool any = false;
    for (int k = 0; k < 4; ++k) {
        const TimeHistoryRecord& h = c.model.Histories[static_cast<std::size_t>(k)];
        const std::optional<SignalSamples> s = EffectiveSignal(h);
        if (!s)
            continue;
        any = true;
        canvas.subheading(reportText(c, "ui.main.history." + std::to_string(k)));
        addFigures(canvas, c, k, h, *s);
        addPlot(canvas, c, k, *s);
        const std::optional<double> dt = EqualStep(*s);
        if (!isAcceleration(k) || !dt || s->size() < 2)
            continue;
        addMeasures(canvas, c, values(s->Values), *dt);
        addSpectrum(canvas, c, k, *s);
    }
    if (!any)
        canvas.paragraph(reportText(c, "pdf.records.none"));
}

} // namespace quibel
