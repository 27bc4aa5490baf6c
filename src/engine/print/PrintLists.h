// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/print/PrintLayout.h"

#include <string>

// The printed lists, made from what their windows show: the month sheet (or the span on display) with its
// summary, the period totals' table with its four summary rows, the paid-leave ledger with both balances, and the
// agreement year of the overtime limits with the limits in force.
namespace mitoran {

class Ledger;
struct AgreementYear;
struct MonthSheet;
struct PeriodRange;
struct PeriodTable;
struct Settings;

// "2024年3月"; when the sheet's first row is not the 1st (a closing day, a span) the rows' first and last
// dates follow in brackets.
std::string MonthPeriodText(const MonthSheet& sheet, int year, int month);

// The day rows (memos cut to "PrintMemo" characters, days off grey with "PrintGary", times in decimal hours
// with "PrintTime") and the summary 出勤 … 勤務.
PrintList MonthPrintList(const MonthSheet& sheet, std::string period, const Settings& settings);
// The months and the total, average, maximum and minimum rows.
PrintList PeriodPrintList(const PeriodRange& range, const PeriodTable& table, const Settings& settings);
// The entries and the carry-over and current balances; the period is the first to the last entry's date.
PrintList LedgerPrintList(const Ledger& ledger, const Settings& settings);
// The twelve months of the 36協定 window with the level each month reached, then the limits in force; landscape.
PrintList LimitPrintList(const AgreementYear& year, const Settings& settings);

} // namespace mitoran
