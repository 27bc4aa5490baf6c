// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>

// The overtime of one sheet month as the law counts it, taken from the month as saved: each day's ordinary and
// late-night overtime, its category and its statutory-holiday mark. Nothing is recalculated.
namespace mitoran {

struct MonthSheet;

struct MonthOvertime {
    int overtime = 0;    // 時間外: the days other than statutory holidays and substitute days off, at least 0
    int holidayWork = 0; // 休日労働: the positive days of work on statutory holidays
    int Total() const { return overtime + holidayWork; }
    bool operator==(const MonthOvertime&) const = default;
};

// A month file larger than this is taken as damaged and read as holding nothing.
inline constexpr std::uintmax_t kMaxMonthFileBytes = 16u << 20;

// The sheet's days 1..dayCount. A day's value is held within ±99:59, as a day value is written.
MonthOvertime OvertimeOfSheet(const MonthSheet& sheet);

// Reads a month file into the sheet, which is emptied first; false, and the sheet empty, when there is no
// file, it cannot be read or it is too large.
bool ReadSavedMonth(const std::filesystem::path& file, MonthSheet& sheet);

// The company weekdays (days not ○) of the sheet: those among days 1..elapsedDays, and all of them.
struct CompanyWeekdays {
    int elapsed = 0;
    int total = 0;
    bool operator==(const CompanyWeekdays&) const = default;
};
CompanyWeekdays CompanyWeekdaysOf(const MonthSheet& sheet, int elapsedDays);

// The month's 時間外 when it goes on as so far: so far ÷ company weekdays elapsed × company weekdays of the
// month, rounded half away from zero; the overtime so far when no company weekday has passed yet.
int ForecastOvertime(int overtimeSoFar, CompanyWeekdays weekdays);

} // namespace mitoran
