// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quibel {

/// The list of recently opened project files: at most kMaxEntries paths, most recent first,
/// each path once.
class RecentFiles final {
public:
    static constexpr int kMaxEntries = 10;

    RecentFiles() = default;
    /// Takes entries as stored (most recent first), dropping empty and repeated paths and any
    /// beyond kMaxEntries.
    explicit RecentFiles(const QStringList& entries);

    /// Puts path at the top, removing an earlier occurrence; the oldest entry falls off.
    void add(const QString& path);
    /// Removes path; nothing happens when it is not in the list.
    void remove(const QString& path);

    const QStringList& entries() const noexcept { return mEntries; }
    bool isEmpty() const noexcept { return mEntries.isEmpty(); }

private:
    QStringList mEntries;
};

} // namespace quibel
