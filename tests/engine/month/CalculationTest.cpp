// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/Calculation.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/totals/PayAmounts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace mitoran {
namespace {

// The first-run settings: regular 8:00-17:00, break 12:00-13:00, late night 22:00-5:00, required 8:00.
Settings DefaultSettings() {
    Settings settings;
    settings.Time[1] = {"12:00", "13:00"};
    settings.Time[11] = {" 8:00", "17:00"};
    settings.Time[12] = {"22:00", " 5:00"};
    settings.Time[13] = {" 8:00", " 0:00"};
    settings.Time[14] = {" 4:00", ""};
    settings.Time[15] = {" 4:00", ""};
    settings.Time[16] = {"20:00", ""};
    settings.Time[17] = {"-8:00", ""};
    settings.Time[21] = {" 8:00", "12:00"};
    settings.Time[22] = {" 4:00", ""};
    settings.Kin = {0, 200000, 20000, 15000, 1500, 1750, 230000, 80, 1500, 1750, 0, 1750, 2000};
    return settings;
}

struct DayInput {
    const char* kubun; // UTF-8 mark
    const char* arrival;
    const char* leaving;
};

MonthSheet Sheet(std::initializer_list<DayInput> days) {
    MonthSheet sheet;
    for (const DayInput& input : days) {
        DayRecord& day = sheet.days[static_cast<std::size_t>(++sheet.dayCount)];
        day[DayColumn::Kubun] = Utf8ToCp932(input.kubun);
        day[DayColumn::Arrival] = Utf8ToCp932(input.arrival);
        day[DayColumn::Leaving] = Utf8ToCp932(input.leaving);
    }
    return sheet;
}

DayRecord CalcOneDay(const Settings& settings, DayInput input) {
    MonthSheet sheet = Sheet({input});
    RecalcMonth(sheet, settings);
    return sheet.days[1];
}

// A day's expected columns: arrival, leaving, ordinary overtime, late-night overtime, work time.
struct Expected {
    const char* arrival;
    const char* leaving;
    const char* zangyo;
    const char* shinya;
    const char* kinmu;
};

void ExpectDay(const DayRecord& day, const Expected& expected) {
    EXPECT_EQ(day[DayColumn::Arrival], expected.arrival);
    EXPECT_EQ(day[DayColumn::Leaving], expected.leaving);
    EXPECT_EQ(day[DayColumn::Zangyo], expected.zangyo);
    EXPECT_EQ(day[DayColumn::Shinya], expected.shinya);
    EXPECT_EQ(day[DayColumn::Kinmu], expected.kinmu);
}

struct DayCase {
    DayInput input;
    Expected expected;
};

void ExpectDays(const Settings& settings, const std::vector<DayCase>& cases) {
    for (const DayCase& c : cases) {
        SCOPED_TRACE(std::string(c.input.kubun) + " " + c.input.arrival + "-" + c.input.leaving);
        ExpectDay(CalcOneDay(settings, c.input), c.expected);
    }
}

TEST(RecalcMonth, DefaultRulesClassifyEveryWorkedMinute) {
    Settings settings = DefaultSettings();
    ExpectDays(settings, {{{"", "20:00", "2:00"}, {"20:00", "26:00", " 2:00", " 4:00", " 6:00"}}});
    settings.Time[2] = {" 1:00", " 2:00"}; // a break at night, applied on the next morning as well
    ExpectDays(settings, {
                             {{"", "8:00", "17:00"}, {" 8:00", "17:00", "", "", " 8:00"}},
                             {{"", "8:00", "19:30"}, {" 8:00", "19:30", " 2:30", "", "10:30"}},
                             {{"", "8:00", "23:00"}, {" 8:00", "23:00", " 5:00", " 1:00", "14:00"}},
                             {{"", "7:00", "17:00"}, {" 7:00", "17:00", " 1:00", "", " 9:00"}},
                             // across 5:00: 4:00-5:00 late night, 5:00-8:00 ordinary
                             {{"", "4:00", "9:00"}, {" 4:00", " 9:00", " 3:00", " 1:00", " 5:00"}},
                             // typed as 2:00, the leaving time is on the next day; 25:00-26:00 is a break
                             {{"", "20:00", "2:00"}, {"20:00", "26:00", " 2:00", " 3:00", " 5:00"}},
                             {{"", "20:00", "6:00"}, {"20:00", "30:00", " 3:00", " 6:00", " 9:00"}},
                             // the next day's regular hours are ordinary overtime; its noon break counts
                             {{"", "20:00", "14:00"}, {"20:00", "38:00", "10:00", " 6:00", "16:00"}},
                             {{"○", "9:00", "18:00"}, {" 9:00", "18:00", " 8:00", "", " 8:00"}},
                             {{"有", "", ""}, {"", "", "", "", ""}},
                             {{"有", "8:00", "17:00"}, {" 8:00", "17:00", " 8:00", "", " 8:00"}},
                             {{"欠", "", ""}, {"", "", "", "", ""}},
                             {{"代", "", ""}, {"", "", "", "", ""}},
                         });
}

TEST(RecalcMonth, NormalisesTimesAndCategories) {
    const Settings settings = DefaultSettings();
    ExpectDays(settings, {
                             {{"", "0:00", "8:00"}, {" 0:00", " 8:00", " 3:00", " 5:00", " 8:00"}},
                             {{"", "０", "1:00"}, {" 0:00", " 1:00", "", " 1:00", " 1:00"}},
                             {{"", "abc", "17:00"}, {"", "17:00", "", "", ""}},
                             {{"", "830", "1700"}, {" 8:30", "17:00", "", "", " 7:30"}},
                             {{"", "８：３０", "１７．００"}, {" 8:30", "17:00", "", "", " 7:30"}},
                             // 0:00 is no leaving time; midnight is 24:00
                             {{"", "20:00", "0:00"}, {"20:00", "", "", "", ""}},
                             {{"", "20:00", "24:00"}, {"20:00", "24:00", " 2:00", " 2:00", " 4:00"}},
                             {{"", "99:99", "17:00"}, {"", "17:00", "", "", ""}},
                             {{"", "-5:00", "17:00"}, {"", "17:00", "", "", ""}},
                             {{"", "8:00", "-5:00"}, {" 8:00", "", "", "", ""}},
                         });

    MonthSheet sheet = Sheet({{"有 ", "", ""}, {"xyz", "", ""}, {"", "", ""}, {" 半", "", ""}});
    RecalcMonth(sheet, settings);
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], Utf8ToCp932("有"));
    EXPECT_EQ(sheet.days[2][DayColumn::Kubun], "  ");
    EXPECT_EQ(sheet.days[3][DayColumn::Kubun], "  ");
    EXPECT_EQ(sheet.days[4][DayColumn::Kubun], Utf8ToCp932("半"));
}

