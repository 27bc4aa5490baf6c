// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// The month's sums as the calculation gathers them, its pay amounts and the overtime still missing to
// its target, computed from those sums and the amounts of the settings.
namespace mitoran {

struct Settings;

// Minutes of one kind of day.
struct TimeSet {
    int zangyo = 0; // ordinary overtime
    int shinya = 0; // late-night overtime
    int kinmu = 0;  // work time
};

// What the month calculation hands to the pay view.
struct MonthTotals {
    TimeSet weekday; // days that are not days off
    TimeSet dayOff;  // days off without the statutory-holiday mark
    TimeSet houtei;  // days off with it

    double syukinDays = 0;  // days worked
    double kyujituDays = 0; // days worked on days off
    double companyWeekdays = 0;
    double companyDaysOff = 0;
    double weekdaysWorked = 0;
    double daysOffWorked = 0;
    double paidLeave = 0;
    double daikyuDays = 0;
    double kekkinDays = 0;
    double sheetDays = 0;
    int lateArrivals = 0;
    int earlyLeavings = 0;

    // Ordinary days with both times: their number and the sums of their arrival, leaving and overtime.
    int averageDays = 0;
    long long arrivalSum = 0;
    long long leavingSum = 0;
    long long overtimeSum = 0;

    int Zangyo() const { return weekday.zangyo + dayOff.zangyo + houtei.zangyo; }
    int Shinya() const { return weekday.shinya + dayOff.shinya + houtei.shinya; }
    int Kinmu() const { return weekday.kinmu + dayOff.kinmu + houtei.kinmu; }
};

// Whole yen. 64 bits: a large salary times the take-home ratio does not fit in 32.
struct PayAmounts {
    std::int64_t base = 0;        // basic salary, allowances and other payments
    std::int64_t overtimePay = 0; // each of the six overtime sums at its hourly rate
    std::int64_t gross = 0;       // base + overtime pay
    std::int64_t net = 0;         // take-home pay: gross at the take-home ratio, less the deduction
};

// The remainder never shows below -99:00 (the time text has no room for a sign beyond it) nor above
// the widest time text.
inline constexpr int kMinTargetRemainder = -5940;
inline constexpr int kMaxTargetRemainder = 59999;

// "Kin01" … "Kin12" at 1 … 12.
PayAmounts CalcPayAmounts(const MonthTotals& totals, const std::array<int, 13>& kin);

// Minutes of overtime beyond the month's target (negative = still missing): against the target time
// when "MokuhyoTime" is on, otherwise the weekday overtime whose pay would reach the target take-home
// pay (0 when the rate or the ratio is 0).
int TargetRemainder(const MonthTotals& totals, const PayAmounts& pay, const Settings& settings);

} // namespace mitoran
