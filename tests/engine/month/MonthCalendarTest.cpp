// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthCalendar.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/HolidayList.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace mitoran {
namespace {

std::string U(const char* utf8) {
    return Utf8ToCp932(utf8);
}

HolidayList DefaultHolidays() {
    HolidayList list;
    list.SetDefaults();
    return list;
}

void SetRow(HolidayList& list, int month, int day, const char* mark, const char* memo) {
    HolidayRow& row = list[HolidayRowOf(month, day)];
    row.mark = U(mark);
    row.memo = U(memo);
}

MonthSheet Build(int year, int month, const CalendarRules& rules, const HolidayList& list) {
    MonthSheet sheet;
    BuildMonthCalendar(sheet, year, month, rules, list);
    return sheet;
}

std::set<int> RowsOff(const MonthSheet& sheet) {
    std::set<int> rows;
    for (int row = 1; row <= sheet.dayCount; ++row) {
        if (sheet.days[row][DayColumn::Kubun] == U("○"))
            rows.insert(row);
    }
    return rows;
}

TEST(HolidayOfTest, ComputedHolidaysAndTheirFirstYears) {
    HolidayList list = DefaultHolidays();
    SetRow(list, 1, 15, " ○ ", "成人式");
    struct Case {
        CalendarDate date;
        const char* name;
        const char* mark;
    };
    const Case cases[] = {
        {{2004, 1, 12}, "成人の日", "○"}, {{2004, 3, 20}, "春分の日", "○"}, {{2004, 7, 19}, "海の日", "○"},
        {{2004, 9, 20}, "敬老の日", "○"}, {{2004, 9, 23}, "秋分の日", "○"}, {{2004, 10, 11}, "体育の日", "○"},
        {{2004, 1, 1}, "元旦", "○"},      {{2004, 1, 5}, "", ""},           {{2004, 1, 19}, "", ""},
        {{2004, 10, 18}, "", ""},         {{2004, 3, 21}, "", ""},          {{2020, 3, 20}, "春分の日", "○"},
        {{2020, 9, 22}, "秋分の日", "○"}, {{2020, 9, 21}, "敬老の日", "○"}, {{2000, 1, 10}, "成人の日", "○"},
        {{2000, 10, 9}, "体育の日", "○"}, {{1999, 1, 11}, "", ""},          {{1999, 10, 11}, "振替休日", "○"},
        {{1999, 1, 15}, "成人式", "○"},   {{2002, 7, 15}, "", ""},          {{2002, 9, 16}, "振替休日", "○"},
        {{2003, 7, 21}, "海の日", "○"},   {{2003, 9, 15}, "敬老の日", "○"}, {{2003, 2, 29}, "", ""},
        {{2004, 13, 1}, "", ""},          {{2004, 4, 31}, "", ""},
    };
    for (const Case& c : cases) {
        const HolidayInfo holiday = HolidayOf(c.date, CalendarRules{}, list);
        EXPECT_EQ(holiday.name, U(c.name)) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        EXPECT_EQ(holiday.mark, U(c.mark)) << c.date.year << "-" << c.date.month << "-" << c.date.day;
    }
}

TEST(HolidayOfTest, SettingOffKeepsTheNameWithoutTheMark) {
    const HolidayList list;
    struct Case {
        bool CalendarRules::*setting;
        CalendarDate date;
    };
    const Case cases[] = {
        {&CalendarRules::seijinDay, {2004, 1, 12}}, {&CalendarRules::springDay, {2004, 3, 20}},
        {&CalendarRules::autumnDay, {2004, 9, 23}}, {&CalendarRules::sportDay, {2004, 10, 11}},
        {&CalendarRules::oceanDay, {2004, 7, 19}},  {&CalendarRules::oldManDay, {2004, 9, 20}},
    };
    for (const Case& off : cases) {
        CalendarRules rules;
        rules.*off.setting = false;
        for (const Case& c : cases) {
            const HolidayInfo holiday = HolidayOf(c.date, rules, list);
            EXPECT_FALSE(holiday.name.empty());
            EXPECT_EQ(holiday.mark.empty(), c.setting == off.setting) << c.date.month << "-" << c.date.day;
        }
    }
}

TEST(HolidayOfTest, ListEntryRenamesAndMarks) {
    HolidayList list;
    SetRow(list, 9, 23, "○", "創立記念日");
    SetRow(list, 3, 20, "", "   ");
    SetRow(list, 7, 19, "x", "夏祭り");
    CalendarRules rules;
    rules.oceanDay = false;
    const HolidayInfo founding = HolidayOf({2004, 9, 23}, rules, list);
    EXPECT_EQ(founding.name, U("創立記念日"));
    EXPECT_EQ(founding.mark, U("○"));
    EXPECT_EQ(HolidayOf({2004, 3, 20}, rules, list).name, U("春分の日"));
    const HolidayInfo festival = HolidayOf({2004, 7, 19}, rules, list);
    EXPECT_EQ(festival.name, U("夏祭り"));
    EXPECT_EQ(festival.mark, "");
}

TEST(BuildMonthCalendarTest, January2004WithDefaults) {
    const MonthSheet sheet = Build(2004, 1, CalendarRules{}, DefaultHolidays());
    ASSERT_EQ(sheet.dayCount, 31);
    EXPECT_EQ(sheet.days[1][DayColumn::Date], " 1/ 1");
    EXPECT_EQ(sheet.days[1][DayColumn::Weekday], U("木"));
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], U("元旦"));
    EXPECT_EQ(sheet.days[12][DayColumn::Weekday], U("月"));
    EXPECT_EQ(sheet.days[12][DayColumn::Memo], U("成人の日"));
    EXPECT_EQ(sheet.days[31][DayColumn::Date], " 1/31");
    EXPECT_EQ(RowsOff(sheet), (std::set<int>{1, 3, 4, 10, 11, 12, 17, 18, 24, 25, 31}));
    EXPECT_EQ(sheet.days[5][DayColumn::Kubun], "");
    EXPECT_EQ(sheet.days[5][DayColumn::Memo], "");

    CalendarRules noSeijin;
    noSeijin.seijinDay = false;
    const MonthSheet withoutMark = Build(2004, 1, noSeijin, DefaultHolidays());
    EXPECT_EQ(withoutMark.days[12][DayColumn::Kubun], "");
    EXPECT_EQ(withoutMark.days[12][DayColumn::Memo], U("成人の日"));
}

