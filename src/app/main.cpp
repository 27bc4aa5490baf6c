// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramFrame.h"
#include "platform/SingleHalt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return mitoran::RunDesktopProgram(application, mitoran::InstanceName(QStringLiteral("TZangyoMain")));
}
