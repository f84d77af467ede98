// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/results_csv_export.h"

#include "engine/run/run_length.h"
#include "model/result_series.h"
#include "model/unit_tables.h"
#include "reporting/report_numbers.h"

#include <string_view>
#include <vector>

namespace quibel {

namespace {

using S = ResultSeries;

struct CsvColumn final {
    std::string_view titleKey;
    ResultSeries series;
};

// Every series the file can hold, in its column order; a run's file has those its kind fills
// but the potential energy, which the file leaves out.
constexpr CsvColumn kColumns[] = {
    {"ui.results.csv.sliding_disp", S::SlidingDisp},
    {"ui.results.csv.sliding_vel", S::SlidingVel},
    {"ui.results.csv.sliding_acc", S::SlidingAcc},
    {"ui.results.csv.rotation", S::Rotation},
    {"ui.results.csv.rotation_vel", S::RotationVel},
    {"ui.results.csv.rotation_acc", S::RotationAcc},
    {"ui.results.csv.sliding_sf", S::SlidingSF},
    {"ui.results.csv.overturning_sf", S::OverturningSF},
    {"ui.results.csv.resultant", S::ResultantPosition},
    {"ui.results.csv.abs_input", S::AbsInputEnergy},
    {"ui.results.csv.rel_input", S::RelInputEnergy},
    {"ui.results.csv.preseismic", S::PreseismicWork},
    {"ui.results.csv.abs_kinetic", S::AbsKineticEnergy},
    {"ui.results.csv.rel_kinetic", S::RelKineticEnergy},
    {"ui.results.csv.friction", S::FrictionEnergy},
    {"ui.results.csv.impact", S::ImpactEnergy},
};

std::vector<CsvColumn> columnsOf(AnalysisKind kind) {
    const ResultSeriesSet filled = seriesFilledBy(kind);
    std::vector<CsvColumn> columns;
    for (const CsvColumn& c : kColumns)
        if (contains(filled, c.series))
            columns.push_back(c);
    return columns;
}

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

std::string ResultsCsv(const TBlocStatic& model, Language language, char decimalSeparator) {
    return joinRows(ResultsCsvRows(model, language, decimalSeparator));
}

TextRows ResultsCsvRows(const TBlocStatic& model, Language language, char decimalSeparator) {
    std::vector<CsvColumn> columns = columnsOf(model.AnalysisKind);
    const UnitSystem u = model.UnitSystem;
    std::string head = substitute(text(language, "ui.results.csv.units"),
                                  std::vector<std::string>{std::string(units::lengthUnit(u)),
                                                           std::string(units::massUnit(u)),
                                                           std::string(units::forceUnit(u))});
    head += kLineEnd;
    head += '"';
    head += text(language, "ui.results.csv.time");
    head += '"';
    for (const CsvColumn& c : columns) {
        head += ";\"";
        head += text(language, c.titleKey);
        head += '"';
    }
    head += kLineEnd;

    const std::optional<TVector>& first =
        seriesSlot(model, analysisColumns(model.AnalysisKind).rowSeries);
    const int n = first ? first->size() : 0;
    const double interval = SampleInterval(model.Options);
    // Line 0 is the whole head (units and titles); line k the sample k.
    return {static_cast<std::size_t>(n) + 1,
            [&model, head = std::move(head), columns = std::move(columns), interval,
             decimalSeparator](std::size_t line, std::string& out) {
                if (line == 0) {
                    out += head;
                    return;
                }
                const int k = static_cast<int>(line);
                appendReportFixed(out, (k - 1) * interval, 12, 5, decimalSeparator);
                for (const CsvColumn& c : columns) {
                    const std::optional<TVector>& s = seriesSlot(model, c.series);
                    out += ';';
                    appendReportScientific(out, s ? s->get(k) : 0.0, 15, 7, decimalSeparator);
                }
                out += kLineEnd;
            }};
}

} // namespace quibel
