// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/limits/LimitTable.h"
#include "engine/totals/PeriodTotals.h"

#include <string>
#include <string_view>

// What a screen reader says of the grids and of the main window's status (CP932 texts): each grid's name, its
// rows and cells by date and column, and in a cell's description what only colours and marks show.
namespace mitoran {

struct DayRecord;
struct Settings;

// "12月の勤務表".
std::string DayGridName(int month);
// "12月8日(火)" from the day's date and weekday cells; the trimmed date text when it does not read as m/d.
std::string DayRowName(const DayRecord& day);
// A column's header as it is heard: "出 社" is "出社".
std::string DayColumnName(int column);
// "12月8日(火) 出社": the row's name and the column's header without its blanks; the date column is the row's
// name alone.
std::string DayCellName(const DayRecord& day, int column);
// The day's category by its full name, 法定休日, and on the cell itself 遅刻, 早退 or 手入力, joined by "、";
// empty when there is none.
std::string DayCellDescription(const DayRecord& day, int column, const Settings& settings);

// The paid-leave ledger's rows "3行目" and cells "3行目 区分" (grid column 1 … 6).
std::string LedgerRowName(int row);
std::string LedgerCellName(int row, int column);

// The period totals' rows by their label without blanks ("2024/04", "合計"), cells "2024/04 普通", and what a
// month cell's colour means.
std::string PeriodRowName(std::string_view label);
std::string PeriodCellName(std::string_view label, int column);
std::string PeriodCellDescription(PeriodCellColor color);

// The 36協定 table's rows by their month ("2024/04") and cells "2024/04 時間外".
std::string LimitRowName(const LimitMonth& month);
std::string LimitCellName(const LimitMonth& month, int column);

// What the main window's status says after a month is shown, saved, or could not be written.
std::string MonthShownStatus(YearMonth month);
std::string MonthSavedStatus(int month);
std::string MonthNotSavedStatus(int month);

} // namespace mitoran
