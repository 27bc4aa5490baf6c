// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Cli.h"

#include "engine/calendar/Calendar.h"
#include "engine/calendar/Clock.h"
#include "engine/leave/LedgerEditing.h"
#include "engine/month/MonthCsv.h"
#include "engine/print/PrintLists.h"
#include "engine/session/AutoEntry.h"
#include "engine/session/PasswordCheck.h"
#include "engine/session/Session.h"
#include "engine/session/Users.h"
#include "engine/settings/Folders.h"
#include "engine/settings/OverlaySettingsStore.h"
#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "engine/totals/PayAmounts.h"
#include "engine/totals/PeriodTotals.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <ostream>
#include <sstream>

namespace mitoran {

namespace {

// The command line's words are UTF-8 on every system; a path made of their bytes as they are would read them in
// the system's code page on Windows, and a Japanese folder or file name would name another.
std::filesystem::path PathOfArgument(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

constexpr const char* kUsage =
    "使い方: mitoran-cli [--data-dir フォルダ] [--user 名前] <コマンド>\n"
    "       mitoran-cli --help\n"
    "  recalc 年 月   月を再計算して保存し、集計を表示する\n"
    "  show 年 月     月の各日と集計を表示する（何も書き込まない）\n"
    "  stamp in|out [--at \"YYYY-MM-DD HH:MM\"]\n"
    "                 出社・退社時刻を設定どおり自動入力して保存する（--at がなければ現在時刻）\n"
    "  csv 年 月 ファイル\n"
    "                 月を再計算して（保存せず）CSV ファイルに書く（ファイル - は標準出力）\n"
    "  totals 開始年 開始月 終了年 終了月 [--csv ファイル]\n"
    "  totals --all [--csv ファイル]\n"
    "                 期間集計を表示する。--csv で期間集計の CSV ファイルを書く（- は標準出力）\n"
    "  leave show     有給休暇の一覧と繰越残日数・現在残日数を表示する（再計算後、タブ区切り）\n"
    "  leave csv ファイル\n"
    "                 有給休暇の CSV ファイルを書く（- なら標準出力へ）\n"
    "  pay 年 月 [--password-stdin]\n"
    "                 給与金額の各欄を「欄名<TAB>値」で表示する（何も書き込まない）\n"
    "  span YYYY-MM-DD YYYY-MM-DD [--pay [--password-stdin]]\n"
    "                 1〜31日の任意期間の各日と集計を表示する。--pay で給与金額の欄も（何も書き込まない）\n"
    "                 金額のパスワードがあれば端末で尋ねる。--password-stdin なら標準入力の1行を使う\n"
    "  pdf 年 月 ファイル\n"
    "  pdf --totals 開始年 開始月 終了年 終了月 ファイル\n"
    "  pdf --leave ファイル\n"
    "                 月の一覧表・期間集計・有給休暇一覧を印刷設定どおり PDF ファイルに書く（- は標準出力）\n";

// The data folder given on the command line in place of the usual one.
class DataDirFolders final : public Folders {
public:
    DataDirFolders(const Folders& base, std::filesystem::path dataFolder)
        : m_base(base), m_dataFolder(std::move(dataFolder)) {}
    std::filesystem::path DataFolder() const override { return m_dataFolder; }
    std::filesystem::path CurrentDirectory() const override { return m_base.CurrentDirectory(); }
    std::string ProgramName() const override { return m_base.ProgramName(); }

private:
    const Folders& m_base;
    std::filesystem::path m_dataFolder;
};

struct CliCommand {
    std::optional<std::filesystem::path> dataDir;
    std::string user; // CP932
    std::optional<std::string> at;
    std::optional<std::string> csv;
    bool all = false;
    bool pay = false;
    bool totals = false; // "pdf --totals"
    bool leave = false;  // "pdf --leave"
    bool passwordStdin = false;
    std::vector<std::string> words;
};

// "pay" and "span --pay": the commands behind the amounts password.
bool ShowsAmounts(const CliCommand& command) {
    return !command.words.empty() && (command.words[0] == "pay" || (command.words[0] == "span" && command.pay));
}

std::optional<CliCommand> ParseOptions(const std::vector<std::string>& arguments) {
    CliCommand command;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--all") {
            command.all = true;
        } else if (argument == "--pay") {
            command.pay = true;
        } else if (argument == "--password-stdin") {
            command.passwordStdin = true;
        } else if (argument == "--totals" || argument == "--leave") {
            (argument == "--totals" ? command.totals : command.leave) = true;
        } else if (argument == "--data-dir" || argument == "--user" || argument == "--at" || argument == "--csv") {
            if (!hasValue)
                return std::nullopt;
            if (argument == "--data-dir")
                command.dataDir = PathOfArgument(arguments[++i]);
            else if (argument == "--user")
                command.user = Utf8ToCp932(arguments[++i]);
            else if (argument == "--at")
                command.at = arguments[++i];
            else
                command.csv = arguments[++i];
        } else if (argument.starts_with("--")) {
            return std::nullopt;
        } else {
            command.words.push_back(argument);
        }
    }
    // A user's name must not lead out of the data folder.
    if (!IsUsableUserName(command.user))
        return std::nullopt;
    const bool pdf = !command.words.empty() && command.words[0] == "pdf";
    if ((command.totals || command.leave) && !pdf)
        return std::nullopt;
    if (command.passwordStdin && !ShowsAmounts(command))
        return std::nullopt;
    return command;
}

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// "YYYY-MM-DD HH:MM" of a date that exists.
std::optional<LocalDateTime> ParseStampTime(const std::string& text) {
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':')
        return std::nullopt;
    const std::optional<int> year = ParseNumber(text.substr(0, 4), 1, 9999);
    const std::optional<int> month = ParseNumber(text.substr(5, 2), 1, 12);
    const std::optional<int> day = ParseNumber(text.substr(8, 2), 1, 31);
    const std::optional<int> hour = ParseNumber(text.substr(11, 2), 0, 23);
    const std::optional<int> minute = ParseNumber(text.substr(14, 2), 0, 59);
    if (!year || !month || !day || !hour || !minute || !IsValidDate({*year, *month, *day}))
        return std::nullopt;
    return LocalDateTime{*year, *month, *day, *hour, *minute};
}

