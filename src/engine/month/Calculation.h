// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/MonthTotals.h"

// The daily and monthly calculation: turns the typed times and categories of the month into overtime,
// work time, the month's sums, its pay amounts and its target remainder.
namespace mitoran {

struct MonthSheet;
struct Settings;

struct MonthCalculation {
    MonthTotals totals;
    PayAmounts pay;
    int targetRemainder = 0; // minutes, as shown in the summary's target text
};

// Normalises each day's arrival, leaving and category texts, recomputes its overtime, late-night
// overtime and work time (keeping values fixed by hand) and rewrites the month's summary texts.
MonthCalculation RecalcMonth(MonthSheet& sheet, const Settings& settings);

} // namespace mitoran
