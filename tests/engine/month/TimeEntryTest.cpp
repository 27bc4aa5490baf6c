// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/TimeEntry.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthFile.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"
#include "support/ScriptedConfirm.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace mitoran {
namespace {

using test::FixedFolders;
using test::ScriptedConfirm;
using test::TempFolder;

constexpr int kKubun = 2;
constexpr int kArrival = 3;
constexpr int kLeaving = 4;
constexpr int kZangyo = 5;
constexpr int kShinya = 6;
constexpr int kKinmu = 7;
constexpr int kMemo = 8;

std::string Sjis(const char* utf8) {
    return Utf8ToCp932(utf8);
}

// Regular hours 8:00-17:00 and half days 8:00-12:00, as a first run leaves them.
Settings RegularSettings() {
    Settings settings;
    settings.Time[1] = {"12:00", "13:00"};
    settings.Time[11] = {" 8:00", "17:00"};
    settings.Time[12] = {"22:00", " 5:00"};
    settings.Time[21] = {" 8:00", "12:00"};
    return settings;
}

// Three weekdays of March 2024 (Mon 4 to Wed 6).
MonthSheet ThreeDays() {
    MonthSheet sheet;
    const char* const weekdays[] = {"月", "火", "水"};
    for (int d = 1; d <= 3; ++d) {
        DayRecord& day = sheet.days[static_cast<std::size_t>(d)];
        day[DayColumn::Date] = " 3/ " + std::to_string(d + 3);
        day[DayColumn::Weekday] = Sjis(weekdays[d - 1]);
        day[DayColumn::Kubun] = "  ";
    }
    sheet.dayCount = 3;
    sheet.MarkSaved();
    return sheet;
}

class ScriptedTimeSet : public TimeSetEditor {
public:
    TimeSetAnswer EditTime(const TimeSetRequest& shown) override {
        request = shown;
        return answer;
    }