TEST(RecalcMonth, FlexTimeSetsEachCategoryAgainstItsRequiredTime) {
    Settings settings = DefaultSettings();
    settings.FlexTime = true;
    settings.Time[14] = {" 3:00", ""};
    settings.Time[15] = {" 5:00", ""};
    ExpectDays(settings, {
                             {{"", "8:00", "17:00"}, {" 8:00", "17:00", "", "", " 8:00"}},
                             {{"", "8:00", "16:00"}, {" 8:00", "16:00", "-1:00", "", " 7:00"}},
                             {{"", "8:00", "18:00"}, {" 8:00", "18:00", " 1:00", "", " 9:00"}},
                             {{"有", "", ""}, {"", "", "", "", ""}},
                             {{"有", "8:00", "17:00"}, {" 8:00", "17:00", " 8:00", "", " 8:00"}},
                             // a morning off requires 3:00, an afternoon off 5:00
                             {{"前", "13:00", "17:00"}, {"13:00", "17:00", " 1:00", "", " 4:00"}},
                             {{"後", "8:00", "12:00"}, {" 8:00", "12:00", "-1:00", "", " 4:00"}},
                             {{"代", "", ""}, {"", "", "", "", ""}},
                             {{"欠", "", ""}, {"", "", "", "", ""}},
                             {{"欠", "8:00", "12:00"}, {" 8:00", "12:00", "-4:00", "", "-4:00"}},
                             {{"半", "8:00", "12:00"}, {" 8:00", "12:00", "", "", " 4:00"}},
                             {{"○", "9:00", "18:00"}, {" 9:00", "18:00", " 8:00", "", " 8:00"}},
                         });

    MonthSheet sheet = Sheet({{"", "9:00", "16:00"}});
    const MonthCalculation result = RecalcMonth(sheet, settings);
    EXPECT_EQ(result.totals.lateArrivals, 0);
    EXPECT_EQ(result.totals.earlyLeavings, 0);
    EXPECT_FALSE(MakePayView(result.totals, result.pay, result.targetRemainder, settings).lateEarlyEnabled);
}

