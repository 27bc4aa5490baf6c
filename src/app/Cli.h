// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line program over the same engine, settings store and data folder as the desktop program.
namespace mitoran {

class Clock;
class Folders;
class SettingsStore;

enum CliExit : int { kCliOk = 0, kCliFileError = 1, kCliUsage = 2, kCliNotOverwritten = 3 };

// Runs one command; arguments (without the program name) and output are UTF-8. The clock gives "now" to
// the commands that stamp a time without --at.
int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, const Clock& clock,
           std::ostream& out, std::ostream& err);

} // namespace mitoran
