// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program started exactly as its own main() starts it, reporting its first painted table for the
// start-up benchmark. The one-instance name is its own, so a running program of the user does not interfere.
#include "FirstPaint.h"
#include "app/ProgramFrame.h"
#include "app/SingleHalt.h"
#include "config/QtSettingsStore.h"
#include "core/Clock.h"
#include "core/Folders.h"
#include "ui/MessageBoxQuestions.h"

#include <unistd.h>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ReportFirstPaint(application);
    mitoran::QtSettingsStore store;
    const mitoran::StandardFolders folders(QApplication::applicationDirPath().toStdU16String());
    const mitoran::SystemClock clock;
    mitoran::MessageBoxQuestions questions;
    const mitoran::ProgramServices services{store,
                                            folders,
                                            clock,
                                            questions,
                                            mitoran::InstanceName(QStringLiteral("TZangyoMainBench%1").arg(::getpid())),
                                            mitoran::InstanceName(QStringLiteral("TKestrowForm"))};
    return mitoran::RunProgram(application, services);
}
