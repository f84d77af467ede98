// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/recent_files.h"

namespace quibel {

RecentFiles::RecentFiles(const QStringList& entries) {
    // Added from the oldest so that the first stored entry ends on top.
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (!it->isEmpty())
            add(*it);
}

void RecentFiles::add(const QString& path) {
    if (path.isEmpty())
        return;
    mEntries.removeAll(path);
    mEntries.prepend(path);
    while (mEntries.size() > kMaxEntries)
        mEntries.removeLast();
}

void RecentFiles::remove(const QString& path) {
    mEntries.removeAll(path);
}

} // namespace quibel
