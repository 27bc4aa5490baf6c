// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Dates, weekdays, sheet months, equinoxes and the computed national holidays.
namespace mitoran {

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

struct YearMonth {
    int year = 0;
    int month = 0;
    bool operator==(const YearMonth&) const = default;
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

// 28..31 days of the month; a month outside 1..12 is held within it.
int DaysInMonth(int year, int month);

// The sheet month (year, month) under a closing day: from the day after the closing day of the month
// before, or the calendar month when the closing day is not within 1..27.
SheetSpan SheetMonthSpan(int year, int month, int simeDay);

bool IsValidDate(const CalendarDate& date);
// A date typed whole (CP932, full-width forms folded, blanks around ignored): year, month and day with one
// separator "/", "-" or "." (2026/5/15, 2026/05/15), or eight digits (20260515). Nothing for other text or a
// date that does not exist.
std::optional<CalendarDate> ParseTypedDate(std::string_view text);
// The date `days` days after (or before, when negative) the given date; an invalid date stays as it is.
CalendarDate AddDays(CalendarDate date, int days);

// 0 = Sunday .. 6 = Saturday (Gregorian calendar); -1 for a date that does not exist.
int WeekdayOf(const CalendarDate& date);
// The one-character weekday name (日 月 火 水 木 金 土) of 0 = Sunday .. 6 = Saturday.
const std::string& WeekdayName(int weekday);

// Julian day numbers of the equinox days (Japan Standard Time), by an approximation formula.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);
CalendarDate DayNumberToDate(int dayNumber);

// The national holidays on dates that never changed. The holiday list keeps them as rows, and each counts
// as a national holiday while its row is marked.
struct FixedHoliday {
    int month;
    int day;
    const std::string& name;
};
inline constexpr std::size_t kFixedHolidayCount = 6;
const std::array<FixedHoliday, kFixedHolidayCount>& FixedHolidays();
// Bit i is set while the holiday list's row of FixedHolidays()[i] is marked.
using FixedHolidayMarks = std::bitset<kFixedHolidayCount>;

// The national holiday of a date under the law of its year (1990..2099; earlier years follow the law of
// 1990, later years that of 2099): the computed holidays, the fixed holidays whose rows are marked, and the
// 振替休日 and 国民の休日 that follow from them. A computed holiday whose setting is off keeps its name but
// is no day off, and no 振替休日 or 国民の休日 follows from it.
HolidayInfo NationalHolidayOf(const CalendarDate& date, const CalendarRules& rules, FixedHolidayMarks fixedMarked);

} // namespace mitoran
