// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Tray.h"

#include "engine/text/Util.h"

#include <algorithm>
#include <utility>

namespace mitoran {

MinimisePlan PlanMinimise(MinimiseRoute route, const MinimiseState& state) {
    if (route == MinimiseRoute::EscKey && !state.escKeyMin)
        return {};
    const bool noSibling = route == MinimiseRoute::StartupTimer && state.startedMinimised;
    return {.minimise = true,
            .changeIcon = route != MinimiseRoute::StartupTimer,
            .startWatcher = state.idleProcess && !noSibling,
            .hideWindow = state.trayAvailable};
}

AfterMinimise AfterStartupMinimise(const CommandLine& line) {
    if (line.disp)
        return AfterMinimise::Restore;
    if (line.down)
        return AfterMinimise::Close;
    return AfterMinimise::Stay;
}

bool RestoreAsksPassword(std::string_view startUserPassword, bool reOpenPassIn) {
    return !startUserPassword.empty() && reOpenPassIn;
}

RestoreOutcome TrayRestore::Restore(bool asksPassword, const std::function<bool()>& ask) {
    if (!asksPassword)
        return RestoreOutcome::Granted;
    if (m_asking)
        return RestoreOutcome::AlreadyAsking;
    m_asking = true;
    struct Done {
        bool& asking;
        ~Done() { asking = false; }
    } done{m_asking};
    return ask() ? RestoreOutcome::Granted : RestoreOutcome::Refused;
}

std::vector<std::string> UserPartArguments(const CommandLine& line) {
    if (line.multiUser)
        return {"/M"};
    if (!line.startUser.empty())
        return {"/U:" + line.startUser};
    return {};
}

std::vector<std::string> WatcherArguments(int iconSelect, const CommandLine& line) {
    std::vector<std::string> arguments{"/Idle", std::to_string(iconSelect)};
    std::ranges::move(UserPartArguments(line), std::back_inserter(arguments));
    return arguments;
}

WatcherCommandLine ParseWatcherCommandLine(const std::vector<std::string>& parameters) {
    WatcherCommandLine watcher;
    const auto idle = std::ranges::find_if(
        parameters, [](const std::string& parameter) { return EqualsIgnoringAsciiCase(parameter, "/Idle"); });
    if (idle != parameters.end() && std::next(idle) != parameters.end())
        watcher.iconSelect = TextToIntDef(*std::next(idle), 0);
    // The user part means to the watcher what it means to the program.
    watcher.userPart = UserPartArguments(ParseCommandLine(parameters));
    return watcher;
}

std::vector<std::string> ProgramArguments(WatcherAction action, const WatcherCommandLine& watcher) {
    std::vector<std::string> arguments;
    if (action == WatcherAction::SessionEnd)
        arguments.emplace_back("/Down");
    else if (action == WatcherAction::Returned)
        arguments.emplace_back("/Disp");
    arguments.insert(arguments.end(), watcher.userPart.begin(), watcher.userPart.end());
    return arguments;
}

} // namespace mitoran
