// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/user_settings.h"

#include "ui/main_window/recent_files.h"

#include <QSettings>

namespace quibel {

namespace {
const QString kLanguageKey = QStringLiteral("version");
const QString kRecentGroup = QStringLiteral("MRU");
const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kStateKey = QStringLiteral("Window/State");
const QString kFoldersGroup = QStringLiteral("Folders/");

QString recentKey(int i) {
    return QStringLiteral("File%1").arg(i);
}
} // namespace

UserSettings::UserSettings()
    : mSettings(std::make_unique<QSettings>(QStringLiteral("QUIBEL"), QStringLiteral("QUIBEL"))) {}

UserSettings::UserSettings(const QString& iniFile)
    : mSettings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

UserSettings::~UserSettings() = default;

bool UserSettings::readEnglishLanguage() const {
    const QVariant v = mSettings->value(kLanguageKey);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    // INI files and some back ends give the value back as text.
    const QString s = v.toString().trimmed().toLower();
    if (s == QLatin1String("false") || s == QLatin1String("0"))
        return false;
    return true;
}

void UserSettings::writeEnglishLanguage(bool english) {
    mSettings->setValue(kLanguageKey, english);
}

QStringList UserSettings::readRecentFiles() const {
    QStringList paths;
    mSettings->beginGroup(kRecentGroup);
    for (int i = 1; i <= RecentFiles::kMaxEntries; ++i) {
        const QString p = mSettings->value(recentKey(i)).toString();
        if (!p.isEmpty())
            paths.append(p);
    }
    mSettings->endGroup();
    return paths;
}

void UserSettings::writeRecentFiles(const QStringList& paths) {
    mSettings->remove(kRecentGroup);
    mSettings->beginGroup(kRecentGroup);
    const int n = std::min<int>(static_cast<int>(paths.size()), RecentFiles::kMaxEntries);
    for (int i = 0; i < n; ++i)
        mSettings->setValue(recentKey(i + 1), paths[i]);
    mSettings->endGroup();
}

QByteArray UserSettings::readWindowGeometry() const {
    return mSettings->value(kGeometryKey).toByteArray();
}
void UserSettings::writeWindowGeometry(const QByteArray& geometry) {
    mSettings->setValue(kGeometryKey, geometry);
}
QByteArray UserSettings::readWindowState() const {
    return mSettings->value(kStateKey).toByteArray();
}
void UserSettings::writeWindowState(const QByteArray& state) {
    mSettings->setValue(kStateKey, state);
}

QString UserSettings::readLastFolder(const QString& dialog) const {
    return mSettings->value(kFoldersGroup + dialog).toString();
}
void UserSettings::writeLastFolder(const QString& dialog, const QString& folder) {
    mSettings->setValue(kFoldersGroup + dialog, folder);
}

void UserSettings::sync() {
    mSettings->sync();
}

} // namespace quibel
