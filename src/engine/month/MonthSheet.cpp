// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthSheet.h"

namespace mitoran {

void MonthSheet::ClearDays() {
    for (DayRecord& day : days)
        day.Clear();
    summary = MonthSummary{};
}

bool MonthSheet::IsChanged() const {
    const int last = dayCount < 0 ? 0 : (dayCount > kMaxDays ? kMaxDays : dayCount);
    for (int d = 1; d <= last; ++d) {
        if (days[d] != saved[d])
            return true;
    }
    return false;
}

} // namespace mitoran
