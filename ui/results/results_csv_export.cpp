#include "ui/results/results_csv_export.h"

#include "engine/run/run_length.h"
#include "model/result_series.h"
#include "model/unit_tables.h"
#include "reporting/report_numbers.h"

#include <span>
#include <string_view>
#include <utility>

namespace quibel {

namespace {

using S = ResultSeries;
using Column = std::pair<std::string_view, ResultSeries>;

constexpr Column kSliding[] = {
    {"ui.results.csv.sliding_disp", S::SlidingDisp},
    {"ui.results.csv.sliding_vel", S::SlidingVel},
    {"ui.results.csv.sliding_acc", S::SlidingAcc},
    {"ui.results.csv.sliding_sf", S::SlidingSF},
    {"ui.results.csv.abs_input", S::AbsInputEnergy},
    {"ui.results.csv.rel_input", S::RelInputEnergy},
    {"ui.results.csv.preseismic", S::PreseismicWork},
    {"ui.results.csv.abs_kinetic", S::AbsKineticEnergy},
    {"ui.results.csv.rel_kinetic", S::RelKineticEnergy},
    {"ui.results.csv.friction", S::FrictionEnergy},
};

constexpr Column kRocking[] = {
    {"ui.results.csv.rotation", S::Rotation},
    {"ui.results.csv.rotation_vel", S::RotationVel},
    {"ui.results.csv.rotation_acc", S::RotationAcc},
    {"ui.results.csv.overturning_sf", S::OverturningSF},
    {"ui.results.csv.resultant", S::ResultantPosition},
    {"ui.results.csv.abs_input", S::AbsInputEnergy},
    {"ui.results.csv.rel_input", S::RelInputEnergy},
    {"ui.results.csv.preseismic", S::PreseismicWork},
    {"ui.results.csv.abs_kinetic", S::AbsKineticEnergy},
    {"ui.results.csv.rel_kinetic", S::RelKineticEnergy},
    {"ui.results.csv.impact", S::ImpactEnergy},
};

constexpr Column kSlidingRocking[] = {
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

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

std::string ResultsCsv(const TBlocStatic& model, Language language, char decimalSeparator) {
    std::span<const Column> columns = kSliding;
    ResultSeries rows = S::SlidingDisp;
    if (model.AnalysisKind == AnalysisKind::Rocking) {
        columns = kRocking;
        rows = S::Rotation;
    } else if (model.AnalysisKind == AnalysisKind::SlidingAndRocking) {
        columns = kSlidingRocking;
        rows = S::Rotation;
    }
    const UnitSystem u = model.UnitSystem;
    std::string out = substitute(text(language, "ui.results.csv.units"),
                                 std::vector<std::string>{std::string(units::lengthUnit(u)),
                                                          std::string(units::massUnit(u)),
                                                          std::string(units::forceUnit(u))});
    out += kLineEnd;
    out += '"';
    out += text(language, "ui.results.csv.time");
    out += '"';
    for (const Column& c : columns) {
        out += ";\"";
        out += text(language, c.first);
        out += '"';
    }
    out += kLineEnd;

    const std::optional<TVector>& first = seriesSlot(model, rows);
    const int n = first ? first->size() : 0;
    const double interval = SampleInterval(model.Options);
    for (int k = 1; k <= n; ++k) {
        out += reportFixed((k - 1) * interval, 12, 5, decimalSeparator);
        for (const Column& c : columns) {
            const std::optional<TVector>& s = seriesSlot(model, c.second);
            out += ';';
            out += reportScientific(s ? s->get(k) : 0.0, 15, 7, decimalSeparator);
        }
        out += kLineEnd;
    }
    return out;
}

} // namespace quibel