TEST(BuildMonthCalendarTest, YearsBeforeTheMondayHolidays) {
    const HolidayList list = DefaultHolidays();
    const CalendarRules rules;
    const MonthSheet january1999 = Build(1999, 1, rules, list);
    EXPECT_EQ(january1999.days[11][DayColumn::Weekday], U("月"));
    EXPECT_EQ(january1999.days[11][DayColumn::Kubun], "");
    EXPECT_EQ(january1999.days[11][DayColumn::Memo], "");
    EXPECT_EQ(january1999.days[15][DayColumn::Memo], U("成人の日"));
    EXPECT_EQ(Build(2002, 7, rules, list).days[15][DayColumn::Memo], "");
    EXPECT_EQ(Build(2002, 7, rules, list).days[20][DayColumn::Memo], U("海の日"));
    EXPECT_EQ(Build(2002, 9, rules, list).days[16][DayColumn::Memo], U("振替休日"));
    EXPECT_EQ(Build(2003, 7, rules, list).days[21][DayColumn::Memo], U("海の日"));
}

TEST(BuildMonthCalendarTest, SubstituteDaysFollowOnlyNationalHolidays) {
    CalendarRules rules;
    rules.weekCheck.fill(false);
    HolidayList list = DefaultHolidays();

    // 3 November 2002, 文化の日, was a Sunday; 10 November is an ordinary Sunday.
    const MonthSheet november = Build(2002, 11, rules, list);
    EXPECT_EQ(november.days[3][DayColumn::Memo], U("文化の日"));
    EXPECT_EQ(november.days[4][DayColumn::Weekday], U("月"));
    EXPECT_EQ(november.days[4][DayColumn::Memo], U("振替休日"));
    EXPECT_EQ(RowsOff(november), (std::set<int>{3, 4, 23}));

    // 4 May 2008 was a Sunday; the Monday is a holiday of its own, so the day off moves on to Tuesday.
    const MonthSheet may = Build(2008, 5, rules, list);
    EXPECT_EQ(RowsOff(may), (std::set<int>{3, 4, 5, 6}));
    EXPECT_EQ(may.days[6][DayColumn::Memo], U("振替休日"));

    // A company day off on a Sunday (31 August 2003, 31 December 2017) moves nothing, also across months.
    EXPECT_EQ(RowsOff(Build(2003, 9, rules, list)), (std::set<int>{15, 23}));
    SetRow(list, 8, 31, " ○ ", "夏季休暇");
    EXPECT_EQ(RowsOff(Build(2003, 9, rules, list)), (std::set<int>{15, 23}));
    SetRow(list, 1, 1, "", "");
    EXPECT_EQ(RowsOff(Build(2018, 1, rules, list)), (std::set<int>{8}));
    SetRow(list, 12, 31, " ○ ", "年末休暇");
    const MonthSheet january = Build(2018, 1, rules, list);
    EXPECT_EQ(RowsOff(january), (std::set<int>{8}));
    EXPECT_EQ(january.days[1][DayColumn::Memo], "");
    // 1 January 2017 was a Sunday: while its row is marked, 2 January is the 振替休日.
    SetRow(list, 1, 1, " ○ ", "元旦");
    EXPECT_EQ(RowsOff(Build(2017, 1, rules, list)), (std::set<int>{1, 2, 9}));

    // A working day between a company day off and a national holiday stays a working day.
    SetRow(list, 12, 30, " ○ ", "年末休暇");
    SetRow(list, 12, 31, "", "");
    EXPECT_EQ(RowsOff(Build(2026, 12, rules, list)), (std::set<int>{30}));
    EXPECT_EQ(HolidayOf({2026, 12, 31}, rules, list).mark, "");
}

