// SPDX-License-Identifier: GPL-3.0-or-later
// The run: how it ended, what it said and asked with the answers taken, and its energy
// balance.
#include "documents/report_canvas.h"
#include "documents/report_sections.h"
#include "signals/decimal_format.h"

#include <cmath>

namespace quibel {

namespace {

std::string seconds(double t) {
    return FormatFixed(t, 0, 3);
}

std::string percent(double v) {
    return std::isnan(v) ? std::string("NaN") : FormatFixed(v, 0, 3) + " %";
}

std::string kindText(const ReportContent& c, const ReportRunEvent& e) {
    if (e.question)
        return reportText(c, "pdf.run.question");
    switch (e.kind) {
    case MessageKind::Error:
        return reportText(c, "pdf.run.error");
    case MessageKind::Warning:
        return reportText(c, "pdf.run.warning");
    case MessageKind::Information:
        break;
    }
    return reportText(c, "pdf.run.information");
}

std::string endText(const ReportContent& c, const ReportRunLog& run) {
    switch (run.outcome.end) {
    case RunEnd::ChecksFailed:
        return reportText(c, "pdf.run.refused");
    case RunEnd::Completed:
        return reportText(c, "pdf.run.completed", {seconds(run.endTime)});
    case RunEnd::Stopped:
        break;
    }
    return reportText(c, "pdf.run.stopped", {seconds(run.endTime)});
}

void addEvents(ReportCanvas& canvas, const ReportContent& c, const ReportRunLog& run) {
    if (run.events.empty()) {
        canvas.paragraph(reportText(c, "pdf.run.no_events"));
        return;
    }
    std::vector<ReportRow> rows{{reportText(c, "pdf.run.time"), reportText(c, "pdf.run.kind"),
                                 reportText(c, "pdf.run.text"), reportText(c, "pdf.run.answer")}};
    for (const ReportRunEvent& e : run.events) {
        std::string answer;
        if (e.question)
            answer = reportText(c, e.answer == QuestionAnswer::Stop ? "pdf.run.answer_stop"
                                                                    : "pdf.run.answer_continue");
        std::string message = render(c.language, e.message);
        for (char& ch : message)
            if (ch == '\r')
                ch = '\n';
        rows.push_back({seconds(e.time), kindText(c, e), message, answer});
    }
    canvas.table(rows, {0.09, 0.14, 0.52, 0.25}, true);
}

} // namespace

void addRunSection(ReportCanvas& canvas, const ReportContent& c) {
    canvas.heading(reportText(c, "pdf.run"));
    if (c.run == nullptr) {
        canvas.paragraph(reportText(c, "pdf.run.none"));
        return;
    }
    const ReportRunLog& run = *c.run;
    canvas.paragraph(endText(c, run));
    if (run.outcome.end == RunEnd::Stopped && !run.outcome.stopMessage.key.empty()) {
        canvas.paragraph(
            reportText(c, "pdf.run.stop_cause", {render(c.language, run.outcome.stopMessage)}));
    }
    if (run.outcome.end != RunEnd::ChecksFailed)
        canvas.paragraph(
            reportText(c, "pdf.run.steps",
                       {std::to_string(run.outcome.steps), std::to_string(run.outcome.samples)}));
    canvas.subheading(reportText(c, "pdf.run.events"));
    addEvents(canvas, c, run);
    if (run.outcome.end == RunEnd::ChecksFailed)
        return;
    canvas.subheading(reportText(c, "pdf.run.energy"));
    const LargestEnergyErrors errors = LargestRunEnergyErrors(c.model, run);
    canvas.table({{reportText(c, "pdf.run.absolute_error"), percent(errors.absolute)},
                  {reportText(c, "pdf.run.relative_error"), percent(errors.relative)}},
                 {0.6, 0.4}, false);
}

} // namespace quibel
