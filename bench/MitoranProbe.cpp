// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program started as its own main() starts it, reporting its first painted table for the
// start-up benchmark. The one-instance name is its own, so a running program of the user does not interfere.
#include "FirstPaint.h"
#include "app/ProgramFrame.h"
#include "platform/SingleHalt.h"

#include <unistd.h>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ReportFirstPaint(application);
    return mitoran::RunDesktopProgram(application,
                                      mitoran::InstanceName(QStringLiteral("TZangyoMainBench%1").arg(::getpid())));
}
