// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace mitoran {

// Connects to the program of this user listening under the name and sends it the bytes; false when none
// listens there.
bool SendToInstance(const QString& name, const QByteArray& bytes);

// Sends one line (without its line end) to the program of this user listening under the name and waits for
// the line it answers. Nothing when none listens there or it goes away without answering; an empty line when
// it does not answer in time.
std::optional<QByteArray> AskInstance(const QString& name, const QByteArray& line, int timeoutMs);

// Listens under a name of this user's programs and reports each line that a program of this user sends to it
// (without its line end).
class InstanceListener : public QObject {
    Q_OBJECT

public:
    explicit InstanceListener(QObject* parent = nullptr);
    ~InstanceListener() override;

    // False when another process already holds the name.
    bool Listen(const QString& name);
    // Answers the sender of the line being reported; only while LineReceived is being handled.
    void Reply(const QByteArray& bytes);

signals:
    void LineReceived(const QByteArray& line);

private:
    struct Endpoint;
    std::unique_ptr<Endpoint> m_endpoint;
};

} // namespace mitoran
