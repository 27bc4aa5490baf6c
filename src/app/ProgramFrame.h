// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/PlatformServices.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QApplication;

namespace mitoran {

class TSingleHalt;
class TZangyoMain;

// The platform's services and the names of the one-instance channel and the idle watcher's channel.
struct ProgramServices : PlatformServices {
    QString instanceName; // the one-instance name (InstanceName("TZangyoMain"))
    QString watcherName;  // the idle watcher's name (InstanceName("TKestrowForm"))
};

// The desktop program once started: it holds the one-instance name and its main window (not yet shown).
struct StartedProgram {
    std::unique_ptr<TSingleHalt> halt;
    std::unique_ptr<TZangyoMain> window;
};

// What all windows share, set before the first is made: the program's font, and Qt's own Japanese texts for
// the standard buttons and the system dialogs (when Qt's translations are installed).
void PrepareApplication();

// The start-up frame up to the message loop: the command line, the idle-watcher and one-instance checks,
// the shared font and translations, the main window's creation and the start-up password. Nothing when the program is
// to end without showing anything. The parameters are CP932, without the program's name.
std::unique_ptr<StartedProgram> StartProgram(const std::vector<std::string>& parameters,
                                             const ProgramServices& services);

// Starts the program and runs its message loop; the exit code. `onScreen` runs once the main window has first
// been painted.
int RunProgram(QApplication& application, const ProgramServices& services, const std::function<void()>& onScreen);

// The desktop program with the real settings store, data folder, clock and message boxes, holding the
// one-instance name given.
int RunDesktopProgram(QApplication& application, const QString& instanceName);

} // namespace mitoran