// "YYYY-MM-DD" of a date that exists.
std::optional<CalendarDate> ParseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::optional<int> year = ParseNumber(text.substr(0, 4), 1, 9999);
    const std::optional<int> month = ParseNumber(text.substr(5, 2), 1, 12);
    const std::optional<int> day = ParseNumber(text.substr(8, 2), 1, 31);
    if (!year || !month || !day || !IsValidDate({*year, *month, *day}))
        return std::nullopt;
    return CalendarDate{*year, *month, *day};
}

// Pads CP932 text with blanks to a width in bytes, which is its width on a terminal as well.
std::string Column(const std::string& cp932, std::size_t width) {
    return cp932.size() >= width ? cp932 : cp932 + std::string(width - cp932.size(), ' ');
}

void PrintSummary(const MonthSheet& sheet, std::ostream& out) {
    for (const SummaryField& field : SummaryFieldsOf(sheet.summary))
        out << Cp932ToUtf8(field.label) << ' ' << Cp932ToUtf8(TrimText(field.text)) << '\n';
}

void PrintDays(const MonthSheet& sheet, std::ostream& out) {
    static constexpr std::size_t kWidths[] = {6, 3, 3, 6, 6, 6, 6, 6};
    static constexpr DayColumn kColumns[] = {DayColumn::Date,    DayColumn::Weekday, DayColumn::Kubun,
                                             DayColumn::Arrival, DayColumn::Leaving, DayColumn::Zangyo,
                                             DayColumn::Shinya,  DayColumn::Kinmu};
    out << Cp932ToUtf8(Utf8ToCp932("日付  曜 区 出勤  退勤  普通  深夜  勤務  メモ")) << '\n';
    for (int d = 1; d <= sheet.dayCount; ++d) {
        std::string line;
        for (std::size_t c = 0; c < std::size(kColumns); ++c)
            line += Column(sheet.days[d][kColumns[c]], kWidths[c]);
        line += sheet.days[d][DayColumn::Memo];
        line.erase(line.find_last_not_of(' ') + 1);
        out << Cp932ToUtf8(line) << '\n';
    }
}

