// SPDX-License-Identifier: GPL-3.0-or-later
// "leave show" and "leave csv": the paid-leave ledger after a recalculation.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "engine/leave/LedgerEditing.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace mitoran {

namespace {

// The ledger as the window shows it after a recalculation, one tab-separated line per entry.
int PrintLedger(const Ledger& ledger, std::ostream& out) {
    out << Cp932ToUtf8(text::kKuriZanLabel) << "\t" << Cp932ToUtf8(ledger.CarryOverText()) << '\n';
    for (int row = 1; row <= ledger.EntryCount(); ++row) {
        out << row;
        for (const std::string& cell : ledger.Row(row).cells)
            out << '\t' << Cp932ToUtf8(cell);
        out << '\n';
    }
    out << Cp932ToUtf8(text::kNowZanLabel) << "\t" << Cp932ToUtf8(ledger.CurrentBalanceText()) << '\n';
    return kCliOk;
}

int InLedger(CliEnvironment& environment, const std::function<int(Session&)>& run) {
    return InSession(
        environment,
        [&](Session& session) {
            session.ledger.LoadLedger();
            return run(session);
        },
        true);
}

} // namespace

void AddLeaveCommands(CLI::App& app, CliAction& chosen) {
    CLI::App* leave = AddCommand(app, "leave", "leave show\nleave csv ファイル", "有給休暇台帳を表示する、または書く");
    leave->require_subcommand(1, 1);

    CLI::App* show = AddCommand(*leave, "show", "leave show",
                                "有給休暇台帳を再計算した内容（繰越残日数、各行、現在残日数）をタブ区切りで表示する。\n"
                                "何も書き込まない");
    show->callback([&chosen] {
        chosen.run = [](CliEnvironment& environment) {
            return InLedger(environment,
                            [&](Session& session) { return PrintLedger(session.ledger, environment.out); });
        };
    });

    auto file = std::make_shared<std::string>();
    CLI::App* csv = AddCommand(*leave, "csv", "leave csv ファイル",
                               "有給休暇の CSV ファイルを書く（デスクトッププログラムの「CSVﾌｧｲﾙ出力」と同じ内容）");
    AddWord(*csv, "file", *file, "ファイル", "書く CSV ファイル（- なら標準出力）");
    csv->callback([&chosen, file] {
        chosen.run = [file](CliEnvironment& environment) {
            return InLedger(environment, [&](Session& session) {
                WriteOutput(*file, LedgerCsvText(session.ledger, session.settings), environment.out);
                return static_cast<int>(kCliOk);
            });
        };
    });
}

} // namespace mitoran
