// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/DayGridStyle.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

constexpr int kWeekdayColumn = 1;
constexpr int kKubunColumn = 2;
constexpr int kArrivalColumn = 3;
constexpr int kLeavingColumn = 4;
constexpr int kZangyoColumn = 5;
constexpr int kKinmuColumn = 7;
constexpr int kMemoColumn = 8;

DayRecord Day(const std::string& weekday, Kubun kubun) {
    DayRecord day;
    day[DayColumn::Date] = " 3/ 6";
    day[DayColumn::Weekday] = weekday;
    day[DayColumn::Kubun] = InfoOf(kubun).mark;
    return day;
}

Settings RegularHours() {
    Settings settings;
    settings.Time[11] = {" 8:00", "17:00"};
    settings.Time[21] = {" 8:00", "12:00"};
    return settings;
}

CellTextColor ColorOf(const DayRecord& day, int column, const Settings& settings) {
    return DayCellTextStyle(day, column, settings).color;
}

TEST(DayGridStyleTest, WeekdayLetters) {
    const Settings settings = RegularHours();
    EXPECT_EQ(ColorOf(Day(text::kSaturday, Kubun::Holiday), kWeekdayColumn, settings), CellTextColor::Blue);
    EXPECT_EQ(ColorOf(Day(text::kWednesday, Kubun::Holiday), kWeekdayColumn, settings), CellTextColor::Red);
    EXPECT_EQ(ColorOf(Day(text::kSunday, Kubun::Normal), kWeekdayColumn, settings), CellTextColor::Red);
    EXPECT_EQ(ColorOf(Day(text::kSaturday, Kubun::Normal), kWeekdayColumn, settings), CellTextColor::Blue);
    EXPECT_EQ(ColorOf(Day(text::kMonday, Kubun::Yukyu), kWeekdayColumn, settings), CellTextColor::Standard);
    // The category is compared as the cell holds it, without trimming.
    DayRecord padded = Day(text::kMonday, Kubun::Normal);
    padded[DayColumn::Kubun] = InfoOf(Kubun::Holiday).mark + " ";
    EXPECT_EQ(ColorOf(padded, kWeekdayColumn, settings), CellTextColor::Standard);
}

TEST(DayGridStyleTest, LateArrivalAndEarlyLeaving) {
    struct Case {
        Kubun kubun;
        std::string arrival;
        std::string leaving;
        bool flex;
        bool chikokuRed;
        bool arrivalRed;
        bool leavingRed;
    };
    const Case cases[] = {
        {Kubun::Normal, " 8:30", "16:30", false, true, true, true},
        {Kubun::Normal, " 8:30", "16:30", true, true, false, false}, // flex: never red
        {Kubun::Normal, " 8:30", "16:30", false, false, false, false},
        {Kubun::Normal, " 8:00", "17:00", false, true, false, false},
        {Kubun::Handon, " 8:30", "12:30", false, true, true, false},
        {Kubun::Handon, " 7:50", "11:00", false, true, false, true},
        {Kubun::Yukyu, " 9:00", "15:00", false, true, false, false},
    };
    for (const Case& c : cases) {
        Settings settings = RegularHours();
        settings.FlexTime = c.flex;
        settings.ChikokuRedDisp = c.chikokuRed;
        DayRecord day = Day(text::kTuesday, c.kubun);
        day[DayColumn::Arrival] = c.arrival;
        day[DayColumn::Leaving] = c.leaving;
        SCOPED_TRACE(c.arrival + "-" + c.leaving);
        EXPECT_EQ(ColorOf(day, kArrivalColumn, settings) == CellTextColor::Red, c.arrivalRed);
        EXPECT_EQ(ColorOf(day, kLeavingColumn, settings) == CellTextColor::Red, c.leavingRed);
    }
    // An emptied category cell matches no category, so it is never judged late.
    Settings settings = RegularHours();
    DayRecord emptied = Day(text::kTuesday, Kubun::Normal);
    emptied[DayColumn::Kubun] = "";
    emptied[DayColumn::Arrival] = " 9:00";
    EXPECT_EQ(ColorOf(emptied, kArrivalColumn, settings), CellTextColor::Standard);
}

