// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Cli.h"
#include "engine/calendar/Clock.h"
#include "engine/month/MonthFile.h"
#include "engine/print/PrintLayout.h"
#include "engine/session/Session.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"
#include "engine/text/WriterLock.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace mitoran {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

using test::CliRun;

class CliTest : public ::testing::Test {
protected:
    CliRun Run(const std::vector<std::string>& arguments) { return RunIn(m_data.Path().string(), arguments); }

    CliRun RunIn(const std::string& dataFolder, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--data-dir", dataFolder});
        std::ostringstream out;
        std::ostringstream err;
        const int status =
            RunCli(arguments, m_store, m_folders, m_clock, out, err, nullptr, FakePdf, nullptr, m_askPassword);
        return {status, out.str(), err.str()};
    }

    // Stands in for the painter: the title, the page count and the print date of the laid-out document.
    static std::string FakePdf(const PrintDocument& document) {
        return "PDF " + Cp932ToUtf8(document.title) + " " + std::to_string(document.pages.size()) + " " +
               Cp932ToUtf8(document.pages.at(0).texts.empty() ? "" : document.pages[0].texts.back().text);
    }

    // A March 2024 file as the desktop program writes it, with two worked days, stale results, a key
    // of its own and a section of its own that the command must leave alone.
    static std::string HandWrittenMonth() {
        return Utf8ToCp932("[System]\r\n"
                           "LastDay=31\r\n"
                           "SyukinDay=9.0\r\n"
                           "ZangyoTime=99:00\r\n"
                           "Note=keep me\r\n"
                           "[DayData]\r\n"
                           "5=3/ 5,火,  , 8:30,19:00,,,会議,,,,,,,\r\n"
                           "6=3/ 6,水,  , 8:00,23:00, 1:00,,,,,,,$FF,,\r\n"
                           "[Extra]\r\n"
                           "Memo=表示\r\n");
    }

    // Settings of the default user as the settings dialog would store them, after a first run.
    void Set(const char* name, const std::string& value) {
        Settings firstRun;
        LoadSettings(firstRun, {m_store, m_folders, "", ""});
        m_store.WriteValue(UserKeyPath(""), "System", name, value);
    }

    TempFolder m_data;
    test::FixedFolders m_folders{m_data.Path() / "unused"};
    MemorySettingsStore m_store;
    FixedClock m_clock{LocalDateTime{2024, 3, 6, 0, 30}};
    PasswordPrompt m_askPassword;
};

TEST_F(CliTest, BadArgumentsPrintUsageWithStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"recalc"},
        {"recalc", "2024"},
        {"frobnicate", "2024", "3"},
        {"recalc", "2024", "13"},
        {"recalc", "2024", "0"},
        {"show", "20x4", "3"},
        {"show", "2024", "3", "extra"},
        {"show", "2024", "3", "--user"},
        {"--user", "../other", "recalc", "2024", "3"},
        {"--colour", "show", "2024", "3"},
        {"--at", "2024-03-21 08:07", "show", "2024", "3"},
        {"stamp"},
        {"stamp", "sideways"},
        {"stamp", "in", "out"},
        {"stamp", "in", "--at"},
        {"stamp", "in", "--at", "2024-02-30 08:00"},
        {"stamp", "in", "--at", "2024-03-21 8:07"},
        {"stamp", "out", "--at", "2024-03-21 24:00"},
        {"stamp", "out", "--at", "2024/03/21 08:07"},
        {"csv", "2024", "3"},
        {"recalc", "2024", "3", "--csv", "x.csv"},
        {"totals", "2024", "3", "2025"},
        {"totals", "--all", "2024"},
        {"totals", "2024", "x", "2025", "2"},
        {"leave"},
        {"leave", "csv"},
        {"leave", "show", "extra"},
        {"pdf", "2024", "3"},
        {"pdf", "2024", "13", "x.pdf"},
        {"pdf", "--totals", "2024", "4", "2025", "x.pdf"},
        {"pdf", "--totals", "2024", "4", "2025", "y", "x.pdf"},
        {"pdf", "--leave"},
        {"pdf", "--leave", "--totals", "x.pdf"},
        {"pdf", "--leave", "--csv", "x.csv", "x.pdf"},
        {"show", "2024", "3", "--leave"},
        {"totals", "--totals", "2024", "4", "2025", "3"},
    };
    for (const auto& arguments : cases) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, kCliUsage) << ::testing::PrintToString(arguments);
        EXPECT_NE(run.err.find("mitoran-cli"), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(m_data.Path() / "202403.dat"));
    EXPECT_FALSE(std::filesystem::exists(m_data.Path() / "202402.dat"));

    const CliRun help = Run({"--help"});
    EXPECT_EQ(help.status, kCliOk);
    EXPECT_TRUE(help.out.starts_with("使い方: mitoran-cli")) << help.out;
    EXPECT_TRUE(help.err.empty());
}

