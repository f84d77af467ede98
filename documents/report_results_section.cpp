// SPDX-License-Identifier: GPL-3.0-or-later
// The results: the key figures and the plots of the analysis's main series on one time axis.
#include "chart/chart_widget.h"
#include "documents/report_canvas.h"
#include "documents/report_key_figures.h"
#include "documents/report_plots.h"
#include "documents/report_sections.h"

namespace quibel {

namespace {

std::string withUnit(const GridColumn& c) {
    return c.unit.empty() ? c.title : c.title + " " + c.unit;
}

void addKeyFigures(ReportCanvas& canvas, const ReportContent& c) {
    std::vector<ReportRow> rows{
        {reportText(c, "pdf.results.quantity"), reportText(c, "pdf.results.value"),
         reportText(c, "pdf.results.unit"), reportText(c, "pdf.results.time")}};
    for (const KeyFigure& f : ReportKeyFigures(c.model, c.language))
        rows.push_back({f.quantity, f.value, f.unit, f.time});
    canvas.table(rows, {0.46, 0.28, 0.14, 0.12}, true);
}

void plotSeries(ReportCanvas& canvas, const ReportContent& c, const ResultGrid& grid,
                ResultSeries s) {
    const GridColumn* column = GridColumnOf(grid, c.model.AnalysisKind, s);
    if (column == nullptr)
        return;
    ChartWidget chart;
    plotLines(chart, {{grid.columns.front().values.toVector(), column->values.toVector()}},
              {column->title, reportText(c, "pdf.axis.time"), withUnit(*column)});
    canvas.chart(chart);
}

// Every energy term of the grid on one plot, with the colour of each in a table below.
void plotEnergies(ReportCanvas& canvas, const ReportContent& c, const ResultGrid& grid) {
    std::vector<PlotLine> lines;
    std::vector<ReportRow> legend;
    std::string unit;
    for (const SeriesColumn& s : analysisColumns(c.model.AnalysisKind).columns) {
        const GridColumn* column = GridColumnOf(grid, c.model.AnalysisKind, s.series);
        if (column == nullptr || seriesRow(s.series).dimension != SeriesDimension::Energy)
            continue;
        const std::size_t n = lines.size() % std::size(kPlotColours);
        lines.push_back(
            {grid.columns.front().values.toVector(), column->values.toVector(), kPlotColours[n]});
        legend.push_back({reportText(c, "pdf.colour." + std::to_string(n)), column->title});
        unit = column->unit;
    }
    if (lines.empty())
        return;
    ChartWidget chart;
    plotLines(chart, lines,
              {reportText(c, "pdf.results.energy"), reportText(c, "pdf.axis.time"), unit});
    canvas.chart(chart);
    canvas.table(legend, {0.2, 0.8}, false);
}

} // namespace

void addResultsSection(ReportCanvas& canvas, const ReportContent& c) {
    canvas.heading(reportText(c, "pdf.results"));
    if (!reportHasResults(c)) {
        canvas.paragraph(reportText(c, "pdf.results.none"));
        return;
    }
    canvas.subheading(reportText(c, "pdf.results.figures"));
    addKeyFigures(canvas, c);
    canvas.subheading(reportText(c, "pdf.results.plots"));
    const ResultGrid grid = ResultGridFor(c.model, c.language);
    for (ResultSeries s :
         {ResultSeries::SlidingDisp, ResultSeries::Rotation, ResultSeries::SlidingSF,
          ResultSeries::OverturningSF, ResultSeries::ResultantPosition})
        plotSeries(canvas, c, grid, s);
    plotEnergies(canvas, c, grid);
}

} // namespace quibel
