// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_key_figures.h"

#include <cmath>
#include <optional>

namespace quibel {

namespace {

struct Figures {
    Language language;
    AnalysisKind kind;
    ResultGrid grid;
    std::vector<KeyFigure> out;

    const GridColumn* column(ResultSeries s) const { return GridColumnOf(grid, kind, s); }
    std::string cell(const GridColumn& c, int row) const {
        return GridCellText(c, row, GridPrecision::Grid);
    }
    void add(std::string_view key, const GridColumn& c, int row, bool timed = true) {
        out.push_back({std::string(text(language, key)), cell(c, row), c.unit,
                       timed ? cell(grid.columns.front(), row) : std::string()});
    }
    // The first sample, from first, where better(value, best) holds against every later one.
    // Values are compared as the grid writes them, so that of samples that print alike the
    // first is the one named.
    template <class Better>
    std::optional<int> extreme(const GridColumn& c, int first, Better better) const {
        const double scale = std::pow(10.0, c.decimals);
        const auto printed = [&](int row) {
            return std::nearbyint(c.values[static_cast<std::size_t>(row)] * scale);
        };
        std::optional<int> at;
        for (int row = first; row < grid.rows(); ++row)
            if (!at || better(printed(row), printed(*at)))
                at = row;
        return at;
    }
    void peak(ResultSeries s, std::string_view key) {
        if (const GridColumn* c = column(s))
            if (auto at =
                    extreme(*c, 0, [](double a, double b) { return std::fabs(a) > std::fabs(b); }))
                add(key, *c, *at);
    }
    void smallest(ResultSeries s, std::string_view key) {
        if (const GridColumn* c = column(s))
            if (auto at = extreme(*c, 1, [](double a, double b) { return a < b; }))
                add(key, *c, *at);
    }
    void range(ResultSeries s, std::string_view key) {
        const GridColumn* c = column(s);
        if (c == nullptr)
            return;
        const auto low = extreme(*c, 0, [](double a, double b) { return a < b; });
        const auto high = extreme(*c, 0, [](double a, double b) { return a > b; });
        if (low && high)
            out.push_back({std::string(text(language, key)),
                           cell(*c, *low) + " .. " + cell(*c, *high),
                           c->unit,
                           {}});
    }
    void energiesAtEnd() {
        const int last = grid.rows() - 1;
        for (const SeriesColumn& s : analysisColumns(kind).columns)
            if (seriesRow(s.series).dimension == SeriesDimension::Energy)
                if (const GridColumn* c = column(s.series))
                    out.push_back(
                        {c->title, cell(*c, last), c->unit, cell(grid.columns.front(), last)});
    }
};

} // namespace

const GridColumn* GridColumnOf(const ResultGrid& grid, AnalysisKind kind, ResultSeries s) {
    // Column 0 is the time; the series follow in the analysis's order.
    const AnalysisColumns layout = analysisColumns(kind);
    for (std::size_t i = 0; i < layout.columns.size(); ++i)
        if (layout.columns[i].series == s && i + 1 < grid.columns.size())
            return &grid.columns[i + 1];
    return nullptr;
}

std::vector<KeyFigure> ReportKeyFigures(const TBlocStatic& model, Language language) {
    Figures f{language, model.AnalysisKind, ResultGridFor(model, language), {}};
    if (f.grid.rows() == 0)
        return {};
    f.peak(ResultSeries::SlidingDisp, "pdf.figure.peak_sliding");
    if (const GridColumn* c = f.column(ResultSeries::SlidingDisp))
        f.add("pdf.figure.residual_sliding", *c, f.grid.rows() - 1);
    f.peak(ResultSeries::Rotation, "pdf.figure.peak_rotation");
    f.smallest(ResultSeries::SlidingSF, "pdf.figure.min_sliding_sf");
    f.smallest(ResultSeries::OverturningSF, "pdf.figure.min_overturning_sf");
    f.range(ResultSeries::ResultantPosition, "pdf.figure.resultant_range");
    f.energiesAtEnd();
    return f.out;
}

} // namespace quibel
