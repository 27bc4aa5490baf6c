// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliHandOver.h"

#include "platform/SingleHalt.h"

namespace mitoran {

std::optional<HandedResult> WindowHandOver::HandOver(const HandedCommand& command) {
    const std::optional<QByteArray> answer =
        AskRunningInstance(m_instanceName, QByteArray::fromStdString(HandedCommandLine(command)), m_timeoutMs);
    if (!answer)
        return std::nullopt;
    const std::optional<std::optional<HandedResult>> reply = ParseHandedReplyLine(answer->toStdString());
    if (!reply)
        return HandedResult{kCliFileError, {}, "ミトランが応答しません。何も書き込んでいません\n"};
    return *reply;
}

} // namespace mitoran