TEST(RecalcMonth, HalfWorkingDayUsesItsOwnHours) {
    Settings settings = DefaultSettings();
    settings.Time[21] = {" 9:00", "13:00"};
    settings.Time[22] = {" 3:30", ""};
    // 9:00-12:00 regular, 12:00-13:00 break, 13:00-15:00 ordinary
    ExpectDays(settings, {{{"半", "9:00", "15:00"}, {" 9:00", "15:00", " 2:00", "", " 5:00"}}});

    MonthSheet sheet = Sheet({{"半", "9:30", "12:30"}, {"半", "9:00", "13:00"}, {"", "9:00", "17:00"}});
    MonthCalculation result = RecalcMonth(sheet, settings);
    EXPECT_EQ(result.totals.lateArrivals, 2); // 9:30 on the half day, 9:00 on the ordinary day
    EXPECT_EQ(result.totals.earlyLeavings, 1);

    settings.FlexTime = true;
    ExpectDays(settings, {{{"半", "9:00", "12:00"}, {" 9:00", "12:00", "-0:30", "", " 3:00"}}});
}

TEST(RecalcMonth, OvertimeRoundingAndMinimum) {
    Settings settings = DefaultSettings();
    settings.ZangyoAdjustSelect = 1; // down
    settings.ZangyoTime2 = 3;        // 15 minutes
    ExpectDays(settings, {{{"", "8:00", "18:07"}, {" 8:00", "18:07", " 1:00", "", " 9:00"}}});

    settings.FlexTime = true;
    ExpectDays(settings, {{{"", "8:00", "16:53"}, {" 8:00", "16:53", "-0:15", "", " 7:45"}}});
    settings.ZangyoAdjustSelect = 3; // up
    ExpectDays(settings, {{{"", "8:00", "16:53"}, {" 8:00", "16:53", "", "", " 8:00"}}});
    settings.ZangyoAdjustSelect = 2; // nearest
    ExpectDays(settings, {{{"", "8:00", "16:53"}, {" 8:00", "16:53", "", "", " 8:00"}},
                          {{"", "8:00", "16:52"}, {" 8:00", "16:52", "-0:15", "", " 7:45"}}});

    settings = DefaultSettings();
    settings.Time[13] = {" 8:00", " 0:30"};
    ExpectDays(settings, {
                             {{"", "8:00", "17:20"}, {" 8:00", "17:20", "", "", " 8:00"}},
                             {{"", "8:00", "17:30"}, {" 8:00", "17:30", " 0:30", "", " 8:30"}},
                             // late-night minutes count towards the minimum
                             {{"", "21:50", "22:20"}, {"21:50", "22:20", " 0:10", " 0:20", " 0:30"}},
                         });
    settings.FlexTime = true; // a deficit is never dropped by the minimum
    ExpectDays(settings, {{{"", "8:00", "16:00"}, {" 8:00", "16:00", "-1:00", "", " 7:00"}}});
}

TEST(RecalcMonth, RoundedDeficitsOfTenHoursOrMoreKeepTheirSign) {
    Settings settings = DefaultSettings();
    settings.FlexTime = true;
    settings.Time[13] = {"20:00", ""}; // required work time
    settings.ZangyoAdjustSelect = 1;   // down to 15 minutes: never rises, so -11:53 becomes -12:00
    settings.ZangyoTime2 = 3;
    MonthSheet sheet = Sheet({{"", "8:00", "17:07"}, {"", "8:00", "17:00"}});
    const MonthCalculation result = RecalcMonth(sheet, settings);
    EXPECT_EQ(result.totals.Zangyo(), -(12 * 60) - (12 * 60));
    EXPECT_EQ(result.totals.Kinmu(), 8 * 60 + 8 * 60);
    EXPECT_EQ(sheet.days[1][DayColumn::Zangyo], "-12:00");
}

