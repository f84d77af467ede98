// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace quibel {

/// The local socket over which a second start of the program hands its project files to the
/// copy that runs ("quibel project.qbl" while QUIBEL runs, or a double click on a project).
/// The message is the files' absolute paths, one per line, in UTF-8.
class FileReceiver final : public QObject {
    Q_OBJECT
public:
    /// A receiver on serverName (defaultServerName() for the program itself).
    explicit FileReceiver(QString serverName, QObject* parent = nullptr);
    ~FileReceiver() override;

    /// Starts listening; a socket left behind by a copy that crashed is removed first (the
    /// caller holds the single-instance lock). false when the socket cannot be created.
    bool listen();

    /// The socket's name beside the single-instance lock.
    static QString defaultServerName();

signals:
    /// Another start sent these files.
    void filesReceived(const QStringList& files);

private:
    void readConnection();

    QString mName;
    QLocalServer* mServer = nullptr;
};

/// Sends files to the copy listening on serverName; false when none answers within
/// timeoutMs, so that the caller can tell the user instead.
bool forwardFiles(const QString& serverName, const QStringList& files, int timeoutMs = 2000);

} // namespace quibel
