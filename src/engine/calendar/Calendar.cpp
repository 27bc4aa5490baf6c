// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/Calendar.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/HolidayList.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
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

// 0 = Sunday .. 6 = Saturday for one of the seven weekday names, else -1.
int WeekdayOfName(const std::string& name) {
    const std::string trimmed = TrimText(name);
    for (int weekday = 0; weekday < 7; ++weekday) {
        if (WeekdayName(weekday) == trimmed)
            return weekday;
    }
    return -1;
}

// The date of a row's date text ("12/21"); the row lies in the year before when its month is later
// than the sheet's month (December rows of a January sheet). An unreadable text gives an invalid date.
CalendarDate RowDate(const std::string& dateText, int sheetYear, int sheetMonth) {
    const auto slash = dateText.find('/');
    if (slash == std::string::npos)
        return {sheetYear, 0, 0};
    const int month = TextToIntDef(std::string_view(dateText).substr(0, slash), 0);
    const int day = TextToIntDef(std::string_view(dateText).substr(slash + 1), 0);
    return {month > sheetMonth ? sheetYear - 1 : sheetYear, month, day};
}

void MarkDay(DayRecord& day, const CalendarDate& date, bool weekdayRule, const CalendarRules& rules,
             const HolidayList& holidays) {
    HolidayInfo holiday = HolidayOf(date, rules, holidays);
    const int weekday = WeekdayOfName(day[DayColumn::Weekday]);
    // A Monday after a day-off holiday is a day off too; it keeps its own name.
    if (weekday == kMonday && IsValidDate(date) && !HolidayOf(AddDays(date, -1), rules, holidays).mark.empty())
        holiday.mark = DayOffMark();
    if (TrimText(day[DayColumn::Kubun]).empty() && !holiday.mark.empty())
        day[DayColumn::Kubun] = holiday.mark;
    if (TrimText(day[DayColumn::Memo]).empty() && !holiday.name.empty())
        day[DayColumn::Memo] = holiday.name;
    if (weekdayRule && weekday >= 0 && rules.weekCheck[weekday + 1])
        day[DayColumn::Kubun] = DayOffMark();
}

} // namespace

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
    for (; days > 0; --days) {
        if (date.day < DaysInMonth(date.year, date.month)) {
            ++date.day;
        } else {
            date.day = 1;
            date.month = date.month == 12 ? 1 : date.month + 1;
            date.year += date.month == 1 ? 1 : 0;
        }
    }
    for (; days < 0; ++days) {
        if (date.day > 1) {
            --date.day;
        } else {
            date.month = date.month == 1 ? 12 : date.month - 1;
            date.year -= date.month == 12 ? 1 : 0;
            date.day = DaysInMonth(date.year, date.month);
        }
    }
    return date;
}

int WeekdayOf(const CalendarDate& date) {
    static constexpr std::array<int, 12> monthOffsets{0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (!IsValidDate(date))
        return -1;
    const int year = date.month < 3 ? date.year - 1 : date.year;
    return (year + year / 4 - year / 100 + year / 400 + monthOffsets[date.month - 1] + date.day) % 7;
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

HolidayInfo HolidayOf(const CalendarDate& date, const CalendarRules& rules, const HolidayList& holidays) {
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
    if (const HolidayRow* row = holidays.Find(date.month, date.day)) {
        if (row->IsMarked())
            holiday.mark = DayOffMark();
        if (!TrimText(row->memo).empty())
            holiday.name = row->memo;
    }
    return holiday;
}

void BuildMonthCalendar(MonthSheet& sheet, int year, int month, const CalendarRules& rules,
                        const HolidayList& holidays) {
    for (DayRecord& day : sheet.days)
        day.Clear();
    const SheetSpan span = SheetMonthSpan(year, month, rules.simeDay);
    sheet.dayCount = span.dayCount;
    CalendarDate date = span.first;
    for (int row = 1; row <= span.dayCount; ++row, date = AddDays(date, 1)) {
        DayRecord& day = sheet.days[row];
        day[DayColumn::Date] = PadNumber(date.month, 2, " ") + "/" + PadNumber(date.day, 2, " ");
        day[DayColumn::Weekday] = WeekdayName(WeekdayOf(date));
    }
    MarkHolidays(sheet, year, month, true, rules, holidays);
}

void MarkHolidays(MonthSheet& sheet, int year, int month, bool weekdayRule, const CalendarRules& rules,
                  const HolidayList& holidays) {
    const int last = std::clamp(sheet.dayCount, 0, kMaxDays);
    for (int row = 1; row <= last; ++row) {
        DayRecord& day = sheet.days[row];
        MarkDay(day, RowDate(day[DayColumn::Date], year, month), weekdayRule, rules, holidays);
    }
}

} // namespace mitoran
