// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/totals/PayAmounts.h"

#include "engine/month/Calculation.h"
#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mitoran {

namespace {

std::string YenText(std::int64_t value) {
    // GroupThousands reads 32-bit numbers: larger amounts are grouped three digits at a time.
    if (std::llabs(value) < 1000000000)
        return GroupThousands(std::to_string(value));
    return YenText(value / 1000) + "," + PadNumber(std::llabs(value % 1000), 3, "0");
}

std::string AmountText(int value) {
    return GroupThousands(std::to_string(value));
}

std::string TimeText(long long minutes) {
    return MinutesToTimeText(static_cast<int>(minutes), 3, true);
}

std::string DaysText(double days, bool halfDays) {
    return DayCountText(RealToText(0, 1, days), halfDays);
}

// Nearest whole minute, a tie to the even one.
long long Average(long long sum, int count) {
    if (count <= 0)
        return 0;
    long long quotient = sum / count;
    const long long twiceRest = 2 * std::llabs(sum % count);
    if (twiceRest > count || (twiceRest == count && quotient % 2 != 0))
        quotient += sum < 0 ? -1 : 1;
    return quotient;
}

} // namespace

PayView MakePayView(const MonthTotals& totals, const PayAmounts& pay, int targetRemainder, const Settings& settings) {
    const auto& kin = settings.Kin;
    const bool halfDays = settings.Hankyu05;
    PayView view;
    view.kihonMemo = AmountText(kin[1]);
    view.teateMemo = AmountText(kin[2]);
    view.elseMemo = AmountText(kin[3]);
    view.zanMemo = AmountText(kin[4]);
    view.sZanMemo = AmountText(kin[5]);
    view.kZanMemo = AmountText(kin[8]);
    view.kSZanMemo = AmountText(kin[9]);
    view.hZanMemo = AmountText(kin[11]);
    view.hSZanMemo = AmountText(kin[12]);
    view.tenbikiMemo = AmountText(kin[10]);
    view.mokuMemo = AmountText(kin[6]);
    view.mokuTimeMemo = TimeText(TimeTextToMinutes(settings.Time[kSlotTarget].first));
    view.kakeMemo = AmountText(kin[7]);
    view.mokuEnabled = !settings.MokuhyoTime;
    view.mokuTimeEnabled = settings.MokuhyoTime;
    view.lateEarlyEnabled = !settings.FlexTime;

    view.heijituMemo = DaysText(totals.companyWeekdays, halfDays);
    view.kyujituMemo = DaysText(totals.companyDaysOff, halfDays);
    view.heiSyukinMemo = DaysText(totals.weekdaysWorked, halfDays);
    view.kyuSyukinMemo = DaysText(totals.daysOffWorked, halfDays);
    view.syukinKeiMemo = DaysText(totals.weekdaysWorked + totals.daysOffWorked, halfDays);
    view.yuuKyuMemo = RealToText(0, 1, totals.paidLeave);
    view.daikyuMemo = DaysText(totals.daikyuDays, halfDays);
    view.keeKinMemo = DaysText(totals.kekkinDays, halfDays);
    view.geeKeiMemo = DaysText(totals.sheetDays, halfDays);
    view.chikokuMemo = std::to_string(totals.lateArrivals);
    view.soutaiMemo = std::to_string(totals.earlyLeavings);

    view.zanTMemo = TimeText(totals.weekday.zangyo);
    view.sZanTMemo = TimeText(totals.weekday.shinya);
    view.kZanTMemo = TimeText(totals.dayOff.zangyo);
    view.kSZanTMemo = TimeText(totals.dayOff.shinya);
    view.hZanTMemo = TimeText(totals.houtei.zangyo);
    view.hSZanTMemo = TimeText(totals.houtei.shinya);
    view.tZanTMemo = TimeText(totals.Zangyo());
    view.tSZanTMemo = TimeText(totals.Shinya());
    view.tKeiTMemo = TimeText(totals.Zangyo() + totals.Shinya());
    view.kinmuTimeMemo = TimeText(totals.Kinmu());
    const int days = std::max(totals.averageDays, 1);
    view.syusyaMemo = TimeText(Average(totals.arrivalSum, days));
    view.taisyaMemo = TimeText(Average(totals.leavingSum, days));
    view.zanheiMemo = TimeText(Average(totals.overtimeSum, days));
    view.mokuTMemo = TimeText(targetRemainder);

    view.zanKinMemo = YenText(pay.overtimePay);
    view.sikyuMemo = YenText(pay.gross);
    view.tedoriMemo = YenText(pay.net);
    return view;
}

PayView CalculatePayView(const MonthSheet& sheet, const Settings& settings) {
    MonthSheet calculated = sheet;
    const MonthCalculation result = RecalcMonth(calculated, settings);
    return MakePayView(result.totals, result.pay, result.targetRemainder, settings);
}

std::vector<PayField> PayFields(const PayView& view) {
    const auto time = [](const char* name, const std::string& text) { return PayField{name, text, true, true}; };
    return {
        {"KihonMemo", view.kihonMemo},
        {"TeateMemo", view.teateMemo},
        {"ElseMemo", view.elseMemo},
        {"ZanMemo", view.zanMemo},
        {"SZanMemo", view.sZanMemo},
        {"KZanMemo", view.kZanMemo},
        {"KSZanMemo", view.kSZanMemo},
        {"HZanMemo", view.hZanMemo},
        {"HSZanMemo", view.hSZanMemo},
        {"TenbikiMemo", view.tenbikiMemo},
        {"MokuMemo", view.mokuMemo, false, view.mokuEnabled},
        {"MokuTimeMemo", view.mokuTimeMemo, true, view.mokuTimeEnabled},
        {"KakeMemo", view.kakeMemo},
        {"HeijituMemo", view.heijituMemo},
        {"KyujituMemo", view.kyujituMemo},
        {"HeiSyukinMemo", view.heiSyukinMemo},
        {"KyuSyukinMemo", view.kyuSyukinMemo},
        {"SyukinKeiMemo", view.syukinKeiMemo},
        {"YuuKyuMemo", view.yuuKyuMemo},
        {"DaikyuMemo", view.daikyuMemo},
        {"KeeKinMemo", view.keeKinMemo},
        {"GeeKeiMemo", view.geeKeiMemo},
        {"ChikokuMemo", view.chikokuMemo, false, view.lateEarlyEnabled},
        {"SoutaiMemo", view.soutaiMemo, false, view.lateEarlyEnabled},
        time("ZanTMemo", view.zanTMemo),
        time("SZanTMemo", view.sZanTMemo),
        time("KZanTMemo", view.kZanTMemo),
        time("KSZanTMemo", view.kSZanTMemo),
        time("HZanTMemo", view.hZanTMemo),
        time("HSZanTMemo", view.hSZanTMemo),
        time("TZanTMemo", view.tZanTMemo),
        time("TSZanTMemo", view.tSZanTMemo),
        time("TKeiTMemo", view.tKeiTMemo),
        time("KinmuTimeMemo", view.kinmuTimeMemo),
        time("SyusyaMemo", view.syusyaMemo),
        time("TaisyaMemo", view.taisyaMemo),
        time("ZanheiMemo", view.zanheiMemo),
        time("MokuTMemo", view.mokuTMemo),
        {"ZanKinMemo", view.zanKinMemo},
        {"SikyuMemo", view.sikyuMemo},
        {"TedoriMemo", view.tedoriMemo},
    };
}

} // namespace mitoran
