// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/leave/Ledger.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The editing rules of the paid-leave grid, its drawing decisions and its CSV file. Grid columns are
// 0 (row number) and 1..6 (the ledger's six texts); grid rows 1..500 are the ledger's rows.
namespace mitoran {

struct Settings;

inline constexpr int kLedgerDateColumn = 1;
inline constexpr int kLedgerWeekdayColumn = 2;
inline constexpr int kLedgerCategoryColumn = 3;
inline constexpr int kLedgerDaysColumn = 4;
inline constexpr int kLedgerMemoColumn = 6;

// A double-click on the number, date or weekday cell: the date normalised, or today's when there is none,
// and its weekday.
void FillDateCell(LedgerRow& row, const CalendarDate& today);
// A double-click on the category of a dated row: blank → 有給 → 午前 → 午後 → 増加 → 減少 → ｿﾉ他 → 有給. The
// days follow a category that books its own amount. False, and nothing changed, for a row without a date
// or a category text not in the table.
bool CycleCategory(LedgerRow& row, const Ledger& ledger);
// The category menu: sets the category (and its own amount) on a dated row. False for a row without a date.
bool ApplyCategory(LedgerRow& row, LeaveCategory category, const Ledger& ledger);

// Whether the line that closes a leave year (starting in month yukyuMonth, 0 = none) runs between an entry
// and the next row.
bool LeaveYearEndsBelow(std::string_view date, std::string_view nextDate, int yukyuMonth);

enum class LedgerTextColor { Standard, Red, Blue, Memo };
// Weekday letters 日 red and 土 blue, positive days blue, the memo in its row's colour.
LedgerTextColor LedgerCellTextColor(const LedgerRow& row, int column);
// The background colour slot (0..7) of a row, or nothing for the grid colour: the weekday slots, then the
// category slots 休日, 有給, 午前, 午後, 代休, 欠勤, each only when its flag is on; a later match wins.
std::optional<int> LedgerRowColorSlot(const LedgerRow& row, const Settings& settings);

// Shift+Tab skips the weekday and remaining columns: the cell it goes to, row 0 meaning the 閉じる button,
// or nothing where the grid's own handling applies.
struct LedgerCell {
    int row = 0;
    int column = 0;
    bool operator==(const LedgerCell&) const = default;
};
std::optional<LedgerCell> BackTabCell(LedgerCell from);
// Tab from the last memo cell, or with Ctrl, leaves the grid for the 再計算 button.
bool TabLeavesGrid(LedgerCell from, bool ctrlHeld);

// The count typed into the delete-by-count dialog: text that is not a number deletes nothing; at most 500.
int DeletionCount(std::string_view text);
// The date the delete-by-date dialog starts with: the last day of the month two years and one month back.
CalendarDate DefaultDeletionDate(int year, int month);
// A date as the ledger writes it, yyyy/mm/dd.
std::string LedgerDateText(const CalendarDate& date);

// "有給休暇.csv", after the "CSVFileName" text and a blank when "CSVNameAdd" asks for it.
std::string LedgerCsvFileName(const Settings& settings);
// The ledger as the CSV file holds it: CR LF lines, the "CSVPrivateInfo" line when asked for, the header
// and one line per entry with its date as 2024/4/6. Recalculate the ledger first.
std::string LedgerCsvText(const Ledger& ledger, const Settings& settings);
// Writes the file whole or not at all, in place of a symbolic link at the name (WriteExportFile). Throws
// FileWriteError.
void WriteLedgerCsv(const std::filesystem::path& path, const Ledger& ledger, const Settings& settings);

} // namespace mitoran
