// SPDX-License-Identifier: GPL-3.0-or-later
// The one-instance channel on Linux: where its socket lives, a listener too busy to accept, idle connections.
#include "platform/InstanceChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <optional>
#include <vector>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// Sets environment variables for the time of a test, and puts back what was there.
class ScopedEnvironment {
public:
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }
    void Set(const QByteArray& name, const std::optional<QByteArray>& value) {
        m_saved.emplace_back(name, qEnvironmentVariableIsSet(name.constData())
                                       ? std::optional<QByteArray>(qgetenv(name.constData()))
                                       : std::nullopt);
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }

private:
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};

int SocketAt(const QString& path, bool listen) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toUtf8();
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const auto* at = reinterpret_cast<const sockaddr*>(&address);
    const bool done =
        listen ? ::bind(fd, at, sizeof address) == 0 && ::listen(fd, 0) == 0 : ::connect(fd, at, sizeof address) == 0;
    if (!done) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Asks as a command line would, from a thread of its own, while this thread's event loop lets the listener answer.
std::optional<QByteArray> Ask(const QString& name, const QByteArray& line) {
    std::future<std::optional<QByteArray>> answer =
        std::async(std::launch::async, [name, line] { return AskInstance(name, line, 5000); });
    while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return answer.get();
}

mode_t ModeOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

} // namespace

class InstanceChannelTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void theSocketLivesInAFolderOnlyTheUserCanEnter();
    void aListenerTooBusyToAcceptIsNeverTakenForNobody();
    void anIdleConnectionIsClosed();

private:
    // The listener answers each line with the line reversed.
    void ListenAndAnswer(InstanceListener& listener);

    QTemporaryDir m_runtime;
    ScopedEnvironment m_environment;
    const QString m_name = u"ChannelTest-%1"_s.arg(::getpid());
};

void InstanceChannelTest::init() {
    QVERIFY(m_runtime.isValid());
    ::chmod(QFile::encodeName(m_runtime.path()).constData(), 0700);
    m_environment.Set("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void InstanceChannelTest::ListenAndAnswer(InstanceListener& listener) {
    QVERIFY(listener.Listen(m_name));
    connect(&listener, &InstanceListener::LineReceived, &listener, [&listener](const QByteArray& line) {
        QByteArray reversed = line;
        std::reverse(reversed.begin(), reversed.end());
        listener.Reply(reversed + '\n');
    });
}

void InstanceChannelTest::theSocketLivesInAFolderOnlyTheUserCanEnter() {
    InstanceListener listener;
    ListenAndAnswer(listener);
    const QString folder = m_runtime.filePath(u"mitoran"_s);
    QCOMPARE(ModeOf(folder), mode_t{0700});
    QVERIFY(QFileInfo(folder + u'/' + m_name).exists());
    QCOMPARE(Ask(m_name, "abc"), std::optional<QByteArray>("cba"));

    // A second listener of the name finds the first.
    InstanceListener second;
    QVERIFY(!second.Listen(m_name));
}

// A listener whose backlog is full is tried again for about two seconds; it is busy, not gone, so a command line
// must not write behind it. A socket file nobody listens on is nobody, and a new listener takes its place.
void InstanceChannelTest::aListenerTooBusyToAcceptIsNeverTakenForNobody() {
    QVERIFY(QDir().mkpath(m_runtime.filePath(u"mitoran"_s)));
    const QString path = m_runtime.filePath(u"mitoran/"_s + m_name);
    const int busy = SocketAt(path, true);
    QVERIFY(busy >= 0);
    std::vector<int> waiting;
    for (int fd = SocketAt(path, false); fd >= 0 && waiting.size() < 64; fd = SocketAt(path, false))
        waiting.push_back(fd);
    QVERIFY(waiting.size() < 64);

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(Ask(m_name, "abc"), std::optional<QByteArray>(QByteArray()));
    QVERIFY2(timer.elapsed() >= 1500, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(SendToInstance(m_name, {}));

    for (const int fd : waiting)
        ::close(fd);
    ::close(busy);
    timer.restart();
    QCOMPARE(Ask(m_name, "abc"), std::nullopt);
    QVERIFY(timer.elapsed() < 1500);
    InstanceListener listener;
    ListenAndAnswer(listener);
    QCOMPARE(Ask(m_name, "abc"), std::optional<QByteArray>("cba"));
}

// A connection that sends nothing is closed after a few seconds, so that held connections cannot use up the
// program's files.
void InstanceChannelTest::anIdleConnectionIsClosed() {
    InstanceListener listener;
    ListenAndAnswer(listener);
    const int idle = SocketAt(m_runtime.filePath(u"mitoran/"_s + m_name), false);
    QVERIFY(idle >= 0);
    QElapsedTimer timer;
    timer.start();
    const auto closed = [idle] {
        char byte = 0;
        return ::recv(idle, &byte, 1, 0) == 0;
    };
    QTRY_VERIFY_WITH_TIMEOUT(closed(), 10000);
    QVERIFY(timer.elapsed() >= 3000);
    ::close(idle);
}

} // namespace mitoran

QTEST_GUILESS_MAIN(mitoran::InstanceChannelTest)
#include "InstanceChannelTest.moc"
