// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramFrame.h"
#include "app/SingleHalt.h"
#include "config/QtSettingsStore.h"
#include "core/Clock.h"
#include "core/Folders.h"
#include "ui/MessageBoxQuestions.h"
#include "ui/ProgramIcon.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(mitoran::ProgramIcon());
    mitoran::QtSettingsStore store;
    const mitoran::StandardFolders folders(QApplication::applicationDirPath().toStdU16String());
    const mitoran::SystemClock clock;
    mitoran::MessageBoxQuestions questions;
    const mitoran::ProgramServices services{store,
                                            folders,
                                            clock,
                                            questions,
                                            mitoran::InstanceName(QStringLiteral("TZangyoMain")),
                                            mitoran::InstanceName(QStringLiteral("TKestrowForm"))};
    return mitoran::RunProgram(application, services);
}