    TimeSetAnswer answer;
    TimeSetRequest request;
};

TEST(TimeEntryTest, ProposedTimesFollowTheRoundingOfArrivalAndLeaving) {
    struct Case {
        TimeKind kind;
        int hour;
        int minute;
        int mode;      // arrival or leaving rounding mode
        int unitIndex; // 3 = 15 minutes, 2 = 10 minutes
        bool noAdjust;
        const char* shown;
        const char* proposed;
    };
    const Case cases[] = {
        {TimeKind::Arrival, 8, 7, kRoundUp, 3, false, "8:07", " 8:15"},
        {TimeKind::Arrival, 8, 7, kRoundUp, 3, true, "8:07", " 8:07"}, // "NoAutoInAdjust"
        {TimeKind::Arrival, 8, 7, kRoundNearest, 3, false, "8:07", " 8:00"},
        {TimeKind::Arrival, 8, 5, kRoundNearest, 2, false, "8:05", " 8:10"}, // a tie goes up
        {TimeKind::Arrival, 7, 59, kRoundNone, 3, false, "7:59", " 7:59"},   // an arrival never moves a day
        {TimeKind::Arrival, 23, 50, kRoundUp, 6, false, "23:50", "24:00"},
        {TimeKind::Leaving, 1, 30, kRoundNone, 0, false, "25:30", "25:30"}, // after midnight: the day before
        {TimeKind::Leaving, 7, 59, kRoundDown, 3, false, "31:59", "31:45"},
        {TimeKind::Leaving, 8, 0, kRoundNone, 0, false, "8:00", " 8:00"}, // the regular start itself
        {TimeKind::Leaving, 17, 52, kRoundDown, 3, false, "17:52", "17:45"},
        {TimeKind::Leaving, 0, 0, kRoundNone, 0, false, "24:00", "24:00"},
    };
    for (const Case& c : cases) {
        Settings settings = RegularSettings();
        settings.NoAutoInAdjust = c.noAdjust;
        (c.kind == TimeKind::Arrival ? settings.StartAdjustSelect : settings.EndAdjustSelect) = c.mode;
        (c.kind == TimeKind::Arrival ? settings.StartTime2 : settings.EndTime2) = c.unitIndex;
        const TimeProposal proposal = ProposeTime(c.kind, LocalDateTime{2024, 3, 5, c.hour, c.minute}, settings);
        EXPECT_EQ(proposal.shown, c.shown) << c.hour << ":" << c.minute;
        EXPECT_EQ(proposal.proposed, c.proposed) << c.hour << ":" << c.minute;
    }
}

TEST(TimeEntryTest, PlusAndMinusStepByTheRoundingUnitWithinTheDay) {
    Settings settings = RegularSettings();
    settings.StartAdjustSelect = kRoundUp;
    settings.StartTime2 = 3;
    settings.EndAdjustSelect = kRoundNone;
    settings.EndTime2 = 3;
    EXPECT_EQ(AdjustStep(TimeKind::Arrival, settings), 15);
    EXPECT_EQ(AdjustStep(TimeKind::Leaving, settings), 1); // no rounding: one minute
    settings.StartTime2 = -1;                              // never stored: the first unit
    EXPECT_EQ(AdjustStep(TimeKind::Arrival, settings), 5);

    EXPECT_EQ(StepTimeText(" 8:15", 15), " 8:30");
    EXPECT_EQ(StepTimeText(" 0:10", -15), " 0:00");
    EXPECT_EQ(StepTimeText("-1:00", 15), " 0:00");
    EXPECT_EQ(StepTimeText("47:50", 15), "48:00");
    EXPECT_EQ(StepTimeText("", 1), " 0:01");
    EXPECT_EQ(StepTimeText("99999999:00", 60), "48:00");
}

TEST(TimeEntryTest, CategoriesCycleInTableOrderAndRecalculateWithAutoCalc) {
    const char* const cycle[] = {"  ", "○", "有", "前", "後", "代", "欠", "半", "  "};
    for (std::size_t i = 0; i + 1 < std::size(cycle); ++i)
        EXPECT_EQ(NextKubunMark(Sjis(cycle[i])), Sjis(cycle[i + 1])) << cycle[i];
    EXPECT_EQ(NextKubunMark(""), Sjis("○"));            // an emptied cell counts as an ordinary day
    EXPECT_EQ(NextKubunMark(Sjis(" 有 ")), Sjis("前")); // blanks around the mark are ignored
    EXPECT_EQ(NextKubunMark("X"), "  ");
    EXPECT_EQ(NextKubunMark(Sjis("休")), "  ");

    Settings settings = RegularSettings();
    MonthSheet sheet = ThreeDays();
    sheet.days[1][DayColumn::Arrival] = " 8:00";
    sheet.days[1][DayColumn::Leaving] = "19:00";
    EXPECT_TRUE(KubunMenuClick(sheet, 1, 7, settings));
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], Sjis("半"));
    EXPECT_TRUE(sheet.summary.zangyoTime.empty()); // "AutoCalc" off: nothing recalculated

    settings.AutoCalc = true;
    EXPECT_TRUE(KubunChange(sheet, 1, settings));
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], "  ");
    EXPECT_EQ(sheet.summary.zangyoTime, "  2:00"); // 8:00-19:00 with the noon break
    const MonthSummary working = sheet.summary;
    EXPECT_TRUE(KubunMenuClick(sheet, 1, 1, settings));
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], Sjis("○"));
    EXPECT_NE(sheet.summary.kyujituDay, working.kyujituDay); // now a day worked on a day off

    const MonthSheet before = sheet;
    EXPECT_FALSE(KubunChange(sheet, 0, settings));
    EXPECT_FALSE(KubunChange(sheet, 4, settings));
    EXPECT_FALSE(KubunMenuClick(sheet, 2, 8, settings));
    EXPECT_FALSE(KubunMenuClick(sheet, 2, -1, settings));
    EXPECT_EQ(sheet.days, before.days);
}

