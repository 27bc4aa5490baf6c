// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/DayGridStyle.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

namespace {

// Marks are compared exactly as the cells hold them, so an emptied category cell matches no category.
bool IsCategory(const DayRecord& day, Kubun kubun) {
    return day[DayColumn::Kubun] == InfoOf(kubun).mark;
}

const std::string& FixedMarkOf(const DayRecord& day, int column) {
    switch (static_cast<DayColumn>(column)) {
    case DayColumn::Zangyo:
        return day.zangyoFixed;
    case DayColumn::Shinya:
        return day.shinyaFixed;
    default:
        return day.kinmuFixed;
    }
}

} // namespace

bool IsLateOrEarly(const DayRecord& day, int column, const Settings& settings) {
    if (!settings.ChikokuRedDisp || settings.FlexTime)
        return false;
    const bool handon = IsCategory(day, Kubun::Handon);
    if (!handon && !IsCategory(day, Kubun::Normal))
        return false;
    const TimeSlot& reference = settings.Time[handon ? kSlotHandon : kSlotRegular];
    if (column == static_cast<int>(DayColumn::Arrival))
        return TimeTextToMinutes(day[DayColumn::Arrival]) > TimeTextToMinutes(reference.first);
    return TimeTextToMinutes(day[DayColumn::Leaving]) < TimeTextToMinutes(reference.second);
}

CellTextStyle DayCellTextStyle(const DayRecord& day, int column, const Settings& settings) {
    CellTextStyle style;
    const auto dayColumn = static_cast<DayColumn>(column);
    if (dayColumn == DayColumn::Weekday) {
        if (IsCategory(day, Kubun::Holiday) || day[DayColumn::Weekday] == text::kSunday)
            style.color = CellTextColor::Red;
        if (day[DayColumn::Weekday] == text::kSaturday)
            style.color = CellTextColor::Blue;
    }
    if ((dayColumn == DayColumn::Arrival || dayColumn == DayColumn::Leaving) && IsLateOrEarly(day, column, settings))
        style.color = CellTextColor::Red;
    if (dayColumn >= DayColumn::Zangyo && dayColumn <= DayColumn::Kinmu) {
        style.underline = FixedMarkOf(day, column) == "*";
        if (TimeTextToMinutes(day.cells[column]) < 0)
            style.color = CellTextColor::Red;
    }
    if (dayColumn >= DayColumn::Kubun && dayColumn <= DayColumn::Kinmu && day.houteiMark == "*")
        style.color = CellTextColor::Red;
    if (dayColumn == DayColumn::Memo && day.memoColor != 0) {
        style.color = CellTextColor::Memo;
        style.memoColor = day.memoColor;
    }
    return style;
}

std::optional<int> DayRowColorSlot(const DayRecord& day, const Settings& settings) {
    std::optional<int> slot;
    const auto take = [&](int candidate, bool applies) {
        if (applies && settings.CellColorCheck[candidate])
            slot = candidate;
    };
    take(6, day[DayColumn::Weekday] == text::kSaturday);
    take(7, day[DayColumn::Weekday] == text::kSunday);
    for (int kubun = static_cast<int>(Kubun::Holiday); kubun <= static_cast<int>(Kubun::Kekkin); ++kubun)
        take(kubun - 1, IsCategory(day, static_cast<Kubun>(kubun)));
    take(8, IsCategory(day, Kubun::Handon));
    return slot;
}

bool WeekSeparatorBelow(const DayRecord& day, int gridLineSelect) {
    return (gridLineSelect == 1 && day[DayColumn::Weekday] == text::kSaturday) ||
           (gridLineSelect == 2 && day[DayColumn::Weekday] == text::kSunday);
}

int HeaderTextLeft(int cellLeft, int cellWidth, int textWidth) {
    return cellLeft + std::max(0, (cellWidth - textWidth - 4) / 2) + 2;
}

} // namespace mitoran
