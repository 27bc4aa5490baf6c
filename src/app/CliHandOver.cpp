// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliHandOver.h"

#include "platform/SingleHalt.h"

namespace mitoran {

std::optional<HandedResult> WindowHandOver::HandOver(const HandedCommand& command) {
    const std::optional<QByteArray> answer =
        AskRunningInstance(m_instanceName, QByteArray::fromStdString(HandedCommandLine(command)), m_timeoutMs);
    // A window that ended without answering performed nothing the command line could undo: a stamp it
    // saved is then kept by the command line's own run, and a recalculation gives the same file again.
    if (!answer)
        return std::nullopt;
    const std::optional<std::optional<HandedResult>> reply = ParseHandedReplyLine(answer->toStdString());
    if (!reply)
        return HandedResult{kCliFileError, {}, "ミトランが応答しません。何も書き込んでいません\n"};
    return *reply;
}

} // namespace mitoran