TEST(DayGridStyleTest, ComputedColumnsStatutoryHolidayAndMemo) {
    const Settings settings = RegularHours();
    DayRecord day = Day(text::kSunday, Kubun::Holiday);
    day[DayColumn::Zangyo] = " 2:00";
    day.zangyoFixed = "*";
    day[DayColumn::Kinmu] = "-1:00";
    EXPECT_EQ(DayCellTextStyle(day, kZangyoColumn, settings), (CellTextStyle{CellTextColor::Standard, 0, true}));
    EXPECT_EQ(DayCellTextStyle(day, kKinmuColumn, settings), (CellTextStyle{CellTextColor::Red, 0, false}));

    day.houteiMark = "*";
    for (int column = kKubunColumn; column <= kKinmuColumn; ++column)
        EXPECT_EQ(ColorOf(day, column, settings), CellTextColor::Red) << column;
    EXPECT_EQ(ColorOf(day, kMemoColumn, settings), CellTextColor::Standard);

    day.memoColor = 0x00FF8000;
    EXPECT_EQ(DayCellTextStyle(day, kMemoColumn, settings), (CellTextStyle{CellTextColor::Memo, 0x00FF8000, false}));
}

TEST(DayGridStyleTest, BackgroundSlotsCategoryBeatsWeekday) {
    Settings settings;
    const DayRecord sundayLeave = Day(text::kSunday, Kubun::Yukyu);
    EXPECT_EQ(DayRowColorSlot(sundayLeave, settings), std::nullopt);
    settings.CellColorCheck[7] = true;
    EXPECT_EQ(DayRowColorSlot(sundayLeave, settings), 7);
    settings.CellColorCheck[1] = true;
    EXPECT_EQ(DayRowColorSlot(sundayLeave, settings), 1);

    settings.CellColorCheck.fill(true);
    EXPECT_EQ(DayRowColorSlot(Day(text::kSaturday, Kubun::Normal), settings), 6);
    EXPECT_EQ(DayRowColorSlot(Day(text::kSaturday, Kubun::Holiday), settings), 0);
    EXPECT_EQ(DayRowColorSlot(Day(text::kSaturday, Kubun::Handon), settings), 8);
    EXPECT_EQ(DayRowColorSlot(Day(text::kMonday, Kubun::Kekkin), settings), 5);
    EXPECT_EQ(DayRowColorSlot(Day(text::kMonday, Kubun::Daikyu), settings), 4);
    EXPECT_EQ(DayRowColorSlot(Day(text::kMonday, Kubun::Normal), settings), std::nullopt);
}

TEST(DayGridStyleTest, WeekSeparatorAndHeaderCentring) {
    const DayRecord saturday = Day(text::kSaturday, Kubun::Normal);
    const DayRecord sunday = Day(text::kSunday, Kubun::Normal);
    EXPECT_FALSE(WeekSeparatorBelow(saturday, 0));
    EXPECT_FALSE(WeekSeparatorBelow(sunday, 0));
    EXPECT_TRUE(WeekSeparatorBelow(saturday, 1));
    EXPECT_FALSE(WeekSeparatorBelow(sunday, 1));
    EXPECT_TRUE(WeekSeparatorBelow(sunday, 2));
    EXPECT_FALSE(WeekSeparatorBelow(saturday, 2));
    EXPECT_FALSE(WeekSeparatorBelow(sunday, 3));

    EXPECT_EQ(HeaderTextLeft(10, 50, 20), 25);
    EXPECT_EQ(HeaderTextLeft(10, 50, 21), 24);
    EXPECT_EQ(HeaderTextLeft(10, 20, 30), 12);
}

} // namespace
} // namespace mitoran