TEST(TimeEntryTest, RegularUpperAndPresetTimesGoOnlyIntoTimeCells) {
    Settings settings = RegularSettings();
    settings.PresetTimes[0] = "17:30";
    MonthSheet sheet = ThreeDays();

    EXPECT_TRUE(TeijiTimeIn(sheet, 1, kArrival, settings));
    EXPECT_TRUE(TeijiTimeIn(sheet, 1, kLeaving, settings));
    EXPECT_EQ(sheet.days[1][DayColumn::Arrival], " 8:00");
    EXPECT_EQ(sheet.days[1][DayColumn::Leaving], "17:00");
    sheet.days[2][DayColumn::Kubun] = Sjis("半");
    EXPECT_TRUE(TeijiTimeIn(sheet, 2, kLeaving, settings));
    EXPECT_EQ(sheet.days[2][DayColumn::Leaving], "12:00");

    // The nearest time above that is not blank, full-width forms folded.
    sheet.days[1][DayColumn::Arrival] = Sjis("８：３０");
    sheet.days[2][DayColumn::Arrival] = "   ";
    EXPECT_TRUE(TopTimeInItemClick(sheet, 3, kArrival));
    EXPECT_EQ(sheet.days[3][DayColumn::Arrival], "8:30");
    sheet.days[3][DayColumn::Leaving] = "x";
    EXPECT_FALSE(TopTimeInItemClick(sheet, 1, kLeaving)); // nothing above the first row
    sheet.days[1][DayColumn::Leaving] = "";
    sheet.days[2][DayColumn::Leaving] = "";
    EXPECT_FALSE(TopTimeInItemClick(sheet, 3, kLeaving));
    EXPECT_EQ(sheet.days[3][DayColumn::Leaving], "x");

    EXPECT_TRUE(UseTimeClick(sheet, 2, kLeaving, settings, 1));
    EXPECT_EQ(sheet.days[2][DayColumn::Leaving], "17:30");
    EXPECT_FALSE(UseTimeClick(sheet, 2, kArrival, settings, 2)); // a blank preset is never pasted
    EXPECT_FALSE(UseTimeClick(sheet, 2, kArrival, settings, 7));

    // A command outside its columns or rows changes nothing.
    const MonthSheet before = sheet;
    EXPECT_FALSE(UseTimeClick(sheet, 2, kMemo, settings, 1));
    EXPECT_FALSE(TeijiTimeIn(sheet, 2, kZangyo, settings));
    EXPECT_FALSE(TopTimeInItemClick(sheet, 3, kKubun));
    EXPECT_FALSE(TeijiTimeIn(sheet, 4, kArrival, settings));
    EXPECT_EQ(sheet.days, before.days);
}

TEST(TimeEntryTest, ClearingKeepsTheFixedMarks) {
    MonthSheet sheet = ThreeDays();
    DayRecord& day = sheet.days[2];
    for (int column = kArrival; column <= kMemo; ++column)
        day.cells[static_cast<std::size_t>(column)] = " 1:00";
    day.zangyoFixed = "*";
    day.kinmuFixed = "*";
    for (int column = kArrival; column <= kKinmu; ++column)
        EXPECT_TRUE(TimeClear(sheet, 2, column)) << column;
    EXPECT_FALSE(TimeClear(sheet, 2, kMemo));
    EXPECT_FALSE(TimeClear(sheet, 2, kKubun));
    for (int column = kArrival; column <= kKinmu; ++column)
        EXPECT_EQ(day.cells[static_cast<std::size_t>(column)], "") << column;
    EXPECT_EQ(day[DayColumn::Memo], " 1:00");
    EXPECT_EQ(day.zangyoFixed, "*");
    EXPECT_EQ(day.kinmuFixed, "*");
}

