// SPDX-License-Identifier: GPL-3.0-or-later
// mitoran-cli: the month calculation, files and time stamps from a terminal, with the desktop program's settings.
#include "app/Cli.h"
#include "app/CliHandOver.h"
#include "app/TerminalPassword.h"
#include "engine/calendar/Clock.h"
#include "engine/settings/Folders.h"
#include "engine/text/Cp932.h"
#include "gui/common/PrintPainter.h"
#include "platform/FileWriterLock.h"
#include "platform/QtSettingsStore.h"
#include "platform/SingleHalt.h"

#include <QGuiApplication>

#include <algorithm>
#include <iostream>
#include <memory>

namespace {

// Only "pdf" paints, and it needs fonts: a GUI application, on the offscreen platform where a display may be
// missing. Windows always has its desktop, whose platform knows the system's fonts.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[]) {
    const bool paints = std::any_of(argv + 1, argv + argc, [](const char* word) { return std::string(word) == "pdf"; });
    if (!paints)
        return std::make_unique<QCoreApplication>(argc, argv);
#ifndef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    std::vector<std::string> arguments;
    const QStringList qtArguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i)
        arguments.push_back(qtArguments[i].toStdString());

    mitoran::QtSettingsStore store;
    for (const std::string& note : store.PrivacyNotes())
        std::cerr << mitoran::Cp932ToUtf8(note) << '\n';
    const mitoran::StandardFolders folders(QCoreApplication::applicationDirPath().toStdU16String());
    const mitoran::SystemClock clock;
    mitoran::WindowHandOver handOver(mitoran::InstanceName(QStringLiteral("TZangyoMain")));
    const auto askPassword = [](bool fromStandardInput) {
        return fromStandardInput ? mitoran::ReadPasswordLine(std::cin)
                                 : mitoran::ReadPasswordFromTerminal("金額のﾊﾟｽﾜｰﾄﾞ: ");
    };
    mitoran::FileWriterLock writerLock("mitoran-cli");
    const int status = mitoran::RunCli(arguments, store, folders, clock, std::cout, std::cerr, &handOver,
                                       mitoran::PdfBytes, &writerLock, askPassword);
    if (!store.Sync() && status == mitoran::kCliOk) {
        std::cerr << "設定を保存できません\n";
        return mitoran::kCliFileError;
    }
    return status;
}
