// SPDX-License-Identifier: GPL-3.0-or-later
// "recalc", "show", "pay" and "csv": one month of the sheet, by year and month.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "app/cli/MonthPrint.h"
#include "engine/month/MonthCsv.h"
#include "engine/session/Session.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>

namespace mitoran {

namespace {

struct MonthWords {
    std::string year;
    std::string month;
    std::string file;
    bool passwordStdin = false;
};

void AddMonthWords(CLI::App& command, MonthWords& words) {
    AddWord(command, "year", words.year, "年", "年（1〜9999）");
    AddWord(command, "month", words.month, "月", "月（1〜12）");
}

// The month of the words; nothing, after the message and the usage, when they are not a year and a month.
std::optional<YearMonth> MonthOf(const MonthWords& words, std::ostream& err) {
    const std::optional<int> year = ParseNumber(words.year, 1, 9999);
    const std::optional<int> month = ParseNumber(words.month, 1, 12);
    if (!year || !month) {
        UsageError(err, "年と月を数字で指定してください (例: 2024 3)");
        return std::nullopt;
    }
    return YearMonth{*year, *month};
}

// A command that only looks at the month of its words: the usage when they are no month, else the run in a session
// that writes nothing.
int LookAtMonth(const MonthWords& words, CliEnvironment& environment,
                const std::function<int(YearMonth, Session&)>& run) {
    const std::optional<YearMonth> month = MonthOf(words, environment.err);
    if (!month)
        return kCliUsage;
    return InSession(
        environment, [&](Session& session) { return run(*month, session); }, true);
}

int RunShow(YearMonth month, Session& session, std::ostream& out) {
    session.ShowMonth(month.year, month.month, true);
    PrintHeading(session, month.year, month.month, out);
    PrintDays(session.sheet, out);
    PrintSummary(session.sheet, out);
    return kCliOk;
}

int RunRecalc(const MonthWords& words, CliEnvironment& environment) {
    const std::optional<YearMonth> month = MonthOf(words, environment.err);
    if (!month)
        return kCliUsage;
    if (const std::optional<int> status = HandOver(environment, {"recalc", words.year, words.month}))
        return *status;
    return InSession(
        environment,
        [&](Session& session) {
            session.ShowMonth(month->year, month->month, true);
            session.SaveShownMonth();
            PrintRecalcResult(month->year, month->month, session, environment.out);
            return static_cast<int>(kCliOk);
        },
        false);
}

// The month shown, recalculated and saved as the window saves it: read afresh first when it holds no edits.
std::optional<int> RunHandedRecalc(const MonthWords& words, ShownMonthWindow& window, std::ostream& out,
                                   std::ostream& err) {
    // 0 is no month a window holds.
    const int year = ParseNumber(words.year, 1, 9999).value_or(0);
    const int month = ParseNumber(words.month, 1, 12).value_or(0);
    Session& session = window.WindowSession();
    if (session.sheet.loadedYear != year || session.sheet.loadedMonth != month || month == 0)
        return std::nullopt;
    if (!session.sheet.IsChanged())
        session.ShowMonth(year, month, true);
    if (!window.SaveShownMonth()) {
        PrintNotSaved(err);
        return kCliFileError;
    }
    PrintRecalcResult(year, month, session, out);
    return kCliOk;
}

void AddRecalc(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<MonthWords>();
    CLI::App* command = AddCommand(app, "recalc", "recalc 年 月",
                                   "月を再計算して保存し（有給休暇台帳も更新）、集計を表示する。\n"
                                   "同じユーザーのミトランが起動していれば、その画面に渡して実行する");
    AddMonthWords(*command, *words);
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) { return RunRecalc(*words, environment); };
        chosen.runHanded = [words](ShownMonthWindow& window, std::ostream& out, std::ostream& err) {
            return RunHandedRecalc(*words, window, out, err);
        };
    });
}

void AddShow(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<MonthWords>();
    CLI::App* command =
        AddCommand(app, "show", "show 年 月", "月の各日と、保存されている集計を表示する（何も書き込まない）");
    AddMonthWords(*command, *words);
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) {
            return LookAtMonth(*words, environment, [&](YearMonth month, Session& session) {
                return RunShow(month, session, environment.out);
            });
        };
    });
}

void AddPay(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<MonthWords>();
    CLI::App* command = AddCommand(app, "pay", "pay 年 月 [--password-stdin]",
                                   "月を再計算した給与金額の各欄を「欄名<TAB>値」で表示する（何も書き込まない）。\n"
                                   "金額のパスワードがあれば、先に端末で尋ねる");
    AddMonthWords(*command, *words);
    AddPasswordStdin(*command, words->passwordStdin);
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) {
            return LookAtMonth(*words, environment, [&](YearMonth month, Session& session) {
                if (!AmountsAllowed(environment, session, words->passwordStdin))
                    return static_cast<int>(kCliUsage);
                session.ShowMonth(month.year, month.month, true);
                PrintPayFields(session, environment.out);
                return static_cast<int>(kCliOk);
            });
        };
    });
}

void AddCsv(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<MonthWords>();
    CLI::App* command =
        AddCommand(app, "csv", "csv 年 月 ファイル", "月を再計算して（保存せずに）月の CSV ファイルを書く");
    AddMonthWords(*command, *words);
    AddWord(*command, "file", words->file, "ファイル", "書く CSV ファイル（- なら標準出力）");
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) {
            return LookAtMonth(*words, environment, [&](YearMonth month, Session& session) {
                session.ShowMonth(month.year, month.month, true);
                RecalcMonth(session.sheet, session.settings);
                WriteOutput(words->file, MonthCsvText(session.sheet, month.year, month.month, session.settings),
                            environment.out);
                return static_cast<int>(kCliOk);
            });
        };
    });
}

} // namespace

void AddMonthCommands(CLI::App& app, CliAction& chosen) {
    AddRecalc(app, chosen);
    AddShow(app, chosen);
    AddPay(app, chosen);
    AddCsv(app, chosen);
}

} // namespace mitoran
