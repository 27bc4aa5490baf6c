// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mitoran {

// What the command line of the desktop program chooses. Texts are CP932.
struct CommandLine {
    std::string startUser;  // "/U:" + name; empty for the default user
    bool multiUser = false; // "/M": the default user, with the user menu
    bool disp = false;      // "/Disp" as the first parameter
    bool down = false;      // "/Down" as the first parameter

    // Started by another program to be minimised at once: no start-up password prompt.
    bool StartsMinimised() const { return disp || down; }
};

// Reads the parameters (without the program's own name).
CommandLine ParseCommandLine(const std::vector<std::string>& parameters);

// True when the two texts are equal with ASCII letters compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace mitoran
