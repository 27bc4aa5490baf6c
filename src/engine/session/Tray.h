// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/CommandLine.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The notification area: what each way of minimising does, restoring behind the tray password, and the
// command lines between the program and its idle watcher. Texts are CP932.
namespace mitoran {

enum class MinimiseRoute {
    WindowCommand, // the window's own minimise (title bar, system menu)
    EscKey,        // Esc in the main window or a dialog with the hidden Esc button
    StartupTimer,  // "/Disp", "/Down" or "StartAutoMinimize" right after start-up
};

struct MinimiseState {
    bool escKeyMin = false;        // the start user's "EscKeyMin"
    bool idleProcess = false;      // "IdleProcess"
    bool startedMinimised = false; // "/Disp" or "/Down": the timer route then starts no watcher
    bool trayAvailable = false;    // the desktop has a notification area
};

struct MinimisePlan {
    bool minimise = false;     // the route acts at all
    bool changeIcon = false;   // the tray image follows "IconSelect" first
    bool startWatcher = false; // hand over to the idle watcher and close
    bool hideWindow = false;   // into the notification area; without one the window stays minimised
};

MinimisePlan PlanMinimise(MinimiseRoute route, const MinimiseState& state);

// What the start-up timer does once the window is minimised.
enum class AfterMinimise { Stay, Restore, Close };
AfterMinimise AfterStartupMinimise(const CommandLine& line);

// The tray password is asked when the start user has a password and "ReOpenPassIn" on.
bool RestoreAsksPassword(std::string_view startUserPassword, bool reOpenPassIn);

enum class RestoreOutcome { Granted, Refused, AlreadyAsking };

// Restoring from the tray: one prompt at a time, the attempts afresh at each restore. `ask` runs the password
// prompt (up to three entries) and gives whether one matched.
class TrayRestore {
public:
    RestoreOutcome Restore(bool asksPassword, const std::function<bool()>& ask);
    bool Asking() const { return m_asking; }

private:
    bool m_asking = false;
};

// The user part handed on: "/M" when started with it, else "/U:" and the start user when one was named.
std::vector<std::string> UserPartArguments(const CommandLine& line);
// The idle watcher's arguments: "/Idle", the icon number and the user part.
std::vector<std::string> WatcherArguments(int iconSelect, const CommandLine& line);

// What the idle watcher reads from its own command line.
struct WatcherCommandLine {
    int iconSelect = 0;
    std::vector<std::string> userPart;
};
WatcherCommandLine ParseWatcherCommandLine(const std::vector<std::string>& parameters);

enum class WatcherAction {
    Open,       // "開く(&O)": the program as it was started
    SessionEnd, // the desktop session ends: "/Down", so the leaving time is entered
    Returned,   // the user is back after being idle: "/Disp", behind the tray password
};
// The arguments with which the watcher starts the program again.
std::vector<std::string> ProgramArguments(WatcherAction action, const WatcherCommandLine& watcher);

} // namespace mitoran
