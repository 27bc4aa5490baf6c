// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliSupport.h"

#include "engine/session/PasswordCheck.h"
#include "engine/session/Session.h"
#include "engine/settings/Folders.h"
#include "engine/settings/OverlaySettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <charconv>

namespace mitoran {

namespace {

constexpr const char* kUsage =
    "使い方: mitoran-cli [--data-dir フォルダ] [--user 名前] <コマンド>\n"
    "       mitoran-cli --help\n"
    "       mitoran-cli --version\n"
    "       mitoran-cli <コマンド> --help\n"
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
    "  limits [年 月] [--at YYYY-MM-DD] [--csv ファイル]\n"
    "                 36協定の協定年度の表と、その月の残り時間を表示する\n"
    "                 （月がなければ今月。何も書き込まない）\n"
    "                 --csv で表を CSV ファイルに書く（- は標準出力）\n"
    "  pdf 年 月 ファイル\n"
    "  pdf --totals 開始年 開始月 終了年 終了月 ファイル\n"
    "  pdf --leave ファイル\n"
    "  pdf --limits 年 月 ファイル\n"
    "                 月の一覧表・期間集計・有給休暇一覧・36協定の表を\n"
    "                 印刷設定どおり PDF ファイルに書く（- は標準出力）\n";

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

// The month files are private: a data folder that other users may read is mentioned (each command runs once).
void MentionReadableDataFolder(const std::filesystem::path& folder, std::ostream& err) {
    if (!IsReadableByOthers(folder))
        return;
    const std::u8string name = folder.u8string();
    const std::string nameCp932 = Utf8ToCp932(std::string(name.begin(), name.end()));
    err << Cp932ToUtf8(ReplaceAllText(text::kFolderReadableByOthers, "%s", nameCp932)) << '\n';
}

// The 36協定 warning a save of a month left ("36協定: 2024年4月は月の上限の70%に達しました。あと 13:30 です。").
void ReportLimitNotice(Session& session, std::ostream& err) {
    if (const std::optional<LimitNotice> notice = session.TakeLimitNotice())
        err << Cp932ToUtf8(notice->caption) << ": " << Cp932ToUtf8(notice->text) << '\n';
}

} // namespace

const char* UsageText() {
    return kUsage;
}

int UsageError(std::ostream& err, std::string_view message) {
    if (!message.empty())
        err << message << '\n';
    err << kUsage;
    return kCliUsage;
}

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<LocalDateTime> ParseStampTime(const std::string& text) {
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':')
        return std::nullopt;
    const std::optional<CalendarDate> date = ParseDate(text.substr(0, 10));
    const std::optional<int> hour = ParseNumber(text.substr(11, 2), 0, 23);
    const std::optional<int> minute = ParseNumber(text.substr(14, 2), 0, 59);
    if (!date || !hour || !minute)
        return std::nullopt;
    return LocalDateTime{date->year, date->month, date->day, *hour, *minute};
}

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

bool AreRangeNumbers(const std::vector<std::string>& words) {
    return std::ranges::all_of(words,
                               [](const std::string& word) { return ParseNumber(word, -99999, 99999).has_value(); });
}

int InSession(const CliEnvironment& environment, const std::function<int(Session&)>& run, bool onlyLooks) {
    const DataDirFolders chosenFolders(environment.folders,
                                       environment.dataDir.value_or(environment.folders.DataFolder()));
    OverlaySettingsStore untouched(environment.store);
    try {
        Session session(onlyLooks ? untouched : environment.store, chosenFolders, environment.user,
                        onlyLooks ? nullptr : environment.writerLock);
        const WriterLockHold held = session.HoldWriterLock();
        session.LoadUser(environment.user, onlyLooks ? FirstRunFiles::Never : FirstRunFiles::WriteNow);
        MentionReadableDataFolder(chosenFolders.DataFolder(), environment.err);
        const int status = run(session);
        ReportLimitNotice(session, environment.err);
        if (!onlyLooks)
            environment.store.Flush();
        return status;
    } catch (const FileWriteError& error) {
        environment.err << Cp932ToUtf8(error.what()) << '\n';
        return kCliFileError;
    }
}

std::optional<int> HandOver(const CliEnvironment& environment, const std::vector<std::string>& words) {
    if (environment.handOver == nullptr)
        return std::nullopt;
    std::error_code ignored;
    const std::filesystem::path folder =
        std::filesystem::absolute(environment.dataDir.value_or(environment.folders.DataFolder()), ignored);
    const std::u8string folderText = folder.u8string();
    const std::optional<HandedResult> result = environment.handOver->HandOver(
        {std::string(folderText.begin(), folderText.end()), Cp932ToUtf8(environment.user), words});
    if (!result)
        return std::nullopt;
    environment.out << result->out;
    environment.err << result->err;
    return result->status;
}

std::filesystem::path PathOfArgument(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

void WriteOutput(const std::string& file, const std::string& bytes, std::ostream& out) {
    if (file == "-")
        out << bytes;
    else
        WriteExportFile(PathOfArgument(file), bytes);
}

bool AmountsAllowed(const CliEnvironment& environment, const Session& session, bool passwordFromStandardInput) {
    const auto ask = [&]() -> std::optional<std::string> {
        const std::optional<std::string> typed =
            environment.askPassword ? environment.askPassword(passwordFromStandardInput) : std::nullopt;
        return typed ? std::optional<std::string>(Utf8ToCp932(*typed)) : std::nullopt;
    };
    if (AmountsPasswordGiven(ask, session.settings.KinPass))
        return true;
    environment.err << Cp932ToUtf8(text::kPasswordWrong) << '\n';
    return false;
}

} // namespace mitoran
