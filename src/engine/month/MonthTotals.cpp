// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthTotals.h"

#include "engine/settings/Settings.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cmath>

namespace mitoran {

namespace {

// Half away from zero like RoundHalfAway, for amounts beyond 32 bits; held within ±2^62 so that a
// deduction can still be taken from the result.
std::int64_t RoundYen(double value) {
    constexpr double kLimit = 4611686018427387904.0; // 2^62
    if (std::isnan(value))
        return 0;
    return static_cast<std::int64_t>(std::clamp(std::round(value), -kLimit, kLimit));
}

// Minutes at an hourly rate. The product of minutes and rate is exact in a double up to 2^53, so the
// division alone rounds and a half yen is recognised as such.
std::int64_t OvertimePay(int minutes, int rate) {
    return RoundYen(static_cast<double>(minutes) * rate / 60.0);
}

} // namespace

PayAmounts CalcPayAmounts(const MonthTotals& totals, const std::array<int, 13>& kin) {
    PayAmounts pay;
    pay.base = std::int64_t{kin[1]} + kin[2] + kin[3];
    pay.overtimePay = OvertimePay(totals.weekday.zangyo, kin[4]) + OvertimePay(totals.weekday.shinya, kin[5]) +
                      OvertimePay(totals.dayOff.zangyo, kin[8]) + OvertimePay(totals.dayOff.shinya, kin[9]) +
                      OvertimePay(totals.houtei.zangyo, kin[11]) + OvertimePay(totals.houtei.shinya, kin[12]);
    pay.gross = pay.base + pay.overtimePay;
    pay.net = RoundYen(static_cast<double>(pay.gross) * kin[7] / 100.0) - kin[10];
    return pay;
}

int TargetRemainder(const MonthTotals& totals, const PayAmounts& pay, const Settings& settings) {
    double remainder = 0;
    if (settings.MokuhyoTime) {
        remainder = static_cast<double>(totals.Zangyo()) + totals.Shinya() -
                    TimeTextToMinutes(settings.Time[kSlotTarget].first);
    } else if (settings.Kin[4] != 0 && settings.Kin[7] != 0) {
        remainder = -(static_cast<double>(settings.Kin[6]) - static_cast<double>(pay.net)) * 100.0 * 60.0 /
                    settings.Kin[4] / settings.Kin[7];
    }
    // Held just outside the limits before rounding, so that the rounding cannot overflow.
    remainder = std::clamp(remainder, kMinTargetRemainder - 1.0, kMaxTargetRemainder + 1.0);
    return std::clamp(RoundHalfAway(remainder), kMinTargetRemainder, kMaxTargetRemainder);
}

} // namespace mitoran
