// SPDX-License-Identifier: GPL-3.0-or-later
// The channel on Linux: a stream socket in the abstract namespace. Nothing is left on disk, so a crashed
// process cannot block the next start, and a second bind of the same name fails. Plain sockets keep the
// network module (and the libraries it loads) out of the program's start-up.
#include "platform/InstanceChannel.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>

namespace mitoran {

namespace {

constexpr int kBacklog = 8;
// A sender that never ends its line is dropped once this much has arrived.
constexpr qsizetype kLongestLine = 4096;

socklen_t AddressOf(const QString& name, sockaddr_un& address) {
    const QByteArray bytes = name.toUtf8();
    address = {};
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(static_cast<std::size_t>(bytes.size()), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, bytes.constData(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// The abstract namespace has no permissions: any user may bind or reach a name, so each side checks that the
// other runs as this user.
bool PeerIsThisUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

// One connected sender: its lines go to the listener; the socket closes with the object.
class Sender : public QObject {
public:
    Sender(int socket, InstanceListener& listener) : QObject(&listener), m_socket(socket), m_listener(listener) {
        auto* notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &Sender::ReadAvailable);
    }
    ~Sender() override { ::close(m_socket); }

private:
    void ReadAvailable() {
        char chunk[512];
        ssize_t count = 0;
        while ((count = ::read(m_socket, chunk, sizeof chunk)) > 0)
            m_pending.append(chunk, count);
        for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
            const QByteArray line = m_pending.left(end);
            m_pending.remove(0, end + 1);
            emit m_listener.LineReceived(line);
        }
        const bool finished = count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR);
        if (finished || m_pending.size() > kLongestLine)
            deleteLater();
    }

    int m_socket;
    InstanceListener& m_listener;
    QByteArray m_pending;
};

} // namespace

struct InstanceListener::Endpoint {
    int socket = -1;
    ~Endpoint() {
        if (socket >= 0)
            ::close(socket);
    }
};

bool SendToInstance(const QString& name, const QByteArray& bytes) {
    sockaddr_un address{};
    const socklen_t length = AddressOf(name, address);
    const int socket = NewSocket();
    if (socket < 0)
        return false;
    bool ours = false;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        ours = PeerIsThisUser(socket);
        if (ours && !bytes.isEmpty())
            ::send(socket, bytes.constData(), static_cast<std::size_t>(bytes.size()), MSG_NOSIGNAL);
    } else {
        // A full backlog still means somebody listens there.
        ours = errno == EAGAIN;
    }
    ::close(socket);
    return ours;
}

InstanceListener::InstanceListener(QObject* parent) : QObject(parent), m_endpoint(std::make_unique<Endpoint>()) {}

InstanceListener::~InstanceListener() {
    // The senders close their sockets before the listening one goes.
    qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
}

bool InstanceListener::Listen(const QString& name) {
    sockaddr_un address{};
    const socklen_t length = AddressOf(name, address);
    Endpoint endpoint;
    endpoint.socket = NewSocket();
    if (endpoint.socket < 0 || ::bind(endpoint.socket, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        ::listen(endpoint.socket, kBacklog) != 0)
        return false;
    std::swap(m_endpoint->socket, endpoint.socket);
    auto* notifier = new QSocketNotifier(m_endpoint->socket, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        int client = -1;
        while ((client = ::accept4(m_endpoint->socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
            if (PeerIsThisUser(client))
                new Sender(client, *this);
            else
                ::close(client);
        }
    });
    return true;
}

} // namespace mitoran
