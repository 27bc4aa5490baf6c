// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/Calendar.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace mitoran
