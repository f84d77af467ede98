// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace quibel {

/// The rule that one user runs one copy of the program. The first copy holds a lock file in
/// the user's runtime folder for as long as it runs. The lock records the process that holds
/// it, so a lock left behind by a copy that crashed is recognised as stale and taken over:
/// it never blocks the next start.
class SingleInstance final {
public:
    /// A lock at lockFile (defaultLockFile() for the program itself).
    explicit SingleInstance(QString lockFile);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the lock. false when another running copy holds it. Calling it again after a
    /// success returns true.
    bool acquire();

    /// "quibel.lock" in the user's runtime folder (or in a per-user name in the temporary
    /// folder when the system has no runtime folder).
    static QString defaultLockFile();

private:
    std::unique_ptr<QLockFile> mLock;
    bool mHeld = false;
};

} // namespace quibel
