// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line program over the same engine, settings store and data folder as the desktop program.
namespace mitoran {

class Folders;
class SettingsStore;

enum CliExit : int { kCliOk = 0, kCliFileError = 1, kCliUsage = 2, kCliNotOverwritten = 3 };

// Runs one command; arguments (without the program name) and output are UTF-8.
int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, std::ostream& out,
           std::ostream& err);

} // namespace mitoran
