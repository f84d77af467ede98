// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/analysis_report.h"
#include "documents/analysis_report_print.h"
#include "documents/report_canvas.h"
#include "documents/report_sections.h"
#include "reporting/result_grid.h"
#include "version/program_version.h"

#include <QFileInfo>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace quibel {

namespace {

constexpr int kPdfResolution = 1200; // dpi of the PDF's coordinates; its pages stay vectors

std::string runningHeader(const ReportContent& c) {
    std::string file =
        c.model.FileName.empty()
            ? reportText(c, "pdf.untitled")
            : QFileInfo(QString::fromStdString(c.model.FileName)).fileName().toStdString();
    return "QUIBEL " + std::string(programVersion()) + " \u2014 " + reportText(c, "pdf.title") +
           " \u2014 " + file;
}

bool paint(QPagedPaintDevice& device, const ReportContent& c) {
    return paintReport(
        device, runningHeader(c),
        [&c](int page, int pages) {
            return reportText(c, "pdf.page", {std::to_string(page), std::to_string(pages)});
        },
        [&c](ReportCanvas& canvas) { composeReport(canvas, c); });
}

QPageSize localePaper() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

} // namespace

std::string reportText(const ReportContent& content, std::string_view key) {
    return std::string(text(content.language, key));
}

std::string reportText(const ReportContent& content, std::string_view key,
                       std::vector<std::string> args) {
    return substitute(text(content.language, key), args);
}

bool reportHasResults(const ReportContent& content) {
    return content.run != nullptr && content.run->outcome.end != RunEnd::ChecksFailed &&
           ResultGridFor(content.model, content.language).rows() > 0;
}

void composeReport(ReportCanvas& canvas, const ReportContent& content) {
    addTitleBlock(canvas, content);
    addModelSection(canvas, content);
    addRecordsSection(canvas, content);
    addRunSection(canvas, content);
    addResultsSection(canvas, content);
    addMethodNote(canvas, content);
}

ReportWrite WriteAnalysisReport(const ReportContent& content, const std::string& path) {
    // The pages go to a temporary file that replaces path only once the report is whole.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return ReportWrite::Unwritable;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setPageSize(localePaper());
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QString::fromStdString(runningHeader(content)));
        pdf.setCreator(QString::fromStdString("QUIBEL " + std::string(programVersion())));
        if (!paint(pdf, content)) {
            file.cancelWriting();
            return ReportWrite::Unwritable;
        }
    }
    return file.commit() ? ReportWrite::Written : ReportWrite::Unwritable;
}

bool PrintAnalysisReport(const ReportContent& content, QPrinter& printer) {
    printer.setDocName(QString::fromStdString(runningHeader(content)));
    return paint(printer, content);
}

} // namespace quibel