void PrintHeading(const Session& session, int year, int month, std::ostream& out) {
    out << year << "年" << month << "月  " << session.Location().dataFolder.string();
    if (!session.CurrentUser().empty())
        out << "  (" << Cp932ToUtf8(session.CurrentUser()) << ")";
    out << '\n';
}

// The user's amounts password, asked once when they have one, before a command shows amounts. A wrong or missing
// one gets the window's message, and the command prints nothing.
bool AmountsAllowed(const CliCommand& command, const Session& session, const PasswordPrompt& askPassword,
                    std::ostream& err) {
    const auto ask = [&]() -> std::optional<std::string> {
        const std::optional<std::string> typed = askPassword ? askPassword(command.passwordStdin) : std::nullopt;
        return typed ? std::optional<std::string>(Utf8ToCp932(*typed)) : std::nullopt;
    };
    if (AmountsPasswordGiven(ask, session.settings.KinPass))
        return true;
    err << Cp932ToUtf8(text::kPasswordWrong) << '\n';
    return false;
}

// The pay window's fields as it shows them, one "name<TAB>text" line each.
void PrintPayFields(const Session& session, std::ostream& out) {
    for (const PayField& field : PayFields(CalculatePayView(session.sheet, session.settings)))
        out << field.name << '\t' << Cp932ToUtf8(TrimText(field.text)) << '\n';
}

void PrintRecalcResult(int year, int month, const Session& session, std::ostream& out) {
    PrintHeading(session, year, month, out);
    out << "保存しました: " << MonthFilePath(session.Location().dataFolder, year, month, session.CurrentUser()).string()
        << '\n';
    PrintSummary(session.sheet, out);
}

int RunMonthCommand(const std::string& verb, int year, int month, Session& session, std::ostream& out) {
    session.ShowMonth(year, month, true);
    if (verb == "pay") {
        PrintPayFields(session, out);
        return kCliOk;
    }
    if (verb == "recalc") {
        session.SaveShownMonth();
        PrintRecalcResult(year, month, session, out);
        return kCliOk;
    }
    PrintHeading(session, year, month, out);
    PrintDays(session.sheet, out);
    PrintSummary(session.sheet, out);
    return kCliOk;
}

void PrintNotSaved(std::ostream& err) {
    err << "保存していません（ミトランの画面に未保存のまま残っています）\n";
}

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

// The automatic entry as a start or an end of the desktop program makes it, without a window: a time
// already there is kept unless the settings overwrite it without asking.
int RunStampCommand(TimeKind kind, const LocalDateTime& now, Session& session, std::ostream& out, std::ostream& err) {
    RefusingTimeConfirm noWindow;
    const AutoEntryResult result = AutoTimeEntry(kind, kAutoInSilent, session, now, noWindow);
    return PrintStampResult(kind, now, result, session, out, err);
}

// The month files are private: a data folder that other users may read is mentioned (each command runs once).
void MentionReadableDataFolder(const std::filesystem::path& folder, std::ostream& err) {
    if (!IsReadableByOthers(folder))
        return;
    const std::u8string name = folder.u8string();
    const std::string nameCp932 = Utf8ToCp932(std::string(name.begin(), name.end()));
    err << Cp932ToUtf8(ReplaceAllText(text::kFolderReadableByOthers, "%s", nameCp932)) << '\n';
}

