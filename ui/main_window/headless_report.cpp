// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/headless_report.h"

#include "documents/document_session.h"
#include "documents/report_export.h"
#include "ui/main_window/desktop_application.h"
#include "ui/main_window/user_settings.h"

#include <QCommandLineParser>

#include <cstring>
#include <iostream>
#include <memory>

namespace quibel {

namespace {

const QCommandLineOption& exportOption() {
    static const QCommandLineOption o(
        QStringLiteral("export-report"),
        QStringLiteral("Run the analysis of PROJECT and write its report (PDF), with no window."),
        QStringLiteral("PROJECT"));
    return o;
}
const QCommandLineOption& outputOption() {
    static const QCommandLineOption o(QStringLiteral("o"),
                                      QStringLiteral("The report file of --export-report."),
                                      QStringLiteral("REPORT.pdf"));
    return o;
}
const QCommandLineOption& languageOption() {
    static const QCommandLineOption o(QStringLiteral("lang"),
                                      QStringLiteral("The language of the report: en or fr."),
                                      QStringLiteral("en|fr"));
    return o;
}

} // namespace

void addReportExportOptions(QCommandLineParser& parser) {
    parser.addOption(exportOption());
    parser.addOption(outputOption());
    parser.addOption(languageOption());
}

bool asksForReportExport(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--export-report") == 0 ||
            std::strncmp(argv[i], "--export-report=", 16) == 0)
            return true;
    return false;
}

int exportReportHeadless(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const DocumentSession session;
    describeApplication();
    QCommandLineParser parser;
    addReportExportOptions(parser);
    const QCommandLineOption settings(QStringLiteral("settings"), QString(),
                                      QStringLiteral("FILE"));
    parser.addOption(settings);
    const QString language = parser.parse(arguments) ? parser.value(languageOption()) : QString();
    const bool languageOk =
        language.isEmpty() || language == QLatin1String("en") || language == QLatin1String("fr");
    if (!parser.errorText().isEmpty() || !languageOk || parser.value(outputOption()).isEmpty() ||
        !parser.positionalArguments().isEmpty()) {
        std::cerr << "usage: quibel --export-report PROJECT.qbl -o REPORT.pdf [--lang en|fr]\n";
        return ReportNotAvailable;
    }
    bool english = language == QLatin1String("en");
    if (language.isEmpty()) {
        const std::unique_ptr<UserSettings> user =
            parser.isSet(settings) ? std::make_unique<UserSettings>(parser.value(settings))
                                   : std::make_unique<UserSettings>();
        english = user->readEnglishLanguage();
    }
    return ExportAnalysisReport(parser.value(exportOption()).toStdString(),
                                parser.value(outputOption()).toStdString(),
                                english ? Language::English : Language::French, std::cerr);
}

} // namespace quibel