TEST_F(CliTest, StampInAfterTheClosingDayWritesTheNextSheetMonth) {
    Set("SimeDay", "20");
    Set("StartAdjustSelect", "3"); // up to 15 minutes
    Set("StartTime2", "3");
    const CliRun run = Run({"stamp", "in", "--at", "2024-03-21 08:07"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_NE(run.out.find("2024年4月"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("出社時刻 3月21日(木) 8:15 を入力しました\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("202404.dat"), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(m_data.Path() / "202403.dat"));

    const CliRun shown = Run({"show", "2024", "4"});
    EXPECT_NE(shown.out.find(" 3/21 木     8:15\n"), std::string::npos) << shown.out;
}

TEST_F(CliTest, StampOutKeepsOrReplacesTheLeavingTimeAsTheSettingsSay) {
    // Without --at the clock gives the time: 0:30 on 6 March is a leaving of 5 March.
    ASSERT_EQ(Run({"stamp", "out"}).status, kCliOk);
    EXPECT_NE(Run({"show", "2024", "3"}).out.find(" 3/ 5 火          24:30"), std::string::npos);

    struct Case {
        const char* endOverWrite;
        int status;
        const char* said;
        const char* stored;
    };
    const Case cases[] = {
        {"1", kCliNotOverwritten, "上書き確認の設定 (EndOverWrite=1) のため上書きしません", "24:30"},
        {"2", kCliNotOverwritten, "退社時刻 3月5日(火) は入力済みです (24:30)。上書きしません", "24:30"},
        {"0", kCliOk, "退社時刻 3月5日(火) 19:40 を入力しました", "19:40"},
    };
    for (const Case& c : cases) {
        Set("EndOverWrite", c.endOverWrite);
        const CliRun run = Run({"stamp", "out", "--at", "2024-03-05 19:40"});
        EXPECT_EQ(run.status, c.status) << c.endOverWrite;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_NE(Run({"show", "2024", "3"}).out.find(std::string(" 3/ 5 火          ") + c.stored), std::string::npos)
            << c.endOverWrite;
    }

    // An arrival is never overwritten, whatever the settings.
    ASSERT_EQ(Run({"stamp", "in", "--at", "2024-03-05 08:50"}).status, kCliOk);
    const CliRun again = Run({"stamp", "in", "--at", "2024-03-05 09:10"});
    EXPECT_EQ(again.status, kCliNotOverwritten);
    EXPECT_NE(again.out.find("出社時刻 3月5日(火) は入力済みです (8:50)。上書きしません"), std::string::npos)
        << again.out;
}

TEST_F(CliTest, RecalcRewritesResultsAndKeepsEveryOtherKey) {
    const auto file = m_data.Path() / "202403.dat";
    WriteBytes(file, HandWrittenMonth());

    const CliRun run = Run({"recalc", "2024", "3"});
    ASSERT_EQ(run.status, kCliOk) << run.err;

    const std::string text = ReadBytes(file);
    // 8:30-19:00 with the 12:00-13:00 break: 2:00 overtime, 9:30 work; 8:00-23:00: 5:00 + 1:00 late night.
    EXPECT_NE(text.find(Utf8ToCp932("5=3/ 5,火,  , 8:30,19:00, 2:00,,会議,,,, 9:30,,,\r\n")), std::string::npos);
    EXPECT_NE(text.find(Utf8ToCp932("6=3/ 6,水,  , 8:00,23:00, 5:00, 1:00,,,,,14:00,$FF,,\r\n")), std::string::npos);
    EXPECT_NE(text.find("ZangyoTime=7:00\r\n"), std::string::npos);
    EXPECT_NE(text.find("ShinyaTime=1:00\r\n"), std::string::npos);
    EXPECT_NE(text.find("KinmuTime=23:30\r\n"), std::string::npos);
    EXPECT_NE(text.find("SyukinDay=2.0\r\n"), std::string::npos);
    EXPECT_NE(text.find("Note=keep me\r\n"), std::string::npos);
    EXPECT_NE(text.find(Utf8ToCp932("[Extra]\r\nMemo=表示\r\n")), std::string::npos);

    // First-run amounts: net pay 197,800 yen is 32,200 short of the target, 26:50 at 1,500 yen and 80 %.
    for (const char* line :
         {"出勤 2\n", "休出 0\n", "普通 7:00\n", "深夜 1:00\n", "合計 8:00\n", "目標 -26:50\n", "勤務 23:30\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
}

TEST_F(CliTest, ShowPrintsTheStoredMonthAndWritesNothing) {
    const auto file = m_data.Path() / "202403.dat";
    WriteBytes(file, HandWrittenMonth());
    const auto before = std::filesystem::last_write_time(file);

    const CliRun run = Run({"show", "2024", "3"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_EQ(ReadBytes(file), HandWrittenMonth());
    EXPECT_EQ(std::filesystem::last_write_time(file), before);
    EXPECT_NE(run.out.find(" 3/ 5 火     8:30 19:00" + std::string(19, ' ') + "会議\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 3/ 6 水     8:00 23:00  1:00\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("普通 99:00\n"), std::string::npos) << run.out;
}

// "pay" and "span" print what the windows show, calculated, and write nothing.
TEST_F(CliTest, PayAndSpanPrintTheCalculatedFiguresAndWriteNothing) {
    const auto file = m_data.Path() / "202403.dat";
    WriteBytes(file, HandWrittenMonth());

    CliRun run = Run({"pay", "2024", "3"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_TRUE(run.out.starts_with("KihonMemo\t200,000\nTeateMemo\t20,000\n")) << run.out;
    // 7:00 at 1 500 and 1:00 at 1 750
    EXPECT_NE(run.out.find("\nZanTMemo\t7:00\nSZanTMemo\t1:00\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nGeeKeiMemo\t31\n"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("ZanKinMemo\t12,250\nSikyuMemo\t247,250\nTedoriMemo\t197,800\n")) << run.out;

    run = Run({"span", "2024-03-06", "2024-03-06", "--pay"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_NE(run.out.find(" 3/ 6 水     8:00 23:00  5:00  1:00 14:00\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("普通 5:00\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nGeeKeiMemo\t1\n"), std::string::npos) << run.out;
    EXPECT_EQ(ReadBytes(file), HandWrittenMonth());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_data.Path()), {}), 1);

    for (const auto& [first, last] : {std::pair{"2024-03-06", "2024-03-05"}, std::pair{"2024-03-01", "2024-04-01"}}) {
        run = Run({"span", first, last});
        EXPECT_EQ(run.status, kCliUsage);
        EXPECT_EQ(run.err, "集計期間を正しく設定して下さい。\n");
    }
    EXPECT_EQ(Run({"span", "2024-02-30", "2024-03-01"}).status, kCliUsage);
    EXPECT_EQ(Run({"pay", "2024", "3", "--pay"}).status, kCliUsage);
}

// "pay" and "span --pay" of a user with an amounts password ask it once, on the terminal or from standard input;
// a wrong or missing one prints nothing but the window's message. Without a password nothing is asked.
TEST_F(CliTest, AmountsNeedTheUsersAmountsPassword) {
    WriteBytes(m_data.Path() / "202403.dat", HandWrittenMonth());
    std::filesystem::create_directories(m_data.Path() / "u1");
    WriteBytes(m_data.Path() / "u1" / "202403.dat", HandWrittenMonth());
    Settings firstRun;
    LoadSettings(firstRun, {m_store, m_folders, "u1", "u1"});
    m_store.WriteValue(UserKeyPath("u1"), "System", "KinPass", ReverseText(Utf8ToCp932("kaneア")));
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> typed; // UTF-8
        int status;
        std::vector<bool> asked; // fromStandardInput of each question
    };
    const std::vector<std::string> pay = {"--user", "u1", "pay", "2024", "3"};
    const std::vector<std::string> span = {"--user", "u1", "span", "2024-03-06", "2024-03-06", "--pay"};
    const auto with = [](std::vector<std::string> words, const char* option) {
        words.emplace_back(option);
        return words;
    };
    const Case cases[] = {
        {pay, "KANEア", kCliOk, {false}},
        {with(pay, "--password-stdin"), "kaneア", kCliOk, {true}},
        {pay, "kaneイ", kCliUsage, {false}},
        {pay, std::nullopt, kCliUsage, {false}},
        {span, "kaneア", kCliOk, {false}},
        {with(span, "--password-stdin"), "x", kCliUsage, {true}},
        {{"--user", "u1", "span", "2024-03-06", "2024-03-06"}, "x", kCliOk, {}},
        {{"--user", "u1", "show", "2024", "3"}, "x", kCliOk, {}},
        {{"pay", "2024", "3"}, "x", kCliOk, {}},
        {{"pay", "2024", "3", "--password-stdin"}, "x", kCliOk, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        std::vector<bool> asked;
        m_askPassword = [&](bool fromStandardInput) {
            asked.push_back(fromStandardInput);
            return c.typed;
        };
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(asked, c.asked);
        if (c.status == kCliOk && !c.asked.empty()) {
            EXPECT_NE(run.out.find("KihonMemo\t200,000\n"), std::string::npos) << run.out;
        } else if (c.status != kCliOk) {
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "ﾊﾟｽﾜｰﾄﾞが違います。\n");
        }
    }
    // The option belongs to the commands that show amounts.
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"show", "2024", "3"}, {"recalc", "2024", "3"}, {"leave", "show"}, {"span", "2024-03-06", "2024-03-06"}}) {
        std::vector<std::string> arguments = words;
        arguments.emplace_back("--password-stdin");
        EXPECT_EQ(Run(arguments).status, kCliUsage) << words[0];
    }
}

// A data folder that others may read is mentioned once on the standard error; the command works all the same.
TEST_F(CliTest, DataFolderReadableByOthersIsMentionedOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "folder permissions are POSIX";
#else
    namespace fs = std::filesystem;
    const std::string message = "データフォルダ " + m_data.Path().string() + " は他のユーザーからも読めます\n";
    fs::permissions(m_data.Path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const CliRun exposed = Run({"recalc", "2024", "3"});
    EXPECT_EQ(exposed.status, kCliOk);
    EXPECT_EQ(exposed.err, message);
    fs::permissions(m_data.Path(), fs::perms::owner_all);
    EXPECT_EQ(Run({"recalc", "2024", "3"}).err, "");
#endif
}

// Not even a first run makes "show" write: no user folder, holiday list, ".SET" file or settings key.
TEST_F(CliTest, ShowOfANewUserCreatesNothing) {
    const CliRun run = Run({"--user", "x", "show", "2004", "1"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_NE(run.out.find(" 1/12 月 ○" + std::string(31, ' ') + "成人の日\n"), std::string::npos) << run.out;
    EXPECT_TRUE(std::filesystem::is_empty(m_data.Path()));
    EXPECT_FALSE(std::filesystem::exists(m_folders.DataFolder()));
    EXPECT_FALSE(m_store.KeyExists(UserKeyPath("x")));
    EXPECT_FALSE(m_store.KeyExists(UserKeyPath("")));
}

TEST_F(CliTest, LeaveShowAndCsvGiveTheRecalculatedLedger) {
    const std::string ledger = Utf8ToCp932("[System]\r\nKuriZan=10\r\nNowZan=99.0\r\n[VacationData]\r\n"
                                           "  1=2024/5/1,x,増加,20,0,付与, 年度,,\r\n"
                                           "  2=2024/04/06,,有給,-1,,,$FF,\r\n");
    WriteBytes(m_data.Path() / "Vacation.dat", ledger);
    Set("CSVPrivateInfoAdd", "1");
    Set("CSVPrivateInfo", Utf8ToCp932("総務課 山田"));

    const CliRun show = Run({"leave", "show"});
    ASSERT_EQ(show.status, kCliOk) << show.err;
    EXPECT_EQ(show.out, "繰越残日数\t10.0\n"
                        "1\t2024/04/06\t土\t有給\t -1.0\t  9.0\t\n"
                        "2\t2024/05/01\t水\t増加\t 20.0\t 29.0\t付与\n"
                        "現在残日数\t29.0\n");

    const std::string csv = Utf8ToCp932("総務課 山田\r\nNo,日付,曜日,区分,日数,残数,メモ\r\n"
                                        "1,2024/4/6,土,有給,-1.0,9.0,\r\n2,2024/5/1,水,増加,20.0,29.0,付与\r\n");
    const CliRun out = Run({"leave", "csv", "-"});
    ASSERT_EQ(out.status, kCliOk) << out.err;
    EXPECT_EQ(out.out, csv);
    const auto file = m_data.Path() / "out.csv";
    ASSERT_EQ(Run({"leave", "csv", file.string()}).status, kCliOk);
    EXPECT_EQ(ReadBytes(file), csv);
    EXPECT_EQ(ReadBytes(m_data.Path() / "Vacation.dat"), ledger);

    const CliRun refused = Run({"leave", "csv", (m_data.Path() / "missing" / "out.csv").string()});
    EXPECT_EQ(refused.status, kCliFileError);
    EXPECT_NE(refused.err.find("に書き込めません"), std::string::npos) << refused.err;
}

TEST_F(CliTest, MonthWithoutFileIsLaidOutFromTheCalendar) {
    const CliRun run = Run({"show", "2004", "1"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_NE(run.out.find(" 1/12 月 ○" + std::string(31, ' ') + "成人の日\n"), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(m_data.Path() / "200401.dat"));

    // The days off that follow from the holidays carry their names.
    const std::string gap(31, ' ');
    const CliRun may = Run({"show", "2026", "5"});
    for (const std::string& line : {" 5/ 3 日 ○" + gap + "憲法記念日\n", " 5/ 4 月 ○" + gap + "みどりの日\n",
                                    " 5/ 6 水 ○" + gap + "振替休日\n", std::string(" 5/ 7 木\n")})
        EXPECT_NE(may.out.find(line), std::string::npos) << line << may.out;
    const CliRun september = Run({"show", "2026", "9"});
    for (const std::string& line :
         {" 9/21 月 ○" + gap + "敬老の日\n", " 9/22 火 ○" + gap + "国民の休日\n", " 9/23 水 ○" + gap + "秋分の日\n"})
        EXPECT_NE(september.out.find(line), std::string::npos) << line << september.out;
}

TEST_F(CliTest, NamedUserKeepsFilesInOwnFolderAndSettingsKey) {
    const CliRun run = Run({"--user", "山田", "recalc", "2024", "3"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_TRUE(std::filesystem::exists(m_data.Path() / std::filesystem::path(u8"山田") / "202403.dat"));
    EXPECT_FALSE(std::filesystem::exists(m_data.Path() / "202403.dat"));
    EXPECT_TRUE(m_store.KeyExists(Utf8ToCp932("Software\\Quorvan\\Vuvedez\\User\\山田")));
}

// Stands for another program's writer lock: counts the takes, or refuses them as held by "mitoran 42".
class ScriptedLock : public WriterLock {
public:
    void Acquire(const std::filesystem::path& folder) override {
        if (held)
            throw WriterLockBusy(WriterLockFile(folder), WriterLockRecord("mitoran", 42));
        ++takes;
    }
    void Release(const std::filesystem::path&) override { ++releases; }
    bool held = false;
    int takes = 0;
    int releases = 0;
};

// Commands that write take the data folder's lock (once, nested takes included) and give it back; those that only
// look leave it alone. While another program holds it a writing command writes nothing and says who holds it.
TEST_F(CliTest, WritingCommandsTakeTheWriterLockAndWriteNothingWhileItIsHeld) {
    ScriptedLock lock;
    const auto run = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--data-dir", m_data.Path().string()});
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(arguments, m_store, m_folders, m_clock, out, err, nullptr, FakePdf, &lock);
        return CliRun{status, out.str(), err.str()};
    };
    ASSERT_EQ(run({"stamp", "in"}).status, kCliOk);
    EXPECT_GE(lock.takes, 1);
    EXPECT_EQ(lock.releases, lock.takes);
    const int writingTakes = lock.takes;
    ASSERT_EQ(run({"show", "2024", "3"}).status, kCliOk);
    ASSERT_EQ(run({"csv", "2024", "3", "-"}).status, kCliOk);
    EXPECT_EQ(lock.takes, writingTakes);

    const std::string before = ReadBytes(m_data.Path() / "202403.dat");
    lock.held = true;
    for (const auto& arguments : {std::vector<std::string>{"stamp", "out"}, {"recalc", "2024", "3"}}) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.status, kCliFileError);
        EXPECT_EQ(refused.err, "mitoran (プロセス 42) が書き込み中です。何も書き込んでいません\n");
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_EQ(ReadBytes(m_data.Path() / "202403.dat"), before);
}

TEST_F(CliTest, RefusedWriteReportsTheFileAndKeepsTheOldOne) {
    // A folder where the month file should be: the save cannot replace it.
    std::filesystem::create_directories(m_data.Path() / "202403.dat" / "inside");
    const CliRun run = Run({"recalc", "2024", "3"});
    EXPECT_EQ(run.status, kCliFileError);
    EXPECT_NE(run.err.find("202403.dat に書き込めません"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::exists(m_data.Path() / "202403.dat" / "inside"));
}

// The three PDF commands lay out their list and hand it to the painter; the month is recalculated, not saved.
TEST_F(CliTest, PdfCommandsWriteThePaintersBytesAndNothingElse) {
    Set("PrintDate", "1");
    const std::filesystem::path month = m_data.Path() / "202403.dat";
    WriteBytes(month, HandWrittenMonth());
    const std::filesystem::path file = m_data.Path() / "march.pdf";
    const CliRun run = Run({"pdf", "2024", "3", file.string()});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_EQ(ReadBytes(file), "PDF 残業時間一覧表 1 2024/03/06");
    EXPECT_EQ(ReadBytes(month), HandWrittenMonth());

    const CliRun totals = Run({"pdf", "--totals", "2024", "4", "2025", "3", "-"});
    EXPECT_EQ(totals.status, kCliOk) << totals.err;
    EXPECT_EQ(totals.out, "PDF 残業時間一覧表 1 2024/03/06");
    const CliRun leave = Run({"pdf", "--leave", "-"});
    EXPECT_EQ(leave.status, kCliOk) << leave.err;
    EXPECT_EQ(leave.out, "PDF 有給休暇一覧表 1 2024/03/06");
    const CliRun backwards = Run({"pdf", "--totals", "2025", "4", "2024", "3", "-"});
    EXPECT_EQ(backwards.status, kCliUsage);
    EXPECT_EQ(backwards.out, "");
}

} // namespace
} // namespace mitoran

namespace mitoran {
namespace {

class CliCsvTest : public CliTest {
protected:
    void SetUp() override {
        WriteBytes(m_data.Path() / "202403.dat", HandWrittenMonth());
        WriteBytes(m_data.Path() / "202404.dat", "[System]\r\nSyukinDay=20.0\r\nZangyoTime=10:00\r\n");
    }
};

TEST_F(CliCsvTest, CsvWritesTheRecalculatedMonthAndSavesNothing) {
    const auto out = m_data.Path() / "march.csv";
    const CliRun run = Run({"csv", "2024", "3", out.string()});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_EQ(ReadBytes(m_data.Path() / "202403.dat"), HandWrittenMonth());
    const std::string csv = ReadBytes(out);
    EXPECT_TRUE(csv.starts_with(Utf8ToCp932("日付,曜日,休日,出勤,退社,普通,深夜,合計,勤務,メモ\r\n"))) << csv;
    EXPECT_NE(csv.find(Utf8ToCp932("\r\n2024/3/5,火,,8:30,19:00,")), std::string::npos) << Cp932ToUtf8(csv);
    EXPECT_NE(csv.find(Utf8ToCp932(",会議\r\n2024/3/6,")), std::string::npos) << Cp932ToUtf8(csv);
    EXPECT_EQ(csv.find("99:00"), std::string::npos); // recalculated, not the stored total
    EXPECT_TRUE(csv.ends_with(",\r\n"));

    const CliRun toStdout = Run({"csv", "2024", "3", "-"});
    EXPECT_EQ(toStdout.out, csv);
}

// Words of the command line are UTF-8 on every system: a data folder and a file named in Japanese are the ones read
// and written.
TEST_F(CliCsvTest, JapaneseFolderAndFileNamesAreTheOnesUsed) {
    const auto utf8 = [](const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    };
    const std::filesystem::path folder = m_data.Path() / u8"勤務データ";
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "202403.dat", HandWrittenMonth());
    const std::filesystem::path out = folder / u8"三月の残業.csv";
    const CliRun run = RunIn(utf8(folder), {"csv", "2024", "3", utf8(out)});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    // The month read is the folder's (its memo), the file written the one named.
    EXPECT_NE(ReadBytes(out).find(Utf8ToCp932(",会議\r\n")), std::string::npos);
}

#ifndef _WIN32
TEST_F(CliCsvTest, CsvAtAPlantedLinkReplacesTheLinkAndLeavesItsTargetAlone) {
    const auto out = m_data.Path() / "out.csv";
    std::filesystem::create_symlink(m_data.Path() / "202403.dat", out);
    const CliRun run = Run({"csv", "2024", "3", out.string()});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_EQ(ReadBytes(m_data.Path() / "202403.dat"), HandWrittenMonth());
    EXPECT_FALSE(std::filesystem::is_symlink(out));
    EXPECT_TRUE(ReadBytes(out).starts_with(Utf8ToCp932("日付,曜日,")));
}
#endif

TEST_F(CliCsvTest, TotalsPrintsTheTableAndWritesTheWindowsCsv) {
    const auto out = m_data.Path() / "totals.csv";
    const CliRun run = Run({"totals", "2024", "3", "2024", "4", "--csv", out.string()});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_NE(run.out.find("年 月\t出勤\t休出\t有給\t代休\t欠勤\t普  通\t深  夜\t合  計\t勤  務\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("2024/04\t20\t0.0\t0.0\t0.0\t0.0\t10:00\t0:00\t10:00\t0:00\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("平 均\t20.0\t"), std::string::npos) << run.out;
    EXPECT_EQ(ReadBytes(out),
              Utf8ToCp932("年月,平日出勤,休日出勤,出勤合計,有給休暇,代休,欠勤,普通残業,深夜残業,残業合計,勤務時間\r\n"
                          "2024/3,9,0.0,9,0.0,0.0,0.0,99:00,0:00,99:00,0:00\r\n"
                          "2024/4,20,0.0,20,0.0,0.0,0.0,10:00,0:00,10:00,0:00\r\n"
                          "合計,29,0.0,29,0.0,0.0,0.0,109:00,0:00,109:00,0:00\r\n"
                          "平均,20.0,0.0,20,0.0,0.0,0.0,10:00,0:00,10:00,0:00\r\n"
                          "最高,20,0.0,20,0.0,0.0,0.0,10:00,0:00,10:00,0:00\r\n"
                          "最低,20,0.0,20,0.0,0.0,0.0,10:00,0:00,10:00,0:00\r\n"));

    const CliRun all = Run({"totals", "--all", "--csv", "-"});
    ASSERT_EQ(all.status, kCliOk) << all.err;
    EXPECT_EQ(all.out, ReadBytes(out));
}

TEST_F(CliCsvTest, TotalsRefuseAnEndBeforeTheStartAndAFileThatCannotBeWritten) {
    const CliRun refused = Run({"totals", "2024", "4", "2024", "3", "--csv", (m_data.Path() / "x.csv").string()});
    EXPECT_EQ(refused.status, kCliUsage);
    EXPECT_EQ(refused.err, "集計期間の設定が異常です。\n");
    EXPECT_FALSE(std::filesystem::exists(m_data.Path() / "x.csv"));

    const CliRun unwritable =
        Run({"totals", "2024", "3", "2024", "4", "--csv", (m_data.Path() / "no" / "x.csv").string()});
    EXPECT_EQ(unwritable.status, kCliFileError);
    EXPECT_NE(unwritable.err.find("に書き込めません"), std::string::npos) << unwritable.err;
}

} // namespace
} // namespace mitoran

namespace mitoran {
namespace {

// A running window as the command line reaches it: it answers with a result, or declines.
class FakeHandOver : public CommandHandOver {
public:
    std::optional<HandedResult> HandOver(const HandedCommand& command) override {
        handed.push_back(command);
        return answer;
    }
    std::optional<HandedResult> answer;
    std::vector<HandedCommand> handed;
};

class CliHandOverTest : public CliTest {
protected:
    CliRun RunHanding(std::vector<std::string> arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(arguments, m_store, m_folders, m_clock, out, err, &m_handOver);
        return {status, out.str(), err.str()};
    }
    FakeHandOver m_handOver;
};

TEST_F(CliHandOverTest, WritingCommandsGoToTheWindowAndAreWrittenHereOnlyWhenItDeclines) {
    const std::string folder = m_data.Path().string();
    m_handOver.answer = HandedResult{3, "from the window\n", "note\n"};
    const CliRun taken = RunHanding({"--data-dir", folder, "--user", "山田", "stamp", "in"});
    EXPECT_EQ(taken.status, 3);
    EXPECT_EQ(taken.out, "from the window\n");
    EXPECT_EQ(taken.err, "note\n");
    EXPECT_TRUE(test::FileNames(m_data.Path()).empty());
    // The window is handed the moment of the command (the clock's, without --at).
    ASSERT_EQ(m_handOver.handed.size(), 1U);
    EXPECT_EQ(m_handOver.handed[0], (HandedCommand{folder, "山田", {"stamp", "in", "--at", "2024-03-06 00:30"}}));

    m_handOver.answer.reset();
    const CliRun declined = RunHanding({"--data-dir", folder, "recalc", "2024", "3"});
    EXPECT_EQ(declined.status, 0) << declined.err;
    EXPECT_TRUE(std::filesystem::exists(m_data.Path() / "202403.dat"));
    EXPECT_EQ(m_handOver.handed.back(), (HandedCommand{folder, "", {"recalc", "2024", "3"}}));

    // Commands that only read or export are never handed over.
    for (const std::vector<std::string>& reading : {std::vector<std::string>{"--data-dir", folder, "show", "2024", "3"},
                                                    {"--data-dir", folder, "csv", "2024", "3", "-"},
                                                    {"--data-dir", folder, "leave", "show"}})
        RunHanding(reading);
    EXPECT_EQ(m_handOver.handed.size(), 2U);
}

// The window's side over a session of its own: it prints what the command line prints when it writes itself.
class SessionWindow : public ShownMonthWindow {
public:
    explicit SessionWindow(Session& session) : m_session(session) {}
    Session& WindowSession() override { return m_session; }
    bool SaveShownMonth() override {
        m_session.SaveShownMonth();
        return true;
    }
    void ShowChanges() override { ++shown; }
    int shown = 0;

private:
    Session& m_session;
};

TEST_F(CliHandOverTest, TheWindowPrintsWhatTheCommandLinePrints) {
    // The window's data lie in a folder of their own, so that the command line writes its month anew.
    const std::filesystem::path windowData = m_data.Path() / "window";
    std::filesystem::create_directories(windowData);
    const test::FixedFolders windowFolders(windowData);
    Session session(m_store, windowFolders, "");
    session.LoadUser("");
    session.ShowMonth(2024, 3, true);
    session.sheet.days[4][DayColumn::Memo] = Utf8ToCp932("編集中");
    SessionWindow window(session);
    const auto handed = [&](std::vector<std::string> arguments) {
        return RunHandedCommand({windowData.string(), "", std::move(arguments)}, window);
    };
    const auto samePaths = [&](std::string text) {
        return ReplaceAllText(text, windowData.string(), m_data.Path().string());
    };
    for (const std::vector<std::string>& command : {std::vector<std::string>{"stamp", "in", "--at", "2024-03-05 08:07"},
                                                    {"stamp", "in", "--at", "2024-03-05 08:30"},
                                                    {"recalc", "2024", "3"}}) {
        const std::optional<HandedResult> result = handed(command);
        ASSERT_TRUE(result);
        const CliRun itself = Run(command);
        EXPECT_EQ(result->status, itself.status);
        EXPECT_EQ(samePaths(result->out), itself.out);
        EXPECT_EQ(result->err, itself.err);
    }
    EXPECT_EQ(window.shown, 3);
    EXPECT_EQ(session.sheet.days[4][DayColumn::Memo], Utf8ToCp932("編集中"));
    // Another month, or a command that writes nothing, is the command line's own.
    EXPECT_FALSE(handed({"recalc", "2024", "4"}));
    EXPECT_FALSE(handed({"stamp", "in", "--at", "2024-04-05 08:07"}));
    EXPECT_FALSE(handed({"show", "2024", "3"}));
    EXPECT_EQ(window.shown, 3);
}

// A handed command reads, changes and saves the month under the window's hold of the writers' lock; while another
// program keeps the lock, the window writes nothing and answers who holds it.
TEST_F(CliHandOverTest, TheWindowPerformsAHandedCommandUnderTheWritersLock) {
    ScriptedLock lock;
    Session session(m_store, m_folders, "", &lock);
    session.LoadUser("");
    session.ShowMonth(2024, 3, true);
    SessionWindow window(session);
    const auto handed = [&](const char* time) {
        return RunHandedCommand({m_folders.DataFolder().string(), "", {"stamp", "in", "--at", time}}, window);
    };
    lock.held = true;
    const std::optional<HandedResult> refused = handed("2024-03-05 08:07");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, kCliFileError);
    EXPECT_EQ(refused->err, "mitoran (プロセス 42) が書き込み中です。何も書き込んでいません\n");
    EXPECT_FALSE(std::filesystem::exists(MonthFilePath(m_folders.DataFolder(), 2024, 3, "")));

    lock.held = false;
    const std::optional<HandedResult> taken = handed("2024-03-05 08:07");
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->status, kCliOk) << taken->err;
    EXPECT_GE(lock.takes, 1);
    EXPECT_EQ(lock.releases, lock.takes);
}

} // namespace
} // namespace mitoran
