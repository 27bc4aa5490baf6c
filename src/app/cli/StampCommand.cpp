// SPDX-License-Identifier: GPL-3.0-or-later
// "stamp in|out": the arrival or leaving time entered as the desktop program enters it at its start or end.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "app/cli/MonthPrint.h"
#include "engine/calendar/Clock.h"
#include "engine/month/MonthFile.h"
#include "engine/session/AutoEntry.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace mitoran {

namespace {

struct StampWords {
    std::string kind; // "in" or "out"
    std::optional<std::string> at;
};

int PrintStampResult(TimeKind kind, const LocalDateTime& now, const AutoEntryResult& result, const Session& session,
                     std::ostream& out, std::ostream& err) {
    const std::string word = Cp932ToUtf8(kind == TimeKind::Arrival ? text::kArrivalWord : text::kLeavingWord);
    if (result.day == 0) {
        err << result.sheetMonth.year << "年" << result.sheetMonth.month << "月の表に " << now.month << "/" << now.day
            << " の行がありません\n";
        return kCliFileError;
    }
    const YearMonth shown = result.sheetMonth;
    PrintHeading(session, shown.year, shown.month, out);
    const std::string day = Cp932ToUtf8(DayLabel(session.sheet.days[static_cast<std::size_t>(result.day)], false));
    const std::string time = Cp932ToUtf8(TrimText(result.text));
    if (result.outcome == AutoEntryOutcome::Entered || result.outcome == AutoEntryOutcome::EnteredUnsaved) {
        out << word << " " << day << " " << time << " を入力しました\n";
        if (result.outcome == AutoEntryOutcome::EnteredUnsaved) {
            PrintNotSaved(err);
            return kCliFileError;
        }
        out << "保存しました: "
            << MonthFilePath(session.Location().dataFolder, shown.year, shown.month, session.CurrentUser()).string()
            << '\n';
        return kCliOk;
    }
    out << word << " " << day << " は入力済みです (" << time << ")。";
    if (result.overwriteAsked)
        out << "上書き確認の設定 (EndOverWrite=1) のため上書きしません\n";
    else
        out << "上書きしません\n";
    return kCliNotOverwritten;
}

std::string StampTimeText(const LocalDateTime& time) {
    return PadNumber(time.year, 4, "0") + "-" + PadNumber(time.month, 2, "0") + "-" + PadNumber(time.day, 2, "0") +
           " " + PadNumber(time.hour, 2, "0") + ":" + PadNumber(time.minute, 2, "0");
}

std::optional<TimeKind> KindOf(const std::string& word) {
    if (word == "in")
        return TimeKind::Arrival;
    if (word == "out")
        return TimeKind::Leaving;
    return std::nullopt;
}

// The automatic entry as a start or an end of the desktop program makes it, without a window: a time already
// there is kept unless the settings overwrite it without asking. A window of the same data folder and user is
// handed the command first, with the moment of the command, not the moment it gets to it.
int RunStamp(const StampWords& words, CliEnvironment& environment) {
    const std::optional<TimeKind> kind = KindOf(words.kind);
    if (!kind)
        return UsageError(environment.err);
    const std::optional<LocalDateTime> now = words.at ? ParseStampTime(*words.at) : environment.clock.Now();
    if (!now)
        return UsageError(environment.err, "--at には日時を \"2024-03-21 08:07\" の形で指定してください");
    if (const std::optional<int> status = HandOver(environment, {"stamp", words.kind, "--at", StampTimeText(*now)}))
        return *status;
    return InSession(
        environment,
        [&](Session& session) {
            RefusingTimeConfirm noWindow;
            const AutoEntryResult result = AutoTimeEntry(*kind, kAutoInSilent, session, *now, noWindow);
            return PrintStampResult(*kind, *now, result, session, environment.out, environment.err);
        },
        false);
}

std::optional<int> RunHandedStamp(const StampWords& words, ShownMonthWindow& window, std::ostream& out,
                                  std::ostream& err) {
    const std::optional<TimeKind> kind = KindOf(words.kind);
    const std::optional<LocalDateTime> now = words.at ? ParseStampTime(*words.at) : std::nullopt;
    if (!kind || !now)
        return std::nullopt;
    Session& session = window.WindowSession();
    const std::optional<AutoEntryResult> result =
        AutoTimeEntryInShownMonth(*kind, session, *now, [&window] { return window.SaveShownMonth(); });
    if (!result)
        return std::nullopt;
    return PrintStampResult(*kind, *now, *result, session, out, err);
}

} // namespace

void AddStampCommand(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<StampWords>();
    CLI::App* command = AddCommand(app, "stamp", "stamp in|out [--at \"YYYY-MM-DD HH:MM\"]",
                                   "出社（in）または退社（out）時刻を設定どおりに自動入力して保存する。\n"
                                   "同じユーザーのミトランが起動していれば、その画面に渡して実行する");
    AddWord(*command, "kind", words->kind, "in|out", "in は出社時刻、out は退社時刻");
    AddValueOption(*command, "--at", words->at, "\"YYYY-MM-DD HH:MM\"", "現在時刻の代わりに使う日時");
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) { return RunStamp(*words, environment); };
        chosen.runHanded = [words](ShownMonthWindow& window, std::ostream& out, std::ostream& err) {
            return RunHandedStamp(*words, window, out, err);
        };
    });
}

} // namespace mitoran