// The data folder and user of the command, with their settings loaded; a first-run file or a month that
// cannot be written ends the command with the file's name. A command that only looks writes nothing: what a
// first run would store stays in memory, and no folder or file is created. A command that writes holds the
// writer lock from its first read to its last write, the settings' included.
int InSession(const CliCommand& command, SettingsStore& store, const Folders& folders, std::ostream& err,
              const std::function<int(Session&)>& run, bool onlyLooks = false, WriterLock* writerLock = nullptr) {
    const DataDirFolders chosenFolders(folders, command.dataDir.value_or(folders.DataFolder()));
    OverlaySettingsStore untouched(store);
    try {
        Session session(onlyLooks ? untouched : store, chosenFolders, command.user, onlyLooks ? nullptr : writerLock);
        const WriterLockHold held = session.HoldWriterLock();
        session.LoadUser(command.user, onlyLooks ? FirstRunFiles::Never : FirstRunFiles::WriteNow);
        MentionReadableDataFolder(chosenFolders.DataFolder(), err);
        const int status = run(session);
        if (!onlyLooks)
            store.Flush();
        return status;
    } catch (const FileWriteError& error) {
        err << Cp932ToUtf8(error.what()) << '\n';
        return kCliFileError;
    }
}

std::string StampTimeText(const LocalDateTime& time) {
    return PadNumber(time.year, 4, "0") + "-" + PadNumber(time.month, 2, "0") + "-" + PadNumber(time.day, 2, "0") +
           " " + PadNumber(time.hour, 2, "0") + ":" + PadNumber(time.minute, 2, "0");
}

// Offers the command, as the given words, to a running window of the command's data folder and user; what
// the window printed, or nothing when the command line is to perform it itself.
std::optional<int> HandOver(const CliCommand& command, const Folders& folders, const std::vector<std::string>& words,
                            CommandHandOver* handOver, std::ostream& out, std::ostream& err) {
    if (handOver == nullptr)
        return std::nullopt;
    std::error_code ignored;
    const std::filesystem::path folder =
        std::filesystem::absolute(command.dataDir.value_or(folders.DataFolder()), ignored);
    const std::u8string folderText = folder.u8string();
    const std::optional<HandedResult> result =
        handOver->HandOver({std::string(folderText.begin(), folderText.end()), Cp932ToUtf8(command.user), words});
    if (!result)
        return std::nullopt;
    out << result->out;
    err << result->err;
    return result->status;
}

int RunStamp(const CliCommand& command, SettingsStore& store, const Folders& folders, const Clock& clock,
             std::ostream& out, std::ostream& err, CommandHandOver* handOver, WriterLock* writerLock) {
    const bool in = command.words.size() == 2 && command.words[1] == "in";
    const bool outWord = command.words.size() == 2 && command.words[1] == "out";
    if (!in && !outWord) {
        err << kUsage;
        return kCliUsage;
    }
    const std::optional<LocalDateTime> now = command.at ? ParseStampTime(*command.at) : clock.Now();
    if (!now) {
        err << "--at には日時を \"2024-03-21 08:07\" の形で指定してください\n" << kUsage;
        return kCliUsage;
    }
    // The window is handed the moment of the command, not the moment it gets to it.
    std::vector<std::string> words = command.words;
    words.insert(words.end(), {"--at", StampTimeText(*now)});
    if (const std::optional<int> status = HandOver(command, folders, words, handOver, out, err))
        return *status;
    const TimeKind kind = in ? TimeKind::Arrival : TimeKind::Leaving;
    return InSession(
        command, store, folders, err, [&](Session& session) { return RunStampCommand(kind, *now, session, out, err); },
        false, writerLock);
}

// A file's bytes to the named file, whole or not at all and never through a symbolic link there, or as they are
// to standard output for "-".
void WriteOutput(const std::string& file, const std::string& bytes, std::ostream& out) {
    if (file == "-")
        out << bytes;
    else
        WriteExportFile(PathOfArgument(file), bytes);
}

int RunCsvCommand(int year, int month, const std::string& file, Session& session, std::ostream& out) {
    session.ShowMonth(year, month, true);
    RecalcMonth(session.sheet, session.settings);
    WriteOutput(file, MonthCsvText(session.sheet, year, month, session.settings), out);
    return kCliOk;
}