TEST(BuildMonthCalendarTest, ClosingDay20) {
    CalendarRules rules;
    rules.simeDay = 20;
    const HolidayList list = DefaultHolidays();

    const MonthSheet march = Build(2004, 3, rules, list);
    ASSERT_EQ(march.dayCount, 29);
    EXPECT_EQ(march.days[1][DayColumn::Date], " 2/21");
    EXPECT_EQ(march.days[1][DayColumn::Weekday], U("土"));
    EXPECT_EQ(march.days[9][DayColumn::Date], " 2/29");
    EXPECT_EQ(march.days[10][DayColumn::Date], " 3/ 1");
    EXPECT_EQ(march.days[29][DayColumn::Memo], U("春分の日"));
    EXPECT_EQ(Build(2003, 3, rules, list).dayCount, 28);

    const MonthSheet april = Build(2003, 4, rules, list);
    EXPECT_EQ(april.days[1][DayColumn::Date], " 3/21");
    EXPECT_EQ(april.days[1][DayColumn::Kubun], U("○"));
    EXPECT_EQ(april.days[1][DayColumn::Memo], U("春分の日"));

    // The December rows of a January sheet lie in the year before.
    const MonthSheet january = Build(2004, 1, rules, list);
    ASSERT_EQ(january.dayCount, 31);
    EXPECT_EQ(january.days[1][DayColumn::Date], "12/21");
    EXPECT_EQ(january.days[1][DayColumn::Weekday], U("日"));
    EXPECT_EQ(january.days[3][DayColumn::Memo], U("天皇誕生日"));
    EXPECT_EQ(january.days[12][DayColumn::Date], " 1/ 1");
    EXPECT_EQ(january.days[23][DayColumn::Memo], U("成人の日"));
    EXPECT_EQ(january.days[31][DayColumn::Date], " 1/20");

    MonthSheet handMade;
    handMade.dayCount = 2;
    handMade.days[1][DayColumn::Date] = " 9/15"; // a Monday in 2003, with 敬老の日
    handMade.days[2][DayColumn::Date] = " 9/20"; // a Monday in 2004, with 敬老の日
    MarkHolidays(handMade, 2004, 1, false, rules, list);
    EXPECT_EQ(handMade.days[1][DayColumn::Memo], U("敬老の日"));
    EXPECT_EQ(handMade.days[2][DayColumn::Memo], "");
}

TEST(BuildMonthCalendarTest, AllThreeSourcesAndOldSlotsCleared) {
    CalendarRules rules;
    rules.weekCheck[4] = true; // Wednesday
    HolidayList list;
    SetRow(list, 9, 1, " ○ ", "創立記念日");
    MonthSheet sheet;
    sheet.days[31][DayColumn::Memo] = "old";
    BuildMonthCalendar(sheet, 2004, 9, rules, list);
    EXPECT_EQ(RowsOff(sheet), (std::set<int>{1, 4, 5, 8, 11, 12, 15, 18, 19, 20, 22, 23, 25, 26, 29}));
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], U("創立記念日"));
    EXPECT_EQ(sheet.days[20][DayColumn::Memo], U("敬老の日"));
    EXPECT_EQ(sheet.days[23][DayColumn::Memo], U("秋分の日"));
    EXPECT_EQ(sheet.days[8][DayColumn::Memo], "");
    EXPECT_EQ(sheet.days[31][DayColumn::Memo], "");
}

