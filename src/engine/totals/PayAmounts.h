// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/MonthTotals.h"

#include <string>

// The texts the pay view shows for a month's sums, pay amounts and target remainder.
namespace mitoran {

struct Settings;

// The pay view's texts; each member holds the text of the view's field of the same name.
struct PayView {
    std::string kihonMemo, teateMemo, elseMemo;
    std::string zanMemo, sZanMemo, kZanMemo, kSZanMemo, hZanMemo, hSZanMemo;
    std::string tenbikiMemo, mokuMemo, mokuTimeMemo, kakeMemo;
    bool mokuEnabled = true;      // the target take-home pay counts
    bool mokuTimeEnabled = false; // the target overtime counts
    bool lateEarlyEnabled = true; // late arrivals and early leavings count (not under flex time)

    std::string heijituMemo, kyujituMemo, heiSyukinMemo, kyuSyukinMemo, syukinKeiMemo;
    std::string yuuKyuMemo, daikyuMemo, keeKinMemo, geeKeiMemo, chikokuMemo, soutaiMemo;
    std::string zanTMemo, sZanTMemo, kZanTMemo, kSZanTMemo, hZanTMemo, hSZanTMemo;
    std::string tZanTMemo, tSZanTMemo, tKeiTMemo, kinmuTimeMemo;
    std::string syusyaMemo, taisyaMemo, zanheiMemo; // average arrival, leaving and overtime
    std::string mokuTMemo;                          // the target remainder

    std::string zanKinMemo, sikyuMemo, tedoriMemo; // overtime pay, gross and take-home pay
};

PayView MakePayView(const MonthTotals& totals, const PayAmounts& pay, int targetRemainder, const Settings& settings);

} // namespace mitoran
