// SPDX-License-Identifier: GPL-3.0-or-later
// The channel on Linux: a stream socket in a folder only this user can enter, so that no other account can take
// the name, listen in its place or reach the program; each side still checks that the other runs as this user.
// Plain sockets keep the network module (and the libraries it loads) out of the program's start-up.
#include "platform/InstanceChannel.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace mitoran {

namespace {

// A sender that never ends its line is dropped once this much has arrived.
constexpr qsizetype kLongestLine = 4096;
// An answer is the output of one command: a month's days at most.
constexpr qsizetype kLongestAnswer = 1 << 20;
constexpr int kReplyWriteMs = 5000;
// A connection that sends nothing for so long is closed, so that held connections cannot use up the program's
// files.
constexpr int kIdleMs = 5000;
// While the process has no file left for a new connection, accepting pauses for so long instead of spinning.
constexpr int kAcceptPauseMs = 200;
// A full backlog or a listener that does not accept at once is tried again for so long before the sender gives
// up: it then knows that a program listens, but not what it would answer.
constexpr int kBusyRetryMs = 2000;

// A folder that this user alone can enter: the user's own, no symbolic link, no permission for anyone else.
bool IsPrivateFolder(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// Makes the folder when missing. A folder of this user's that others may enter is closed to them (what they
// may have left in it is met by the peer checks); one that is not this user's is refused.
bool MakePrivateFolder(const QByteArray& path) {
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    return (st.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

QByteArray EnvironmentPath(const char* name) {
    const QByteArray value = qgetenv(name);
    return value.startsWith('/') ? value : QByteArray();
}

QByteArray HostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return QByteArray(name);
}

// Where this user's channels live: the session's runtime folder when there is one; else a folder of the
// temporary folder named after the user, unless another account has made that name first; else a folder in
// the user's cache, named after the machine (a home folder may be shared by several machines).
QByteArray ChannelFolder() {
    const QByteArray runtime = EnvironmentPath("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime) && MakePrivateFolder(runtime + "/mitoran"))
        return runtime + "/mitoran";
    QByteArray temporary = EnvironmentPath("TMPDIR");
    if (temporary.isEmpty())
        temporary = "/tmp";
    const QByteArray shared = temporary + "/mitoran-" + QByteArray::number(::getuid());
    if (MakePrivateFolder(shared))
        return shared;
    QByteArray cache = EnvironmentPath("XDG_CACHE_HOME");
    if (cache.isEmpty() && !EnvironmentPath("HOME").isEmpty())
        cache = EnvironmentPath("HOME") + "/.cache";
    if (cache.isEmpty() || (::mkdir(cache.constData(), 0700) != 0 && errno != EEXIST))
        return {};
    const QByteArray own = cache + "/mitoran-" + HostName();
    return MakePrivateFolder(own) ? own : QByteArray();
}

// The socket's file in the channel folder; false when there is no folder or the path is too long.
bool AddressOf(const QString& name, sockaddr_un& address, QByteArray& path) {
    const QByteArray folder = ChannelFolder();
    if (folder.isEmpty())
        return false;
    path = folder + '/' + name.toUtf8();
    address = {};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

bool WaitFor(int socket, short events, int timeoutMs) {
    pollfd watched{socket, events, 0};
    return ::poll(&watched, 1, timeoutMs) > 0;
}

// Each side checks that the other runs as this user.
bool PeerIsThisUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

enum class Reach { Connected, Nobody, Busy };

// Connects a new socket to the name. Nobody listens when there is no socket file, or nobody accepts on it, or
// a program of another user holds it. A full backlog is tried again for a while: the program is busy, not gone.
Reach ConnectTo(const QString& name, int& socket) {
    sockaddr_un address{};
    QByteArray path;
    if (!AddressOf(name, address, path))
        return Reach::Nobody;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyRetryMs);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        socket = NewSocket();
        if (socket < 0)
            return Reach::Nobody;
        if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            if (PeerIsThisUser(socket))
                return Reach::Connected;
            ::close(socket);
            return Reach::Nobody;
        }
        const int error = errno;
        ::close(socket);
        socket = -1;
        if (error != EAGAIN)
            return Reach::Nobody;
        if (std::chrono::steady_clock::now() >= end)
            return Reach::Busy;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
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

// Holds the name's lock file while it lives, so that two starts never both find the name free.
class NameLock {
public:
    explicit NameLock(const QByteArray& socketPath)
        : m_file(::open((socketPath + ".lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        if (m_file >= 0)
            ::flock(m_file, LOCK_EX);
    }
    ~NameLock() {
        if (m_file >= 0)
            ::close(m_file);
    }
    NameLock(const NameLock&) = delete;
    NameLock& operator=(const NameLock&) = delete;

private:
    int m_file;
};

// One connected sender: its lines go to the listener; the socket closes with the object, or after a while
// without a line.
class Sender : public QObject {
public:
    using ReplyTarget = std::function<void(const QByteArray&)>;

    Sender(int socket, InstanceListener& listener, ReplyTarget& replyTarget)
        : QObject(&listener), m_socket(socket), m_listener(listener), m_replyTarget(replyTarget) {
        m_notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &Sender::ReadAvailable);
        m_idle = new QTimer(this);
        m_idle->setSingleShot(true);
        connect(m_idle, &QTimer::timeout, this, &QObject::deleteLater);
        m_idle->start(kIdleMs);
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
        else
            m_idle->start(kIdleMs);
    }

    // A window may run a nested event loop while it handles the line (a question): another sender's line
    // then has its own answer target, and this one is restored after.
    void EmitAnswerable(const QByteArray& line);

    int m_socket;
    InstanceListener& m_listener;
    ReplyTarget& m_replyTarget;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_idle = nullptr;
    QByteArray m_pending;
};

void Sender::EmitAnswerable(const QByteArray& line) {
    const int socket = m_socket;
    const ReplyTarget previous =
        std::exchange(m_replyTarget, [socket](const QByteArray& bytes) { WriteAll(socket, bytes, kReplyWriteMs); });
    // Not read again, nor closed for idleness, until the line is handled.
    m_notifier->setEnabled(false);
    m_idle->stop();
    emit m_listener.LineReceived(line);
    m_notifier->setEnabled(true);
    m_replyTarget = previous;
}

} // namespace

struct InstanceListener::Endpoint {
    std::function<void(const QByteArray&)> reply;
    int socket = -1;
    QByteArray path;
    ~Endpoint() {
        if (socket >= 0) {
            ::close(socket);
            ::unlink(path.constData());
        }
    }
};

bool SendToInstance(const QString& name, const QByteArray& bytes) {
    int socket = -1;
    const Reach reach = ConnectTo(name, socket);
    if (reach == Reach::Connected) {
        if (!bytes.isEmpty())
            WriteAll(socket, bytes, kReplyWriteMs);
        ::close(socket);
    }
    // A listener too busy to accept is still there.
    return reach != Reach::Nobody;
}

std::optional<QByteArray> AskInstance(const QString& name, const QByteArray& line, int timeoutMs) {
    int socket = -1;
    const Reach reach = ConnectTo(name, socket);
    if (reach == Reach::Busy)
        return QByteArray();
    if (reach == Reach::Nobody)
        return std::nullopt;
    std::optional<QByteArray> answer;
    if (WriteAll(socket, line + '\n', timeoutMs))
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

// A socket file that nobody of this user accepts on was left by a program that ended (or put there by another
// account while the folder was open): it is replaced.
bool InstanceListener::Listen(const QString& name) {
    sockaddr_un address{};
    Endpoint endpoint;
    if (!AddressOf(name, address, endpoint.path))
        return false;
    const NameLock lock(endpoint.path);
    int probe = -1;
    if (ConnectTo(name, probe) != Reach::Nobody) {
        if (probe >= 0)
            ::close(probe);
        return false;
    }
    ::unlink(endpoint.path.constData());
    endpoint.socket = NewSocket();
    if (endpoint.socket < 0 ||
        ::bind(endpoint.socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(endpoint.socket, SOMAXCONN) != 0)
        return false;
    std::swap(m_endpoint->socket, endpoint.socket);
    std::swap(m_endpoint->path, endpoint.path);
    auto* notifier = new QSocketNotifier(m_endpoint->socket, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
        int client = -1;
        while ((client = ::accept4(m_endpoint->socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
            if (PeerIsThisUser(client))
                new Sender(client, *this, m_endpoint->reply);
            else
                ::close(client);
        }
        // Out of files: the waiting connection stays in the backlog, and the listener would be woken for it at
        // once, again and again. Idle senders close in the meantime.
        if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
            notifier->setEnabled(false);
            QTimer::singleShot(kAcceptPauseMs, notifier, [notifier] { notifier->setEnabled(true); });
        }
    });
    return true;
}

} // namespace mitoran