// Over every year the law is kept for, the default calendar marks only weekend days and the holidays of
// the law, marks every holiday it names, and puts 振替休日 and 国民の休日 only where the law has them.
TEST(BuildMonthCalendarTest, EveryDayOffIsAWeekendOrAHolidayOfTheLaw) {
    std::set<std::string> lawNames;
    for (const char* name : {"元旦",
                             "成人の日",
                             "建国記念の日",
                             "天皇誕生日",
                             "春分の日",
                             "みどりの日",
                             "昭和の日",
                             "憲法記念日",
                             "こどもの日",
                             "海の日",
                             "山の日",
                             "敬老の日",
                             "秋分の日",
                             "体育の日",
                             "スポーツの日",
                             "文化の日",
                             "勤労感謝の日",
                             "即位礼正殿の儀",
                             "皇太子徳仁親王の結婚の儀",
                             "即位の日",
                             "国民の休日",
                             "振替休日"})
        lawNames.insert(U(name));
    struct Day {
        CalendarDate date;
        bool sunday, weekend, off, holiday;
        std::string memo;
    };
    std::vector<Day> days;
    const HolidayList list = DefaultHolidays();
    for (int year = 1990; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const MonthSheet sheet = Build(year, month, CalendarRules{}, list);
            for (int row = 1; row <= sheet.dayCount; ++row) {
                const DayRecord& day = sheet.days[row];
                const std::string& weekday = day[DayColumn::Weekday];
                days.push_back({RowDate(day[DayColumn::Date], year, month), weekday == U("日"),
                                weekday == U("日") || weekday == U("土"), day[DayColumn::Kubun] == U("○"),
                                lawNames.contains(day[DayColumn::Memo]), day[DayColumn::Memo]});
            }
        }
    }
    ASSERT_EQ(days.size(), 40177u);
    const std::string substitute = U("振替休日");
    const std::string bridge = U("国民の休日");
    int failures = 0;
    for (std::size_t i = 1; i + 1 < days.size() && failures < 10; ++i) {
        const Day& day = days[i];
        bool ok = day.off == (day.weekend || day.holiday);
        if (day.memo == bridge)
            ok = ok && days[i - 1].holiday && days[i + 1].holiday && !(day.date.year < 2007 && day.sunday);
        // The day after a national holiday on a Sunday, or the first one after it that is none (from 2007),
        // is the 振替休日; no other day is.
        std::size_t next = i + 1;
        while (day.date.year >= 2007 && next < days.size() && days[next].holiday && days[next].memo != substitute)
            ++next;
        if (day.sunday && day.holiday && day.memo != substitute && next < days.size())
            ok = ok && (days[next].memo == substitute || (next == i + 1 && days[next].holiday));
        if (day.memo == substitute) {
            std::size_t before = i - 1;
            while (day.date.year >= 2007 && !days[before].sunday && days[before].holiday && before > 0)
                --before;
            ok = ok && days[before].sunday && days[before].holiday;
        }
        if (!ok) {
            ADD_FAILURE() << day.date.year << "-" << day.date.month << "-" << day.date.day << " "
                          << Cp932ToUtf8(day.memo) << (day.off ? " off" : " working");
            ++failures;
        }
    }
}

TEST(MarkHolidaysTest, TypedCellsAreKeptExceptByTheWeekdayRule) {
    MonthSheet sheet = Build(2004, 1, CalendarRules{}, DefaultHolidays());
    sheet.days[1][DayColumn::Kubun] = "  ";
    sheet.days[1][DayColumn::Memo] = " ";
    sheet.days[3][DayColumn::Kubun] = U("有");
    sheet.days[12][DayColumn::Kubun] = U("有");
    sheet.days[12][DayColumn::Memo] = U("出張");

    MarkHolidays(sheet, 2004, 1, false, CalendarRules{}, DefaultHolidays());
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], U("○"));
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], U("元旦"));
    EXPECT_EQ(sheet.days[3][DayColumn::Kubun], U("有"));
    EXPECT_EQ(sheet.days[12][DayColumn::Kubun], U("有"));
    EXPECT_EQ(sheet.days[12][DayColumn::Memo], U("出張"));

    MarkHolidays(sheet, 2004, 1, true, CalendarRules{}, DefaultHolidays());
    EXPECT_EQ(sheet.days[3][DayColumn::Kubun], U("○"));
    EXPECT_EQ(sheet.days[12][DayColumn::Kubun], U("有"));
}

TEST(MarkHolidaysTest, GarbledRowsAreNoHolidays) {
    MonthSheet sheet;
    sheet.dayCount = 40;
    sheet.days[1][DayColumn::Date] = "xx";
    sheet.days[1][DayColumn::Weekday] = U("月");
    sheet.days[2][DayColumn::Date] = " 2/30";
    sheet.days[2][DayColumn::Weekday] = "?";
    MarkHolidays(sheet, 2004, 2, true, CalendarRules{}, DefaultHolidays());
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], "");
    EXPECT_EQ(sheet.days[2][DayColumn::Kubun], "");
}

} // namespace
} // namespace mitoran
