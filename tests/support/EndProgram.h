// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

namespace mitoran::test {

// Asks a started program to end and waits for it. On Windows QProcess asks by a close message to the program's
// windows, which a program on the offscreen platform does not have: it is ended outright there.
inline bool EndProgram(QProcess& program, int timeoutMs = 10000) {
#ifdef Q_OS_WIN
    program.kill();
#else
    program.terminate();
#endif
    return program.waitForFinished(timeoutMs);
}

} // namespace mitoran::test
