// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleHalt.h"

#include "engine/session/HandedCommand.h"
#include "platform/InstanceChannel.h"

#ifdef Q_OS_WIN
#include "platform/WindowsPeers.h"
#elif defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray kRaiseRequest = "raise"_ba;
// The running program answers a raise request as soon as it reads it, so that a start ends only once the
// request has been read: a pipe that its writer closes at once may lose what is still in it.
constexpr int kRaiseAnswerMs = 2000;

// On Windows the user's security id and the session (a user's name can be taken by another account's
// process, and the pipes of every session share one namespace).
QString UserId() {
#ifdef Q_OS_WIN
    return QString::fromStdWString(UserSessionId());
#elif defined(Q_OS_UNIX)
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USER");
#endif
}

bool AskRunningInstanceToRaise(const QString& name) {
    return AskInstance(name, kRaiseRequest, kRaiseAnswerMs).has_value();
}

} // namespace

QString InstanceName(const QString& base) {
    return base + u'-' + UserId();
}

bool IsInstanceRunning(const QString& name) {
    return SendToInstance(name, {});
}

std::optional<QByteArray> AskRunningInstance(const QString& name, const QByteArray& request, int timeoutMs) {
    return AskInstance(name, request, timeoutMs);
}

TSingleHalt::TSingleHalt(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

TSingleHalt::~TSingleHalt() = default;

bool TSingleHalt::Claim() {
    if (AskRunningInstanceToRaise(m_name))
        return false;
    auto* listener = new InstanceListener(this);
    if (!listener->Listen(m_name)) {
        delete listener;
        // Another start took the name between the probe and the listen; a process of another user that holds
        // it does not keep this one from running.
        return !AskRunningInstanceToRaise(m_name);
    }
    connect(listener, &InstanceListener::LineReceived, this, [this, listener](const QByteArray& line) {
        if (line != kRaiseRequest)
            return;
        listener->Reply(kRaiseRequest + '\n');
        emit RaiseRequested();
    });
    AnswerCommands(listener);
    return true;
}

// Every request of a command line gets an answer, so that it never waits for a window that cannot take it.
void TSingleHalt::AnswerCommands(InstanceListener* listener) {
    connect(listener, &InstanceListener::LineReceived, this, [this, listener](const QByteArray& line) {
        if (!ParseHandedCommandLine(line.toStdString()))
            return;
        QByteArray answer;
        emit CommandReceived(line, &answer);
        if (answer.isEmpty())
            answer = QByteArray::fromStdString(HandedReplyLine(std::nullopt));
        listener->Reply(answer + '\n');
    });
}

} // namespace mitoran