TEST(RecalcMonth, ArrivalAndLeavingRoundingOnlyForTheCalculation) {
    Settings settings = DefaultSettings();
    settings.CalcTimeAdjust = true;
    settings.StartAdjustSelect = 3; // arrival up to 15 minutes
    settings.StartTime2 = 3;
    settings.EndAdjustSelect = 1; // leaving down to 30 minutes
    settings.EndTime2 = 5;
    ExpectDays(settings, {{{"", "7:50", "19:20"}, {" 7:50", "19:20", " 2:00", "", "10:00"}}});
    settings.CalcTimeAdjust = false;
    ExpectDays(settings, {{{"", "7:50", "19:20"}, {" 7:50", "19:20", " 2:30", "", "10:30"}}});
}

TEST(RecalcMonth, FixedValuesReplaceTheComputedOnes) {
    MonthSheet sheet = Sheet({{"", "8:00", "19:00"}, {"", "", ""}, {"", "8:00", "19:00"}});
    sheet.days[1].zangyoFixed = "*";
    sheet.days[1][DayColumn::Zangyo] = "0:00";
    sheet.days[1].kinmuFixed = "*";
    sheet.days[1][DayColumn::Kinmu] = "9:15";
    sheet.days[2].shinyaFixed = "*"; // kept on a day without times
    sheet.days[2][DayColumn::Shinya] = "1:00";
    sheet.days[2][DayColumn::Zangyo] = " 3:00"; // not fixed: emptied
    const MonthCalculation result = RecalcMonth(sheet, DefaultSettings());
    ExpectDay(sheet.days[1], {" 8:00", "19:00", " 0:00", "", " 9:15"});
    ExpectDay(sheet.days[2], {"", "", "", " 1:00", ""});
    EXPECT_EQ(result.totals.weekday.zangyo, 120);
    EXPECT_EQ(result.totals.weekday.shinya, 60);
    EXPECT_EQ(result.totals.weekday.kinmu, 555 + 600);
}

// A fixed value is held within what its two-digit text holds, so the second recalculation finds the text
// the first wrote and the month's total does not move.
TEST(RecalcMonth, FixedDayValuesAreHeldWithinTheirText) {
    const struct {
        const char* fixed;
        const char* shown;
        int total;
    } cases[] = {
        {"40:59", "40:59", 2459},    {"99:59", "99:59", 5999},         {"100:00", "99:59", 5999},
        {"99999:59", "99:59", 5999}, {"2147483647:59", "99:59", 5999}, {"-9:30", "-9:30", -570},
        {"-12:00", "-12:00", -720},  {"-150:00", "-99:59", -5999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixed);
        MonthSheet sheet = Sheet({{"", "", ""}});
        for (DayColumn column : {DayColumn::Zangyo, DayColumn::Shinya, DayColumn::Kinmu})
            sheet.days[1][column] = c.fixed;
        sheet.days[1].zangyoFixed = sheet.days[1].shinyaFixed = sheet.days[1].kinmuFixed = "*";
        for (int run = 1; run <= 2; ++run) {
            const MonthCalculation result = RecalcMonth(sheet, DefaultSettings());
            ExpectDay(sheet.days[1], {"", "", c.shown, c.shown, c.shown});
            EXPECT_EQ(result.totals.Zangyo(), c.total);
            EXPECT_EQ(result.totals.Shinya(), c.total);
            EXPECT_EQ(result.totals.Kinmu(), c.total);
        }
    }
}

TEST(RecalcMonth, SubstituteDayAndPaidLeaveOptions) {
    Settings settings = DefaultSettings();
    settings.DaikyuZanCalc = true;
    MonthSheet sheet = Sheet({{"代", "", ""}, {"", "8:00", "22:00"}, {"", "8:00", "22:00"}});
    RecalcMonth(sheet, settings);
    ExpectDay(sheet.days[1], {"", "", "-8:00", "", ""});
    EXPECT_EQ(sheet.summary.zangyoTime, "  2:00");

    settings.DaikyuZanCalc = false;
    settings.YuukyuKinmu = true;
    settings.Time[14] = {" 3:00", ""};
    settings.Time[15] = {" 5:00", ""};
    ExpectDays(settings, {
                             {{"有", "", ""}, {"", "", "", "", " 8:00"}},
                             // a morning off is credited the afternoon's required time and the other way round
                             {{"前", "13:00", "17:00"}, {"13:00", "17:00", "", "", " 9:00"}},
                             {{"後", "8:00", "12:00"}, {" 8:00", "12:00", "", "", " 7:00"}},
                             {{"前", "", ""}, {"", "", "", "", ""}},
                             {{"代", "", ""}, {"", "", "", "", ""}},
                         });
}

