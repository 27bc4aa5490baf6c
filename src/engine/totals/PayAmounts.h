// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/month/MonthTotals.h"

#include <string>
#include <vector>

// The texts the pay view shows for a month's sums, pay amounts and target remainder.
namespace mitoran {

struct MonthSheet;
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

// The pay view of the sheet as the calculation finds it now; the sheet itself stays as it is.
PayView CalculatePayView(const MonthSheet& sheet, const Settings& settings);

// One field of the pay view: its control name, its text, whether it holds a time (shown red when negative)
// and whether it counts under the settings.
struct PayField {
    const char* name;
    std::string text;
    bool isTime = false;
    bool enabled = true;
};

// Every field of the view in the window's order: the amounts of the settings, the month's days and times,
// and the pay amounts.
std::vector<PayField> PayFields(const PayView& view);

} // namespace mitoran
