// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Cli.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
} // namespace CLI

// The commands of the command line: each adds its subcommand to the parser and, once it is parsed, says what it
// does.
namespace mitoran {

// What a command meets when it runs: the program's store, folders and clock, its output, and the data folder
// and user the command line chose.
struct CliEnvironment {
    SettingsStore& store;
    const Folders& folders;
    const Clock& clock;
    std::ostream& out;
    std::ostream& err;
    CommandHandOver* handOver = nullptr;
    const PdfRenderer& renderPdf;
    WriterLock* writerLock = nullptr;
    const PasswordPrompt& askPassword;
    std::optional<std::filesystem::path> dataDir;
    std::string user; // CP932
};

using HandedRun = std::function<std::optional<int>(ShownMonthWindow& window, std::ostream& out, std::ostream& err)>;

// The parsed command: what it does here, and, for the writing commands a window takes over, what it does there
// (nothing when the window declines).
struct CliAction {
    std::function<int(CliEnvironment&)> run;
    HandedRun runHanded;
};

// Each adds its subcommand (or group) to the parser; when it is the one parsed, it sets the action.
void AddMonthCommands(CLI::App& app, CliAction& chosen); // recalc, show, pay, csv
void AddStampCommand(CLI::App& app, CliAction& chosen);
void AddTotalsCommand(CLI::App& app, CliAction& chosen);
void AddLeaveCommands(CLI::App& app, CliAction& chosen); // leave show, leave csv
void AddSpanCommand(CLI::App& app, CliAction& chosen);
void AddLimitsCommand(CLI::App& app, CliAction& chosen);
void AddPdfCommand(CLI::App& app, CliAction& chosen);

} // namespace mitoran
