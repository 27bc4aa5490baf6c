// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mitoran {

class Ledger;
struct MonthSheet;

// Brings the paid-leave ledger up to date with a month sheet of the given year that has just been written:
// each day whose category, memo or memo colour differs from its saved copy removes, adds or updates its
// entry, and every slot's saved copy is then taken. The ledger is read before the first change and written
// once at the end when it changed. Throws FileWriteError when the ledger cannot be written; the saved copy
// then stays as it was, so the month still shows as changed and the next save tries again.
void UpdateLedgerFromMonth(MonthSheet& sheet, int year, Ledger& ledger);

} // namespace mitoran
