// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace quibel {

SingleInstance::SingleInstance(QString lockFile) : mLock(std::make_unique<QLockFile>(lockFile)) {
    // The lock lives as long as the program: it must never go stale by age, only when the
    // process that wrote it is gone.
    mLock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (mHeld)
        return true;
    mHeld = mLock->tryLock(0);
    if (!mHeld && mLock->error() == QLockFile::LockFailedError) {
        // tryLock already removes a lock whose process is gone; this covers a lock file that
        // another program version could not clean (for example one left unreadable).
        qint64 pid = 0;
        QString host;
        QString app;
        if (!mLock->getLockInfo(&pid, &host, &app) && mLock->removeStaleLockFile())
            mHeld = mLock->tryLock(0);
    }
    return mHeld;
}

QString SingleInstance::defaultLockFile() {
    // Without XDG_RUNTIME_DIR Qt would make up a folder of its own and warn about it.
    const QString folder = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                               ? QString()
                               : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
        return QDir::temp().filePath(QStringLiteral("quibel-%1.lock").arg(user));
    }
    return QDir(folder).filePath(QStringLiteral("quibel.lock"));
}

} // namespace quibel
