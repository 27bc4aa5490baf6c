// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <string_view>

// The calendar of a sheet month: its rows' dates and weekdays, days off and holiday names, from the
// computed national holidays and the company holiday list.
namespace mitoran {

class HolidayList;
struct MonthSheet;

// The national holiday of the date (with the fixed dates whose list rows are marked), renamed and marked
// by the holiday list's row of that day. A company day off of the list gives no 振替休日 or 国民の休日.
HolidayInfo HolidayOf(const CalendarDate& date, const CalendarRules& rules, const HolidayList& holidays);

// The date of a row's date text (" 3/20") in the given year; an unreadable text gives an invalid date.
CalendarDate RowDateInYear(std::string_view dateText, int year);
// The date of a row of the sheet month (year, month): a row whose month is later than the sheet's lies in
// the year before (December rows of a January sheet).
CalendarDate RowDate(std::string_view dateText, int sheetYear, int sheetMonth);

// Lays out a sheet month that has no file: day count, dates, weekdays, days off and holiday names.
void BuildMonthCalendar(MonthSheet& sheet, int year, int month, const CalendarRules& rules,
                        const HolidayList& holidays);
// Marks days off and holiday names in the rows of the sheet month (year, month); only empty categories
// and memos are filled, except that the weekday rule sets the day-off mark on the weekly days off.
void MarkHolidays(MonthSheet& sheet, int year, int month, bool weekdayRule, const CalendarRules& rules,
                  const HolidayList& holidays);

} // namespace mitoran
