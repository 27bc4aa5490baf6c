// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthSheet.h"

#include "engine/text/Cp932.h"

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

const std::array<std::string, kDayColumnCount>& DayColumnHeaders() {
    static const std::array<std::string, kDayColumnCount> headers{
        Utf8ToCp932("日 付"), Utf8ToCp932("曜"),    Utf8ToCp932("休"),
        Utf8ToCp932("出 社"), Utf8ToCp932("退 社"), Utf8ToCp932("普 通"),
        Utf8ToCp932("深 夜"), Utf8ToCp932("勤 務"), Utf8ToCp932("  メ  モ  ")};
    return headers;
}

std::array<SummaryField, kSummaryFieldCount> SummaryFieldsOf(const MonthSummary& summary) {
    static const std::array<std::string, kSummaryFieldCount> labels{
        Utf8ToCp932("出勤"), Utf8ToCp932("休出"), Utf8ToCp932("普通"), Utf8ToCp932("深夜"),
        Utf8ToCp932("合計"), Utf8ToCp932("目標"), Utf8ToCp932("勤務")};
    return {{{labels[0], summary.syukinDay, false},
             {labels[1], summary.kyujituDay, false},
             {labels[2], summary.zangyoTime, true},
             {labels[3], summary.shinyaTime, true},
             {labels[4], summary.sumTime, true},
             {labels[5], summary.mokuhyoTime, true},
             {labels[6], summary.kinmuTime, true}}};
}

} // namespace mitoran
