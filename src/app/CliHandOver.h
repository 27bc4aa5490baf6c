// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Cli.h"

#include <QString>

#include <utility>

namespace mitoran {

// How long the command line waits for the window's answer: long enough for the user to answer a question
// the save may ask.
inline constexpr int kHandOverTimeoutMs = 120000;

// The command line's side: hands its writing commands to the program holding the one-instance name.
class WindowHandOver final : public CommandHandOver {
public:
    explicit WindowHandOver(QString instanceName, int timeoutMs = kHandOverTimeoutMs)
        : m_instanceName(std::move(instanceName)), m_timeoutMs(timeoutMs) {}
    std::optional<HandedResult> HandOver(const HandedCommand& command) override;

private:
    QString m_instanceName;
    int m_timeoutMs;
};

} // namespace mitoran
