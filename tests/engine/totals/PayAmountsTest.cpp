// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/totals/PayAmounts.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace mitoran {
namespace {

// The first-run amounts: B1 200 000, B2 20 000, B3 15 000, R1 1 500, R2 1 750, G 230 000, P 80 %, …
Settings FirstRunSettings() {
    Settings settings;
    settings.Kin = {0, 200000, 20000, 15000, 1500, 1750, 230000, 80, 1500, 1750, 0, 1750, 2000};
    settings.Time[16] = {"20:00", ""};
    return settings;
}

MonthTotals WeekdayOvertime(int zangyo, int shinya = 0) {
    MonthTotals totals;
    totals.weekday = {zangyo, shinya, 0};
    return totals;
}

TEST(PayAmounts, HandWorkedExamples) {
    const Settings settings = FirstRunSettings();
    MonthTotals totals = WeekdayOvertime(10 * 60 + 30);
    PayAmounts pay = CalcPayAmounts(totals, settings.Kin);
    EXPECT_EQ(pay.base, 235000);
    EXPECT_EQ(pay.overtimePay, 15750);
    EXPECT_EQ(pay.gross, 250750);
    EXPECT_EQ(pay.net, 200600);
    // -(29 400 × 6 000 / 1 500 / 80)
    EXPECT_EQ(TargetRemainder(totals, pay, settings), -1470);

    totals = WeekdayOvertime(10 * 60);
    pay = CalcPayAmounts(totals, settings.Kin);
    EXPECT_EQ(pay.overtimePay, 15000);
    EXPECT_EQ(pay.net, 200000);
    EXPECT_EQ(TargetRemainder(totals, pay, settings), -1500);
}

TEST(PayAmounts, EachTermRoundedHalfAwayFromZero) {
    std::array<int, 13> kin{};
    kin[5] = 1750;
    EXPECT_EQ(CalcPayAmounts(WeekdayOvertime(0, 20), kin).overtimePay, 583); // 583.33
    EXPECT_EQ(CalcPayAmounts(WeekdayOvertime(0, 18), kin).overtimePay, 525);
    EXPECT_EQ(CalcPayAmounts(WeekdayOvertime(0, -20), kin).overtimePay, -583);

    // Six terms at six rates, each rounded by itself: 583.33 twice is 1 166, not 1 167.
    MonthTotals totals;
    totals.weekday = {20, 20, 0};
    totals.dayOff = {1, 1, 0};
    totals.houtei = {1, -1, 0};
    kin = {0, 0, 0, 0, 1750, 1750, 0, 100, 30, 90, 0, 150, 30};
    // 583 + 583 + 0.5→1 + 1.5→2 + 2.5→3 + -0.5→-1
    EXPECT_EQ(CalcPayAmounts(totals, kin).overtimePay, 583 + 583 + 1 + 2 + 3 - 1);

    kin = {};
    kin[1] = 1;
    kin[7] = 50;
    EXPECT_EQ(CalcPayAmounts(MonthTotals{}, kin).net, 1); // 0.5 yen take-home rounds up
    kin[10] = 3;
    EXPECT_EQ(CalcPayAmounts(MonthTotals{}, kin).net, -2);
}

TEST(PayAmounts, LargeSalariesDoNotOverflow) {
    std::array<int, 13> kin{};
    kin[1] = 30000000; // 30 000 000 × 80 no longer fits in 32 bits
    kin[7] = 80;
    EXPECT_EQ(CalcPayAmounts(MonthTotals{}, kin).net, 24000000);

    constexpr int kMax = std::numeric_limits<int>::max();
    kin = {0, kMax, kMax, kMax, kMax, kMax, 0, 100, kMax, kMax, 0, kMax, kMax};
    MonthTotals totals;
    totals.weekday = {600, 600, 0};
    const PayAmounts pay = CalcPayAmounts(totals, kin);
    EXPECT_EQ(pay.base, 3LL * kMax);
    EXPECT_EQ(pay.overtimePay, 20LL * kMax);
    EXPECT_EQ(pay.net, 23LL * kMax);

    Settings settings;
    settings.Kin = kin;
    const PayView view = MakePayView(totals, pay, 0, settings);
    EXPECT_EQ(view.kihonMemo, "2,147,483,647");
    EXPECT_EQ(view.zanKinMemo, "42,949,672,940");
    EXPECT_EQ(view.tedoriMemo, "49,392,123,881");

    settings.Kin = {0, 1, 0, 0, 1, 0, kMax, 1, 0, 0, kMax, 0, 0};
    EXPECT_EQ(MakePayView(MonthTotals{}, CalcPayAmounts(MonthTotals{}, settings.Kin), 0, settings).tedoriMemo,
              "-2,147,483,647");
}

TEST(PayAmounts, TargetRemainder) {
    Settings settings = FirstRunSettings();
    settings.Kin[6] = 10000000; // far beyond reach: shown as -99:00
    MonthTotals totals = WeekdayOvertime(630);
    EXPECT_EQ(TargetRemainder(totals, CalcPayAmounts(totals, settings.Kin), settings), -5940);
    settings.Kin[6] = -10000000; // far exceeded: held at 999:59
    EXPECT_EQ(TargetRemainder(totals, CalcPayAmounts(totals, settings.Kin), settings), 59999);

    settings = FirstRunSettings();
    settings.Kin[4] = 0; // no rate or no ratio: no remainder
    EXPECT_EQ(TargetRemainder(totals, CalcPayAmounts(totals, settings.Kin), settings), 0);
    settings = FirstRunSettings();
    settings.Kin[7] = 0;
    EXPECT_EQ(TargetRemainder(totals, CalcPayAmounts(totals, settings.Kin), settings), 0);

    // By time: the overtime of all three kinds of day against the target.
    settings = FirstRunSettings();
    settings.MokuhyoTime = true;
    totals = MonthTotals{};
    totals.weekday = {600, 300, 0};
    totals.dayOff = {300, 0, 0};
    totals.houtei = {0, 300, 0};
    const PayAmounts pay = CalcPayAmounts(totals, settings.Kin);
    EXPECT_EQ(TargetRemainder(totals, pay, settings), 300);
    EXPECT_EQ(MakePayView(totals, pay, 300, settings).mokuTMemo, "  5:00");
    totals = WeekdayOvertime(735);
    EXPECT_EQ(TargetRemainder(totals, pay, settings), -465);
    EXPECT_EQ(MakePayView(totals, pay, -465, settings).mokuTMemo, " -7:45");
    settings.Time[16] = {"200:00", ""};
    EXPECT_EQ(TargetRemainder(totals, pay, settings), -5940);
}

TEST(PayAmounts, ViewTexts) {
    Settings settings = FirstRunSettings();
    MonthTotals totals;
    totals.weekday = {630, 45, 9000};
    totals.dayOff = {480, 0, 480};
    totals.houtei = {-60, 30, 0};
    totals.companyWeekdays = 21;
    totals.companyDaysOff = 9;
    totals.weekdaysWorked = 19.5;
    totals.daysOffWorked = 1;
    totals.paidLeave = 1;
    totals.daikyuDays = 1;
    totals.kekkinDays = 0;
    totals.sheetDays = 30;
    totals.lateArrivals = 2;
    totals.earlyLeavings = 1;
    // ties of the averages go to the even minute: 480.5 → 480, 1 081.5 → 1 082, -0.5 → 0
    totals.averageDays = 2;
    totals.arrivalSum = 961;
    totals.leavingSum = 2163;
    totals.overtimeSum = -1;
    const PayAmounts pay = CalcPayAmounts(totals, settings.Kin);
    PayView view = MakePayView(totals, pay, -1470, settings);

    EXPECT_EQ(view.kihonMemo, "200,000");
    EXPECT_EQ(view.zanMemo, "1,500");
    EXPECT_EQ(view.kakeMemo, "80");
    EXPECT_EQ(view.tenbikiMemo, "0");
    EXPECT_EQ(view.mokuMemo, "230,000");
    EXPECT_EQ(view.mokuTimeMemo, " 20:00");
    EXPECT_TRUE(view.mokuEnabled);
    EXPECT_FALSE(view.mokuTimeEnabled);
    EXPECT_TRUE(view.lateEarlyEnabled);

    EXPECT_EQ(view.heijituMemo, "  21");
    EXPECT_EQ(view.kyujituMemo, "  9");
    EXPECT_EQ(view.heiSyukinMemo, "  20"); // 19.5 shown whole without half days
    EXPECT_EQ(view.syukinKeiMemo, "  21");
    EXPECT_EQ(view.yuuKyuMemo, "1.0");
    EXPECT_EQ(view.keeKinMemo, "  0");
    EXPECT_EQ(view.geeKeiMemo, "  30");
    EXPECT_EQ(view.chikokuMemo, "2");
    EXPECT_EQ(view.soutaiMemo, "1");

    EXPECT_EQ(view.zanTMemo, " 10:30");
    EXPECT_EQ(view.sZanTMemo, "  0:45");
    EXPECT_EQ(view.kZanTMemo, "  8:00");
    EXPECT_EQ(view.hZanTMemo, " -1:00");
    EXPECT_EQ(view.hSZanTMemo, "  0:30");
    EXPECT_EQ(view.tZanTMemo, " 17:30");
    EXPECT_EQ(view.tSZanTMemo, "  1:15");
    EXPECT_EQ(view.tKeiTMemo, " 18:45");
    EXPECT_EQ(view.kinmuTimeMemo, "158:00");
    EXPECT_EQ(view.syusyaMemo, "  8:00");
    EXPECT_EQ(view.taisyaMemo, " 18:02");
    EXPECT_EQ(view.zanheiMemo, "  0:00");
    EXPECT_EQ(view.mokuTMemo, "-24:30");
    // 15 750 + 1 313 (0:45 × 1 750) + 12 000 − 1 750 + 1 000
    EXPECT_EQ(view.zanKinMemo, "28,313");
    EXPECT_EQ(view.sikyuMemo, "263,313");
    EXPECT_EQ(view.tedoriMemo, "210,650");

    settings.Hankyu05 = true;
    settings.MokuhyoTime = true;
    settings.FlexTime = true;
    totals.averageDays = 0;
    totals.arrivalSum = totals.leavingSum = totals.overtimeSum = 0;
    view = MakePayView(totals, pay, 0, settings);
    EXPECT_EQ(view.heiSyukinMemo, "19.5");
    EXPECT_EQ(view.heijituMemo, "21.0");
    EXPECT_EQ(view.syukinKeiMemo, "20.5");
    EXPECT_FALSE(view.mokuEnabled);
    EXPECT_TRUE(view.mokuTimeEnabled);
    EXPECT_FALSE(view.lateEarlyEnabled);
    EXPECT_EQ(view.syusyaMemo, "  0:00");
}

// The fields as the window lays them out and the command line prints them: names, times and enable rules.
TEST(PayView, FieldsInTheWindowsOrder) {
    PayView view;
    view.kihonMemo = "200,000";
    view.mokuTMemo = "-24:30";
    view.tedoriMemo = "200,600";
    view.mokuEnabled = false;
    view.mokuTimeEnabled = true;
    view.lateEarlyEnabled = false;
    const std::vector<PayField> fields = PayFields(view);
    ASSERT_EQ(fields.size(), 41U);
    EXPECT_STREQ(fields.front().name, "KihonMemo");
    EXPECT_EQ(fields.front().text, "200,000");
    EXPECT_STREQ(fields[12].name, "KakeMemo");
    EXPECT_STREQ(fields[13].name, "HeijituMemo");
    EXPECT_STREQ(fields[37].name, "MokuTMemo");
    EXPECT_EQ(fields[37].text, "-24:30");
    EXPECT_STREQ(fields.back().name, "TedoriMemo");
    EXPECT_EQ(fields.back().text, "200,600");

    std::vector<std::string> times, disabled;
    for (const PayField& field : fields) {
        if (field.isTime)
            times.emplace_back(field.name);
        if (!field.enabled)
            disabled.emplace_back(field.name);
    }
    EXPECT_EQ(times.size(), 15U);
    EXPECT_EQ(times.front(), "MokuTimeMemo");
    EXPECT_EQ(times.back(), "MokuTMemo");
    EXPECT_EQ(disabled, (std::vector<std::string>{"MokuMemo", "ChikokuMemo", "SoutaiMemo"}));
}

// The view of a sheet not yet calculated shows the calculation's figures and leaves the sheet as it was.
TEST(PayView, SheetIsCalculatedOnACopy) {
    MonthSheet sheet;
    sheet.dayCount = 1;
    sheet.days[1][DayColumn::Arrival] = "8:00";
    sheet.days[1][DayColumn::Leaving] = "18:30";
    const MonthSheet before = sheet;
    // These settings have no regular hours: the whole day is overtime.
    const PayView view = CalculatePayView(sheet, FirstRunSettings());
    EXPECT_EQ(view.zanTMemo, " 10:30");
    EXPECT_EQ(view.zanKinMemo, "15,750");
    EXPECT_EQ(view.geeKeiMemo, "  1");
    EXPECT_EQ(sheet.days, before.days);
    EXPECT_EQ(sheet.summary, before.summary);
}

} // namespace
} // namespace mitoran
