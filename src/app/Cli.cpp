// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Cli.h"

#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "engine/session/Session.h"
#include "engine/session/Users.h"
#include "engine/text/Cp932.h"
#include "engine/text/WriterLock.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <sstream>

namespace mitoran {

namespace {

// The options of the whole command line, which every command takes, before or after its name.
struct CliGlobals {
    std::optional<std::filesystem::path> dataDir;
    std::string user; // CP932
};

// The parser of the whole command line: it fills the globals and the action of the command given.
std::unique_ptr<CLI::App> MakeParser(CliGlobals& globals, CliAction& chosen) {
    auto app = std::make_unique<CLI::App>("", "mitoran-cli");
    app->formatter(MakeHelpFormatter());
    app->set_help_flag("-h,--help", "使い方を表示する");
    app->set_version_flag("--version", "mitoran-cli (ミトラン) " MITORAN_VERSION, "版を表示する");
    app->add_option_function<std::string>(
           "--data-dir", [&globals](const std::string& folder) { globals.dataDir = PathOfArgument(folder); },
           "データフォルダ（環境変数 MITORAN_DATA_DIR より優先）")
        ->option_text("フォルダ");
    app->add_option_function<std::string>(
           "--user", [&globals](const std::string& name) { globals.user = Utf8ToCp932(name); },
           "指定したユーザーのデータと設定を使う")
        ->option_text("名前");
    app->require_subcommand(1, 1);
    AddMonthCommands(*app, chosen);
    AddStampCommand(*app, chosen);
    AddTotalsCommand(*app, chosen);
    AddLeaveCommands(*app, chosen);
    AddSpanCommand(*app, chosen);
    AddLimitsCommand(*app, chosen);
    AddPdfCommand(*app, chosen);
    return app;
}

// Parses the arguments; the status when the parse alone ends the command: the help or the version shown, or
// a mistake with the usage.
std::optional<int> Parse(CLI::App& app, const std::vector<std::string>& arguments, const CliGlobals& globals,
                         const CliAction& chosen, std::ostream& out, std::ostream& err) {
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kCliOk;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        return kCliOk;
    } catch (const CLI::ParseError&) {
        return UsageError(err);
    }
    // A user's name must not lead out of the data folder.
    if (!IsUsableUserName(globals.user) || !chosen.run)
        return UsageError(err);
    return std::nullopt;
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, const Clock& clock,
           std::ostream& out, std::ostream& err, CommandHandOver* handOver, const PdfRenderer& renderPdf,
           WriterLock* writerLock, const PasswordPrompt& askPassword) {
    CliGlobals globals;
    CliAction chosen;
    const std::unique_ptr<CLI::App> app = MakeParser(globals, chosen);
    if (const std::optional<int> status = Parse(*app, arguments, globals, chosen, out, err))
        return *status;
    CliEnvironment environment{store,      folders,     clock,           out,         err, handOver, renderPdf,
                               writerLock, askPassword, globals.dataDir, globals.user};
    return chosen.run(environment);
}

std::optional<HandedResult> RunHandedCommand(const HandedCommand& handed, ShownMonthWindow& window) {
    CliGlobals globals;
    CliAction chosen;
    const std::unique_ptr<CLI::App> app = MakeParser(globals, chosen);
    std::ostringstream out;
    std::ostringstream err;
    if (Parse(*app, handed.arguments, globals, chosen, out, err) || !chosen.runHanded ||
        !SessionTakesCommand(window.WindowSession(), handed))
        return std::nullopt;
    std::optional<int> status;
    // The month is read afresh, changed and saved under one hold of the writer lock, as the command line does it.
    try {
        const WriterLockHold held = window.WindowSession().HoldWriterLock();
        status = chosen.runHanded(window, out, err);
    } catch (const WriterLockBusy& error) {
        return HandedResult{kCliFileError, {}, Cp932ToUtf8(error.what()) + '\n'};
    }
    if (!status)
        return std::nullopt;
    window.ShowChanges();
    return HandedResult{*status, out.str(), err.str()};
}

} // namespace mitoran
