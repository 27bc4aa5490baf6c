// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/HandedCommand.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The command-line program over the same engine, settings store and data folder as the desktop program.
namespace mitoran {

class Clock;
class Folders;
class Session;
class SettingsStore;
class WriterLock;
struct PrintDocument;

enum CliExit : int { kCliOk = 0, kCliFileError = 1, kCliUsage = 2, kCliNotOverwritten = 3 };

// Hands a writing command to the running desktop program; nothing when none runs or it declines.
class CommandHandOver {
public:
    virtual ~CommandHandOver() = default;
    virtual std::optional<HandedResult> HandOver(const HandedCommand& command) = 0;
};

// The bytes of a laid-out document as a PDF file: the program's painter, which the "pdf" commands need.
using PdfRenderer = std::function<std::string(const PrintDocument&)>;

// Reads the amounts password, UTF-8, from standard input (true: "--password-stdin") or from the terminal without
// echo; nothing when no line could be read.
using PasswordPrompt = std::function<std::optional<std::string>(bool fromStandardInput)>;

// Runs one command; arguments (without the program name) and output are UTF-8. The clock gives "now" to
// the commands that stamp a time without --at, and the print date of a PDF. A writing command (recalc, stamp)
// goes to the hand-over first and is performed here only when no window takes it, under the writer lock; what
// the window reports is printed as it is. The commands that show amounts ask the user's amounts password, when
// they have one, through askPassword.
int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, const Clock& clock,
           std::ostream& out, std::ostream& err, CommandHandOver* handOver = nullptr, const PdfRenderer& renderPdf = {},
           WriterLock* writerLock = nullptr, const PasswordPrompt& askPassword = {});

// The desktop program's main window as a handed command meets it.
class ShownMonthWindow {
public:
    virtual ~ShownMonthWindow() = default;
    virtual Session& WindowSession() = 0;
    // Saves the month on display as the window's own save does; false when that wrote nothing.
    virtual bool SaveShownMonth() = 0;
    // Shows the session's month again after a command changed it.
    virtual void ShowChanges() = 0;
};

// Performs a handed command in the window when it is for the window's data folder, user and the month it
// shows, printing what the command line prints when it writes itself; nothing when the window declines.
std::optional<HandedResult> RunHandedCommand(const HandedCommand& command, ShownMonthWindow& window);

} // namespace mitoran
