// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/Calendar.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <vector>

namespace mitoran {
namespace {

std::string U(const char* utf8) {
    return Utf8ToCp932(utf8);
}

// Japanese equinox days as published (1979, 2000-2026) and as calculated in advance (2027-2030);
// 1979 was the last year with the autumnal equinox day on 24 September.
TEST(EquinoxTest, MatchesKnownDays) {
    struct Case {
        int year, vernal, autumnal;
    };
    const Case cases[] = {
        {1979, 21, 24}, {2000, 20, 23}, {2001, 20, 23}, {2002, 21, 23}, {2003, 21, 23}, {2004, 20, 23}, {2005, 20, 23},
        {2006, 21, 23}, {2007, 21, 23}, {2008, 20, 23}, {2009, 20, 23}, {2010, 21, 23}, {2011, 21, 23}, {2012, 20, 22},
        {2013, 20, 23}, {2014, 21, 23}, {2015, 21, 23}, {2016, 20, 22}, {2017, 20, 23}, {2018, 21, 23}, {2019, 21, 23},
        {2020, 20, 22}, {2021, 20, 23}, {2022, 21, 23}, {2023, 21, 23}, {2024, 20, 22}, {2025, 20, 23}, {2026, 20, 23},
        {2027, 21, 23}, {2028, 20, 22}, {2029, 20, 23}, {2030, 20, 23},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayNumberToDate(VernalEquinoxDay(c.year)), (CalendarDate{c.year, 3, c.vernal})) << c.year;
        EXPECT_EQ(DayNumberToDate(AutumnalEquinoxDay(c.year)), (CalendarDate{c.year, 9, c.autumnal})) << c.year;
    }
}

TEST(DayNumberToDateTest, KnownJulianDayNumbers) {
    struct Case {
        int dayNumber;
        CalendarDate date;
    };
    const Case cases[] = {
        {2451545, {2000, 1, 1}},  {2451544, {1999, 12, 31}}, {2451604, {2000, 2, 29}}, {2440588, {1970, 1, 1}},
        {2415021, {1900, 1, 1}},  {2415080, {1900, 3, 1}},   {2488129, {2100, 3, 1}},  {2597701, {2400, 2, 29}},
        {2453085, {2004, 3, 20}}, {2299161, {1582, 10, 15}}, {2299160, {1582, 10, 4}}, // last Julian day
        {1721424, {1, 1, 1}},     {0, {-4712, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DayNumberToDate(c.dayNumber), c.date) << c.dayNumber;
}

TEST(CalendarDateTest, StepsAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 4), 30);
    EXPECT_EQ(DaysInMonth(2024, 12), 31);
    EXPECT_EQ(DaysInMonth(2024, 1), 31);
    EXPECT_EQ(AddDays({2004, 2, 28}, 1), (CalendarDate{2004, 2, 29}));
    EXPECT_EQ(AddDays({2003, 2, 28}, 1), (CalendarDate{2003, 3, 1}));
    EXPECT_EQ(AddDays({2003, 12, 31}, 1), (CalendarDate{2004, 1, 1}));
    EXPECT_EQ(AddDays({2004, 3, 1}, -1), (CalendarDate{2004, 2, 29}));
    EXPECT_EQ(AddDays({2000, 1, 1}, -1), (CalendarDate{1999, 12, 31}));
    EXPECT_EQ(AddDays({2004, 2, 21}, 28), (CalendarDate{2004, 3, 20}));
    EXPECT_EQ(WeekdayName(WeekdayOf({2000, 1, 1})), U("土"));
    EXPECT_EQ(WeekdayName(WeekdayOf({1900, 3, 1})), U("木"));
    EXPECT_EQ(WeekdayOf({2003, 2, 29}), -1);
}

// A whole date typed into a date box, in the forms people write.
TEST(TypedDateTest, UsualFormsOfAWholeDate) {
    struct Case {
        const char* typed;
        std::optional<CalendarDate> date;
    };
    const std::optional<CalendarDate> none;
    const Case cases[] = {
        {"2026/5/15", CalendarDate{2026, 5, 15}},
        {"2026/05/15", CalendarDate{2026, 5, 15}},
        {"20260515", CalendarDate{2026, 5, 15}},
        {" 2026/5/1 ", CalendarDate{2026, 5, 1}},
        {"2026-05-15", CalendarDate{2026, 5, 15}},
        {"2026.5.15", CalendarDate{2026, 5, 15}},
        {"\x82\x51\x82\x4f\x82\x51\x82\x55\x81\x5e\x82\x54\x81\x5e\x82\x50\x82\x54",
         CalendarDate{2026, 5, 15}}, // full-width ２０２６／５／１５
        {"2024/2/29", CalendarDate{2024, 2, 29}},
        {"2026/2/29", none},
        {"2026/13/1", none},
        {"2026/0/15", none},
        {"2026/5/0", none},
        {"2026/5/32", none},
        {"2026/5/", none},
        {"2026/5", none},
        {"/5/15", none},
        {"2026/5/15/1", none},
        {"2026/5-15", none},
        {"2026/005/15", none},
        {"26/5/15", none},
        {"02026/5/15", none},
        {"2026051", none},
        {"202605150", none},
        {"2026 5 15", none},
        {"2026/+5/15", none},
        {"abcd/ef/gh", none},
        {"", none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(ParseTypedDate(c.typed), c.date);
    }
}

TEST(SheetMonthSpanTest, ClosingDays) {
    struct Case {
        int year, month, simeDay;
        CalendarDate first;
        int dayCount;
    };
    const Case cases[] = {
        {2004, 3, 20, {2004, 2, 21}, 29}, {2003, 3, 20, {2003, 2, 21}, 28}, {2004, 1, 20, {2003, 12, 21}, 31},
        {2004, 3, 27, {2004, 2, 28}, 29}, {2004, 5, 1, {2004, 4, 2}, 30},   {2004, 3, 31, {2004, 3, 1}, 31},
        {2004, 2, 28, {2004, 2, 1}, 29},  {2004, 4, 0, {2004, 4, 1}, 30},   {2004, 4, -3, {2004, 4, 1}, 30},
    };
    for (const Case& c : cases) {
        const SheetSpan span = SheetMonthSpan(c.year, c.month, c.simeDay);
        EXPECT_EQ(span.first, c.first) << c.month << "/" << c.simeDay;
        EXPECT_EQ(span.dayCount, c.dayCount) << c.month << "/" << c.simeDay;
    }
}

const FixedHolidayMarks kAllFixedMarked = FixedHolidayMarks().set();

std::string DateLabel(const CalendarDate& date) {
    std::ostringstream label;
    label << date.year << "-" << date.month << "-" << date.day;
    return label.str();
}

// Every named or marked day of a year, as "month/day name" with "*" after the name of a day off.
std::map<std::string, std::string> NamedDaysOf(int year, const CalendarRules& rules, FixedHolidayMarks fixed) {
    std::map<std::string, std::string> days;
    for (CalendarDate date{year, 1, 1}; date.year == year; date = AddDays(date, 1)) {
        const HolidayInfo holiday = NationalHolidayOf(date, rules, fixed);
        if (!holiday.name.empty() || !holiday.mark.empty())
            days[DateLabel(date)] = Cp932ToUtf8(holiday.name) + (holiday.mark == U("○") ? "*" : "");
    }
    return days;
}

// The national holidays of these years as published, and nothing else.
TEST(NationalHolidayTest, EveryHolidayOfTheYear) {
    struct Day {
        int month, day;
        const char* name;
    };
    const std::map<int, std::vector<Day>> years = {
        {2019, {{1, 1, "元旦"},       {1, 14, "成人の日"},     {2, 11, "建国記念の日"},    {3, 21, "春分の日"},
                {4, 29, "昭和の日"},  {4, 30, "国民の休日"},   {5, 1, "即位の日"},         {5, 2, "国民の休日"},
                {5, 3, "憲法記念日"}, {5, 4, "みどりの日"},    {5, 5, "こどもの日"},       {5, 6, "振替休日"},
                {7, 15, "海の日"},    {8, 11, "山の日"},       {8, 12, "振替休日"},        {9, 16, "敬老の日"},
                {9, 23, "秋分の日"},  {10, 14, "体育の日"},    {10, 22, "即位礼正殿の儀"}, {11, 3, "文化の日"},
                {11, 4, "振替休日"},  {11, 23, "勤労感謝の日"}}},
        {2020,
         {{1, 1, "元旦"},
          {1, 13, "成人の日"},
          {2, 11, "建国記念の日"},
          {2, 23, "天皇誕生日"},
          {2, 24, "振替休日"},
          {3, 20, "春分の日"},
          {4, 29, "昭和の日"},
          {5, 3, "憲法記念日"},
          {5, 4, "みどりの日"},
          {5, 5, "こどもの日"},
          {5, 6, "振替休日"},
          {7, 23, "海の日"},
          {7, 24, "スポーツの日"},
          {8, 10, "山の日"},
          {9, 21, "敬老の日"},
          {9, 22, "秋分の日"},
          {11, 3, "文化の日"},
          {11, 23, "勤労感謝の日"}}},
        {2021,
         {{1, 1, "元旦"},
          {1, 11, "成人の日"},
          {2, 11, "建国記念の日"},
          {2, 23, "天皇誕生日"},
          {3, 20, "春分の日"},
          {4, 29, "昭和の日"},
          {5, 3, "憲法記念日"},
          {5, 4, "みどりの日"},
          {5, 5, "こどもの日"},
          {7, 22, "海の日"},
          {7, 23, "スポーツの日"},
          {8, 8, "山の日"},
          {8, 9, "振替休日"},
          {9, 20, "敬老の日"},
          {9, 23, "秋分の日"},
          {11, 3, "文化の日"},
          {11, 23, "勤労感謝の日"}}},
        {2026,
         {{1, 1, "元旦"},
          {1, 12, "成人の日"},
          {2, 11, "建国記念の日"},
          {2, 23, "天皇誕生日"},
          {3, 20, "春分の日"},
          {4, 29, "昭和の日"},
          {5, 3, "憲法記念日"},
          {5, 4, "みどりの日"},
          {5, 5, "こどもの日"},
          {5, 6, "振替休日"},
          {7, 20, "海の日"},
          {8, 11, "山の日"},
          {9, 21, "敬老の日"},
          {9, 22, "国民の休日"},
          {9, 23, "秋分の日"},
          {10, 12, "スポーツの日"},
          {11, 3, "文化の日"},
          {11, 23, "勤労感謝の日"}}},
    };
    for (const auto& [year, holidays] : years) {
        std::map<std::string, std::string> expected;
        for (const Day& day : holidays)
            expected[DateLabel({year, day.month, day.day})] = std::string(day.name) + "*";
        EXPECT_EQ(NamedDaysOf(year, CalendarRules{}, kAllFixedMarked), expected) << year;
    }
}

// Days around the changes of the law, with "" for a day that is no holiday.
TEST(NationalHolidayTest, DaysAcrossTheChangesOfTheLaw) {
    struct Case {
        CalendarDate date;
        const char* name;
    };
    const Case cases[] = {
        {{1990, 5, 4}, "国民の休日"},
        {{2006, 5, 4}, "国民の休日"},
        {{1997, 5, 4}, ""}, // a Sunday before 2007
        {{1992, 5, 4}, "振替休日"},
        {{1990, 12, 24}, "振替休日"},
        {{2018, 12, 24}, "振替休日"},
        {{1990, 11, 12}, "即位礼正殿の儀"},
        {{1993, 6, 9}, "皇太子徳仁親王の結婚の儀"},
        {{2006, 4, 29}, "みどりの日"},
        {{2007, 4, 29}, "昭和の日"},
        {{2007, 4, 30}, "振替休日"},
        {{2007, 5, 4}, "みどりの日"},
        {{2008, 5, 6}, "振替休日"},
        {{1997, 5, 6}, ""},
        {{2009, 9, 22}, "国民の休日"},
        {{2015, 9, 22}, "国民の休日"},
        {{2019, 12, 23}, ""},
        {{2019, 2, 23}, ""},
        {{1999, 1, 15}, "成人の日"},
        {{1999, 1, 11}, ""},
        {{2000, 1, 10}, "成人の日"},
        {{2000, 1, 15}, ""},
        {{1999, 10, 10}, "体育の日"},
        {{1999, 10, 11}, "振替休日"},
        {{2000, 10, 9}, "体育の日"},
        {{2022, 10, 10}, "スポーツの日"},
        {{2020, 10, 12}, ""},
        {{2021, 10, 11}, ""},
        {{1995, 7, 20}, ""},
        {{1996, 7, 20}, "海の日"},
        {{2002, 7, 20}, "海の日"},
        {{2003, 7, 21}, "海の日"},
        {{2002, 9, 15}, "敬老の日"},
        {{2002, 9, 16}, "振替休日"},
        {{2003, 9, 15}, "敬老の日"},
        {{2015, 8, 11}, ""},
        {{2016, 8, 11}, "山の日"},
        {{2099, 2, 23}, "天皇誕生日"},
        {{2004, 2, 30}, ""},
        {{2004, 13, 1}, ""},
    };
    for (const Case& c : cases) {
        const HolidayInfo holiday = NationalHolidayOf(c.date, CalendarRules{}, kAllFixedMarked);
        EXPECT_EQ(Cp932ToUtf8(holiday.name), c.name) << DateLabel(c.date);
        EXPECT_EQ(holiday.mark, std::string(c.name).empty() ? "" : U("○")) << DateLabel(c.date);
    }
}

// A holiday switched off, or a fixed date whose list row is not marked, is no day off and gives no
// 振替休日 or 国民の休日; a switched-off holiday keeps its name.
TEST(NationalHolidayTest, SwitchesAndUnmarkedFixedDatesCountForNothing) {
    CalendarRules noOldMan;
    noOldMan.oldManDay = false;
    CalendarRules noSport;
    noSport.sportDay = false;
    FixedHolidayMarks no0503 = kAllFixedMarked;
    no0503.reset(2);
    FixedHolidayMarks no0505 = kAllFixedMarked;
    no0505.reset(3);
    struct Case {
        CalendarRules rules;
        FixedHolidayMarks fixed;
        CalendarDate date;
        const char* name; // "*" after the name of a day off
    };
    const Case cases[] = {
        {noOldMan, kAllFixedMarked, {2026, 9, 21}, "敬老の日"},
        {noOldMan, kAllFixedMarked, {2026, 9, 22}, ""},
        {noOldMan, kAllFixedMarked, {2002, 9, 16}, ""},
        {noSport, kAllFixedMarked, {2020, 7, 24}, "スポーツの日"},
        {noSport, kAllFixedMarked, {1999, 10, 11}, ""},
        {noSport, kAllFixedMarked, {2026, 10, 12}, "スポーツの日"},
        {CalendarRules{}, no0503, {2026, 5, 3}, ""},
        {CalendarRules{}, no0503, {2026, 5, 4}, "みどりの日*"},
        {CalendarRules{}, no0503, {2026, 5, 6}, ""},
        // with こどもの日 a working day, the 振替休日 of Sunday 3 May moves onto it
        {CalendarRules{}, no0505, {2026, 5, 5}, "振替休日*"},
        {CalendarRules{}, no0505, {2026, 5, 6}, ""},
        {CalendarRules{}, FixedHolidayMarks(), {2023, 1, 2}, ""},
        {CalendarRules{}, kAllFixedMarked, {2023, 1, 2}, "振替休日*"},
        {CalendarRules{}, kAllFixedMarked, {2023, 1, 1}, "元旦*"},
    };
    for (const Case& c : cases) {
        const HolidayInfo holiday = NationalHolidayOf(c.date, c.rules, c.fixed);
        EXPECT_EQ(Cp932ToUtf8(holiday.name) + (holiday.mark.empty() ? "" : "*"), c.name) << DateLabel(c.date);
    }
}

} // namespace
} // namespace mitoran
