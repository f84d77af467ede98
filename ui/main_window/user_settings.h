// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace quibel {

/// The per-user settings of the desktop program: the language (boolean "version", true =
/// English) and the recent-files list (group "MRU", keys "File1".."File10", most recent
/// first), the main window's geometry and tool-bar layout (group "Window") and the last folder
/// of each file dialog (group "Folders", one key per dialog). Stored through QSettings under
/// organisation and application "QUIBEL".
class UserSettings final {
public:
    /// The user's own settings store.
    UserSettings();
    /// A settings file of its own (INI format), for tests and portable installs.
    explicit UserSettings(const QString& iniFile);
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    /// true = English. A missing value, or one that is not a boolean, gives English.
    bool readEnglishLanguage() const;
    void writeEnglishLanguage(bool english);

    QStringList readRecentFiles() const;
    /// Replaces the stored list with paths (at most ten are kept).
    void writeRecentFiles(const QStringList& paths);

    /// QWidget::saveGeometry and QMainWindow::saveState of the main window; empty when none.
    QByteArray readWindowGeometry() const;
    void writeWindowGeometry(const QByteArray& geometry);
    QByteArray readWindowState() const;
    void writeWindowState(const QByteArray& state);

    /// The folder the file dialog named dialog was last left in; empty when none.
    QString readLastFolder(const QString& dialog) const;
    void writeLastFolder(const QString& dialog, const QString& folder);

    /// Writes pending changes to the store.
    void sync();

private:
    std::unique_ptr<QSettings> mSettings;
};

} // namespace quibel
