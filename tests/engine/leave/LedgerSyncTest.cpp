// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/leave/LedgerSync.h"

#include "engine/leave/Ledger.h"
#include "engine/leave/LedgerFixture.h"
#include "engine/month/MonthSheet.h"
#include "engine/text/ProfileFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

using namespace mitoran;
using mitoran::test::S;

namespace {

using namespace std::chrono;

// A sheet of count days from the first date, dated as the month file holds them (" 2/21"), already saved.
MonthSheet MakeSheet(year_month_day firstDay, int count) {
    MonthSheet sheet;
    sheet.dayCount = count;
    for (int slot = 1; slot <= count; ++slot) {
        const year_month_day date{sys_days{firstDay} + days{slot - 1}};
        char text[8];
        std::snprintf(text, sizeof text, "%2u/%2u", static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()));
        sheet.days[slot][DayColumn::Date] = text;
        sheet.days[slot][DayColumn::Kubun] = "  ";
    }
    sheet.MarkSaved();
    return sheet;
}

void SetDay(MonthSheet& sheet, int slot, const std::string& mark, const std::string& memo = "",
            std::int32_t color = 0) {
    sheet.days[slot][DayColumn::Kubun] = mark;
    sheet.days[slot][DayColumn::Memo] = memo;
    sheet.days[slot].memoColor = color;
}

struct Entry {
    std::string date;
    std::string weekday;
    std::string category;
    std::string days;
    std::string memo;
    std::int32_t color = 0;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
    return out << e.date << " " << e.category << " " << e.days << " " << e.memo << " " << e.color;
}

std::vector<Entry> Entries(const Ledger& ledger) {
    std::vector<Entry> entries;
    for (int row = 1; row <= ledger.EntryCount(); ++row) {
        const LedgerRow& r = ledger.Row(row);
        entries.push_back({r[LedgerColumn::Date], r[LedgerColumn::Weekday], r[LedgerColumn::Category],
                           r[LedgerColumn::Days], r[LedgerColumn::Memo], r.color});
    }
    return entries;
}

class LedgerSyncTest : public mitoran::test::LedgerFixture {
protected:
    // The ledger as the file now holds it.
    std::vector<Entry> FileEntries() const {
        Ledger reader;
        reader.SetLocation(m_folder, "");
        reader.LoadLedger();
        return Entries(reader);
    }
};

} // namespace

// Closing day 20, March 2004: the sheet runs from 21 February to 20 March 2004 (29 rows).
TEST_F(LedgerSyncTest, MonthSaveAddsChangesAndRemovesEntriesOnTheirDates) {
    MonthSheet sheet = MakeSheet(2004y / February / 21, 29);
    SetDay(sheet, 1, S("有"));
    SetDay(sheet, 5, S("○"), S("休み"));
    SetDay(sheet, 9, S("前"), S("通院"));
    SetDay(sheet, 10, S("後"));
    SetDay(sheet, 29, S("有"), "", 0xFF);
    UpdateLedgerFromMonth(sheet, 2004, ledger);

    EXPECT_EQ(FileEntries(), (std::vector<Entry>{
                                 {"2004/02/21", S("土"), S("有給"), " -1.0", ""},
                                 {"2004/02/29", S("日"), S("午前"), " -0.5", S("通院")},
                                 {"2004/03/01", S("月"), S("午後"), " -0.5", ""},
                                 {"2004/03/20", S("土"), S("有給"), " -1.0", "", 0xFF},
                             }));
    EXPECT_FALSE(sheet.IsChanged());

    ledger.SetHalfDayAmounts(-0.4F, -0.5F);
    SetDay(sheet, 1, S("前"), S("午前だけ"));
    SetDay(sheet, 9, "  ", S("通院"));
    SetDay(sheet, 10, S("後"), "", 0x00FF00);
    SetDay(sheet, 29, S("有"), S("旅行"), 0xFF);
    UpdateLedgerFromMonth(sheet, 2004, ledger);

    EXPECT_EQ(FileEntries(), (std::vector<Entry>{
                                 {"2004/02/21", S("土"), S("午前"), " -0.4", S("午前だけ")},
                                 {"2004/03/01", S("月"), S("午後"), " -0.5", "", 0x00FF00},
                                 {"2004/03/20", S("土"), S("有給"), " -1.0", S("旅行"), 0xFF},
                             }));
    EXPECT_EQ(sheet.saved, sheet.days);
}

