// SPDX-License-Identifier: GPL-3.0-or-later
// The channel where there are no Unix sockets of the program's own: a QLocalServer (a named pipe on Windows)
// that only this user may reach. On Windows the name carries the user's security id and the session (see
// WindowsPeers.h), the "already running" test is a mutex of the session that only this user may open, and each
// side checks that the other end runs as this user. Elsewhere probing and listening happen under a lock file,
// so two starts cannot both find the name free, and a socket file left by a crash is removed before listening.
#include "platform/InstanceChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>

#include <utility>

#ifdef Q_OS_WIN
#include "platform/WindowsPeers.h"
#endif

namespace mitoran {

namespace {

// A full listener is tried again for so long before the sender gives up: it then knows that a program listens,
// but not what it would answer.
constexpr int kBusyRetryMs = 2000;
// A connection that sends nothing for so long is closed.
constexpr int kIdleMs = 5000;

enum class Reach { Connected, Nobody, Busy };

bool PeerIsThisUser([[maybe_unused]] const QLocalSocket& socket, [[maybe_unused]] bool peerIsServer) {
#ifdef Q_OS_WIN
    const auto pipe = reinterpret_cast<HANDLE>(socket.socketDescriptor());
    return peerIsServer ? PipeServerIsThisUser(pipe) : PipeClientIsThisUser(pipe);
#else
    return true; // the socket file is the user's alone (UserAccessOption)
#endif
}

// No pipe or socket of the name, nobody accepting on it, or one of another account: nobody listens. Anything
// else that keeps the connection from being made in time is a busy listener.
Reach ConnectTo(QLocalSocket& socket, const QString& name) {
    socket.connectToServer(name);
    if (socket.waitForConnected(kBusyRetryMs)) {
        if (PeerIsThisUser(socket, true))
            return Reach::Connected;
        socket.abort();
        return Reach::Nobody;
    }
    const QLocalSocket::LocalSocketError error = socket.error();
    return error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError ? Reach::Nobody
                                                                                                       : Reach::Busy;
}

} // namespace

struct InstanceListener::Endpoint {
    QLocalServer* server = nullptr;
    std::function<void(const QByteArray&)> reply;
#ifdef Q_OS_WIN
    HANDLE claim = nullptr;
    ~Endpoint() {
        if (claim)
            CloseHandle(claim);
    }
#endif
};

std::optional<QByteArray> AskInstance(const QString& name, const QByteArray& line, int timeoutMs) {
    QLocalSocket socket;
    const Reach reach = ConnectTo(socket, name);
    if (reach == Reach::Busy)
        return QByteArray();
    if (reach == Reach::Nobody)
        return std::nullopt;
    socket.write(line + '\n');
    socket.waitForBytesWritten(timeoutMs);
    QElapsedTimer waited;
    waited.start();
    while (!socket.canReadLine() && waited.elapsed() < timeoutMs &&
           socket.waitForReadyRead(static_cast<int>(timeoutMs - waited.elapsed()))) {
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
    const Reach reach = ConnectTo(socket, name);
    if (reach == Reach::Connected && !bytes.isEmpty()) {
        socket.write(bytes);
        socket.waitForBytesWritten(kBusyRetryMs);
    }
    if (reach == Reach::Connected)
        socket.disconnectFromServer();
    // A listener too busy to accept is still there.
    return reach != Reach::Nobody;
}

InstanceListener::InstanceListener(QObject* parent) : QObject(parent), m_endpoint(std::make_unique<Endpoint>()) {}

InstanceListener::~InstanceListener() = default;

bool InstanceListener::Listen(const QString& name) {
#ifdef Q_OS_WIN
    // Another program of this user holds the name; one of another account is passed over.
    if (ClaimSessionName(name.toStdWString(), m_endpoint->claim) == SessionClaim::HeldByThisUser)
        return false;
#else
    QLockFile lock(QDir::temp().filePath(name + QStringLiteral(".lock")));
    lock.lock();
    if (SendToInstance(name, {}))
        return false;
    QLocalServer::removeServer(name);
#endif
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        delete server;
        return false;
    }
    m_endpoint->server = server;
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket* client = server->nextPendingConnection()) {
            if (!PeerIsThisUser(*client, false)) {
                client->abort();
                client->deleteLater();
                continue;
            }
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            auto* idle = new QTimer(client);
            idle->setSingleShot(true);
            connect(idle, &QTimer::timeout, client, [client] {
                client->abort();
                client->deleteLater();
            });
            idle->start(kIdleMs);
            connect(client, &QLocalSocket::readyRead, this, [this, client, idle] {
                // A nested event loop while a line is handled may answer another sender in between, or see
                // this one go.
                const QPointer<QLocalSocket> sender(client);
                idle->stop();
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
                if (sender)
                    idle->start(kIdleMs);
            });
        }
    });
    return true;
}

} // namespace mitoran
