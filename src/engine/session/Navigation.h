// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <functional>
#include <optional>
#include <string_view>

namespace mitoran {

struct LocalDateTime;
struct MonthSheet;
class Questions;

// The sheet month that holds today: a day past the closing day belongs to the next month.
YearMonth WorkingMonth(const LocalDateTime& today, int simeDay);

// One month back or forward (direction -1 or +1), or the same month a year back or forward.
YearMonth StepMonth(YearMonth from, int direction, bool wholeYear);

// The month the go-to-month dialog moves to: the year held within 1990..2090, the month within 1..12.
YearMonth JumpTarget(std::string_view yearText, std::string_view monthText);

// Today's row of the grid (row 0 is the header) and the top row that shows it about ten rows down.
struct TodayRow {
    int row = 0;
    int topRow = 1;
    bool operator==(const TodayRow&) const = default;
};
std::optional<TodayRow> FindTodayRow(const MonthSheet& sheet, int month, int day, int visibleRows);

// Whether the month on display may be left. An unchanged month passes; a changed one is saved without a
// question when AutoSave is on and Shift is not held; otherwise the user chooses: Yes saves, No drops the
// changes, Cancel stays. save() returns false when the month could not be written, and then the month is
// not left.
bool LeaveMonthCheck(MonthSheet& sheet, bool autoSave, bool shiftHeld, Questions& questions,
                     const std::function<bool()>& save);

} // namespace mitoran
