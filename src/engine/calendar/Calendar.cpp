// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/Calendar.h"

#include "engine/calendar/DayCategory.h"
#include "engine/text/Texts.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace mitoran {

namespace {

constexpr int kMonday = 1;
constexpr int kFirstGregorianDay = 2299161; // 15 October 1582

const std::string& DayOffMark() {
    return InfoOf(Kubun::Holiday).mark;
}

long double SinDegrees(long double degrees) {
    return std::sin(degrees / 180.0L * std::numbers::pi_v<long double>);
}

// A Monday of `month` whose day lies in firstDay..firstDay + 6.
bool IsMondayBetween(const CalendarDate& date, int month, int firstDay) {
    return date.month == month && date.day >= firstDay && date.day <= firstDay + 6 && WeekdayOf(date) == kMonday;
}

int Trunc(double value) {
    return static_cast<int>(std::trunc(value));
}

bool FallsOn(const CalendarDate& date, int dayNumber) {
    const CalendarDate equinox = DayNumberToDate(dayNumber);
    return equinox.month == date.month && equinox.day == date.day;
}

struct ComputedHoliday {
    const std::string& name;
    bool CalendarRules::*setting;
    bool (*holds)(const CalendarDate&);
};

// In the order in which a later name replaces an earlier one.
const std::array<ComputedHoliday, 6>& ComputedHolidays() {
    static const std::array<ComputedHoliday, 6> table{{
        {text::kSeijinNoHi, &CalendarRules::seijinDay,
         [](const CalendarDate& d) { return d.year >= 2000 && IsMondayBetween(d, 1, 8); }},
        {text::kShunbunNoHi, &CalendarRules::springDay,
         [](const CalendarDate& d) { return d.month == 3 && FallsOn(d, VernalEquinoxDay(d.year)); }},
        {text::kShuubunNoHi, &CalendarRules::autumnDay,
         [](const CalendarDate& d) { return d.month == 9 && FallsOn(d, AutumnalEquinoxDay(d.year)); }},
        {text::kTaiikuNoHi, &CalendarRules::sportDay,
         [](const CalendarDate& d) { return d.year >= 2000 && IsMondayBetween(d, 10, 8); }},
        {text::kUmiNoHi, &CalendarRules::oceanDay,
         [](const CalendarDate& d) { return d.year >= 2003 && IsMondayBetween(d, 7, 15); }},
        {text::kKeirouNoHi, &CalendarRules::oldManDay,
         [](const CalendarDate& d) { return d.year >= 2003 && IsMondayBetween(d, 9, 15); }},
    }};
    return table;
}

// Only for valid dates: std::chrono keeps just the low byte of a month or day it is given.
std::chrono::sys_days SysDaysOf(const CalendarDate& date) {
    return std::chrono::sys_days{std::chrono::year{date.year} / static_cast<int>(date.month) /
                                 static_cast<int>(date.day)};
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    month = std::clamp(month, 1, 12);
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

SheetSpan SheetMonthSpan(int year, int month, int simeDay) {
    month = std::clamp(month, 1, 12);
    if (simeDay < 1 || simeDay > 27)
        return {{year, month, 1}, DaysInMonth(year, month)};
    const CalendarDate first =
        month == 1 ? CalendarDate{year - 1, 12, simeDay + 1} : CalendarDate{year, month - 1, simeDay + 1};
    return {first, DaysInMonth(first.year, first.month)};
}

bool IsValidDate(const CalendarDate& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

CalendarDate AddDays(CalendarDate date, int days) {
    if (!IsValidDate(date))
        return date;
    const std::chrono::year_month_day moved{SysDaysOf(date) + std::chrono::days{days}};
    return {static_cast<int>(moved.year()), static_cast<int>(static_cast<unsigned>(moved.month())),
            static_cast<int>(static_cast<unsigned>(moved.day()))};
}

int WeekdayOf(const CalendarDate& date) {
    if (!IsValidDate(date))
        return -1;
    return static_cast<int>(std::chrono::weekday{SysDaysOf(date)}.c_encoding());
}

const std::string& WeekdayName(int weekday) {
    static const std::array<const std::string*, 7> names{&text::kSunday,    &text::kMonday,   &text::kTuesday,
                                                         &text::kWednesday, &text::kThursday, &text::kFriday,
                                                         &text::kSaturday};
    return weekday >= 0 && weekday < 7 ? *names[weekday] : text::kUnknownWeekday;
}

// The sums run in extended precision in the order written, so that the rare years whose equinox lies
// near midnight fall on the same day as they always have.
int VernalEquinoxDay(int year) {
    const long double b = year - 2000;
    const long double p = 0.002L * (SinDegrees(321 - 30.37L * b) + SinDegrees(249 + 0.19L * b) +
                                    SinDegrees(202 - 132.57L * b) + SinDegrees(84 - 90.37L * b)) -
                          0.00004871850323926L * b + 0.001L * SinDegrees(132 - 134.81L * b) +
                          0.005L * SinDegrees(239 - 19.34L * b);
    return static_cast<int>(std::trunc(2451624.683L + 365.24229L * b + 0.0000001L * b * b - p));
}

int AutumnalEquinoxDay(int year) {
    const long double b = year - 2000;
    const long double p = 0.002L * (SinDegrees(485 - 30.37L * b) + SinDegrees(249 + 0.19L * b) +
                                    SinDegrees(268.2L - 132.57L * b) + SinDegrees(309.2L - 90.37L * b)) +
                          0.00004871850323926L * b + 0.001L * SinDegrees(244.6L - 134.81L * b) +
                          0.005L * SinDegrees(248.6L - 19.34L * b);
    return static_cast<int>(std::trunc(2451811.096L + 365.24206L * b + 0.0000001L * b * b - p));
}

CalendarDate DayNumberToDate(int dayNumber) {
    const int z = dayNumber;
    int b = z + 1524;
    if (z >= kFirstGregorianDay) {
        const int alpha = Trunc((z - 1867216.25) / 36524.25);
        b = z + alpha - alpha / 4 + 1525;
    }
    const int c = Trunc((b - 122.1) / 365.25);
    const int d = Trunc(365.25 * c);
    const int e = Trunc((b - d) / 30.6001);
    const int day = b - d - Trunc(30.6001 * e);
    const int month = e >= 14 ? e - 13 : e - 1;
    return {month >= 3 ? c - 4716 : c - 4715, month, day};
}

HolidayInfo NationalHolidayOf(const CalendarDate& date, const CalendarRules& rules) {
    HolidayInfo holiday;
    if (!IsValidDate(date))
        return holiday;
    for (const ComputedHoliday& computed : ComputedHolidays()) {
        if (!computed.holds(date))
            continue;
        if (rules.*computed.setting)
            holiday.mark = DayOffMark();
        holiday.name = computed.name;
    }
    return holiday;
}

} // namespace mitoran