TEST(RecalcMonth, MonthSummaryTexts) {
    Settings settings = DefaultSettings();
    MonthSheet sheet = Sheet({{"", "8:00", "19:30"},
                              {"前", "13:00", "17:00"},
                              {"○", "9:00", "18:00"},
                              {"○", "9:00", "19:00"},
                              {"有", "", ""},
                              {"", "", ""}});
    sheet.days[4].houteiMark = "*";
    MonthCalculation result = RecalcMonth(sheet, settings);
    EXPECT_EQ(sheet.summary.syukinDay, "     4");
    EXPECT_EQ(sheet.summary.kyujituDay, "     2");
    EXPECT_EQ(sheet.summary.zangyoTime, " 19:30");
    EXPECT_EQ(sheet.summary.shinyaTime, "  0:00");
    EXPECT_EQ(sheet.summary.sumTime, " 19:30");
    EXPECT_EQ(sheet.summary.kinmuTime, " 31:30");
    EXPECT_EQ(result.totals.weekday.zangyo, 150);
    EXPECT_EQ(result.totals.dayOff.zangyo, 480);
    EXPECT_EQ(result.totals.houtei.zangyo, 540);
    EXPECT_DOUBLE_EQ(result.totals.paidLeave, 1.5);
    EXPECT_DOUBLE_EQ(result.totals.companyWeekdays, 4);
    EXPECT_DOUBLE_EQ(result.totals.sheetDays, 6);

    settings.Hankyu05 = true;
    result = RecalcMonth(sheet, settings);
    EXPECT_EQ(sheet.summary.syukinDay, "   3.5");
    EXPECT_EQ(sheet.summary.kyujituDay, "   2.0");
    EXPECT_DOUBLE_EQ(result.totals.weekdaysWorked, 1.5);

    MonthSheet twenty;
    twenty.dayCount = 20;
    for (int d = 1; d <= 20; ++d) {
        twenty.days[static_cast<std::size_t>(d)][DayColumn::Arrival] = "8:00";
        twenty.days[static_cast<std::size_t>(d)][DayColumn::Leaving] = "17:00";
    }
    RecalcMonth(twenty, settings);
    EXPECT_EQ(twenty.summary.syukinDay, "  20.0");
    settings.Hankyu05 = false;
    RecalcMonth(twenty, settings);
    EXPECT_EQ(twenty.summary.syukinDay, "    20");
    EXPECT_EQ(twenty.summary.kinmuTime, "160:00");
    // take-home 188 000 of 230 000: 42 000 / (1 500 yen × 80 %) = 35 hours missing
    EXPECT_EQ(twenty.summary.mokuhyoTime, "-35:00");
}

TEST(RecalcMonth, PayValuesOfTheMonth) {
    Settings settings = DefaultSettings();
    // 5:00 + 5:00 + 0:30 = 10:30 of weekday ordinary overtime
    MonthSheet sheet = Sheet({{"", "8:00", "22:00"}, {"", "8:00", "22:00"}, {"", "8:00", "17:30"}});
    MonthCalculation result = RecalcMonth(sheet, settings);
    EXPECT_EQ(result.pay.overtimePay, 15750);
    EXPECT_EQ(result.pay.gross, 250750);
    EXPECT_EQ(result.pay.net, 200600);
    EXPECT_EQ(result.targetRemainder, -1470);
    EXPECT_EQ(sheet.summary.mokuhyoTime, "-24:30");
    const PayView view = MakePayView(result.totals, result.pay, result.targetRemainder, settings);
    EXPECT_EQ(view.mokuTMemo, "-24:30");
    EXPECT_EQ(view.tedoriMemo, "200,600");
    EXPECT_EQ(view.syusyaMemo, "  8:00");
    EXPECT_EQ(view.taisyaMemo, " 20:30");
    EXPECT_EQ(view.zanheiMemo, "  3:30");

    settings.MokuhyoTime = true;
    result = RecalcMonth(sheet, settings);
    EXPECT_EQ(sheet.summary.mokuhyoTime, " -9:30");
}

