// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/totals/PeriodTotals.h"

#include "engine/month/MonthFile.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mitoran {
namespace {

std::string Sj(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

MonthFigures Full(double syukin, double kyujitu, int zangyo, int shinya = 0) {
    return {true, syukin, kyujitu, 0, 0, 0, zangyo, shinya, 0};
}

std::string Cell(const PeriodTable& table, int row, int column) {
    return TrimText(table.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
}

std::vector<YearMonth> Months(int count) {
    std::vector<YearMonth> months = MonthsOf(TwelveMonthsFrom({2024, 4}));
    months.resize(static_cast<std::size_t>(count));
    return months;
}

TEST(PeriodRange, FollowsTodayTheStartMonthAndTheMoveButtons) {
    const struct {
        PeriodRange got;
        PeriodRange expected;
    } cases[] = {
        {RangeOfToday({2025, 2}, 4), {{2024, 4}, {2025, 3}}},
        {RangeOfToday({2025, 4}, 4), {{2025, 4}, {2026, 3}}},
        {RangeOfToday({2025, 7}, 1), {{2025, 1}, {2025, 12}}},
        {ShiftedRange({2024, 4}, -12), {{2023, 4}, {2024, 3}}},
        {ShiftedRange({2024, 1}, -1), {{2023, 12}, {2024, 11}}},
        {ShiftedRange({2024, 12}, +1), {{2025, 1}, {2025, 12}}},
        {ShiftedRange({2024, 4}, +12), {{2025, 4}, {2026, 3}}},
        {ClampedRange("1985", "13", "2100", "0"), {{1990, 12}, {2090, 1}}},
        {ClampedRange("abc", "", "2020", " 7"), {{1990, 1}, {2020, 7}}},
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected) << expected.start.year << "/" << expected.start.month;
    EXPECT_TRUE(IsOrdered({{2024, 4}, {2024, 4}}));
    EXPECT_FALSE(IsOrdered({{2024, 4}, {2024, 3}}));
    EXPECT_EQ(MonthsOf({{2024, 11}, {2025, 2}}).size(), 4u);
}

TEST(PeriodTable, SumsEveryMonthAndAveragesOnlyFullOnes) {
    // Three full months of 20:00, 10:00 and 15:00 and one of 40:00 that is not full (14.0 + 0.5 days).
    const PeriodTable table = BuildPeriodTable(
        Months(5), {Full(20, 0, 1200), Full(14.5, 0.5, 600), Full(15, 0, 900), Full(14, 0.5, 2400), {}}, true);
    ASSERT_EQ(table.rows.size(), 9u);
    EXPECT_EQ(table.full, (std::vector<bool>{true, true, true, false, false}));
    EXPECT_EQ(Cell(table, 0, 0), "2024/04");
    EXPECT_EQ(Cell(table, 4, 0), "2024/08");
    EXPECT_EQ(Cell(table, 4, 6), "");
    const struct {
        int row;
        std::string label, days, zangyo;
    } summaries[] = {
        {5, "合 計", "63.5", "85:00"},
        {6, "平 均", "16.5", "15:00"},
        {7, "最 高", "20.0", "20:00"},
        {8, "最 低", "14.5", "10:00"},
    };
    for (const auto& [row, label, days, zangyo] : summaries) {
        EXPECT_EQ(Cell(table, row, 0), Sj(label));
        EXPECT_EQ(Cell(table, row, 1), days) << label;
        EXPECT_EQ(Cell(table, row, 6), zangyo) << label;
    }
    EXPECT_EQ(table.rows[0][6], "   20:00"); // hour width 5
}

TEST(PeriodTable, TakesTheLargestMonthlySumAndShowsWholeDaysWithoutHalfDayCounts) {
    const PeriodTable table = BuildPeriodTable(Months(2), {Full(20.5, 0, 600, 0), Full(20.1, 0, 0, 480)}, false);
    EXPECT_EQ(Cell(table, 0, 1), "21");
    EXPECT_EQ(Cell(table, 4, 6), "10:00");
    EXPECT_EQ(Cell(table, 4, 7), "8:00");
    EXPECT_EQ(Cell(table, 4, 8), "10:00"); // not 18:00
    EXPECT_EQ(Cell(table, 3, 8), "9:00");  // average row: columns 6 + 7 as shown
    EXPECT_EQ(Cell(table, 3, 1), "20.3");  // average keeps its decimal
}

TEST(PeriodTable, WithoutAFullMonthAverageMaximumAndMinimumAreZero) {
    const PeriodTable table = BuildPeriodTable(Months(2), {Full(3, 0, 300), {}}, true);
    EXPECT_EQ(Cell(table, 2, 6), "5:00");
    for (const int row : {3, 4, 5}) {
        EXPECT_EQ(Cell(table, row, 1), "0.0");
        EXPECT_EQ(Cell(table, row, 8), "0:00");
    }
}

TEST(PeriodTable, ColoursAndLinesFollowTheAverageAndTheRows) {
    const PeriodTable table =
        BuildPeriodTable(Months(3), {Full(20, 0, 1200), Full(16, 0, 600), Full(5, 0, 3000)}, true);
    EXPECT_EQ(CellColorOf(table, 0, 6), PeriodCellColor::AboveAverage);
    EXPECT_EQ(CellColorOf(table, 0, 1), PeriodCellColor::AboveAverage);
    EXPECT_EQ(CellColorOf(table, 1, 6), PeriodCellColor::Normal);
    EXPECT_EQ(CellColorOf(table, 2, 6), PeriodCellColor::NotCounted);
    const std::vector<int> lined{0, 12, 14, 15, 16, 17, 24};
    for (int row = 0; row <= 25; ++row)
        EXPECT_EQ(LineUnderGridRow(row, 14), std::ranges::find(lined, row) != lined.end()) << row;
    EXPECT_TRUE(LineRightOfColumn(5));
    EXPECT_TRUE(LineRightOfColumn(8));
    EXPECT_FALSE(LineRightOfColumn(9));
}

class PeriodFiles : public ::testing::Test {
protected:
    void WriteMonth(int year, int month, const std::string& system, const std::string& days = "") {
        test::WriteBytes(MonthFilePath(m_folder.Path(), year, month, ""),
                         Sj("[System]\r\n" + system + "[DayData]\r\n" + days));
    }
    MonthFigures Read(int year, int month) const {
        return ReadMonthFigures(MonthFilePath(m_folder.Path(), year, month, ""), {0.5, 1.0});
    }
    MonthLocation Location() const { return {m_folder.Path(), ""}; }

    test::TempFolder m_folder;
};

TEST_F(PeriodFiles, CountsLeaveDaysFromTheRecordsOfAtMost31Days) {
    WriteMonth(2024, 4,
               "LastDay=131\r\nSyukinDay=18.5\r\nKyujituDay=1.0\r\nZangyoTime=12:30\r\nShinyaTime=1:15\r\n"
               "KinmuTime=160:00\r\n",
               " 1=4/ 1,月,有,\r\n 2=4/ 2,火,前,\r\n 3=4/ 3,水,後,\r\n 4=4/ 4,木,代,\r\n 5=4/ 5,金,欠,\r\n"
               "31=5/ 1,水,有,\r\n");
    const MonthFigures figures = Read(2024, 4);
    EXPECT_TRUE(figures.hasData);
    EXPECT_DOUBLE_EQ(figures.syukin, 18.5);
    EXPECT_DOUBLE_EQ(figures.kyujitu, 1.0);
    EXPECT_DOUBLE_EQ(figures.yukyu, 3.5); // 1 + 0.5 + 1.0 + day 31 once
    EXPECT_DOUBLE_EQ(figures.daikyu, 1);
    EXPECT_DOUBLE_EQ(figures.kekkin, 1);
    EXPECT_EQ(figures.zangyo, 750);
    EXPECT_EQ(figures.shinya, 75);
    EXPECT_EQ(figures.kinmu, 9600);
}

TEST_F(PeriodFiles, DamagedEmptyOrIdleMonthsHaveNoData) {
    WriteMonth(2024, 5, "SyukinDay=0.0\r\nZangyoTime=9:00\r\n");
    WriteMonth(2024, 6, "LastDay=2000000000\r\nSyukinDay=2\r\n");
    test::WriteBytes(MonthFilePath(m_folder.Path(), 2024, 7, ""), std::string("\0\xff[\x81=\r\n\n=", 10));
    test::WriteBytes(MonthFilePath(m_folder.Path(), 2024, 8, ""), "");
    EXPECT_FALSE(Read(2024, 3).hasData);
    EXPECT_FALSE(Read(2024, 5).hasData);
    EXPECT_TRUE(Read(2024, 6).hasData);
    EXPECT_FALSE(Read(2024, 7).hasData);
    EXPECT_FALSE(Read(2024, 8).hasData);
}

TEST_F(PeriodFiles, AllMonthsRunFromTheFirstToTheLastMonthWithData) {
    Settings settings;
    EXPECT_FALSE(ComputeAllPeriodTotals(Location(), settings));
    WriteMonth(2001, 3, "SyukinDay=20.0\r\nZangyoTime=10:00\r\n");
    WriteMonth(2003, 7, "SyukinDay=1.0\r\n");
    WriteMonth(2004, 1, "SyukinDay=0.0\r\n");
    const std::optional<PeriodResult> all = ComputeAllPeriodTotals(Location(), settings);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->range, (PeriodRange{{2001, 3}, {2003, 7}}));
    EXPECT_EQ(all->table.MonthCount(), 29);
    EXPECT_EQ(Cell(all->table, 29, 6), "10:00");
    EXPECT_EQ(Cell(ComputePeriodTotals(all->range, Location(), settings), 29, 6), "10:00");
}

TEST(PeriodCsv, WritesTheTableWithItsOptionalLines) {
    Settings settings;
    settings.PrintTime = true;
    settings.CSVMonthAdd = true;
    settings.CSVPrivateInfoAdd = true;
    settings.CSVPrivateInfo = Sj("氏名,所属");
    const PeriodRange range{{2024, 4}, {2024, 5}};
    MonthFigures april = Full(20, 1.5, 90, 30);
    april.yukyu = 1;
    const PeriodTable table = BuildPeriodTable(MonthsOf(range), {april, {}}, false);
    EXPECT_EQ(PeriodCsvText(range, table, settings),
              Sj("氏名,所属\r\n2024/4,2024/5\r\n"
                 "年月,平日出勤,休日出勤,出勤合計,有給休暇,代休,欠勤,普通残業,深夜残業,残業合計,勤務時間\r\n"
                 "2024/4,19,1.5,20,1.0,0.0,0.0,1.50,0.50,2.00,0.00\r\n"
                 "2024/5,,,,,,,,,,\r\n"
                 "合計,19,1.5,20,1.0,0.0,0.0,1.50,0.50,2.00,0.00\r\n"
                 "平均,18.5,1.5,20,1.0,0.0,0.0,1.50,0.50,2.00,0.00\r\n"
                 "最高,19,1.5,20,1.0,0.0,0.0,1.50,0.50,2.00,0.00\r\n"
                 "最低,19,1.5,20,1.0,0.0,0.0,1.50,0.50,2.00,0.00\r\n"));
    settings.CSVNameAdd = true;
    settings.CSVFileName = "Taro";
    EXPECT_EQ(PeriodCsvFileName({{2024, 4}, {2025, 3}}, settings), Sj("Taro 2024年4月～2025年3月.csv"));
}

} // namespace
} // namespace mitoran
