// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_tools.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace quibel::test {

ToolOutput runTool(const QString& program, const QStringList& arguments, bool headless) {
    QProcess process;
    if (headless) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        process.setProcessEnvironment(env);
    }
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString()};
}

std::string pdfText(const std::string& path) {
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")})
        .out;
}

int occurrences(const std::string& haystack, const std::string& needle) {
    int n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + needle.size()))
        ++n;
    return n;
}

} // namespace quibel::test
