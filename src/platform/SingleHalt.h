// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace mitoran {

class InstanceListener;

// The name under which a program of this user announces itself: the base name and the user's id.
QString InstanceName(const QString& base);
// True when a program listens under the name (for example the idle watcher, "TKestrowForm").
bool IsInstanceRunning(const QString& name);
// Hands a command line's request to the program holding the name and returns its answer line: nothing when
// none runs (or it ended without answering), empty when it did not answer within the time.
std::optional<QByteArray> AskRunningInstance(const QString& name, const QByteArray& request, int timeoutMs);

// The one-instance rule: the first process listens under the name; a later one asks it to come to the
// front and ends. A crashed process leaves nothing behind that could block the next start.
class TSingleHalt : public QObject {
    Q_OBJECT

public:
    explicit TSingleHalt(QString name, QObject* parent = nullptr);
    ~TSingleHalt() override;

    // True when this process now holds the name; false when another one does (it has been asked to come to
    // the front).
    bool Claim();

signals:
    void RaiseRequested();
    // A command line's request; a handler sets the answer line (left empty, the request is declined).
    void CommandReceived(const QByteArray& request, QByteArray* answer);

private:
    void AnswerCommands(InstanceListener* listener);

    QString m_name;
};

} // namespace mitoran
