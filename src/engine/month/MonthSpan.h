// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <optional>

// A span of 1 to 31 days shown in place of a sheet month, for example a pay period, filled from the month
// files of every sheet month it overlaps.
namespace mitoran {

struct MonthLocation;
struct MonthSheet;

struct DaySpan {
    CalendarDate first;
    CalendarDate last;
    bool operator==(const DaySpan&) const = default;
};

inline constexpr int kMaxSpanDays = 31;

// The number of days from first to last, both counted, when it is 1 to 31; nothing for a span that ends
// before it starts, is longer, or names a date that does not exist.
std::optional<int> SpanDays(const DaySpan& span);

// The sheet month a date belongs to: the next month for a day after the closing day (1..27).
YearMonth SheetMonthOf(const CalendarDate& date, int simeDay);

// Fills the sheet with the span's days: their dates and weekdays, then the records the month files hold for
// them. Days without a file or a record stay empty; the summary is emptied. The sheet counts as holding the
// month of the span's last day, and its saved copy equals the days. A span that is not 1 to 31 days long
// leaves the sheet as it is and gives false.
bool LoadSpan(MonthSheet& sheet, const DaySpan& span, int simeDay, const MonthLocation& location);

} // namespace mitoran
