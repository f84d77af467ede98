// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/study/study_outputs.h"

#include "cli/batch/csv.h"
#include "cli/batch/number.h"
#include "cli/batch/summary.h"
#include "study/level_counts.h"
#include "study/threshold_units.h"
#include "texts/text_catalogue.h"

#include <algorithm>
#include <cstdio>

namespace quibel::cli {

namespace {

using study::ResponseKind;

std::size_t columnOf(const std::vector<std::string>& header, std::string_view name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
}

std::string cell(const std::vector<std::string>& cells, std::size_t i) {
    return i < cells.size() ? cells[i] : std::string();
}

// Four significant digits, enough for a reader; the tables keep every digit.
std::string rounded(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g", v);
    return buffer;
}

std::string number(const std::optional<double>& v) {
    return v ? ShortestText(*v) : std::string();
}

} // namespace

StudyFindings AnalyseStudy(const study::StudyDescription& study, const study::StudyPlan& plan,
                           const std::string& summary) {
    const CsvTable table = ParseCsv(summary);
    const std::vector<std::string>& header = table.header.cells;
    const std::size_t unitColumn = columnOf(header, "length_unit");
    StudyFindings f;
    std::vector<int> levels;
    for (const study::StudyCase& c : plan.cases)
        levels.push_back(c.level);
    for (const study::DamageLimit& limit : study.limits) {
        const std::size_t column = columnOf(header, study::ResponseColumn(limit.response));
        const bool length = limit.response == ResponseKind::PeakSliding ||
                            limit.response == ResponseKind::ResidualSliding;
        std::vector<std::optional<double>> responses(plan.cases.size());
        for (const CsvRow& row : table.rows) {
            const std::optional<double> index =
                ParseFiniteNumber(cell(row.cells, kCaseIndexColumn));
            std::optional<double> v = ParseFiniteNumber(cell(row.cells, column));
            if (!index || *index < 1 || *index > static_cast<double>(responses.size()) || !v)
                continue;
            if (length) {
                const std::optional<double> metres =
                    study::MetresPerUnit(cell(row.cells, unitColumn));
                v = metres ? std::optional<double>(*v * *metres) : std::nullopt;
            }
            responses[static_cast<std::size_t>(*index) - 1] = v;
        }
        f.counts.push_back(CountPastLimit(limit, study.intensity.levels, levels, responses));
        f.fits.push_back(study::FitFragility(f.counts.back()));
        f.responses.push_back(std::move(responses));
    }
    return f;
}

std::string FractionsCsv(const study::StudyDescription& study, const StudyFindings& f) {
    std::string text = CsvLine({"limit", "level", "intensity_g", "cases", "past", "fraction"}, ';');
    for (std::size_t l = 0; l < study.limits.size(); ++l)
        for (std::size_t k = 0; k < f.counts[l].size(); ++k) {
            const study::LevelCount& c = f.counts[l][k];
            text += CsvLine({study.limits[l].name, std::to_string(k + 1), ShortestText(c.intensity),
                             std::to_string(c.cases), std::to_string(c.past),
                             c.cases ? ShortestText(static_cast<double>(c.past) / c.cases) : ""},
                            ';');
        }
    return text;
}

std::string FragilityCsv(const study::StudyDescription& study, const StudyFindings& f) {
    std::string text = CsvLine({"limit", "response", "threshold", "median_g", "dispersion",
                                "median_se_g", "dispersion_se", "log_likelihood"},
                               ';');
    for (std::size_t l = 0; l < study.limits.size(); ++l) {
        const study::DamageLimit& d = study.limits[l];
        std::vector<std::string> cells{d.name, std::string(study::ResponseColumn(d.response)),
                                       (d.above ? "> " : "< ") + d.text};
        if (const auto& fit = f.fits[l])
            for (double v : {fit->median, fit->dispersion, fit->medianError, fit->dispersionError,
                             fit->logLikelihood})
                cells.push_back(ShortestText(v));
        cells.resize(8);
        text += CsvLine(cells, ';');
    }
    return text;
}

std::string IncrementalCsv(const study::StudyDescription& study, const study::StudyPlan& plan,
                           const StudyFindings& f) {
    std::vector<std::string> header{"record", "level", "intensity_g", "set", "case"};
    for (const study::DamageLimit& d : study.limits)
        header.push_back(d.name);
    std::string text = CsvLine(header, ';');
    for (std::size_t i = 0; i < plan.cases.size(); ++i) {
        const study::StudyCase& c = plan.cases[i];
        std::vector<std::string> cells{
            study.records[static_cast<std::size_t>(c.record)].name, std::to_string(c.level + 1),
            ShortestText(study.intensity.levels[static_cast<std::size_t>(c.level)]),
            std::to_string(c.set + 1), c.name};
        for (const auto& responses : f.responses)
            cells.push_back(number(responses[i]));
        text += CsvLine(cells, ';');
    }
    return text;
}

std::string StudySummaryText(const study::StudyDescription& study, const study::StudyPlan& plan,
                             const StudyFindings& f, Language language) {
    std::string text = render(language, Message("study.summary_cases",
                                                {std::to_string(plan.cases.size()),
                                                 std::to_string(study.records.size()),
                                                 std::to_string(study.intensity.levels.size()),
                                                 std::to_string(plan.sets.size())})) +
                       "\n";
    for (std::size_t l = 0; l < study.limits.size(); ++l) {
        const study::DamageLimit& d = study.limits[l];
        const std::string limit = d.name + " (" + std::string(study::ResponseColumn(d.response)) +
                                  (d.above ? " > " : " < ") + d.text + ")";
        if (const auto& fit = f.fits[l])
            text += render(language,
                           Message("study.summary_fit",
                                   {limit, rounded(fit->median), rounded(fit->medianError),
                                    rounded(fit->dispersion), rounded(fit->dispersionError)}));
        else
            text += render(language, Message("study.summary_no_fit", {limit}));
        text += "\n";
    }
    return text;
}

} // namespace quibel::cli
