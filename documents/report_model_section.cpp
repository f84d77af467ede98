// SPDX-License-Identifier: GPL-3.0-or-later
// The title block and the model: the computed-data report's values, the dam section drawing
// and the analysis options in words.
#include "chart/chart_widget.h"
#include "documents/dam_section_drawing.h"
#include "documents/report_canvas.h"
#include "documents/report_sections.h"
#include "model/unit_labels.h"
#include "model/unit_tables.h"
#include "reporting/computed_data_report.h"
#include "signals/decimal_format.h"
#include "version/program_version.h"

#include <QDate>

namespace quibel {

namespace {

constexpr int kDrawingWidth = 900; // chart pixels of the dam drawing
constexpr int kDrawingHeight = 480;

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// A label of the options dialog without its closing ":" or "=".
std::string optionLabel(const ReportContent& c, std::string_view key) {
    std::string s = trimmed(text(c.language, key));
    while (!s.empty() && (s.back() == ':' || s.back() == '=' || s.back() == ' '))
        s.pop_back();
    return s;
}

std::string number(double v) {
    return FormatDecimals(v, 0, 6);
}

std::string yesNo(const ReportContent& c, bool yes) {
    return reportText(c, yes ? "ui.options.yes" : "ui.options.no");
}

std::string upliftText(const ReportContent& c, int choice) {
    constexpr std::string_view kKeys[] = {
        "ui.options.no_pressure", "ui.options.pressures_unchanged", "ui.options.full_reservoir"};
    return reportText(c, kKeys[std::clamp(choice, 0, 2)]);
}

std::string centreText(const ReportContent& c, int choice) {
    return reportText(c, choice == 1 ? "ui.options.center_moving" : "ui.options.center_fixed");
}

std::string kindText(const ReportContent& c) {
    constexpr std::string_view kKeys[] = {"report.kind.sliding", "report.kind.rocking",
                                          "report.kind.sliding_rocking"};
    return trimmed(text(c.language, kKeys[static_cast<int>(c.model.AnalysisKind)]));
}

// A label of the computed-data report without its closing " :".
std::string rowLabel(std::string label) {
    while (!label.empty() && (label.back() == ':' || label.back() == ' '))
        label.pop_back();
    return label;
}

// The computed-data report's lines as tables: a line with a value beyond its label's column
// is a row; any other line is the title of the rows after it, and a title ending in ":" takes
// the title line after it ("ANALYSIS TYPE: Sliding").
void addComputedData(ReportCanvas& canvas, const ReportContent& c) {
    const std::size_t column = c.language == Language::English ? 32 : 43;
    std::vector<ReportRow> rows;
    std::string title;
    const auto flush = [&] {
        if (!title.empty())
            canvas.subheading(title);
        if (!rows.empty())
            canvas.table(rows, {0.58, 0.42}, false);
        rows.clear();
        title.clear();
    };
    for (const std::string& line : ComputedDataReport(c.model, c.language)) {
        const std::string value = line.size() > column ? trimmed(line.substr(column)) : "";
        const std::string label = trimmed(line.substr(0, std::min(column, line.size())));
        if (!value.empty()) {
            rows.push_back({rowLabel(label), value});
        } else if (!label.empty() && !title.empty() && rows.empty() && title.back() == ':') {
            title += " " + label;
        } else if (!label.empty()) {
            flush();
            title = label;
        }
    }
    flush();
}

void addOptions(ReportCanvas& canvas, const ReportContent& c) {
    const AnalysisOptions& o = c.model.Options;
    const bool rocks = c.model.AnalysisKind != AnalysisKind::Sliding;
    const bool slides = c.model.AnalysisKind != AnalysisKind::Rocking;
    std::vector<ReportRow> rows{
        {optionLabel(c, "ui.options.gravity_group"),
         number(o.Gravity) + " " + units::gravityUnit(c.model.UnitSystem)},
        {optionLabel(c, "ui.options.time_step"), number(o.TimeStep) + " s"},
        {optionLabel(c, "ui.options.save_step"), number(o.SaveStep) + " s"},
    };
    if (slides)
        rows.push_back({optionLabel(c, "ui.options.newmark_group"),
                        reportText(c, o.NewmarkBeta == 0 ? "ui.options.newmark_linear"
                                                         : "ui.options.newmark_constant")});
    if (rocks) {
        const std::string uplift = optionLabel(c, "ui.options.uplift_group") + " - ";
        rows.push_back(
            {uplift + optionLabel(c, "ui.options.uplift_up"), upliftText(c, o.UpliftUp)});
        rows.push_back(
            {uplift + optionLabel(c, "ui.options.uplift_down"), upliftText(c, o.UpliftDown)});
        rows.push_back({optionLabel(c, "ui.options.center_up"), centreText(c, o.CenterUp)});
        rows.push_back({optionLabel(c, "ui.options.center_down"), centreText(c, o.CenterDown)});
    }
    rows.push_back({optionLabel(c, "ui.options.vertical_acceleration"),
                    yesNo(c, o.VerticalAcceleration == 0)});
    if (slides)
        rows.push_back(
            {optionLabel(c, "ui.options.translational"), yesNo(c, o.Translational == 0)});
    if (rocks)
        rows.push_back({optionLabel(c, "ui.options.rotational"), yesNo(c, o.Rotational == 0)});
    canvas.table(rows, {0.68, 0.32}, false);
}

} // namespace

void addTitleBlock(ReportCanvas& canvas, const ReportContent& c) {
    canvas.heading(reportText(c, "pdf.title"));
    const std::string date =
        c.date.empty() ? QDate::currentDate().toString(Qt::ISODate).toStdString() : c.date;
    const std::string file =
        c.model.FileName.empty() ? reportText(c, "pdf.untitled") : c.model.FileName;
    canvas.table(
        {
            {reportText(c, "pdf.title.project"), file},
            {reportText(c, "pdf.title.date"), date},
            {reportText(c, "pdf.title.program"), "QUIBEL " + std::string(programVersion())},
            {reportText(c, "pdf.title.kind"), kindText(c)},
            {reportText(c, "pdf.title.units"),
             std::string(units::kSystemName[unitIndex(c.model.UnitSystem)])},
        },
        {0.3, 0.7}, false);
}

void addModelSection(ReportCanvas& canvas, const ReportContent& c) {
    canvas.heading(reportText(c, "pdf.model"));
    addComputedData(canvas, c);
    ChartWidget drawing;
    setUpDamSectionChart(drawing);
    drawing.resize(kDrawingWidth, kDrawingHeight);
    drawDamSection(drawing, c.model, true, c.language);
    canvas.chart(drawing, reportText(c, "pdf.model.drawing"));
    canvas.subheading(reportText(c, "pdf.model.options"));
    addOptions(canvas, c);
}

} // namespace quibel
