// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Navigation.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/Questions.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "support/SaveQuestionAnswer.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(NavigationTest, WorkingMonthFollowsTheClosingDay) {
    struct Case {
        LocalDateTime today;
        int simeDay;
        YearMonth expected;
    };
    const Case cases[] = {
        {{2004, 3, 25}, 20, {2004, 4}},   {{2004, 3, 20}, 20, {2004, 3}}, {{2004, 12, 21}, 20, {2005, 1}},
        {{2004, 12, 31}, 31, {2004, 12}}, {{2004, 2, 29}, 27, {2004, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WorkingMonth(c.today, c.simeDay), c.expected) << c.today.month << "/" << c.today.day;
}

TEST(NavigationTest, StepsAndJumps) {
    EXPECT_EQ(StepMonth({2000, 1}, -1, false), (YearMonth{1999, 12}));
    EXPECT_EQ(StepMonth({2000, 1}, -1, true), (YearMonth{1999, 1}));
    EXPECT_EQ(StepMonth({1999, 12}, +1, false), (YearMonth{2000, 1}));
    EXPECT_EQ(StepMonth({1999, 12}, +1, true), (YearMonth{2000, 12}));
    EXPECT_EQ(StepMonth({2004, 6}, +1, false), (YearMonth{2004, 7}));

    EXPECT_EQ(JumpTarget("1985", "13"), (YearMonth{1990, 12}));
    EXPECT_EQ(JumpTarget("abc", "0"), (YearMonth{1990, 1}));
    EXPECT_EQ(JumpTarget("2100", "-3"), (YearMonth{2090, 1}));
    EXPECT_EQ(JumpTarget("\x82\x51\x82\x4F\x82\x4F\x82\x54", " 7 "), (YearMonth{2005, 7})); // full-width 2005
}

TEST(NavigationTest, TodaysRowSitsAboutTenRowsDown) {
    MonthSheet sheet;
    sheet.dayCount = 31;
    for (int d = 1; d <= 31; ++d)
        sheet.days[d][DayColumn::Date] = " 3/" + PadNumber(d, 2, " ");
    struct Case {
        int day;
        int visibleRows;
        TodayRow expected;
    };
    const Case cases[] = {
        {5, 21, {5, 1}}, {11, 21, {11, 1}}, {15, 21, {15, 5}}, {25, 21, {25, 11}}, {31, 40, {31, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindTodayRow(sheet, 3, c.day, c.visibleRows), c.expected) << c.day;
    EXPECT_EQ(FindTodayRow(sheet, 4, 1, 21), std::nullopt);
    sheet.dayCount = 28;
    EXPECT_EQ(FindTodayRow(sheet, 3, 30, 21), std::nullopt);
}

TEST(NavigationTest, LeaveMonthCheckSavesAsksOrStays) {
    struct Case {
        bool changed;
        bool autoSave;
        bool shift;
        Answer answer;
        bool saveWorks;
        bool mayLeave;
        int asked;
        int saves;
        bool changedAfter;
    };
    const Case cases[] = {
        {false, false, false, Answer::Cancel, true, true, 0, 0, false},
        {true, true, false, Answer::Cancel, true, true, 0, 1, false},
        {true, true, true, Answer::Cancel, true, false, 1, 0, true}, // Shift asks even with AutoSave
        {true, false, false, Answer::Yes, true, true, 1, 1, false},
        {true, false, false, Answer::No, true, true, 1, 0, false},
        {true, false, false, Answer::Cancel, true, false, 1, 0, true},
        {true, false, false, Answer::Yes, false, false, 1, 1, true}, // a failed save keeps the month
        {true, true, false, Answer::Cancel, false, false, 0, 1, true},
    };
    for (const Case& c : cases) {
        MonthSheet sheet;
        sheet.dayCount = 30;
        sheet.days[30].memoColor = 0x0000FF;
        if (!c.changed)
            sheet.MarkSaved();
        test::SaveQuestionAnswer questions(c.answer);
        int saves = 0;
        const bool mayLeave = LeaveMonthCheck(sheet, c.autoSave, c.shift, questions, [&] {
            ++saves;
            if (c.saveWorks)
                sheet.MarkSaved();
            return c.saveWorks;
        });
        EXPECT_EQ(mayLeave, c.mayLeave);
        EXPECT_EQ(questions.asked, c.asked);
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(sheet.IsChanged(), c.changedAfter);
        EXPECT_EQ(sheet.days[30].memoColor, 0x0000FF); // No drops the change from the check, not from the days
    }
}

} // namespace
} // namespace mitoran
