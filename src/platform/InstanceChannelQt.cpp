// SPDX-License-Identifier: GPL-3.0-or-later
// The channel where there is no abstract namespace: a QLocalServer whose socket is a file. Probing and
// listening happen under a lock, so two starts cannot both find the name free, and a file left by a
// crash is removed before listening.
#include "platform/InstanceChannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>

#include <utility>

namespace mitoran {

namespace {

constexpr int kConnectMilliseconds = 1000;

bool ConnectTo(QLocalSocket& socket, const QString& name) {
    socket.connectToServer(name);
    return socket.waitForConnected(kConnectMilliseconds);
}

} // namespace

struct InstanceListener::Endpoint {
    QLocalServer* server = nullptr;
    std::function<void(const QByteArray&)> reply;
};

std::optional<QByteArray> AskInstance(const QString& name, const QByteArray& line, int timeoutMs) {
    QLocalSocket socket;
    if (!ConnectTo(socket, name))
        return std::nullopt;
    socket.write(line + '\n');
    socket.waitForBytesWritten(timeoutMs);
    while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) {
    }
    if (socket.canReadLine())
        return socket.readLine().chopped(1);
    if (socket.state() != QLocalSocket::ConnectedState)
        return std::nullopt;
    return QByteArray();
}

void InstanceListener::Reply(const QByteArray& bytes) {
    if (m_endpoint->reply)
        m_endpoint->reply(bytes);
}

bool SendToInstance(const QString& name, const QByteArray& bytes) {
    QLocalSocket socket;
    if (!ConnectTo(socket, name))
        return false;
    if (!bytes.isEmpty()) {
        socket.write(bytes);
        socket.waitForBytesWritten(kConnectMilliseconds);
    }
    socket.disconnectFromServer();
    return true;
}

InstanceListener::InstanceListener(QObject* parent) : QObject(parent), m_endpoint(std::make_unique<Endpoint>()) {}

InstanceListener::~InstanceListener() = default;

bool InstanceListener::Listen(const QString& name) {
    QLockFile lock(QDir::temp().filePath(name + QStringLiteral(".lock")));
    lock.lock();
    if (SendToInstance(name, {}))
        return false;
    auto* server = new QLocalServer(this);
    QLocalServer::removeServer(name);
    if (!server->listen(name)) {
        delete server;
        return false;
    }
    m_endpoint->server = server;
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket* client = server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                // A nested event loop while a line is handled may answer another sender in between, or see
                // this one go.
                const QPointer<QLocalSocket> sender(client);
                while (sender && sender->canReadLine()) {
                    const QByteArray line = sender->readLine().chopped(1);
                    const auto previous = std::exchange(m_endpoint->reply, [sender](const QByteArray& bytes) {
                        if (sender) {
                            sender->write(bytes);
                            sender->flush();
                        }
                    });
                    emit LineReceived(line);
                    m_endpoint->reply = previous;
                }
            });
        }
    });
    return true;
}

} // namespace mitoran
