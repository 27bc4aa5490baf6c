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
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace mitoran {

namespace {

constexpr int kBacklog = 8;
// A sender that never ends its line is dropped once this much has arrived.
constexpr qsizetype kLongestLine = 4096;
// An answer is the output of one command: a month's days at most.
constexpr qsizetype kLongestAnswer = 1 << 20;
constexpr int kReplyWriteMs = 5000;

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

bool WaitFor(int socket, short events, int timeoutMs) {
    pollfd watched{socket, events, 0};
    return ::poll(&watched, 1, timeoutMs) > 0;
}

// Writes all bytes to a non-blocking socket; false when the peer stops taking them.
bool WriteAll(int socket, const QByteArray& bytes, int timeoutMs) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::send(socket, bytes.constData() + written, static_cast<std::size_t>(bytes.size() - written), MSG_NOSIGNAL);
        if (count > 0)
            written += count;
        else if (count < 0 && (errno == EAGAIN || errno == EINTR) && WaitFor(socket, POLLOUT, timeoutMs))
            continue;
        else
            return false;
    }
    return true;
}

// Reads up to the first line end: the line, an empty line when none comes in time, nothing when the peer
// closes first.
std::optional<QByteArray> ReadLine(int socket, int timeoutMs) {
    QByteArray received;
    while (!received.contains('\n') && received.size() <= kLongestAnswer) {
        if (!WaitFor(socket, POLLIN, timeoutMs))
            return QByteArray();
        char chunk[4096];
        const ssize_t count = ::read(socket, chunk, sizeof chunk);
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR))
            return std::nullopt;
        if (count > 0)
            received.append(chunk, count);
    }
    const qsizetype end = received.indexOf('\n');
    return end < 0 ? QByteArray() : received.left(end);
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
    using ReplyTarget = std::function<void(const QByteArray&)>;

    Sender(int socket, InstanceListener& listener, ReplyTarget& replyTarget)
        : QObject(&listener), m_socket(socket), m_listener(listener), m_replyTarget(replyTarget) {
        m_notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &Sender::ReadAvailable);
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
            EmitAnswerable(line);
        }
        const bool finished = count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR);
        if (finished || m_pending.size() > kLongestLine)
            deleteLater();
    }

    // A window may run a nested event loop while it handles the line (a question): another sender's line
    // then has its own answer target, and this one is restored after.
    void EmitAnswerable(const QByteArray& line);

    int m_socket;
    InstanceListener& m_listener;
    ReplyTarget& m_replyTarget;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
};

} // namespace

struct InstanceListener::Endpoint {
    std::function<void(const QByteArray&)> reply;
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

namespace {

void Sender::EmitAnswerable(const QByteArray& line) {
    const int socket = m_socket;
    const ReplyTarget previous =
        std::exchange(m_replyTarget, [socket](const QByteArray& bytes) { WriteAll(socket, bytes, kReplyWriteMs); });
    // Not read again (nor closed) until the line is handled.
    m_notifier->setEnabled(false);
    emit m_listener.LineReceived(line);
    m_notifier->setEnabled(true);
    m_replyTarget = previous;
}

} // namespace

std::optional<QByteArray> AskInstance(const QString& name, const QByteArray& line, int timeoutMs) {
    sockaddr_un address{};
    const socklen_t length = AddressOf(name, address);
    const int socket = NewSocket();
    if (socket < 0)
        return std::nullopt;
    std::optional<QByteArray> answer;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0 && PeerIsThisUser(socket) &&
        WriteAll(socket, line + '\n', timeoutMs))
        answer = ReadLine(socket, timeoutMs);
    ::close(socket);
    return answer;
}

void InstanceListener::Reply(const QByteArray& bytes) {
    if (m_endpoint->reply)
        m_endpoint->reply(bytes);
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
                new Sender(client, *this, m_endpoint->reply);
            else
                ::close(client);
        }
    });
    return true;
}

} // namespace mitoran