TEST(TimeEntryTest, ValuesFixedByHand) {
    MonthSheet sheet = ThreeDays();
    sheet.days[2][DayColumn::Zangyo] = "1.30";
    sheet.days[2].houteiMark = "*";
    ScriptedTimeSet editor;

    editor.answer = {true, false, "0"};
    EXPECT_TRUE(ZanTimeIn(sheet, 2, kZangyo, editor));
    const TimeSetRequest& shown = editor.request;
    EXPECT_EQ(shown.caption, Sjis("普通残業時間入力"));
    EXPECT_EQ(shown.noCalcCaption, Sjis("普通残業時間を[再計算]の対象外とする"));
    EXPECT_EQ(shown.noCalcHint, Sjis("ﾁｪｯｸすると普通残業時間が[再計算]の対象外となります。"));
    EXPECT_EQ(shown.valueHint, Sjis("任意の普通残業時間を入力します。"));
    EXPECT_EQ(shown.label, Sjis(" 3月 5日(火)の普通残業時間"));
    EXPECT_EQ(shown.value, " 1:30");
    EXPECT_FALSE(shown.noCalc);
    EXPECT_FALSE(shown.houteiEnabled); // not a day off: unticked and disabled
    EXPECT_FALSE(shown.houtei);
    // A value fixed at zero shows as " 0:00"; the statutory mark goes on a working day.
    EXPECT_EQ(sheet.days[2][DayColumn::Zangyo], " 0:00");
    EXPECT_EQ(sheet.days[2].zangyoFixed, "*");
    EXPECT_EQ(sheet.days[2].houteiMark, "");

    sheet.days[3][DayColumn::Kubun] = Sjis("○");
    sheet.days[3].houteiMark = "*";
    sheet.days[3].shinyaFixed = "*";
    editor.answer = {false, true, "0"};
    EXPECT_TRUE(ZanTimeIn(sheet, 3, kShinya, editor));
    EXPECT_EQ(editor.request.label, Sjis(" 3月 6日(水)の深夜残業時間"));
    EXPECT_TRUE(editor.request.noCalc);
    EXPECT_TRUE(editor.request.houteiEnabled);
    EXPECT_TRUE(editor.request.houtei);
    EXPECT_EQ(editor.request.value, " 0:00");
    EXPECT_EQ(sheet.days[3][DayColumn::Shinya], ""); // zero without the mark is empty
    EXPECT_EQ(sheet.days[3].shinyaFixed, "");
    EXPECT_EQ(sheet.days[3].houteiMark, "*");

    editor.answer = {true, false, "9:45"};
    EXPECT_TRUE(ZanTimeIn(sheet, 1, kKinmu, editor));
    EXPECT_EQ(editor.request.caption, Sjis("勤務時間入力"));
    EXPECT_EQ(sheet.days[1][DayColumn::Kinmu], " 9:45");
    EXPECT_EQ(sheet.days[1].kinmuFixed, "*");

    EXPECT_FALSE(ZanTimeIn(sheet, 1, kLeaving, editor));
    EXPECT_FALSE(ZanTimeIn(sheet, 0, kZangyo, editor));
}

TEST(TimeEntryTest, StampingTheCurrentTimeGoesThroughTheConfirmation) {
    Settings settings = RegularSettings();
    settings.StartAdjustSelect = kRoundUp;
    settings.StartTime2 = 3;
    MonthSheet sheet = ThreeDays();
    ScriptedConfirm confirm;
    confirm.answers = {" 8:30", std::nullopt};

    EXPECT_TRUE(NowTimeIn(sheet, 2, kArrival, LocalDateTime{2024, 3, 5, 8, 7}, settings, confirm));
    ASSERT_EQ(confirm.requests.size(), 1u);
    EXPECT_EQ(confirm.requests[0].kind, TimeKind::Arrival);
    EXPECT_EQ(confirm.requests[0].dayText, Sjis(" 3月 5日(火)"));
    EXPECT_EQ(confirm.requests[0].proposal.shown, "8:07");
    EXPECT_EQ(confirm.requests[0].proposal.proposed, " 8:15");
    EXPECT_EQ(confirm.requests[0].step, 15);
    EXPECT_EQ(sheet.days[2][DayColumn::Arrival], " 8:30");

    EXPECT_FALSE(NowTimeIn(sheet, 2, kLeaving, LocalDateTime{2024, 3, 6, 1, 30}, settings, confirm));
    EXPECT_EQ(confirm.requests[1].proposal.proposed, "25:30");
    EXPECT_EQ(sheet.days[2][DayColumn::Leaving], ""); // cancelled
    EXPECT_FALSE(NowTimeIn(sheet, 2, kMemo, LocalDateTime{}, settings, confirm));
    EXPECT_EQ(confirm.requests.size(), 2u);

    DayRecord garbled; // a date cell too short for its month and day still names the day
    garbled[DayColumn::Date] = "3";
    EXPECT_EQ(DayLabel(garbled, true), Sjis("3月日()"));
}

// The automatic entry over a session with first-run settings in a temporary data folder.
} // namespace
} // namespace mitoran
