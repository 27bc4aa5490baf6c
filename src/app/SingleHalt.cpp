// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleHalt.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kConnectMilliseconds = 1000;
const QByteArray kRaiseRequest = "raise\n"_ba;

QString UserId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

#ifdef Q_OS_LINUX
constexpr bool kAbstractNamespace = true;
#else
constexpr bool kAbstractNamespace = false;
#endif

bool ConnectTo(QLocalSocket& socket, const QString& name) {
    if (kAbstractNamespace)
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    return socket.waitForConnected(kConnectMilliseconds);
}

} // namespace

QString InstanceName(const QString& base) {
    return base + u'-' + UserId();
}

bool IsInstanceRunning(const QString& name) {
    QLocalSocket socket;
    if (!ConnectTo(socket, name))
        return false;
    socket.disconnectFromServer();
    return true;
}

TSingleHalt::TSingleHalt(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

TSingleHalt::~TSingleHalt() {
    if (m_server != nullptr)
        m_server->close();
}

bool TSingleHalt::Claim() {
    // Elsewhere the socket is a file: probing and listening happen under a lock so two starts cannot both
    // find it free, and a file left by a crash is removed before listening.
    std::unique_ptr<QLockFile> lock;
    if (!kAbstractNamespace) {
        lock = std::make_unique<QLockFile>(QDir::temp().filePath(m_name + u".lock"_s));
        lock->lock();
    }
    if (AskRunningInstanceToRaise())
        return false;
    m_server = new QLocalServer(this);
    if (kAbstractNamespace)
        m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    else
        QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) {
        // Another start took the name between the probe and the listen.
        delete m_server;
        m_server = nullptr;
        AskRunningInstanceToRaise();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &TSingleHalt::AcceptConnections);
    return true;
}

bool TSingleHalt::AskRunningInstanceToRaise() const {
    QLocalSocket socket;
    if (!ConnectTo(socket, m_name))
        return false;
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectMilliseconds);
    socket.disconnectFromServer();
    return true;
}

void TSingleHalt::AcceptConnections() {
    while (QLocalSocket* client = m_server->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            while (client->canReadLine()) {
                if (client->readLine() == kRaiseRequest)
                    emit RaiseRequested();
            }
        });
    }
}

} // namespace mitoran
