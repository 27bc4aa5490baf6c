// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/MonthOvertime.h"

#include "engine/calendar/DayCategory.h"
#include "engine/month/MonthFile.h"
#include "engine/month/MonthSheet.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <system_error>

namespace mitoran {

namespace {

// The widest day value a month file holds (two hour digits).
constexpr int kDayValueLimit = 99 * 60 + 59;

int DayValue(const std::string& text) {
    return std::clamp(TimeTextToMinutes(text), -kDayValueLimit, kDayValueLimit);
}

Kubun KubunOf(const DayRecord& day) {
    return KubunOfMark(day[DayColumn::Kubun]).value_or(Kubun::Normal);
}

int DaysOf(const MonthSheet& sheet) {
    return std::clamp(sheet.dayCount, 0, kMaxDays);
}

} // namespace

MonthOvertime OvertimeOfSheet(const MonthSheet& sheet) {
    MonthOvertime result;
    int overtime = 0;
    for (int d = 1; d <= DaysOf(sheet); ++d) {
        const DayRecord& day = sheet.days[d];
        const int value = DayValue(day[DayColumn::Zangyo]) + DayValue(day[DayColumn::Shinya]);
        const Kubun kubun = KubunOf(day);
        if (kubun == Kubun::Holiday && TrimText(day.houteiMark) == "*")
            result.holidayWork += std::max(0, value);
        else if (kubun != Kubun::Daikyu) // a substitute day off does not undo overtime worked
            overtime += value;
    }
    result.overtime = std::max(0, overtime);
    return result;
}

bool ReadSavedMonth(const std::filesystem::path& file, MonthSheet& sheet) {
    sheet.ClearDays();
    sheet.dayCount = 0;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxMonthFileBytes)
        return false;
    const ProfileFile profile(file);
    if (!profile.Exists())
        return false;
    ReadMonthFile(profile, sheet);
    return true;
}

CompanyWeekdays CompanyWeekdaysOf(const MonthSheet& sheet, int elapsedDays) {
    CompanyWeekdays weekdays;
    for (int d = 1; d <= DaysOf(sheet); ++d) {
        if (KubunOf(sheet.days[d]) == Kubun::Holiday)
            continue;
        ++weekdays.total;
        if (d <= elapsedDays)
            ++weekdays.elapsed;
    }
    return weekdays;
}

int ForecastOvertime(int overtimeSoFar, CompanyWeekdays weekdays) {
    if (weekdays.elapsed <= 0)
        return overtimeSoFar;
    return RoundHalfAway(static_cast<double>(overtimeSoFar) * weekdays.total / weekdays.elapsed);
}

} // namespace mitoran
