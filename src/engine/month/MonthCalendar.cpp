// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthCalendar.h"

#include "engine/calendar/DayCategory.h"
#include "engine/month/MonthSheet.h"
#include "engine/settings/HolidayList.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

namespace {

const std::string& DayOffMark() {
    return InfoOf(Kubun::Holiday).mark;
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

HolidayInfo HolidayOf(const CalendarDate& date, const CalendarRules& rules, const HolidayList& holidays,
                      FixedHolidayMarks fixedMarked) {
    HolidayInfo holiday = NationalHolidayOf(date, rules, fixedMarked);
    if (!IsValidDate(date))
        return holiday;
    if (const HolidayRow* row = holidays.Find(date.month, date.day)) {
        if (row->IsMarked())
            holiday.mark = DayOffMark();
        if (!TrimText(row->memo).empty())
            holiday.name = row->memo;
    }
    return holiday;
}

void MarkDay(DayRecord& day, const CalendarDate& date, bool weekdayRule, const CalendarRules& rules,
             const HolidayList& holidays, FixedHolidayMarks fixedMarked) {
    const HolidayInfo holiday = HolidayOf(date, rules, holidays, fixedMarked);
    const int weekday = WeekdayOfName(day[DayColumn::Weekday]);
    if (TrimText(day[DayColumn::Kubun]).empty() && !holiday.mark.empty())
        day[DayColumn::Kubun] = holiday.mark;
    if (TrimText(day[DayColumn::Memo]).empty() && !holiday.name.empty())
        day[DayColumn::Memo] = holiday.name;
    if (weekdayRule && weekday >= 0 && rules.weekCheck[weekday + 1])
        day[DayColumn::Kubun] = DayOffMark();
}

} // namespace

HolidayInfo HolidayOf(const CalendarDate& date, const CalendarRules& rules, const HolidayList& holidays) {
    return HolidayOf(date, rules, holidays, holidays.MarkedFixedHolidays());
}

CalendarDate RowDateInYear(std::string_view dateText, int year) {
    const auto slash = dateText.find('/');
    if (slash == std::string_view::npos)
        return {year, 0, 0};
    return {year, TextToIntDef(dateText.substr(0, slash), 0), TextToIntDef(dateText.substr(slash + 1), 0)};
}

CalendarDate RowDate(std::string_view dateText, int sheetYear, int sheetMonth) {
    CalendarDate date = RowDateInYear(dateText, sheetYear);
    if (date.month > sheetMonth)
        --date.year;
    return date;
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
    const FixedHolidayMarks fixedMarked = holidays.MarkedFixedHolidays();
    for (int row = 1; row <= last; ++row) {
        DayRecord& day = sheet.days[row];
        MarkDay(day, RowDate(day[DayColumn::Date], year, month), weekdayRule, rules, holidays, fixedMarked);
    }
}

} // namespace mitoran
