// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Cli.h"

#include "app/Session.h"
#include "core/Cp932.h"
#include "core/Folders.h"
#include "core/ProfileFile.h"
#include "core/Util.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace mitoran {

namespace {

constexpr const char* kUsage = "使い方: mitoran-cli [--data-dir フォルダ] [--user 名前] <コマンド>\n"
                               "  recalc 年 月   月を再計算して保存し、集計を表示する\n"
                               "  show 年 月     月の各日と集計を表示する（何も書き込まない）\n";

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
    std::vector<std::string> words;
};

std::optional<CliCommand> ParseOptions(const std::vector<std::string>& arguments) {
    CliCommand command;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--data-dir" || argument == "--user") {
            if (!hasValue)
                return std::nullopt;
            if (argument == "--data-dir")
                command.dataDir = std::filesystem::path(arguments[++i]);
            else
                command.user = Utf8ToCp932(arguments[++i]);
        } else if (argument.starts_with("--")) {
            return std::nullopt;
        } else {
            command.words.push_back(argument);
        }
    }
    return command;
}

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// Pads CP932 text with blanks to a width in bytes, which is its width on a terminal as well.
std::string Column(const std::string& cp932, std::size_t width) {
    return cp932.size() >= width ? cp932 : cp932 + std::string(width - cp932.size(), ' ');
}

void PrintSummary(const MonthSheet& sheet, std::ostream& out) {
    const MonthSummary& summary = sheet.summary;
    const std::pair<const char*, const std::string*> rows[] = {
        {"出勤", &summary.syukinDay},  {"休出", &summary.kyujituDay}, {"普通", &summary.zangyoTime},
        {"深夜", &summary.shinyaTime}, {"合計", &summary.sumTime},    {"目標", &summary.mokuhyoTime},
        {"勤務", &summary.kinmuTime},
    };
    for (const auto& [label, value] : rows)
        out << label << ' ' << Cp932ToUtf8(TrimText(*value)) << '\n';
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

int RunMonthCommand(const std::string& verb, int year, int month, Session& session, std::ostream& out) {
    session.ShowMonth(year, month, true);
    PrintHeading(session, year, month, out);
    if (verb == "recalc") {
        session.SaveShownMonth();
        out << "保存しました: "
            << MonthFilePath(session.Location().dataFolder, year, month, session.CurrentUser()).string() << '\n';
    } else {
        PrintDays(session.sheet, out);
    }
    PrintSummary(session.sheet, out);
    return kCliOk;
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, std::ostream& out,
           std::ostream& err) {
    const std::optional<CliCommand> command = ParseOptions(arguments);
    if (!command || command->words.size() != 3 || (command->words[0] != "recalc" && command->words[0] != "show")) {
        err << kUsage;
        return kCliUsage;
    }
    const std::optional<int> year = ParseNumber(command->words[1], 1, 9999);
    const std::optional<int> month = ParseNumber(command->words[2], 1, 12);
    if (!year || !month) {
        err << "年と月を数字で指定してください (例: 2024 3)\n" << kUsage;
        return kCliUsage;
    }

    const DataDirFolders chosenFolders(folders, command->dataDir.value_or(folders.DataFolder()));
    try {
        Session session(store, chosenFolders, command->user);
        session.LoadUser(command->user);
        return RunMonthCommand(command->words[0], *year, *month, session, out);
    } catch (const FileWriteError& error) {
        err << Cp932ToUtf8(error.what()) << '\n';
        return kCliFileError;
    }
}

} // namespace mitoran
