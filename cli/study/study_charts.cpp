// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/study/study_charts.h"

#include "study/fragility_fit.h"
#include "study/threshold_units.h"

#include <algorithm>
#include <cmath>

namespace quibel::cli {

namespace {

using study::ResponseKind;

constexpr int kCurvePoints = 200;
constexpr int kBins = 10;

std::string unitOf(ResponseKind kind) {
    if (kind == ResponseKind::PeakSliding || kind == ResponseKind::ResidualSliding)
        return " (m)";
    return kind == ResponseKind::PeakRotation ? " (rad)" : "";
}

StudyChart fragility(const study::StudyDescription& study, std::size_t l, const StudyFindings& f,
                     const std::filesystem::path& folder, Language lang) {
    const study::DamageLimit& limit = study.limits[l];
    StudyChart c;
    c.file = (folder / ("fragility-" + limit.name)).string();
    c.caption = render(lang, Message("study.chart_fragility", {limit.name}));
    c.abscissa = render(lang, Message("study.chart_intensity"));
    c.ordinate = render(lang, Message("study.chart_probability"));
    StudyCurve observed;
    observed.markers = true;
    for (const study::LevelCount& n : f.counts[l])
        if (n.cases > 0) {
            observed.x.push_back(n.intensity);
            observed.y.push_back(static_cast<double>(n.past) / n.cases);
        }
    StudyCurve fitted;
    if (const auto& fit = f.fits[l]) {
        const double top = 1.2 * study.intensity.levels.back();
        for (int i = 0; i <= kCurvePoints; ++i) {
            const double im = top * i / kCurvePoints;
            fitted.x.push_back(im);
            fitted.y.push_back(study::FragilityProbability(im, fit->median, fit->dispersion));
        }
    }
    c.curves = {fitted, observed};
    return c;
}

StudyChart incremental(const study::StudyDescription& study, const study::StudyPlan& plan,
                       std::size_t r, std::size_t l, const StudyFindings& f,
                       const std::filesystem::path& folder, Language lang) {
    const study::DamageLimit& limit = study.limits[l];
    StudyChart c;
    c.file = (folder / ("incremental-" + study.records[r].name + "-" + limit.name)).string();
    c.caption = render(lang, Message("study.chart_incremental", {study.records[r].name}));
    c.abscissa = render(lang, Message("study.chart_intensity"));
    c.ordinate = std::string(study::ResponseColumn(limit.response)) + unitOf(limit.response);
    c.curves.resize(plan.sets.size());
    for (std::size_t i = 0; i < plan.cases.size(); ++i) {
        const study::StudyCase& sc = plan.cases[i];
        if (static_cast<std::size_t>(sc.record) != r)
            continue;
        StudyCurve& curve = c.curves[static_cast<std::size_t>(sc.set)];
        curve.x.push_back(study.intensity.levels[static_cast<std::size_t>(sc.level)]);
        curve.y.push_back(f.responses[l][i].value_or(NAN));
    }
    return c;
}

StudyChart histogram(const study::StudyDescription& study, const study::StudyPlan& plan,
                     std::size_t l, std::size_t level, const StudyFindings& f,
                     const std::filesystem::path& folder, Language lang) {
    const study::DamageLimit& limit = study.limits[l];
    StudyChart c;
    c.file = (folder / ("histogram-" + limit.name + "-L" + std::to_string(level + 1))).string();
    c.caption =
        render(lang, Message("study.chart_histogram", {limit.name, std::to_string(level + 1)}));
    c.abscissa = std::string(study::ResponseColumn(limit.response)) + unitOf(limit.response);
    c.ordinate = render(lang, Message("study.chart_cases"));
    std::vector<double> values;
    for (std::size_t i = 0; i < plan.cases.size(); ++i)
        if (static_cast<std::size_t>(plan.cases[i].level) == level && f.responses[l][i])
            values.push_back(*f.responses[l][i]);
    if (values.empty())
        return c;
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const double width = *hi > *lo ? (*hi - *lo) / kBins : 1.0;
    std::vector<int> counts(kBins, 0);
    for (double v : values)
        ++counts[std::min<std::size_t>(static_cast<std::size_t>((v - *lo) / width), kBins - 1)];
    // The bars' outline, one step per bin.
    StudyCurve bars;
    for (int b = 0; b < kBins; ++b) {
        const double left = *lo + b * width;
        bars.x.insert(bars.x.end(), {left, left, left + width, left + width});
        bars.y.insert(bars.y.end(), {0.0, double(counts[static_cast<std::size_t>(b)]),
                                     double(counts[static_cast<std::size_t>(b)]), 0.0});
    }
    c.curves = {bars};
    return c;
}

} // namespace

std::vector<StudyChart> StudyCharts(const study::StudyDescription& study,
                                    const study::StudyPlan& plan, const StudyFindings& findings,
                                    const std::filesystem::path& folder, Language language) {
    std::vector<StudyChart> charts;
    for (std::size_t l = 0; l < study.limits.size(); ++l) {
        charts.push_back(fragility(study, l, findings, folder, language));
        for (std::size_t r = 0; r < study.records.size(); ++r)
            charts.push_back(incremental(study, plan, r, l, findings, folder, language));
        for (std::size_t k = 0; k < study.intensity.levels.size(); ++k)
            charts.push_back(histogram(study, plan, l, k, findings, folder, language));
    }
    return charts;
}

} // namespace quibel::cli
