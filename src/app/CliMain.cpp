// SPDX-License-Identifier: GPL-3.0-or-later
// mitoran-cli: the month calculation, files and time stamps from a terminal, with the desktop program's settings.
#include "app/Cli.h"
#include "app/CliHandOver.h"
#include "engine/calendar/Clock.h"
#include "engine/settings/Folders.h"
#include "platform/QtSettingsStore.h"
#include "platform/SingleHalt.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    std::vector<std::string> arguments;
    const QStringList qtArguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i)
        arguments.push_back(qtArguments[i].toStdString());

    mitoran::QtSettingsStore store;
    const mitoran::StandardFolders folders(QCoreApplication::applicationDirPath().toStdString());
    const mitoran::SystemClock clock;
    mitoran::WindowHandOver handOver(mitoran::InstanceName(QStringLiteral("TZangyoMain")));
    const int status = mitoran::RunCli(arguments, store, folders, clock, std::cout, std::cerr, &handOver);
    if (!store.Sync() && status == mitoran::kCliOk) {
        std::cerr << "設定を保存できません\n";
        return mitoran::kCliFileError;
    }
    return status;
}
