// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace mitoran {

// The name under which a program of this user announces itself: the base name and the user's id.
QString InstanceName(const QString& base);
// True when a program listens under the name (for example the idle watcher, "TKestrowForm").
bool IsInstanceRunning(const QString& name);

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

private:
    QString m_name;
};

} // namespace mitoran