void PrintPeriodTable(const PeriodTable& table, std::ostream& out) {
    const auto printRow = [&out](const std::array<std::string, kPeriodColumns>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            out << (c > 0 ? "\t" : "") << Cp932ToUtf8(TrimText(cells[c]));
        out << '\n';
    };
    printRow(PeriodColumnHeaders());
    for (const auto& row : table.rows)
        printRow(row);
}

int RunTotalsCommand(const std::optional<PeriodRange>& typed, const std::optional<std::string>& csvFile,
                     Session& session, std::ostream& out) {
    std::optional<PeriodResult> result;
    if (typed)
        result = PeriodResult{*typed, ComputePeriodTotals(*typed, session.Location(), session.settings)};
    else
        result = ComputeAllPeriodTotals(session.Location(), session.settings);
    if (!result) {
        out << "データのある月がありません\n";
        return kCliOk;
    }
    if (csvFile)
        WriteOutput(*csvFile, PeriodCsvText(result->range, result->table, session.settings), out);
    if (csvFile != "-")
        PrintPeriodTable(result->table, out);
    return kCliOk;
}

// "totals Y M Y M" as the window's range fields take them (clamped), or "totals --all".
int RunTotals(const CliCommand& command, SettingsStore& store, const Folders& folders, std::ostream& out,
              std::ostream& err) {
    const std::vector<std::string> fields(command.words.begin() + 1, command.words.end());
    const bool numbers = std::ranges::all_of(
        fields, [](const std::string& word) { return ParseNumber(word, -99999, 99999).has_value(); });
    if (command.at || !numbers || fields.size() != (command.all ? 0U : 4U)) {
        err << kUsage;
        return kCliUsage;
    }
    std::optional<PeriodRange> typed;
    if (!command.all) {
        typed = ClampedRange(fields[0], fields[1], fields[2], fields[3]);
        if (!IsOrdered(*typed)) {
            err << Cp932ToUtf8(text::kPeriodRangeRefused) << '\n';
            return kCliUsage;
        }
    }
    return InSession(
        command, store, folders, err,
        [&](Session& session) { return RunTotalsCommand(typed, command.csv, session, out); }, true);
}

// "span FIRST LAST [--pay]": the span as the main window shows it, calculated and never saved.
int RunSpan(const CliCommand& command, SettingsStore& store, const Folders& folders, const PasswordPrompt& askPassword,
            std::ostream& out, std::ostream& err) {
    const std::optional<CalendarDate> first = command.words.size() == 3 ? ParseDate(command.words[1]) : std::nullopt;
    const std::optional<CalendarDate> last = command.words.size() == 3 ? ParseDate(command.words[2]) : std::nullopt;
    if (command.at || command.csv || command.all || !first || !last) {
        err << kUsage;
        return kCliUsage;
    }
    if (!SpanDays({*first, *last})) {
        err << Cp932ToUtf8(text::kSpanRefused) << '\n';
        return kCliUsage;
    }
    return InSession(
        command, store, folders, err,
        [&](Session& session) {
            if (command.pay && !AmountsAllowed(command, session, askPassword, err))
                return static_cast<int>(kCliUsage);
            session.ShowSpan({*first, *last});
            out << command.words[1] << " - " << command.words[2] << "  " << session.Location().dataFolder.string()
                << '\n';
            PrintDays(session.sheet, out);
            PrintSummary(session.sheet, out);
            if (command.pay)
                PrintPayFields(session, out);
            return static_cast<int>(kCliOk);
        },
        true);
}

