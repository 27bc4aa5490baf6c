// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"

#include <array>
#include <filesystem>
#include <string>

// The company holiday list: one row per day of a leap year, kept in "Holiday.dat".
namespace mitoran {

inline constexpr int kHolidayRows = 366;

// Days of the months before `month` in a leap year (0, 31, 60, ..., 335); 0 outside 1..12.
int CumulativeDays(int month);
// The row of (month, day), 1..366, or 0 when the date does not exist in a leap year.
int HolidayRowOf(int month, int day);

struct HolidayRow {
    std::string date; // " 1月 1日" .. "12月31日"
    std::string mark; // " ○ " when the day is a company day off, else empty
    std::string memo;

    // A mark counts as set when it is "○" without blanks at both ends.
    bool IsMarked() const;
    // The editor's double-click: " ○ " when the mark is not set, else four blanks (stored as empty).
    void ToggleMark();
    bool operator==(const HolidayRow&) const = default;
};

class HolidayList {
public:
    // Every row with its date, no mark and no memo.
    HolidayList();

    HolidayRow& operator[](int row) { return m_rows.at(row); }
    const HolidayRow& operator[](int row) const { return m_rows.at(row); }
    // The row of a date, or nullptr when the date does not exist in a leap year.
    const HolidayRow* Find(int month, int day) const;

    // Which of the calendar's fixed-date national holidays have their rows marked.
    FixedHolidayMarks MarkedFixedHolidays() const;

    // Only the six fixed-date national holidays, marked and named.
    void SetDefaults();

    bool operator==(const HolidayList&) const = default;

private:
    std::array<HolidayRow, kHolidayRows + 1> m_rows; // slot 0 is never used
};

// Reads the list from the file; false when there is no file (the list then holds the defaults and nothing
// is written). A file that holds no row at all (damaged) reads as the defaults and is left as it is.
bool ReadHolidayList(HolidayList& list, const std::filesystem::path& file);
// Reads the list as ReadHolidayList does and creates a missing file with the defaults. Throws
// FileWriteError when creating fails (the list then holds the defaults).
void LoadHolidayList(HolidayList& list, const std::filesystem::path& file);
// Stores commas as full stops and marks as " ○ " or empty in the list, then writes all 366 rows.
// Throws FileWriteError when the file cannot be written; the old file stays whole.
void SaveHolidayList(HolidayList& list, const std::filesystem::path& file);

} // namespace mitoran
