// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace quibel::test {

/// The lines that tests/ui/read_workbook.py prints for the workbook at path, one per row of its
/// first worksheet (options such as "--openpyxl", "--formats" or "--sheet" go before the path).
/// The reader is run by Debian's python3 where there is one. A reader that fails is a failure of
/// the test, and no line is returned then.
inline QStringList workbookLines(const QString& path, QStringList options = {}) {
    options << path;
    options.prepend(QStringLiteral(QUIBEL_SOURCE_DIR "/tests/ui/read_workbook.py"));
    // Debian's interpreter first: scripts/deps.sh installs openpyxl for it, whatever other
    // python3 comes first on the PATH.
    QString python =
        QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        python = QStringLiteral("python3");
    QProcess reader;
    reader.start(python, options);
    if (!reader.waitForFinished(60000)) {
        ADD_FAILURE() << "python3 is needed to read the workbook back";
        return {};
    }
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        ADD_FAILURE() << reader.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(reader.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace quibel::test
