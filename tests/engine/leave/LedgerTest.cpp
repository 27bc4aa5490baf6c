// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/leave/Ledger.h"

#include "engine/leave/LedgerFixture.h"
#include "engine/text/ProfileFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace mitoran;
using mitoran::test::S;
using namespace std::string_literals;

namespace {

using Column = LedgerColumn;

// A row as typed into the grid.
void Put(Ledger& ledger, int row, const std::string& date, const std::string& category, const std::string& days,
         const std::string& memo = "", std::int32_t color = 0) {
    LedgerRow& r = ledger.Row(row);
    r[Column::Date] = date;
    r[Column::Category] = category;
    r[Column::Days] = days;
    r[Column::Memo] = memo;
    r.color = color;
}

std::vector<std::string> Dates(const Ledger& ledger) {
    std::vector<std::string> dates;
    for (int row = 1; row <= ledger.EntryCount(); ++row)
        dates.push_back(ledger.Row(row)[Column::Date]);
    return dates;
}

std::string DateText(std::chrono::sys_days day) {
    const std::chrono::year_month_day ymd{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()));
    return text;
}

class LedgerTest : public mitoran::test::LedgerFixture {};

} // namespace

TEST(LedgerDates, NormalizeYmdText) {
    const struct {
        std::string typed;
        std::string expected;
    } cases[] = {
        {"2024/4/1", "2024/04/01"},
        {S("２０２４／４／１"), "2024/04/01"},
        {"  2024/04/06  ", "2024/04/06"},
        {"2024/13/45", "2024/13/45"},
        {"20245/123/456", "2024/12/45"},
        {"2024//", "2024/00/00"},
        {"0/0/0", ""},
        {"x/y/z", ""},
        {"2024/04", ""},
        {"20240406", ""},
        {"", ""},
        {S("あ/い/う"), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeYmdText(c.typed).text, c.expected) << c.typed;

    const YmdText ymd = NormalizeYmdText("2004/2/29");
    EXPECT_EQ(ymd.year, 2004);
    EXPECT_EQ(ymd.month, 2);
    EXPECT_EQ(ymd.day, 29);
}

TEST(LedgerDates, WeekdayText) {
    const struct {
        int year, month, day;
        std::string expected;
    } cases[] = {
        {2024, 4, 6, S("土")},  {2024, 4, 7, S("日")},   {2004, 2, 29, S("日")},   {2004, 3, 1, S("月")},
        {2023, 2, 29, S("？")}, {2024, 13, 1, S("？")},  {2024, 4, 31, S("？")},   {0, 1, 1, S("？")},
        {2024, 0, 1, S("？")},  {2024, 257, 1, S("？")}, {2024, 1, -255, S("？")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WeekdayText(c.year, c.month, c.day), c.expected) << c.year << "/" << c.month << "/" << c.day;
}

// The hand-worked example: carry-over 10.0, then 有給 -1.0, 午前 -0.5 and 増加 +20.0.
TEST_F(LedgerTest, RunningBalanceAndDeletingTheOldestKeepTheCurrentBalance) {
    std::vector<int> scrolledTo;
    ledger.SetScrollHandler([&](int lastRow) { scrolledTo.push_back(lastRow); });
    ledger.SetCarryOverText(" 10");
    Put(ledger, 1, "2024/4/20", S("増加"), "20");
    Put(ledger, 2, "2024/04/01", S("有給"), "-1.0");
    Put(ledger, 7, "2024/04/10", S("午前"), "-0.5");
    ledger.RecalculateLedger(true);

    EXPECT_EQ(Dates(ledger), (std::vector<std::string>{"2024/04/01", "2024/04/10", "2024/04/20"}));
    EXPECT_EQ(ledger.Row(1)[Column::Weekday], S("月"));
    EXPECT_EQ(ledger.Row(1)[Column::Days], " -1.0");
    EXPECT_EQ(ledger.Row(3)[Column::Days], " 20.0");
    EXPECT_EQ(ledger.Row(1)[Column::Remaining], "  9.0");
    EXPECT_EQ(ledger.Row(2)[Column::Remaining], "  8.5");
    EXPECT_EQ(ledger.Row(3)[Column::Remaining], " 28.5");
    EXPECT_EQ(ledger.CarryOverText(), "10.0");
    EXPECT_EQ(ledger.CurrentBalanceText(), "28.5");
    EXPECT_EQ(ledger.Row(7), LedgerRow{});

    ledger.DeleteOldestEntries(2);
    EXPECT_EQ(ledger.CarryOverText(), "8.5");
    EXPECT_EQ(ledger.CurrentBalanceText(), "28.5");
    EXPECT_EQ(Dates(ledger), std::vector<std::string>{"2024/04/20"});
    EXPECT_EQ(ledger.Row(1)[Column::Remaining], " 28.5");
    EXPECT_EQ(ledger.Row(2), LedgerRow{});
    EXPECT_EQ(scrolledTo.front(), 3);
    EXPECT_EQ(scrolledTo.back(), 1);
}

TEST_F(LedgerTest, DeleteOldestEntriesCountBounds) {
    const struct {
        int count;
        int left;
        std::string carryOver;
    } cases[] = {{0, 3, "5.0"}, {-1, 3, "5.0"}, {1, 2, "4.0"}, {3, 0, "2.5"}, {9999, 0, "2.5"}};
    for (const auto& c : cases) {
        ledger.SetCarryOverText("5");
        Put(ledger, 1, "2024/01/01", S("有給"), "-1.0");
        Put(ledger, 2, "2024/01/02", S("午後"), "-0.5");
        Put(ledger, 3, "2024/01/03", S("減少"), "-1.0");
        ledger.DeleteOldestEntries(c.count);
        EXPECT_EQ(ledger.EntryCount(), c.left) << c.count;
        EXPECT_EQ(ledger.CarryOverText(), c.carryOver) << c.count;
        EXPECT_EQ(ledger.CurrentBalanceText(), "2.5") << c.count;
        ledger.DeleteOldestEntries(kLedgerRowCount);
    }
}

TEST_F(LedgerTest, DeleteEntriesUpToIncludesTheDateAndNothingLater) {
    ledger.SetCarryOverText("10.0");
    Put(ledger, 1, "2024/03/01", S("有給"), "-1.0");
    Put(ledger, 2, "2024/04/01", S("有給"), "-1.0");
    Put(ledger, 3, "2024/03/31", S("午前"), "-0.5");
    ledger.DeleteEntriesUpTo("2000/01/01");
    EXPECT_EQ(ledger.EntryCount(), 3);
    EXPECT_EQ(ledger.CarryOverText(), "10.0");

    ledger.DeleteEntriesUpTo("2024/03/31");
    EXPECT_EQ(Dates(ledger), std::vector<std::string>{"2024/04/01"});
    EXPECT_EQ(ledger.CarryOverText(), "8.5");
    EXPECT_EQ(ledger.CurrentBalanceText(), "7.5");
}

TEST_F(LedgerTest, RowsWithoutAReadableDateVanishAndImpossibleDatesStay) {
    Put(ledger, 1, "abc", S("有給"), "-1.0", "gone");
    Put(ledger, 2, "2024/02/30", S("有給"), "xyz", "kept");
    Put(ledger, 3, "", "", "", "memo without a date");
    Put(ledger, 4, S("２０２４／４／７"), S("ｿﾉ他"), "1.04");
    Put(ledger, 5, "2024/04/08", S("増加"), "1e39");
    ledger.RecalculateLedger(false);
    EXPECT_EQ(Dates(ledger), (std::vector<std::string>{"2024/02/30", "2024/04/07", "2024/04/08"}));
    EXPECT_EQ(ledger.Row(1)[Column::Weekday], S("？"));
    EXPECT_EQ(ledger.Row(1)[Column::Days], "  0.0");
    EXPECT_EQ(ledger.Row(1)[Column::Memo], "kept");
    EXPECT_EQ(ledger.Row(2)[Column::Weekday], S("日"));
    EXPECT_EQ(ledger.Row(2)[Column::Days], "  1.0");
    EXPECT_EQ(ledger.Row(3)[Column::Days], "  0.0") << "beyond single precision";
    EXPECT_EQ(ledger.Row(4), LedgerRow{});
    EXPECT_EQ(ledger.CurrentBalanceText(), "1.0");
}

TEST_F(LedgerTest, LoadSortsAnOutOfOrderFileAndRecomputesRemainingDays) {
    WriteLedgerFile("[System]\r\nKuriZan=2\r\nNowZan=99.9\r\n[VacationData]\r\n"
                    "  1=2024/05/01," +
                    S("月,有給") + ", -1.0, 50.0,May,,\r\n" + "2=2023/12/01,x," + S("増加") + ",10,0,Dec,$FF,\r\n" +
                    "  3=2024/1/5,," + S("午後") + ",-0.5,,Jan,,\r\n" + " 10=nonsense,," + S("有給") +
                    ",-1.0,,gone,,\r\n");
    ledger.LoadLedger();

    EXPECT_EQ(Dates(ledger), (std::vector<std::string>{"2023/12/01", "2024/01/05", "2024/05/01"}));
    EXPECT_EQ(ledger.Row(1)[Column::Weekday], S("金"));
    EXPECT_EQ(ledger.Row(1)[Column::Memo], "Dec");
    EXPECT_EQ(ledger.Row(1).color, 0xFF);
    EXPECT_EQ(ledger.Row(2)[Column::Category], S("午後"));
    EXPECT_EQ(ledger.Row(3)[Column::Weekday], S("水"));
    EXPECT_EQ(ledger.Row(1)[Column::Remaining], " 12.0");
    EXPECT_EQ(ledger.Row(2)[Column::Remaining], " 11.5");
    EXPECT_EQ(ledger.Row(3)[Column::Remaining], " 10.5");
    EXPECT_EQ(ledger.CarryOverText(), "2.0");
    EXPECT_EQ(ledger.CurrentBalanceText(), "10.5");
    EXPECT_FALSE(ledger.IsChanged());
}

TEST_F(LedgerTest, DamagedFileLoadsWhatCanBeRead) {
    const std::string longMemo(3000, 'm');
    std::string file = "[System]\r\nKuriZan=zz\r\n[VacationData]\r\n"
                       "1=2024/04/01\r\n"
                       "2=2024/04/02,," +
                       S("有給") + "\r\n" + "3=2024/04/03,," + S("有給") + ",abc,,memo,$zz,\r\n" + "4=2024/04/04,," +
                       S("有給") + ",-1.0,,memo,$ff\r\n" + "5=\x01\xff\x80\0,,"s + S("有給") + ",-1.0,,\r\n" +
                       "6=2024/04/05,," + S("有給") + ",-1.0,,\x82,\x81,\r\n" + "7=2024/04/06,," + S("有給") +
                       ",-1.0,," + longMemo + ",$123456,\r\n" + "8=2024/04/07,,\r\n" + "\xff\xfe=\r\n" +
                       "garbage line without equals\r\n";
    for (int row = 501; row <= 510; ++row)
        file += std::to_string(row) + "=2030/01/01,," + S("有給") + ",-1.0,,,,\r\n";
    WriteLedgerFile(file);
    ledger.LoadLedger();

    EXPECT_EQ(Dates(ledger), (std::vector<std::string>{"2024/04/01", "2024/04/02", "2024/04/03", "2024/04/04",
                                                       "2024/04/05", "2024/04/06", "2024/04/07"}));
    EXPECT_EQ(ledger.Row(1)[Column::Days], "  0.0");
    EXPECT_EQ(ledger.Row(2)[Column::Category], S("有給"));
    EXPECT_EQ(ledger.Row(3)[Column::Days], "  0.0");
    EXPECT_EQ(ledger.Row(3).color, 0);
    EXPECT_EQ(ledger.Row(4)[Column::Memo], "memo");
    EXPECT_EQ(ledger.Row(4).color, 0) << "a colour without its closing comma is not taken";
    EXPECT_EQ(ledger.Row(5)[Column::Memo], "\x82");
    EXPECT_EQ(ledger.Row(6)[Column::Memo], longMemo);
    EXPECT_EQ(ledger.Row(6).color, 0x123456);
    EXPECT_EQ(ledger.CarryOverText(), "0.0");
    EXPECT_EQ(ledger.CurrentBalanceText(), "-3.0");
}

TEST_F(LedgerTest, SavedFileBytes) {
    WriteLedgerFile("[System]\r\nKuriZan=1.0\r\n[VacationData]\r\n  7=2000/01/01,,,,,,,\r\n[Other]\r\nKeep=yes\r\n");
    ledger.SetCarryOverText("10.0");
    Put(ledger, 1, "2024/04/06", S("有給"), "-1.0");
    Put(ledger, 2, "2024/04/10", S("午前"), "-0.5", "a,b", 0xFF);
    Put(ledger, 3, "2024/04/20", S("増加"), "20", "line\r\nbreak", 0x00FF8000);
    ledger.SaveLedger();

    EXPECT_EQ(ReadLedgerFile(), "[System]\r\nKuriZan=10.0\r\nNowZan=28.5\r\n[VacationData]\r\n"
                                "1=2024/04/06," +
                                    S("土,有給") + ", -1.0,  9.0,,,\r\n" + "2=2024/04/10," + S("水,午前") +
                                    ", -0.5,  8.5,a.b,$FF,\r\n" + "3=2024/04/20," + S("土,増加") +
                                    ", 20.0, 28.5,line  break,$FF8000,\r\n" + "[Other]\r\nKeep=yes\r\n");
    EXPECT_FALSE(ledger.IsChanged());
}

TEST_F(LedgerTest, SaveThenLoadGivesTheSameLedger) {
    ledger.SetCarryOverText("3.5");
    Put(ledger, 1, "2024/04/06", S("有給"), "-1.0", S("通院、検査"), 0x0080FF);
    Put(ledger, 2, "2024/04/06", S("午後"), "-0.5");
    Put(ledger, 3, "2024/05/01", S("ｿﾉ他"), "2.5", "=;[x]");
    ledger.SaveLedger();
    Ledger reloaded;
    reloaded.SetLocation(m_folder, "");
    reloaded.LoadLedger();
    for (int row = 1; row <= kLedgerRowCount; ++row)
        ASSERT_EQ(reloaded.Row(row), ledger.Row(row)) << row;
    EXPECT_EQ(reloaded.CarryOverText(), "3.5");
    EXPECT_EQ(reloaded.CurrentBalanceText(), "4.5");

    reloaded.Row(3)[Column::Memo] = "edited";
    EXPECT_TRUE(reloaded.IsChanged());
    reloaded.Row(3)[Column::Memo] = "=;[x]";
    EXPECT_FALSE(reloaded.IsChanged());
    reloaded.Row(3).color = 1;
    EXPECT_TRUE(reloaded.IsChanged());
    reloaded.Row(3).color = 0;
    reloaded.SetCarryOverText("4.0");
    EXPECT_TRUE(reloaded.IsChanged());
}

TEST_F(LedgerTest, RefusedWriteThrowsAndKeepsTheChangeUnsaved) {
    ledger.SetLocation(m_folder, "nobody");
    EXPECT_EQ(ledger.LedgerFilePath(), m_folder / "nobody" / "Vacation.dat");
    Put(ledger, 1, "2024/04/06", S("有給"), "-1.0");
    EXPECT_THROW(ledger.SaveLedger(), FileWriteError);
    EXPECT_TRUE(ledger.IsChanged());
    EXPECT_FALSE(std::filesystem::exists(m_folder / "nobody"));
}

TEST_F(LedgerTest, AddEntryFromDayBooksTheDayCategoriesWithTheirAmounts) {
    EXPECT_EQ(ledger.DayAmount(LeaveCategory::Gozen), -0.5F);
    ledger.SetHalfDayAmounts(-0.4F, -0.6F);
    ledger.AddEntryFromDay("2024/04/02", S("前"), 0, "am");
    ledger.AddEntryFromDay("2024/04/04", S(" 有 "), 0xFF, "full");
    ledger.AddEntryFromDay("2024/04/03", S("後"), 0, "pm");
    for (const std::string& mark : std::vector<std::string>{S("代"), S("○"), S("半"), S("欠"), "  ", "", "?"})
        ledger.AddEntryFromDay("2024/04/05", mark, 0, "");
    ledger.AddEntryFromDay("not a date", S("有"), 0, "");

    ASSERT_EQ(Dates(ledger), (std::vector<std::string>{"2024/04/02", "2024/04/03", "2024/04/04"}));
    EXPECT_EQ(ledger.Row(1)[Column::Category], S("午前"));
    EXPECT_EQ(ledger.Row(1)[Column::Days], " -0.4");
    EXPECT_EQ(ledger.Row(1)[Column::Weekday], S("火"));
    EXPECT_EQ(ledger.Row(2)[Column::Category], S("午後"));
    EXPECT_EQ(ledger.Row(2)[Column::Days], " -0.6");
    EXPECT_EQ(ledger.Row(3)[Column::Category], S("有給"));
    EXPECT_EQ(ledger.Row(3)[Column::Days], " -1.0");
    EXPECT_EQ(ledger.Row(3)[Column::Memo], "full");
    EXPECT_EQ(ledger.Row(3).color, 0xFF);
    EXPECT_EQ(ledger.CurrentBalanceText(), "-2.0");
    for (const auto typed : {LeaveCategory::Increase, LeaveCategory::Decrease, LeaveCategory::Other})
        EXPECT_EQ(ledger.DayAmount(typed), 0.0F);

    ledger.AddEntryFromDay("2024/04/01", S("有"), 0, "older than the oldest entry");
    EXPECT_EQ(ledger.EntryCount(), 3);
}

TEST_F(LedgerTest, RemoveAndUpdateEntriesOfADay) {
    Put(ledger, 1, "2024/04/01", S("有給"), "-1.0", "first");
    Put(ledger, 2, "2024/04/01", S("午前"), "-0.5", "am");
    Put(ledger, 3, "2024/04/01", S("有給"), "-1.0", "second");
    Put(ledger, 4, "2024/04/02", S("有給"), "-1.0", "other day");
    ledger.RecalculateLedger(false);

    ledger.UpdateEntryMemo("2024/03/31", S("有給"), 1, "before the first entry");
    ledger.UpdateEntryMemo("2024/04/01", S("午前"), 0xFF, "changed");
    ledger.RemoveEntryForDay("2024/04/01", S("代"));
    EXPECT_EQ(ledger.EntryCount(), 4);
    ledger.RemoveEntryForDay("2024/4/1", S("有"));

    ASSERT_EQ(ledger.EntryCount(), 2);
    EXPECT_EQ(ledger.Row(1)[Column::Category], S("午前"));
    EXPECT_EQ(ledger.Row(1)[Column::Memo], "changed");
    EXPECT_EQ(ledger.Row(1).color, 0xFF);
    EXPECT_EQ(ledger.Row(2)[Column::Memo], "other day");

    Put(ledger, 3, "2024/04/02", S("有給"), "-1.0", "twin");
    ledger.RecalculateLedger(false);
    ledger.UpdateEntryMemo("2024/04/02", S("有給"), 2, "only one");
    int updated = 0;
    for (int row = 1; row <= ledger.EntryCount(); ++row)
        updated += ledger.Row(row)[Column::Memo] == "only one" ? 1 : 0;
    EXPECT_EQ(updated, 1);
}

// A month save that changes the category or colour of the oldest entry's day must not lose that day.
TEST_F(LedgerTest, ReplacingTheOldestEntryKeepsTheDay) {
    ledger.SetCarryOverText("10.0");
    ledger.AddEntryFromDay("2024/04/01", S("有"), 0, "");
    ledger.AddEntryFromDay("2024/04/05", S("有"), 0, "");
    ledger.ReplaceEntryForDay("2024/04/01", S("有"), S("前"), 0xFF, "am");
    ASSERT_EQ(Dates(ledger), (std::vector<std::string>{"2024/04/01", "2024/04/05"}));
    EXPECT_EQ(ledger.Row(1)[Column::Category], S("午前"));
    EXPECT_EQ(ledger.Row(1).color, 0xFF);
    EXPECT_EQ(ledger.CurrentBalanceText(), "8.5");

    ledger.ReplaceEntryForDay("2024/03/31", "  ", S("有"), 0, "older than the oldest entry");
    ledger.ReplaceEntryForDay("2024/04/01", S("前"), "  ", 0, "");
    EXPECT_EQ(Dates(ledger), std::vector<std::string>{"2024/04/05"});
    EXPECT_EQ(ledger.CurrentBalanceText(), "9.0");
}

// A month save on a full ledger: the 501st entry folds the oldest into the carry-over.
TEST_F(LedgerTest, FullLedgerFoldsTheOldestEntryIntoTheCarryOver) {
    const std::chrono::sys_days first = std::chrono::sys_days{std::chrono::year{2020} / 1 / 1};
    std::string file = "[System]\r\nKuriZan=600.0\r\n[VacationData]\r\n";
    for (int row = 1; row <= kLedgerRowCount; ++row)
        file += std::to_string(row) + "=" + DateText(first + std::chrono::days{row - 1}) + ",," + S("有給") +
                ",-1.0,,,,\r\n";
    WriteLedgerFile(file);
    ledger.LoadLedger();
    ASSERT_EQ(ledger.EntryCount(), kLedgerRowCount);
    ASSERT_EQ(ledger.CurrentBalanceText(), "100.0");

    ledger.AddEntryFromDay("2022/01/01", S("有"), 0, "new");
    EXPECT_EQ(ledger.EntryCount(), kLedgerRowCount);
    EXPECT_EQ(ledger.Row(1)[Column::Date], "2020/01/02");
    EXPECT_EQ(ledger.Row(kLedgerRowCount)[Column::Date], "2022/01/01");
    EXPECT_EQ(ledger.Row(kLedgerRowCount)[Column::Memo], "new");
    EXPECT_EQ(ledger.CarryOverText(), "599.0");
    EXPECT_EQ(ledger.CurrentBalanceText(), "99.0");

    ledger.AddEntryFromDay("2020/01/01", S("有"), 0, "older than the oldest entry");
    EXPECT_EQ(ledger.Row(1)[Column::Date], "2020/01/02");
    EXPECT_EQ(ledger.CarryOverText(), "599.0");
}
