// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_canvas.h"
#include "documents/report_sections.h"

namespace quibel {

void addMethodNote(ReportCanvas& canvas, const ReportContent& c) {
    constexpr std::string_view kKindKeys[] = {"pdf.method.sliding", "pdf.method.rocking",
                                              "pdf.method.sliding_rocking"};
    canvas.heading(reportText(c, "pdf.method"));
    canvas.paragraph(reportText(c, "pdf.method.general"));
    canvas.paragraph(reportText(c, kKindKeys[static_cast<int>(c.model.AnalysisKind)]));
    canvas.paragraph(reportText(c, "pdf.method.verification"));
}

} // namespace quibel
