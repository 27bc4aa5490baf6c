// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthSpan.h"

#include "engine/month/MonthFile.h"
#include "engine/month/MonthSheet.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mitoran {
namespace {

TEST(MonthSpan, OneToThirtyOneDaysAreASpan) {
    const struct {
        DaySpan span;
        std::optional<int> days;
    } cases[] = {
        {{{2024, 3, 25}, {2024, 4, 24}}, 31},          {{{2024, 4, 1}, {2024, 4, 1}}, 1},
        {{{2023, 12, 20}, {2024, 1, 10}}, 22},         {{{2024, 2, 1}, {2024, 3, 2}}, 31}, // 29 February counted
        {{{2023, 2, 1}, {2023, 3, 4}}, std::nullopt},                                      // 32 days
        {{{2024, 4, 2}, {2024, 4, 1}}, std::nullopt},                                      // ends before it starts
        {{{2023, 2, 29}, {2023, 3, 1}}, std::nullopt},                                     // no such day
    };
    for (const auto& [span, days] : cases) {
        SCOPED_TRACE(testing::Message() << span.first.month << "/" << span.first.day << "-" << span.last.month << "/"
                                        << span.last.day);
        EXPECT_EQ(SpanDays(span), days);
    }
}

TEST(MonthSpan, SheetMonthOfADateFollowsTheClosingDay) {
    EXPECT_EQ(SheetMonthOf({2024, 3, 20}, 20), (YearMonth{2024, 3}));
    EXPECT_EQ(SheetMonthOf({2024, 3, 21}, 20), (YearMonth{2024, 4}));
    EXPECT_EQ(SheetMonthOf({2024, 12, 2}, 1), (YearMonth{2025, 1}));
    EXPECT_EQ(SheetMonthOf({2024, 12, 31}, 31), (YearMonth{2024, 12}));
    EXPECT_EQ(SheetMonthOf({2024, 12, 31}, 28), (YearMonth{2024, 12}));
}

class MonthSpanFiles : public testing::Test {
protected:
    void WriteMonth(int year, int month, const std::string& utf8) const {
        std::ofstream(MonthFilePath(m_data.Path(), year, month, ""), std::ios::binary) << Utf8ToCp932(utf8);
    }
    MonthLocation Location() const { return {m_data.Path(), ""}; }

    test::TempFolder m_data;
};

TEST_F(MonthSpanFiles, SpanTakesTheSavedDaysOfEachMonth) {
    WriteMonth(2024, 3,
               "[System]\r\nLastDay=31\r\nZangyoTime=9:00\r\n[DayData]\r\n"
               "25=3/25,月,  ,8:00,19:30,2:30,,残業,,,,10:30,$FF,,\r\n"
               " 3=3/ 3,日,○,,,,,,,,,,,*,\r\n");
    WriteMonth(2024, 4, "[System]\r\nLastDay=30\r\n[DayData]\r\n24=4/24,水,有,,,,,通院,,,,,,,\r\n");
    std::ofstream(m_data.Path() / "202405.dat", std::ios::binary) << "[DayData]\r\n 1=4/24,x,,23:00,,,,,\r\n";

    MonthSheet sheet;
    sheet.days[31][DayColumn::Memo] = "left over";
    ASSERT_TRUE(LoadSpan(sheet, {{2024, 3, 25}, {2024, 4, 24}}, 31, Location()));
    EXPECT_EQ(sheet.dayCount, 31);
    EXPECT_EQ(sheet.loadedYear, 2024);
    EXPECT_EQ(sheet.loadedMonth, 4);
    EXPECT_EQ(sheet.summary, MonthSummary{});
    EXPECT_EQ(sheet.days[1][DayColumn::Date], " 3/25");
    EXPECT_EQ(sheet.days[1][DayColumn::Arrival], "8:00");
    EXPECT_EQ(sheet.days[1][DayColumn::Kinmu], "10:30");
    EXPECT_EQ(Cp932ToUtf8(sheet.days[1][DayColumn::Memo]), "残業");
    EXPECT_EQ(sheet.days[1].memoColor, 0xFF);
    EXPECT_EQ(sheet.days[7][DayColumn::Date], " 3/31");
    EXPECT_EQ(Cp932ToUtf8(sheet.days[7][DayColumn::Weekday]), "日");
    EXPECT_EQ(sheet.days[7][DayColumn::Arrival], "");
    EXPECT_EQ(Cp932ToUtf8(sheet.days[31][DayColumn::Kubun]), "有");
    EXPECT_EQ(Cp932ToUtf8(sheet.days[31][DayColumn::Memo]), "通院");
    EXPECT_EQ(sheet.days[31][DayColumn::Date], " 4/24");
    // May's sheet month does not overlap the span: its record of 24 April is not read.
    EXPECT_EQ(sheet.days[31][DayColumn::Arrival], "");
    EXPECT_FALSE(sheet.IsChanged());
}

// A span without files, or with damaged ones, shows its dates with empty days; an absurd day count reads
// no more than the records there are.
TEST_F(MonthSpanFiles, MissingOrDamagedFilesGiveEmptyDays) {
    WriteMonth(2024, 1, "[System]\r\nLastDay=2000000000\r\n[DayData]\r\n 5=1/ 5,金,,garbled\r\n 6=nonsense\r\n");
    MonthSheet sheet;
    ASSERT_TRUE(LoadSpan(sheet, {{2023, 12, 30}, {2024, 1, 6}}, 31, Location()));
    EXPECT_EQ(sheet.dayCount, 8);
    EXPECT_EQ(sheet.days[1][DayColumn::Date], "12/30");
    EXPECT_EQ(Cp932ToUtf8(sheet.days[1][DayColumn::Weekday]), "土");
    EXPECT_EQ(sheet.days[7][DayColumn::Date], " 1/ 5");
    EXPECT_EQ(sheet.days[7][DayColumn::Kubun], ""); // the record ends before its third field
    EXPECT_EQ(sheet.days[8][DayColumn::Date], " 1/ 6");
    EXPECT_EQ(sheet.days[8][DayColumn::Arrival], "");
}

// With closing day 1 a span of 31 days from 31 January reaches into four sheet months; the day of April's
// sheet month is read too.
TEST_F(MonthSpanFiles, EverySheetMonthTheSpanOverlapsIsRead) {
    WriteMonth(2023, 2, "[DayData]\r\n 1=1/31,火,,7:00,,,,,\r\n");
    WriteMonth(2023, 4, "[DayData]\r\n 1=3/ 2,木,,9:15,,,,,\r\n");
    MonthSheet sheet;
    ASSERT_TRUE(LoadSpan(sheet, {{2023, 1, 31}, {2023, 3, 2}}, 1, Location()));
    EXPECT_EQ(sheet.days[1][DayColumn::Arrival], "7:00");
    EXPECT_EQ(sheet.days[31][DayColumn::Arrival], "9:15");
}

TEST_F(MonthSpanFiles, RefusedSpanLeavesTheSheet) {
    MonthSheet sheet;
    sheet.dayCount = 30;
    sheet.days[1][DayColumn::Memo] = "kept";
    EXPECT_FALSE(LoadSpan(sheet, {{2024, 4, 1}, {2024, 5, 2}}, 31, Location()));
    EXPECT_FALSE(LoadSpan(sheet, {{2024, 4, 2}, {2024, 4, 1}}, 31, Location()));
    EXPECT_EQ(sheet.dayCount, 30);
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], "kept");
}

} // namespace
} // namespace mitoran
