// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Cli.h"
#include "engine/calendar/Clock.h"
#include "engine/print/PrintLayout.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"
#include "support/CliRun.h"
#include "support/MonthFileText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mitoran {
namespace {

using test::ReadBytes;
using test::SavedDay;
using test::TempFolder;
using test::WriteBytes;

using test::CliRun;

// April 2024: 50:00 of 時間外 on thirty weekdays; May: 110:00 of 時間外 and 8:00 of work on a statutory holiday.
class CliLimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<SavedDay> april(30);
        april[0].zangyo = "30:00";
        april[1].zangyo = "20:00";
        WriteBytes(m_data.Path() / "202404.dat", test::MonthFileText(4, april));
        std::vector<SavedDay> may(31);
        may[0].zangyo = "60:00";
        may[1].zangyo = "50:00";
        may[2] = SavedDay{"○", "8:00", "", "*"};
        WriteBytes(m_data.Path() / "202405.dat", test::MonthFileText(5, may));
    }

    CliRun Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--data-dir", m_data.Path().string()});
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(arguments, m_store, m_folders, m_clock, out, err, nullptr, FakePdf);
        return {status, out.str(), err.str()};
    }

    static std::string FakePdf(const PrintDocument& document) {
        return "PDF " + Cp932ToUtf8(document.title) + (document.landscape ? " landscape" : " portrait");
    }

    TempFolder m_data;
    test::FixedFolders m_folders{m_data.Path() / "unused"};
    MemorySettingsStore m_store;
    FixedClock m_clock{LocalDateTime{2024, 6, 10, 9, 0}};
};

constexpr const char* kZeroMonths = "2024/11\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t160:00\t2\n"
                                    "2024/12\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t160:00\t2\n"
                                    "2025/01\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t160:00\t2\n"
                                    "2025/02\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t160:00\t2\n"
                                    "2025/03\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t160:00\t2\n";

TEST_F(CliLimitsTest, PrintsTheAgreementYearAndTheLimitThatBinds) {
    const CliRun run = Run({"limits", "2024", "4"});
    ASSERT_EQ(run.status, kCliOk) << run.err;
    EXPECT_EQ(run.out,
              std::string("協定年度\t2024/04-2025/03\n"
                          "月\t時間外\t休日労働\t合計\t2か月平均\t3か月平均\t4か月平均\t5か月平均\t6か月平均\t"
                          "60時間超\t時間外累計\t上限超え回数\n"
                          "2024/04\t50:00\t0:00\t50:00\t25:00\t16:40\t12:30\t10:00\t8:20\t0:00\t50:00\t1\n"
                          "2024/05\t110:00\t8:00\t118:00\t84:00\t56:00\t42:00\t33:36\t28:00\t50:00\t160:00\t2\n"
                          "2024/06\t0:00\t0:00\t0:00\t59:00\t56:00\t42:00\t33:36\t28:00\t0:00\t160:00\t2\n"
                          "2024/07\t0:00\t0:00\t0:00\t0:00\t39:20\t42:00\t33:36\t28:00\t0:00\t160:00\t2\n"
                          "2024/08\t0:00\t0:00\t0:00\t0:00\t0:00\t29:30\t33:36\t28:00\t0:00\t160:00\t2\n"
                          "2024/09\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t23:36\t28:00\t0:00\t160:00\t2\n"
                          "2024/10\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t0:00\t19:40\t0:00\t160:00\t2\n") +
                  kZeroMonths + "今月あと\t-5:00\t月の上限\n");
    EXPECT_TRUE(run.err.empty()) << run.err;
}