// The ledger as the window shows it after a recalculation, one tab-separated line per entry.
int RunLeaveShow(Session& session, std::ostream& out) {
    const Ledger& ledger = session.ledger;
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

int RunLeave(const CliCommand& command, SettingsStore& store, const Folders& folders, std::ostream& out,
             std::ostream& err) {
    const bool show = command.words.size() == 2 && command.words[1] == "show";
    const bool csv = command.words.size() == 3 && command.words[1] == "csv";
    if (command.at || (!show && !csv)) {
        err << kUsage;
        return kCliUsage;
    }
    return InSession(
        command, store, folders, err,
        [&](Session& session) -> int {
            session.ledger.LoadLedger();
            if (show)
                return RunLeaveShow(session, out);
            WriteOutput(command.words[2], LedgerCsvText(session.ledger, session.settings), out);
            return kCliOk;
        },
        true);
}

// The list laid out on A4 as the print settings say, dated today, and written as PDF.
void WritePdf(const std::string& file, const PrintList& list, const Session& session, const Clock& clock,
              const PdfRenderer& renderPdf, std::ostream& out) {
    const PrintDocument document = LayOutPrint(list, session.settings, PrintPaper{}, PrintDateText(clock));
    WriteOutput(file, renderPdf(document), out);
}

std::optional<PrintList> PdfList(const CliCommand& command, Session& session, std::ostream& err) {
    const std::vector<std::string>& words = command.words;
    if (command.leave) {
        session.ledger.LoadLedger();
        return LedgerPrintList(session.ledger, session.settings);
    }
    if (command.totals) {
        const PeriodRange range = ClampedRange(words[1], words[2], words[3], words[4]);
        if (!IsOrdered(range)) {
            err << Cp932ToUtf8(text::kPeriodRangeRefused) << '\n';
            return std::nullopt;
        }
        return PeriodPrintList(range, ComputePeriodTotals(range, session.Location(), session.settings),
                               session.settings);
    }
    const int year = *ParseNumber(words[1], 1, 9999);
    const int month = *ParseNumber(words[2], 1, 12);
    session.ShowMonth(year, month, true);
    RecalcMonth(session.sheet, session.settings);
    return MonthPrintList(session.sheet, MonthPeriodText(session.sheet, year, month), session.settings);
}

bool PdfWordsFit(const CliCommand& command) {
    const std::vector<std::string>& words = command.words;
    const auto numbers = [&words](std::size_t count) {
        return std::all_of(words.begin() + 1, words.begin() + 1 + static_cast<std::ptrdiff_t>(count),
                           [](const std::string& word) { return ParseNumber(word, -99999, 99999).has_value(); });
    };
    if (command.at || command.csv || command.all || (command.totals && command.leave))
        return false;
    if (command.leave)
        return words.size() == 2;
    if (command.totals)
        return words.size() == 6 && numbers(4);
    return words.size() == 4 && ParseNumber(words[1], 1, 9999) && ParseNumber(words[2], 1, 12);
}

// "pdf YEAR MONTH FILE", "pdf --totals Y M Y M FILE", "pdf --leave FILE": writes only the PDF.
int RunPdf(const CliCommand& command, SettingsStore& store, const Folders& folders, const Clock& clock,
           const PdfRenderer& renderPdf, std::ostream& out, std::ostream& err) {
    if (!PdfWordsFit(command) || !renderPdf) {
        err << kUsage;
        return kCliUsage;
    }
    return InSession(
        command, store, folders, err,
        [&](Session& session) {
            const std::optional<PrintList> list = PdfList(command, session, err);
            if (!list)
                return static_cast<int>(kCliUsage);
            WritePdf(command.words.back(), *list, session, clock, renderPdf, out);
            return static_cast<int>(kCliOk);
        },
        true);
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, const Clock& clock,
           std::ostream& out, std::ostream& err, CommandHandOver* handOver, const PdfRenderer& renderPdf,
           WriterLock* writerLock, const PasswordPrompt& askPassword) {
    if (std::ranges::any_of(arguments, [](const std::string& word) { return word == "--help" || word == "-h"; })) {
        out << kUsage;
        return kCliOk;
    }
    const std::optional<CliCommand> command = ParseOptions(arguments);
    if (command && !command->words.empty() && command->words[0] == "stamp" && !command->csv && !command->all)
        return RunStamp(*command, store, folders, clock, out, err, handOver, writerLock);
    if (command && !command->words.empty() && command->words[0] == "leave")
        return RunLeave(*command, store, folders, out, err);
    if (command && !command->words.empty() && command->words[0] == "totals")
        return RunTotals(*command, store, folders, out, err);
    if (command && !command->words.empty() && command->words[0] == "span")
        return RunSpan(*command, store, folders, askPassword, out, err);
    if (command && !command->words.empty() && command->words[0] == "pdf")
        return RunPdf(*command, store, folders, clock, renderPdf, out, err);
    const bool csvVerb = command && command->words.size() == 4 && command->words[0] == "csv";
    const bool monthVerb = command && command->words.size() == 3 &&
                           (command->words[0] == "recalc" || command->words[0] == "show" || command->words[0] == "pay");
    if (!command || command->at || command->csv || command->all || command->pay || (!csvVerb && !monthVerb)) {
        err << kUsage;
        return kCliUsage;
    }
    const std::optional<int> year = ParseNumber(command->words[1], 1, 9999);
    const std::optional<int> month = ParseNumber(command->words[2], 1, 12);
    if (!year || !month) {
        err << "年と月を数字で指定してください (例: 2024 3)\n" << kUsage;
        return kCliUsage;
    }
    const std::string& verb = command->words[0];
    if (verb == "recalc") {
        if (const std::optional<int> status = HandOver(*command, folders, command->words, handOver, out, err))
            return *status;
    }
    if (csvVerb)
        return InSession(
            *command, store, folders, err,
            [&](Session& session) { return RunCsvCommand(*year, *month, command->words[3], session, out); }, true);
    return InSession(
        *command, store, folders, err,
        [&](Session& session) {
            if (verb == "pay" && !AmountsAllowed(*command, session, askPassword, err))
                return static_cast<int>(kCliUsage);
            return RunMonthCommand(verb, *year, *month, session, out);
        },
        verb != "recalc", writerLock);
}

namespace {

std::optional<int> RunHandedStamp(const CliCommand& command, ShownMonthWindow& window, std::ostream& out,
                                  std::ostream& err) {
    const std::vector<std::string>& words = command.words;
    const std::optional<LocalDateTime> now = command.at ? ParseStampTime(*command.at) : std::nullopt;
    if (words.size() != 2 || (words[1] != "in" && words[1] != "out") || !now)
        return std::nullopt;
    const TimeKind kind = words[1] == "in" ? TimeKind::Arrival : TimeKind::Leaving;
    Session& session = window.WindowSession();
    const std::optional<AutoEntryResult> result =
        AutoTimeEntryInShownMonth(kind, session, *now, [&window] { return window.SaveShownMonth(); });
    if (!result)
        return std::nullopt;
    return PrintStampResult(kind, *now, *result, session, out, err);
}

// The month shown, recalculated and saved as the window saves it: read afresh first when it holds no edits.
std::optional<int> RunHandedRecalc(const CliCommand& command, ShownMonthWindow& window, std::ostream& out,
                                   std::ostream& err) {
    if (command.words.size() != 3)
        return std::nullopt;
    // 0 is no month a window holds.
    const int year = ParseNumber(command.words[1], 1, 9999).value_or(0);
    const int month = ParseNumber(command.words[2], 1, 12).value_or(0);
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

} // namespace

std::optional<HandedResult> RunHandedCommand(const HandedCommand& handed, ShownMonthWindow& window) {
    const std::optional<CliCommand> command = ParseOptions(handed.arguments);
    if (!command || command->words.empty() || !SessionTakesCommand(window.WindowSession(), handed))
        return std::nullopt;
    std::ostringstream out;
    std::ostringstream err;
    std::optional<int> status;
    // The month is read afresh, changed and saved under one hold of the writer lock, as the command line does it.
    try {
        const WriterLockHold held = window.WindowSession().HoldWriterLock();
        if (command->words[0] == "stamp")
            status = RunHandedStamp(*command, window, out, err);
        else if (command->words[0] == "recalc")
            status = RunHandedRecalc(*command, window, out, err);
    } catch (const WriterLockBusy& error) {
        return HandedResult{kCliFileError, {}, Cp932ToUtf8(error.what()) + '\n'};
    }
    if (!status)
        return std::nullopt;
    window.ShowChanges();
    return HandedResult{*status, out.str(), err.str()};
}

} // namespace mitoran
