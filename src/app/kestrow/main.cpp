// SPDX-License-Identifier: GPL-3.0-or-later
// kestrow, the idle watcher: started by mitoran when it hands over on minimising ("IdleProcess"), it keeps new
// starts of mitoran from running until it is opened or ended, and starts mitoran with "/Down" when the desktop
// session ends, so that the leaving time is entered.
#include "gui/common/ProgramFont.h"
#include "gui/tray/KestrowForm.h"
#include "platform/Cp932Qt.h"
#include "platform/SingleHalt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    using namespace mitoran;
    QApplication application(argc, argv);
    // The icon alone may be all there is on screen.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(ProgramFont());

    std::vector<std::string> parameters;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(FromQString(arguments[i]));

    TKestrowForm form(
        {ParseWatcherCommandLine(parameters), SiblingProgram(QStringLiteral("mitoran")), StartDetachedProgram},
        std::make_unique<SystemTray>());
    if (!form.Claim(InstanceName(QStringLiteral("TKestrowForm"))))
        return 0;
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &form, &TKestrowForm::SessionEnding);
    QObject::connect(&form, &TKestrowForm::Ended, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    form.Present();
    return application.exec();
}
