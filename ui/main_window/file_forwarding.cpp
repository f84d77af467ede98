// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/file_forwarding.h"

#include "ui/main_window/single_instance.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <utility>

namespace quibel {

FileReceiver::FileReceiver(QString serverName, QObject* parent)
    : QObject(parent), mName(std::move(serverName)), mServer(new QLocalServer(this)) {
    // Only this user may hand files to this user's copy.
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(mServer, &QLocalServer::newConnection, this, &FileReceiver::readConnection);
}

FileReceiver::~FileReceiver() = default;

bool FileReceiver::listen() {
    QLocalServer::removeServer(mName);
    return mServer->listen(mName);
}

QString FileReceiver::defaultServerName() {
    QString name = SingleInstance::defaultLockFile();
    name.chop(QStringLiteral(".lock").size());
    return name + QStringLiteral(".socket");
}

void FileReceiver::readConnection() {
    while (QLocalSocket* socket = mServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The sender writes its whole message and closes: the paths arrive with the close.
        connect(socket, &QLocalSocket::readChannelFinished, this, [this, socket] {
            const QStringList files =
                QString::fromUtf8(socket->readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (!files.isEmpty())
                emit filesReceived(files);
        });
    }
}

bool forwardFiles(const QString& serverName, const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QStringList absolute;
    for (const QString& f : files)
        absolute.append(QFileInfo(f).absoluteFilePath());
    socket.write(absolute.join(QLatin1Char('\n')).toUtf8());
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(timeoutMs);
}

} // namespace quibel
