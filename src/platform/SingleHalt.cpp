// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleHalt.h"

#include "platform/InstanceChannel.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray kRaiseRequest = "raise"_ba;

QString UserId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

bool AskRunningInstanceToRaise(const QString& name) {
    return SendToInstance(name, kRaiseRequest + '\n');
}

} // namespace

QString InstanceName(const QString& base) {
    return base + u'-' + UserId();
}

bool IsInstanceRunning(const QString& name) {
    return SendToInstance(name, {});
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
    connect(listener, &InstanceListener::LineReceived, this, [this](const QByteArray& line) {
        if (line == kRaiseRequest)
            emit RaiseRequested();
    });
    return true;
}

} // namespace mitoran
