// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/leave/LedgerEditing.h"

#include "engine/leave/LedgerFixture.h"
#include "engine/settings/Settings.h"
#include "engine/text/AtomicFile.h"

namespace mitoran::test {
namespace {

LedgerRow DatedRow(const std::string& date, const std::string& categoryUtf8, const std::string& days) {
    LedgerRow row;
    row[LedgerColumn::Date] = date;
    row[LedgerColumn::Category] = S(categoryUtf8);
    row[LedgerColumn::Days] = days;
    return row;
}

TEST(LedgerEditing, DateDoubleClickFillsTodayOrNormalizes) {
    LedgerRow empty;
    FillDateCell(empty, {2024, 4, 6});
    EXPECT_EQ(empty[LedgerColumn::Date], "2024/04/06");
    EXPECT_EQ(empty[LedgerColumn::Weekday], S("土"));

    LedgerRow typed = DatedRow(S("２０２４／３／１"), "", "");
    FillDateCell(typed, {2024, 4, 6});
    EXPECT_EQ(typed[LedgerColumn::Date], "2024/03/01");
    EXPECT_EQ(typed[LedgerColumn::Weekday], S("金"));
}

TEST(LedgerEditing, CategoryCycleAndMenu) {
    Ledger ledger;
    ledger.SetHalfDayAmounts(-0.5F, -0.4F);
    // From each category: the next one and the days it leaves.
    const std::tuple<std::string, std::string, std::string> cycle[] = {
        {"", "有給", " -1.0"},     {"有給", "午前", " -0.5"}, {"午前", "午後", " -0.4"}, {"午後", "増加", "  2.0"},
        {"増加", "減少", "  2.0"}, {"減少", "ｿﾉ他", "  2.0"}, {"ｿﾉ他", "有給", " -1.0"}, {"    ", "有給", " -1.0"},
    };
    for (const auto& [from, to, days] : cycle) {
        LedgerRow row = DatedRow("2024/4/6", from, "  2.0");
        EXPECT_TRUE(CycleCategory(row, ledger)) << from;
        EXPECT_EQ(row[LedgerColumn::Category], S(to)) << from;
        EXPECT_EQ(row[LedgerColumn::Days], days) << from;
        EXPECT_EQ(row[LedgerColumn::Date], "2024/04/06");
        EXPECT_EQ(row[LedgerColumn::Weekday], S("土"));
    }

    LedgerRow unknown = DatedRow("2024/04/06", "休日", "  2.0");
    EXPECT_FALSE(CycleCategory(unknown, ledger));
    EXPECT_EQ(unknown[LedgerColumn::Category], S("休日"));
    LedgerRow undated = DatedRow("", "有給", "");
    EXPECT_FALSE(CycleCategory(undated, ledger));
    EXPECT_FALSE(ApplyCategory(undated, LeaveCategory::Gozen, ledger));
    EXPECT_EQ(undated[LedgerColumn::Category], S("有給"));

    LedgerRow menu = DatedRow("2024/04/06", "有給", " -1.0");
    EXPECT_TRUE(ApplyCategory(menu, LeaveCategory::Increase, ledger));
    EXPECT_EQ(menu[LedgerColumn::Category], S("増加"));
    EXPECT_EQ(menu[LedgerColumn::Days], " -1.0");
}

TEST(LedgerEditing, LeaveYearSeparator) {
    const std::tuple<std::string, std::string, int, bool> cases[] = {
        {"2024/03/28", "2024/04/02", 4, true},  {"2024/03/28", "2024/04/02", 0, false},
        {"2024/04/01", "2024/04/02", 4, false}, {"2024/04/01", "2025/03/31", 4, false},
        {"2024/04/01", "2025/04/01", 4, true},  {"2024/12/20", "2025/01/05", 1, true},
        {"2024/01/05", "2024/12/31", 1, false}, {"2024/03/28", "", 4, false},
        {"", "2024/04/02", 4, false},           {"2024/3/28", "2024/4/2", 4, true},
    };
    for (const auto& [date, next, month, line] : cases)
        EXPECT_EQ(LeaveYearEndsBelow(date, next, month), line) << date << " " << next << " " << month;
}

TEST(LedgerEditing, CellColours) {
    Settings settings;
    LedgerRow row = DatedRow("2024/04/06", "有給", "  2.0");
    row[LedgerColumn::Weekday] = S("土");
    EXPECT_EQ(LedgerCellTextColor(row, kLedgerWeekdayColumn), LedgerTextColor::Blue);
    EXPECT_EQ(LedgerCellTextColor(row, kLedgerDaysColumn), LedgerTextColor::Blue);
    EXPECT_EQ(LedgerCellTextColor(row, kLedgerMemoColumn), LedgerTextColor::Standard);
    row.color = 0xFF;
    EXPECT_EQ(LedgerCellTextColor(row, kLedgerMemoColumn), LedgerTextColor::Memo);
    row[LedgerColumn::Weekday] = S("日");
    row[LedgerColumn::Days] = " -1.0";
    EXPECT_EQ(LedgerCellTextColor(row, kLedgerWeekdayColumn), LedgerTextColor::Red);
    EXPECT_EQ(LedgerCellTextColor(row, kLedgerDaysColumn), LedgerTextColor::Standard);

    EXPECT_EQ(LedgerRowColorSlot(row, settings), std::nullopt);
    settings.CellColorCheck[7] = true;
    EXPECT_EQ(LedgerRowColorSlot(row, settings), 7);
    settings.CellColorCheck[1] = true; // 有給 beats the weekday
    EXPECT_EQ(LedgerRowColorSlot(row, settings), 1);
    row[LedgerColumn::Category] = S("午後");
    EXPECT_EQ(LedgerRowColorSlot(row, settings), 7);
}

TEST(LedgerEditing, TabRules) {
    const std::pair<LedgerCell, std::optional<LedgerCell>> back[] = {
        {{1, 1}, LedgerCell{0, 0}}, {{5, 1}, LedgerCell{4, 6}}, {{5, 3}, LedgerCell{5, 1}}, {{5, 4}, LedgerCell{5, 3}},
        {{5, 6}, LedgerCell{5, 4}}, {{5, 2}, std::nullopt},     {{5, 5}, std::nullopt},
    };
    for (const auto& [from, to] : back)
        EXPECT_EQ(BackTabCell(from), to) << from.row << "," << from.column;
    EXPECT_TRUE(TabLeavesGrid({500, 6}, false));
    EXPECT_TRUE(TabLeavesGrid({3, 2}, true));
    EXPECT_FALSE(TabLeavesGrid({499, 6}, false));
    EXPECT_FALSE(TabLeavesGrid({500, 4}, false));
}

TEST(LedgerEditing, DeletionCountAndDefaultDate) {
    const std::pair<std::string, int> counts[] = {{"1", 1}, {"abc", 0},   {"0", 0},   {"-3", 0},
                                                  {"", 0},  {"501", 500}, {"12", 12}, {S("３"), 3}};
    for (const auto& [text, count] : counts)
        EXPECT_EQ(DeletionCount(text), count) << text;

    EXPECT_EQ(DefaultDeletionDate(2026, 12), (CalendarDate{2024, 11, 30}));
    EXPECT_EQ(DefaultDeletionDate(2027, 1), (CalendarDate{2024, 12, 31}));
    EXPECT_EQ(DefaultDeletionDate(2026, 3), (CalendarDate{2024, 2, 29}));
    EXPECT_EQ(LedgerDateText({2024, 3, 1}), "2024/03/01");
}

TEST_F(LedgerFixture, CsvFileNameAndText) {
    Settings settings;
    EXPECT_EQ(LedgerCsvFileName(settings), S("有給休暇.csv"));
    settings.CSVNameAdd = true;
    EXPECT_EQ(LedgerCsvFileName(settings), S("有給休暇.csv"));
    settings.CSVFileName = S("山田");
    EXPECT_EQ(LedgerCsvFileName(settings), S("山田 有給休暇.csv"));

    ledger.SetCarryOverText("10.0");
    ledger.Row(1) = DatedRow("2024/4/6", "有給", "-1");
    ledger.Row(2) = DatedRow("2024/05/01", "増加", "20");
    ledger.Row(2)[LedgerColumn::Memo] = S(" 付与,\"特別\" ");
    ledger.Row(3) = DatedRow("2024/05/02", "", "");
    ledger.RecalculateLedger(false);
    const std::string rows = S("1,2024/4/6,土,有給,-1.0,9.0,\r\n"
                               "2,2024/5/1,水,増加,20.0,29.0,\"付与,\"\"特別\"\"\"\r\n"
                               "3,2024/5/2,木,,0.0,29.0,\r\n");
    EXPECT_EQ(LedgerCsvText(ledger, settings), S("No,日付,曜日,区分,日数,残数,メモ\r\n") + rows);
    settings.CSVPrivateInfoAdd = true;
    settings.CSVPrivateInfo = S("所属 総務課, 山田");
    EXPECT_EQ(LedgerCsvText(ledger, settings), S("所属 総務課, 山田\r\nNo,日付,曜日,区分,日数,残数,メモ\r\n") + rows);

    const std::filesystem::path csv = m_folder / "out.csv";
    WriteLedgerCsv(csv, ledger, settings);
    std::ostringstream written;
    written << std::ifstream(csv, std::ios::binary).rdbuf();
    EXPECT_EQ(written.str(), LedgerCsvText(ledger, settings));
    EXPECT_THROW(WriteLedgerCsv(m_folder / "missing" / "out.csv", ledger, settings), FileWriteError);
}

} // namespace
} // namespace mitoran::test