// The month of the headroom and whether the forecast shows follow the words and the day of --at (or today).
TEST_F(CliLimitsTest, HeadroomAndForecastFollowTheMonthAndTheDay) {
    const struct {
        std::vector<std::string> arguments;
        std::string tail;
    } cases[] = {
        {{"limits"}, "今月あと\t42:00\t2～6か月平均80時間\n見込み\t0:00\n"},
        {{"limits", "--at", "2024-04-10"}, "今月あと\t-5:00\t月の上限\n見込み\t150:00\n"},
        {{"limits", "2024", "5", "--at", "2024-04-10"}, "今月あと\t-65:00\t月の上限\n"},
        {{"limits", "2025", "3", "--at", "2025-03-31"}, "今月あと\t45:00\t月の上限\n見込み\t0:00\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.arguments);
        ASSERT_EQ(run.status, kCliOk) << run.err;
        EXPECT_TRUE(run.out.ends_with(kZeroMonths + c.tail)) << ::testing::PrintToString(c.arguments) << run.out;
    }
}

TEST_F(CliLimitsTest, CsvHoldsOnlyTheTableInCp932WithCrLf) {
    const CliRun toOutput = Run({"limits", "2024", "5", "--csv", "-"});
    ASSERT_EQ(toOutput.status, kCliOk) << toOutput.err;
    const std::string header = Utf8ToCp932("月,時間外,休日労働,合計,2か月平均,3か月平均,4か月平均,5か月平均,6か月平均,"
                                           "60時間超,時間外累計,上限超え回数\r\n");
    EXPECT_TRUE(toOutput.out.starts_with(header +
                                         "2024/04,50:00,0:00,50:00,25:00,16:40,12:30,10:00,8:20,0:00,50:00,1\r\n"
                                         "2024/05,110:00,8:00,118:00,84:00,56:00,42:00,33:36,28:00,50:00,"
                                         "160:00,2\r\n"))
        << toOutput.out;
    EXPECT_TRUE(toOutput.out.ends_with("\r\n2025/03,0:00,0:00,0:00,0:00,0:00,0:00,0:00,0:00,0:00,160:00,2\r\n"));
    EXPECT_EQ(std::count(toOutput.out.begin(), toOutput.out.end(), '\n'), 13);
    EXPECT_EQ(std::count(toOutput.out.begin(), toOutput.out.end(), '\r'), 13);

    const std::filesystem::path file = m_data.Path() / "limits.csv";
    const CliRun toFile = Run({"limits", "2024", "5", "--csv", file.string()});
    ASSERT_EQ(toFile.status, kCliOk) << toFile.err;
    EXPECT_TRUE(toFile.out.empty()) << toFile.out;
    EXPECT_EQ(ReadBytes(file), toOutput.out);

    const CliRun refused = Run({"limits", "--csv", (m_data.Path() / "no-such-folder" / "x.csv").string()});
    EXPECT_EQ(refused.status, kCliFileError);
    EXPECT_NE(refused.err.find("x.csv に書き込めません"), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty());
}

// Damaged month files count 0:00, are left as they are, and nothing crashes.
TEST_F(CliLimitsTest, DamagedMonthFilesCountNothingAndStayAsTheyAre) {
    const std::string damaged[] = {
        "",
        std::string("\0\xff\xfe[DayData]\r\n1=\0\0,,,,,\xff\xff\r\n", 24),
        "[System]\r\nLastDay=abc\r\n[DayData]\r\n1=4/ 1,x,  ,,,abc,::,,,,,,,,\r\n",
        "[System]\r\nLastDay=99999\r\n[DayData]\r\n99999=4/ 1,x,  ,,,-9999:00,,,,,,,,,\r\n" + std::string(300000, ','),
    };
    for (const std::string& bytes : damaged) {
        WriteBytes(m_data.Path() / "202404.dat", bytes);
        const CliRun run = Run({"limits", "2024", "4"});
        ASSERT_EQ(run.status, kCliOk) << run.err;
        EXPECT_NE(run.out.find("\n2024/04\t0:00\t0:00\t0:00\t0:00\t"), std::string::npos) << run.out.substr(0, 400);
        EXPECT_EQ(ReadBytes(m_data.Path() / "202404.dat"), bytes);
    }
}

TEST_F(CliLimitsTest, HelpVersionMistakesAndThePrintedTable) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string outStart;
    } cases[] = {
        {{"limits", "--help"}, kCliOk, "使い方: mitoran-cli limits [年 月] [--at YYYY-MM-DD] [--csv ファイル]\n"},
        {{"show", "-h"}, kCliOk, "使い方: mitoran-cli show 年 月\n"},
        {{"--version"}, kCliOk, "mitoran-cli (ミトラン) "},
        {{"limits", "--version"}, kCliOk, "mitoran-cli (ミトラン) "},
        {{"limits", "--colour"}, kCliUsage, ""},
        {{"limits", "2024"}, kCliUsage, ""},
        {{"limits", "2024", "13"}, kCliUsage, ""},
        {{"limits", "2024", "4", "5"}, kCliUsage, ""},
        {{"limits", "--at", "2024-02-30"}, kCliUsage, ""},
        {{"limits", "--at"}, kCliUsage, ""},
        {{"limits", "1989", "12"}, kCliUsage, ""},
        {{"limits", "--at", "2091-06-01"}, kCliUsage, ""},
        {{"pdf", "--limits", "9999", "4", "x.pdf"}, kCliUsage, ""},
        {{"pdf", "--limits", "2024", "x"}, kCliUsage, ""},
        {{"pdf", "--limits", "--leave", "2024", "4", "x.pdf"}, kCliUsage, ""},
        {{"pdf", "--limits", "2024", "4", "-"}, kCliOk, "PDF 36協定 時間外労働・休日労働 landscape"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.arguments);
        EXPECT_TRUE(run.out.starts_with(c.outStart)) << run.out;
        if (c.status == kCliUsage) {
            EXPECT_TRUE(run.out.empty());
            EXPECT_NE(run.err.find("使い方: mitoran-cli"), std::string::npos) << run.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists("x.pdf"));
}

} // namespace
} // namespace mitoran
