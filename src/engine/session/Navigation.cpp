// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Navigation.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/UnsavedEdits.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

namespace {
constexpr int kMonthsPerYear = 12;
constexpr int kRowsAboveToday = 10;
} // namespace

YearMonth WorkingMonth(const LocalDateTime& today, int simeDay) {
    YearMonth month{today.year, today.month};
    if (today.day > simeDay)
        month = StepMonth(month, +1, false);
    return month;
}

YearMonth StepMonth(YearMonth from, int direction, bool wholeYear) {
    if (wholeYear)
        return {from.year + direction, from.month};
    const int index = from.year * kMonthsPerYear + (from.month - 1) + direction;
    return {index / kMonthsPerYear, index % kMonthsPerYear + 1};
}

YearMonth JumpTarget(std::string_view yearText, std::string_view monthText) {
    return {ClampYear(yearText), ClampMonth(monthText)};
}

std::optional<TodayRow> FindTodayRow(const MonthSheet& sheet, int month, int day, int visibleRows) {
    const std::string dateText = PadNumber(month, 2, " ") + "/" + PadNumber(day, 2, " ");
    const int last = std::clamp(sheet.dayCount, 0, kMaxDays);
    for (int row = 1; row <= last; ++row) {
        if (sheet.days[row][DayColumn::Date] != dateText)
            continue;
        int topRow = std::max(1, row - kRowsAboveToday);
        if (topRow > last - visibleRows + 1)
            topRow = std::max(1, last - visibleRows + 1);
        return TodayRow{row, topRow};
    }
    return std::nullopt;
}

bool LeaveMonthCheck(MonthSheet& sheet, bool autoSave, bool shiftHeld, Questions& questions,
                     const std::function<bool()>& save) {
    return ConfirmLeavingEdits(sheet.IsChanged(), autoSave, shiftHeld, questions, save,
                               [&sheet] { sheet.MarkSaved(); });
}

} // namespace mitoran
