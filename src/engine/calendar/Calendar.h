// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// The calendar of a sheet month: dates, weekdays, days off and the names of national holidays.
namespace mitoran {

class HolidayList;
struct MonthSheet;

// The settings the calendar reads, taken from the settings object by the caller.
struct CalendarRules {
    int simeDay = 31; // closing day: 1..27, or 28+ for the calendar month
    std::array<bool, 8> weekCheck{false, true, false, false, false, false, false, true}; // 1..7, 1 = Sunday
    bool seijinDay = true;
    bool springDay = true;
    bool autumnDay = true;
    bool sportDay = true;
    bool oceanDay = true;
    bool oldManDay = true;
};

struct CalendarDate {
    int year = 2000;
    int month = 1;
    int day = 1;

    bool operator==(const CalendarDate&) const = default;
};

// The first day of a sheet month and how many days it holds.
struct SheetSpan {
    CalendarDate first;
    int dayCount = 0;
};

struct HolidayInfo {
    std::string name; // empty when the day has no name
    std::string mark; // "○" when the day is a day off, else empty
};

// The sheet month (year, month) under a closing day: from the day after the closing day of the month
// before, or the calendar month when the closing day is not within 1..27.
SheetSpan SheetMonthSpan(int year, int month, int simeDay);

// The date `days` days after (or before, when negative) the given valid date.
CalendarDate AddDays(CalendarDate date, int days);
bool IsValidDate(const CalendarDate& date);

// 0 = Sunday .. 6 = Saturday (Gregorian calendar); -1 for a date that does not exist.
int WeekdayOf(const CalendarDate& date);
// The one-character weekday name (日 月 火 水 木 金 土) of 0 = Sunday .. 6 = Saturday.
const std::string& WeekdayName(int weekday);

// Julian day numbers of the equinox days (Japan Standard Time), by an approximation formula.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);
CalendarDate DayNumberToDate(int dayNumber);

HolidayInfo HolidayOf(const CalendarDate& date, const CalendarRules& rules, const HolidayList& holidays);

// Lays out a sheet month that has no file: day count, dates, weekdays, days off and holiday names.
void BuildMonthCalendar(MonthSheet& sheet, int year, int month, const CalendarRules& rules,
                        const HolidayList& holidays);
// Marks days off and holiday names in the rows of the sheet month (year, month); only empty categories
// and memos are filled, except that the weekday rule sets the day-off mark on the weekly days off.
void MarkHolidays(MonthSheet& sheet, int year, int month, bool weekdayRule, const CalendarRules& rules,
                  const HolidayList& holidays);

} // namespace mitoran
