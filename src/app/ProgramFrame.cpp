// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramFrame.h"

#include "app/HandedCommands.h"
#include "engine/calendar/Clock.h"
#include "engine/session/CommandLine.h"
#include "engine/session/PasswordCheck.h"
#include "engine/session/Questions.h"
#include "engine/session/Users.h"
#include "engine/settings/Folders.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "gui/common/Accessibility.h"
#include "gui/common/DeferredIconStyle.h"
#include "gui/common/MessageBoxQuestions.h"
#include "gui/common/PassForm.h"
#include "gui/common/ProgramFont.h"
#include "gui/common/ProgramIcon.h"
#include "gui/main/MainForm.h"
#include "platform/Cp932Qt.h"
#include "platform/FileWriterLock.h"
#include "platform/QtSettingsStore.h"
#include "platform/SingleHalt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

#include <iostream>
#include <utility>

namespace mitoran {

void PrepareApplication() {
    // Dialogs and popup menus do not inherit a window's font: the application's font reaches them all.
    QApplication::setFont(ProgramFont());
    static bool translated = false;
    if (std::exchange(translated, true))
        return;
    // Desktops find the menu entry and its icon by this name (Wayland's application id).
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.quorvan.Mitoran"));
    auto* translator = new QTranslator(qApp);
    // Qt's shared translations where the system has them, else the copy compiled into the program (Windows).
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        translator->load(QStringLiteral("qtbase_ja"), QStringLiteral(":/translations")))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

std::unique_ptr<StartedProgram> StartProgram(const std::vector<std::string>& parameters,
                                             const ProgramServices& services) {
    const CommandLine line = ParseCommandLine(parameters);
    if (IsInstanceRunning(services.watcherName))
        return nullptr;
    if (!IsUsableUserName(line.startUser)) {
        services.questions.AskStyled(text::kStartErrorCaption,
                                     ReplaceAllText(text::kUnusableUserName, "%s", line.startUser), Buttons::Ok,
                                     QuestionIcon::Error, Answer::Ok);
        return nullptr;
    }

    PrepareApplication();
    auto program = std::make_unique<StartedProgram>();
    program->halt = std::make_unique<TSingleHalt>(services.instanceName);
    if (!program->halt->Claim())
        return nullptr;
    program->window = std::make_unique<TZangyoMain>(MainServices{services, line});
    QObject::connect(program->halt.get(), &TSingleHalt::RaiseRequested, program->window.get(),
                     &TZangyoMain::BringToFront);
    AnswerHandedCommands(*program->halt, *program->window);

    const StartupPassword startup = ReadStartupPassword(services.store, line.startUser);
    if (NeedsStartupPassword(line, startup) && !PromptPassword(startup.password, services.questions))
        return nullptr;
    return program;
}

int RunProgram(QApplication& application, const ProgramServices& services, const std::function<void()>& onScreen) {
    std::vector<std::string> parameters;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(FromQString(arguments[i]));

    const std::unique_ptr<StartedProgram> program = StartProgram(parameters, services);
    if (!program)
        return 0;
    TZangyoMain* window = program->window.get();
    QObject::connect(&application, &QGuiApplication::commitDataRequest, window, &TZangyoMain::SessionEndQuery);
    QObject::connect(window, &TZangyoMain::OnScreen, window, onScreen);
    // The window may close while hidden in the notification area, and a prompt may close while it is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(window, &TZangyoMain::Closed, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    window->show();
    return application.exec();
}

int RunDesktopProgram(QApplication& application, const QString& instanceName) {
    QApplication::setStyle(new FocusFrameStyle(new DeferredIconStyle));
    QApplication::setWindowIcon(ProgramIcon());
    QtSettingsStore store;
    for (const std::string& note : store.PrivacyNotes())
        std::cerr << Cp932ToUtf8(note) << '\n';
    // The settings a first run writes wait in memory until the window is on screen (and are written when the
    // program ends, in any case).
    store.HoldSaving();
    const StandardFolders folders(QApplication::applicationDirPath().toStdU16String());
    const SystemClock clock;
    MessageBoxQuestions questions;
    FileWriterLock writerLock("mitoran");
    return RunProgram(
        application,
        {{store, folders, clock, questions, &writerLock}, instanceName, InstanceName(QStringLiteral("TKestrowForm"))},
        [&store] { store.ResumeSaving(); });
}

} // namespace mitoran