TEST(RecalcMonth, RecalculatingAgainChangesNothing) {
    Settings settings = DefaultSettings();
    settings.FlexTime = true;
    MonthSheet sheet = Sheet({{"", "20:00", "2:00"},
                              {"", "47:59", "1:00"},
                              {"", "25:00", "24:30"},
                              {"", "30:00", "28:00"},
                              {"前", "13:00", "16:00"},
                              {"欠", "", ""},
                              {"", "8:00", ""}});
    RecalcMonth(sheet, settings);
    const MonthSheet once = sheet;
    RecalcMonth(sheet, settings);
    for (int d = 1; d <= sheet.dayCount; ++d)
        EXPECT_EQ(sheet.days[static_cast<std::size_t>(d)], once.days[static_cast<std::size_t>(d)]) << "day " << d;
    EXPECT_EQ(sheet.summary, once.summary);
}

TEST(RecalcMonth, HostileTimesAndSettingsStayInsideTheDay) {
    Settings settings = DefaultSettings();
    // An arrival late on the next day: a leaving time not after it is held at 48:00.
    ExpectDays(settings, {
                             {{"", "47:59", "1:00"}, {"47:59", "48:00", " 0:01", "", " 0:01"}},
                             {{"", "30:00", "28:00"}, {"30:00", "48:00", "17:00", "", "17:00"}},
                             {{"", "48:00", "8:00"}, {"48:00", "48:00", "", "", ""}},
                             {{"", "48:01", "8:00"}, {"", " 8:00", "", "", ""}},
                         });

    settings.Time[2] = {"30:00", "50:00"}; // ends beyond the map
    settings.Time[3] = {"-2:00", " 1:00"}; // starts before it: 22:00-25:00 on the next day
    settings.Time[4] = {"15:00", "14:00"}; // ends before it starts: removes nothing
    ExpectDays(settings, {{{"", "20:00", "16:00"}, {"20:00", "40:00", " 3:00", " 4:00", " 7:00"}}});

    // "0:00-0:00" reads as 0:00-5:00, a window that does not cross midnight
    settings = DefaultSettings();
    settings.Time[12] = {" 0:00", " 0:00"};
    ExpectDays(settings, {{{"", "20:00", "2:00"}, {"20:00", "26:00", " 4:00", " 2:00", " 6:00"}},
                          {{"", "3:00", "8:00"}, {" 3:00", " 8:00", " 3:00", " 2:00", " 5:00"}}});
    settings.Time[12] = {"22:00", "23:00"};
    ExpectDays(settings, {{{"", "8:00", "23:30"}, {" 8:00", "23:30", " 5:30", " 1:00", "14:30"}}});

    // Settings far beyond 48:00 and garbage: nothing breaks, and a break over the whole map removes all.
    settings = DefaultSettings();
    settings.Time[1] = {"-99:00", "999:99"};
    settings.Time[11] = {"60:00", "-70:00"};
    settings.Time[12] = {"99999999:00", "-99999999:00"};
    settings.Time[13] = {"999:00", "500:00"};
    settings.Time[21] = {"", ""};
    settings.ZangyoAdjustSelect = 7;
    settings.ZangyoTime2 = 99;
    settings.StartTime2 = -3;
    settings.CalcTimeAdjust = true;
    MonthSheet sheet = Sheet({{"", "0:00", "48:00"}, {"半", "8:00", "7:00"}, {"○", "47:59", "1:00"}});
    sheet.days[1].zangyoFixed = "*";
    sheet.days[1][DayColumn::Zangyo] = "99999999:99";
    sheet.dayCount = 99; // damaged count: only the 31 slots exist
    RecalcMonth(sheet, settings);
    EXPECT_EQ(sheet.days[2][DayColumn::Zangyo], "");
    EXPECT_EQ(sheet.days[3][DayColumn::Kinmu], "");
}

} // namespace
} // namespace mitoran
