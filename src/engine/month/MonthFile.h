// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/Calculation.h"
#include "engine/month/MonthSheet.h"

#include <filesystem>
#include <string>
#include <string_view>

// The month data file: one INI file per sheet month and user, section "System" with the day count and
// the month's summary texts, section "DayData" with one comma-terminated record of 14 fields per day.
namespace mitoran {

struct CalendarRules;
class HolidayList;
class ProfileFile;
struct Settings;

// Where the current user's month files lie.
struct MonthLocation {
    std::filesystem::path dataFolder;
    std::string user; // empty for the default user
};

// "<data folder>/yyyymm.dat", inside the user's sub-folder for a named user.
std::filesystem::path MonthFilePath(const std::filesystem::path& dataFolder, int year, int month,
                                    std::string_view user);

// The "DayData" key of day d: the day right-aligned in two characters (" 5", "25").
std::string DayDataKey(int day);

// The "DayData" record of a day, as written: 14 fields each followed by ",", leading blanks removed.
std::string DayRecordText(const DayRecord& day);

// Reads the fields of a record into the day, in order, as long as a "," ends them; fields the record
// lacks leave the day's members as they were.
void ReadDayRecordText(std::string_view record, DayRecord& day);

// The number of days a month file holds: its day count when that is a number within 1..31, else the highest
// day record present (0 without any), so that a damaged count hides no recorded day.
int MonthFileDayCount(const ProfileFile& file);

// Reads a month file into an emptied sheet: day count, summary texts, days. A day count that is not a number
// within 1..31 is taken from the highest day record present (0 without any).
void ReadMonthFile(const ProfileFile& file, MonthSheet& sheet);

// Writes the sheet's day count, summary texts and day records into the profile text (not to disk).
void WriteMonthFile(const MonthSheet& sheet, ProfileFile& file);

// Makes the sheet hold the sheet month: from its file, or, when it has none or no day in it, a new month
// laid out by the calendar. The month already held is not read again unless forced, so unsaved edits stay.
// Returns whether the sheet was loaded. The saved copy equals the loaded days afterwards.
bool LoadMonth(MonthSheet& sheet, int year, int month, bool force, const MonthLocation& location,
               const CalendarRules& rules, const HolidayList& holidays);

// Recalculates the sheet and writes its file; the saved copy stays for the ledger update that follows
// (the session's save). Throws FileWriteError when the file cannot be written: the old file stays. The
// caller does not save while the span view fills the sheet.
MonthCalculation SaveMonth(MonthSheet& sheet, int year, int month, const MonthLocation& location,
                           const Settings& settings);

} // namespace mitoran
