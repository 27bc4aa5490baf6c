// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

// The names a screen reader gives the controls that no visible label beside them names by itself: value
// fields, combo boxes (which would be named by their value) and grids, each by its label and unit, unique
// within its window.
namespace mitoran {

struct ControlName {
    std::string window;  // the window's class ("TSetting")
    std::string control; // the control's object name
    std::string name;    // CP932
};

// Every name of the window's controls (none for a window without entries).
std::span<const ControlName> ControlNamesOf(std::string_view window);

} // namespace mitoran