TEST_F(LedgerSyncTest, SlotDatesCrossMonthAndYearBoundaries) {
    const struct {
        year_month_day firstDay;
        int dayCount;
        int sheetYear;
        int slot;
        std::string expected;
    } cases[] = {
        {2004y / February / 21, 29, 2004, 9, "2004/02/29"},  {2004y / February / 21, 29, 2004, 10, "2004/03/01"},
        {2004y / December / 21, 31, 2005, 1, "2004/12/21"},  {2004y / December / 21, 31, 2005, 11, "2004/12/31"},
        {2004y / December / 21, 31, 2005, 12, "2005/01/01"}, {2024y / February / 1, 29, 2024, 29, "2024/02/29"},
        {2023y / February / 1, 28, 2023, 1, "2023/02/01"},
    };
    for (const auto& c : cases) {
        MonthSheet sheet = MakeSheet(c.firstDay, c.dayCount);
        SetDay(sheet, c.slot, S("有"));
        Ledger fresh;
        fresh.SetLocation(m_folder, "");
        std::filesystem::remove(fresh.LedgerFilePath());
        UpdateLedgerFromMonth(sheet, c.sheetYear, fresh);
        const std::vector<Entry> entries = FileEntries();
        ASSERT_EQ(entries.size(), 1U) << c.expected;
        EXPECT_EQ(entries[0].date, c.expected);
    }
}

TEST_F(LedgerSyncTest, ChangesThatBookNoLeaveLeaveTheLedgerFileAlone) {
    MonthSheet sheet = MakeSheet(2024y / April / 1, 30);
    SetDay(sheet, 3, S("○"), S("祝日"), 0xFF);
    SetDay(sheet, 4, "  ", "memo");
    UpdateLedgerFromMonth(sheet, 2024, ledger);
    EXPECT_FALSE(LedgerFileExists());
    EXPECT_FALSE(sheet.IsChanged());

    // A day before the oldest entry is not booked, so the file is not rewritten either.
    const std::string file = "[VacationData]\r\n 1=2024/04/10,," + S("増加") + ",10.0,,,,\r\n";
    WriteLedgerFile(file);
    SetDay(sheet, 5, S("有"));
    UpdateLedgerFromMonth(sheet, 2024, ledger);
    EXPECT_EQ(ReadLedgerFile(), file);
    EXPECT_FALSE(sheet.IsChanged());
}

TEST_F(LedgerSyncTest, RefusedLedgerWriteKeepsTheMonthChanged) {
    ledger.SetLocation(m_folder, "nobody");
    MonthSheet sheet = MakeSheet(2024y / April / 1, 30);
    SetDay(sheet, 6, S("有"));
    const auto before = sheet.saved;
    EXPECT_THROW(UpdateLedgerFromMonth(sheet, 2024, ledger), FileWriteError);
    EXPECT_EQ(sheet.saved, before);
    EXPECT_TRUE(sheet.IsChanged());
}

TEST_F(LedgerSyncTest, DamagedSheetsNeverTouchTheLedger) {
    MonthSheet sheets[3] = {MakeSheet(2024y / April / 1, 30), MakeSheet(2024y / April / 1, 30),
                            MakeSheet(2024y / April / 1, 30)};
    sheets[0].dayCount = 0;
    sheets[1].dayCount = 45;
    sheets[2].saved[30][DayColumn::Date] = "garbled";
    for (MonthSheet& sheet : sheets) {
        SetDay(sheet, 6, S("有"));
        UpdateLedgerFromMonth(sheet, 2024, ledger);
        EXPECT_EQ(sheet.saved[6], sheet.days[6]);
    }
    EXPECT_FALSE(LedgerFileExists());
}
