// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/WindowPlacement.h"

#include "engine/settings/Settings.h"
#include "engine/settings/SettingsStore.h"

namespace mitoran {

namespace {

const char* const kPositionSection = "Position";
constexpr int kEdgeMargin = 50;

std::string ValueName(std::string_view className, std::string_view part) {
    std::string name(className);
    name += '.';
    name += part;
    return name;
}

} // namespace

int CentredOffset(int desktopExtent, int windowExtent) {
    return (desktopExtent - windowExtent) / 2;
}

WindowPosition OnScreenPosition(WindowPosition stored, WindowSize window, WindowSize desktop) {
    WindowPosition position = stored;
    if (position.top > desktop.height - kEdgeMargin)
        position.top = CentredOffset(desktop.height, window.height);
    if (position.left > desktop.width - kEdgeMargin)
        position.left = CentredOffset(desktop.width, window.width);
    return position;
}

WindowPlacementStore::WindowPlacementStore(SettingsStore& store, std::string_view startUser)
    : m_store(store), m_keyPath(UserKeyPath(startUser)) {}

WindowPosition WindowPlacementStore::RestorePosition(std::string_view className, WindowSize window,
                                                     WindowSize desktop) const {
    const StoreSection section(m_store, m_keyPath, kPositionSection);
    const WindowPosition stored{
        section.ReadInteger(ValueName(className, "Top"), CentredOffset(desktop.height, window.height)),
        section.ReadInteger(ValueName(className, "Left"), CentredOffset(desktop.width, window.width))};
    return OnScreenPosition(stored, window, desktop);
}

void WindowPlacementStore::SavePosition(std::string_view className, WindowPosition position) {
    StoreSection section(m_store, m_keyPath, kPositionSection);
    section.WriteInteger(ValueName(className, "Top"), position.top);
    section.WriteInteger(ValueName(className, "Left"), position.left);
}

WindowSize WindowPlacementStore::RestoreSize(std::string_view className, WindowSize current) const {
    const StoreSection section(m_store, m_keyPath, kPositionSection);
    return {section.ReadInteger(ValueName(className, "Height"), current.height),
            section.ReadInteger(ValueName(className, "Width"), current.width)};
}

void WindowPlacementStore::SaveSize(std::string_view className, WindowSize size) {
    StoreSection section(m_store, m_keyPath, kPositionSection);
    section.WriteInteger(ValueName(className, "Height"), size.height);
    section.WriteInteger(ValueName(className, "Width"), size.width);
}

std::string OsReleaseLabelOf(PlatformKind kind, int major, int minor) {
    switch (kind) {
    case PlatformKind::Win32s:
        return "31";
    case PlatformKind::Windows9x:
        return minor == 0 ? "95" : "98";
    case PlatformKind::WindowsNT:
        if (minor != 0)
            return "XP";
        return major == 4 ? "NT" : "2000";
    case PlatformKind::Other:
        break;
    }
    return {};
}

bool UsesVirtualDesktop(std::string_view releaseLabel, bool isWindows) {
    if (!isWindows)
        return true;
    return !(releaseLabel.empty() || releaseLabel == "95" || releaseLabel == "NT");
}

} // namespace mitoran
