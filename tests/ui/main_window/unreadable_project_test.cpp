// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/unreadable_project.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quibel;

namespace {

QString write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// Version words 1, 0, minor, build, little-endian, then a few bytes of a record.
QByteArray versioned(char minor) {
    return QByteArray("\x01\x00\x00\x00", 4) + QByteArray(1, minor) +
           QByteArray("\x00\x01\x00", 3) + QByteArray(16, '\0');
}

} // namespace

TEST(UnreadableProjectTest, MessageNamesTheFileAndTheReasonInBothLanguages) {
    QTemporaryDir dir;
    const QString truncated =
        QStringLiteral(QUIBEL_SOURCE_DIR "/tests/data/truncated-in-history.qbl");
    struct Case {
        QString path;
        const char* english;
        const char* french;
    } cases[] = {
        {dir.filePath(QStringLiteral("gone.qbl")), "the file does not exist",
         "le fichier n'existe pas"},
        {dir.path(), "it is a folder", "c'est un dossier"},
        {write(dir, "text.qbl", "not a project"), "it is not a QUIBEL project file",
         "ce n'est pas un fichier de projet QUIBEL"},
        {write(dir, "tiny.qbl", "\x01"), "it is not a QUIBEL project file",
         "ce n'est pas un fichier de projet QUIBEL"},
        {write(dir, "newer.qbl", versioned(7)), "it was written by an unknown version (1.0.7.1)",
         "il a été écrit par une version inconnue (1.0.7.1)"},
        {write(dir, "short.qbl", versioned(3)), "it is truncated or damaged",
         "il est tronqué ou endommagé"},
        {truncated, "it is truncated or damaged", "il est tronqué ou endommagé"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        const QString file = QDir::toNativeSeparators(c.path);
        EXPECT_EQ(
            unreadableProjectMessage(Language::English, c.path),
            QStringLiteral("Unable to read file.\n%1: %2").arg(file, QString::fromUtf8(c.english)));
        EXPECT_EQ(unreadableProjectMessage(Language::French, c.path),
                  QStringLiteral("Impossible de lire correctement le fichier.\n%1 : %2")
                      .arg(file, QString::fromUtf8(c.french)));
    }
}
