// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/unreadable_project.h"

#include "ui/widgets/ui_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <array>

namespace quibel {

namespace {

// The file's first four 16-bit words are its version: 1, 0, minor, build. The reader knows
// the minor versions up to 3.
constexpr qint16 kNewestMinorVersion = 3;

QString reason(Language language, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return uiText(language, "ui.main.unreadable.missing");
    if (info.isDir())
        return uiText(language, "ui.main.unreadable.folder");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return uiText(language, "ui.main.unreadable.cannot_open", {file.errorString()});
    std::array<qint16, 4> version{};
    const QByteArray head = file.read(sizeof version);
    if (head.size() < static_cast<qsizetype>(sizeof version))
        return uiText(language, "ui.main.unreadable.not_project");
    for (std::size_t i = 0; i < version.size(); ++i)
        version[i] = qFromLittleEndian<qint16>(head.constData() + 2 * i);
    if (version[0] != 1 || version[1] != 0 || version[2] < 0)
        return uiText(language, "ui.main.unreadable.not_project");
    if (version[2] > kNewestMinorVersion)
        return uiText(language, "ui.main.unreadable.newer_version",
                      {QStringLiteral("%1.%2.%3.%4")
                           .arg(version[0])
                           .arg(version[1])
                           .arg(version[2])
                           .arg(version[3])});
    return uiText(language, "ui.main.unreadable.truncated");
}

} // namespace

QString unreadableProjectMessage(Language language, const QString& path) {
    return uiText(language, "ui.main.unreadable_file",
                  {uiText(language, "file.unable_to_read"), QDir::toNativeSeparators(path),
                   reason(language, path)});
}

} // namespace quibel
