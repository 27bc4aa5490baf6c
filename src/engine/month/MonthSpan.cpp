// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthSpan.h"

#include "engine/month/MonthFile.h"
#include "engine/month/MonthSheet.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Util.h"

#include <vector>

namespace mitoran {

namespace {

constexpr std::string_view kDayData = "DayData";

std::string DateText(const CalendarDate& date) {
    return PadNumber(date.month, 2, " ") + "/" + PadNumber(date.day, 2, " ");
}

// Every sheet month that holds a day of the span, in order: a closing day of 1 can make a 31-day span reach
// into four of them.
std::vector<YearMonth> SheetMonthsOf(const DaySpan& span, int days, int simeDay) {
    std::vector<YearMonth> months;
    for (int k = 0; k < days; ++k) {
        const YearMonth month = SheetMonthOf(AddDays(span.first, k), simeDay);
        if (months.empty() || months.back() != month)
            months.push_back(month);
    }
    return months;
}

// The span row whose date text is the record's, or 0.
int RowOfRecord(const MonthSheet& sheet, std::string_view record) {
    DayRecord probe;
    ReadDayRecordText(record, probe);
    for (int row = 1; row <= sheet.dayCount; ++row) {
        if (sheet.days[row][DayColumn::Date] == probe[DayColumn::Date])
            return row;
    }
    return 0;
}

void ReadSpanDays(MonthSheet& sheet, const std::filesystem::path& path) {
    const ProfileFile file(path);
    if (!file.Exists())
        return;
    const int dayCount = MonthFileDayCount(file);
    for (int d = 1; d <= dayCount; ++d) {
        const std::string record = file.ReadString(kDayData, DayDataKey(d), "");
        if (const int row = RowOfRecord(sheet, record); row != 0)
            ReadDayRecordText(record, sheet.days[row]);
    }
}

} // namespace

std::optional<int> SpanDays(const DaySpan& span) {
    if (!IsValidDate(span.first) || !IsValidDate(span.last))
        return std::nullopt;
    for (int days = 1; days <= kMaxSpanDays; ++days) {
        if (AddDays(span.first, days - 1) == span.last)
            return days;
    }
    return std::nullopt;
}

YearMonth SheetMonthOf(const CalendarDate& date, int simeDay) {
    if (simeDay < 1 || simeDay > 27 || date.day <= simeDay)
        return {date.year, date.month};
    return date.month == 12 ? YearMonth{date.year + 1, 1} : YearMonth{date.year, date.month + 1};
}

bool LoadSpan(MonthSheet& sheet, const DaySpan& span, int simeDay, const MonthLocation& location) {
    const std::optional<int> days = SpanDays(span);
    if (!days)
        return false;
    sheet.ClearDays();
    sheet.dayCount = *days;
    sheet.loadedYear = span.last.year;
    sheet.loadedMonth = span.last.month;
    for (int k = 1; k <= *days; ++k) {
        const CalendarDate date = AddDays(span.first, k - 1);
        sheet.days[k][DayColumn::Date] = DateText(date);
        sheet.days[k][DayColumn::Weekday] = WeekdayName(WeekdayOf(date));
    }
    for (const YearMonth& month : SheetMonthsOf(span, *days, simeDay))
        ReadSpanDays(sheet, MonthFilePath(location.dataFolder, month.year, month.month, location.user));
    sheet.MarkSaved();
    return true;
}

} // namespace mitoran
