// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace mitoran {

class SettingsStore;

struct WindowPosition {
    int top = 0;
    int left = 0;
    bool operator==(const WindowPosition&) const = default;
};

struct WindowSize {
    int height = 0;
    int width = 0;
    bool operator==(const WindowSize&) const = default;
};

// Offset that centres a window on the desktop along one axis, halves rounded toward zero.
int CentredOffset(int desktopExtent, int windowExtent);

// Where a window goes given its stored top and left: a value that would put the window within 50 pixels of
// the desktop's far edge (or beyond) is replaced by the centred one; negative values are kept.
WindowPosition OnScreenPosition(WindowPosition stored, WindowSize window, WindowSize desktop);

// Window placements under "Position" of the start user's key: "<class>.Top", ".Left", ".Height", ".Width".
class WindowPlacementStore {
public:
    WindowPlacementStore(SettingsStore& store, std::string_view startUser);

    WindowPosition RestorePosition(std::string_view className, WindowSize window, WindowSize desktop) const;
    void SavePosition(std::string_view className, WindowPosition position);
    // The stored size, with the current size for values never stored.
    WindowSize RestoreSize(std::string_view className, WindowSize current) const;
    void SaveSize(std::string_view className, WindowSize size);

private:
    SettingsStore& m_store;
    std::string m_keyPath;
};

// The platform release as the window helpers label it ("31", "95", "98", "NT", "2000", "XP" or empty).
enum class PlatformKind { Win32s, Windows9x, WindowsNT, Other };
std::string OsReleaseLabelOf(PlatformKind kind, int major, int minor);

// Whether the desktop size is that of the whole virtual desktop rather than the primary screen. Windows
// releases are judged by their label; every other platform Qt supports handles several monitors.
bool UsesVirtualDesktop(std::string_view releaseLabel, bool isWindows);

} // namespace mitoran
