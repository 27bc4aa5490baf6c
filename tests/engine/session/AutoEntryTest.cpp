// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/AutoEntry.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthFile.h"
#include "engine/session/Session.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"
#include "support/ScriptedConfirm.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>

namespace mitoran {
namespace {

using test::FixedFolders;
using test::ScriptedConfirm;
using test::TempFolder;

std::string Sjis(const char* utf8) {
    return Utf8ToCp932(utf8);
}

class AutoEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_session.LoadUser("");
        Settings& settings = m_session.settings;
        settings.StartAdjustSelect = kRoundUp;
        settings.StartTime2 = 3;
        settings.EndAdjustSelect = kRoundNone;
    }

    AutoEntryResult Enter(TimeKind kind, int mode, LocalDateTime now) {
        return AutoTimeEntry(kind, mode, m_session, now, m_confirm);
    }

    // The day as stored in the month's file, read by a session of its own.
    DayRecord Stored(int year, int month, std::string_view date) {
        Session reader(m_store, m_folders, "");
        reader.LoadUser("");
        reader.ShowMonth(year, month, true);
        for (int d = 1; d <= reader.sheet.dayCount; ++d) {
            if (reader.sheet.days[static_cast<std::size_t>(d)][DayColumn::Date] == date)
                return reader.sheet.days[static_cast<std::size_t>(d)];
        }
        ADD_FAILURE() << "no row " << date;
        return {};
    }

    bool FileExists(int year, int month) const {
        return std::filesystem::exists(MonthFilePath(m_data.Path(), year, month, ""));
    }

    void WriteLeaving(int year, int month, int row, const std::string& leaving) {
        m_session.ShowMonth(year, month, true);
        m_session.sheet.days[static_cast<std::size_t>(row)][DayColumn::Leaving] = leaving;
        m_session.SaveShownMonth();
    }

    TempFolder m_data;
    FixedFolders m_folders{m_data.Path()};
    MemorySettingsStore m_store;
    Session m_session{m_store, m_folders, ""};
    ScriptedConfirm m_confirm;
};

TEST_F(AutoEntryTest, ArrivalAfterTheClosingDayGoesIntoTheNextSheetMonth) {
    m_session.settings.SimeDay = 20;
    const AutoEntryResult result = Enter(TimeKind::Arrival, kAutoInSilent, LocalDateTime{2024, 3, 21, 8, 7});
    EXPECT_EQ(result.outcome, AutoEntryOutcome::Entered);
    EXPECT_EQ(result.sheetMonth, (YearMonth{2024, 4}));
    EXPECT_EQ(result.day, 1); // 21 March opens the April sheet
    EXPECT_EQ(result.text, " 8:15");
    EXPECT_FALSE(FileExists(2024, 3));
    EXPECT_EQ(Stored(2024, 4, " 3/21")[DayColumn::Arrival], " 8:15");
    EXPECT_FALSE(m_session.sheet.IsChanged());
    EXPECT_TRUE(m_confirm.requests.empty());
}

TEST_F(AutoEntryTest, LeavingAfterMidnightGoesIntoTheDayBefore) {
    const AutoEntryResult result = Enter(TimeKind::Leaving, kAutoInSilent, LocalDateTime{2024, 4, 1, 0, 40});
    EXPECT_EQ(result.outcome, AutoEntryOutcome::Entered);
    EXPECT_EQ(result.sheetMonth, (YearMonth{2024, 3}));
    EXPECT_EQ(Stored(2024, 3, " 3/31")[DayColumn::Leaving], "24:40");
    EXPECT_FALSE(FileExists(2024, 4));

    // New Year's night: the last day of December, in the January sheet under closing day 20.
    m_session.settings.SimeDay = 20;
    const AutoEntryResult newYear = Enter(TimeKind::Leaving, kAutoInSilent, LocalDateTime{2025, 1, 1, 2, 5});
    EXPECT_EQ(newYear.sheetMonth, (YearMonth{2025, 1}));
    EXPECT_EQ(Stored(2025, 1, "12/31")[DayColumn::Leaving], "26:05");
}

TEST_F(AutoEntryTest, RegularStartReplacesEarlyArrivals) {
    struct Case {
        int startTeijiIn;
        int hour;
        int minute;
        const char* entered;
    };
    const Case cases[] = {
        {1, 7, 40, " 8:00"}, {1, 8, 20, " 8:30"}, {1, 7, 50, " 8:00"}, // 7:50 rounds up to 8:00 itself
        {2, 8, 20, " 8:00"}, {0, 7, 40, " 7:45"},
    };
    int day = 1;
    for (const Case& c : cases) {
        m_session.settings.StartTeijiIn = c.startTeijiIn;
        const AutoEntryResult result =
            Enter(TimeKind::Arrival, kAutoInSilent, LocalDateTime{2024, 5, day, c.hour, c.minute});
        EXPECT_EQ(result.text, c.entered) << c.startTeijiIn << " " << c.hour << ":" << c.minute;
        EXPECT_EQ(Stored(2024, 5, " 5/ " + std::to_string(day))[DayColumn::Arrival], c.entered);
        ++day;
    }
}

TEST_F(AutoEntryTest, AnArrivalIsNeverOverwritten) {
    EXPECT_EQ(Enter(TimeKind::Arrival, kAutoInSilent, LocalDateTime{2024, 3, 5, 8, 7}).outcome,
              AutoEntryOutcome::Entered);
    m_session.settings.EndOverWrite = 0;
    const AutoEntryResult again = Enter(TimeKind::Arrival, kAutoInWindow, LocalDateTime{2024, 3, 5, 9, 40});
    EXPECT_EQ(again.outcome, AutoEntryOutcome::Kept);
    EXPECT_EQ(again.text, " 8:15");
    EXPECT_TRUE(m_confirm.requests.empty());
    EXPECT_EQ(Stored(2024, 3, " 3/ 5")[DayColumn::Arrival], " 8:15");
}

TEST_F(AutoEntryTest, ExistingLeavingTimeByTheOverwriteChoice) {
    struct Case {
        int endOverWrite;
        std::optional<std::string> answer; // to the confirmation, when one is shown
        AutoEntryOutcome outcome;
        const char* stored;
        bool asked;
    };
    const Case cases[] = {
        {0, std::nullopt, AutoEntryOutcome::Entered, "19:10", false},
        {1, "19:30", AutoEntryOutcome::Entered, "19:30", true},
        {1, std::nullopt, AutoEntryOutcome::Declined, "18:00", true},
        {2, std::nullopt, AutoEntryOutcome::Kept, "18:00", false},
    };
    for (const Case& c : cases) {
        WriteLeaving(2024, 3, 5, "18:00");
        m_session.settings.EndOverWrite = c.endOverWrite;
        m_confirm.requests.clear();
        m_confirm.answers = {c.answer};
        const AutoEntryResult result = Enter(TimeKind::Leaving, kAutoInSilent, LocalDateTime{2024, 3, 5, 19, 10});
        EXPECT_EQ(result.outcome, c.outcome) << c.endOverWrite;
        EXPECT_EQ(result.overwriteAsked, c.asked) << c.endOverWrite;
        EXPECT_EQ(m_confirm.requests.size(), c.asked ? 1u : 0u) << c.endOverWrite;
        EXPECT_EQ(Stored(2024, 3, " 3/ 5")[DayColumn::Leaving], c.stored) << c.endOverWrite;
    }
}

TEST_F(AutoEntryTest, WindowModeAsksWithTheDayAndTheProposal) {
    m_session.settings.EndAdjustSelect = kRoundDown;
    m_session.settings.EndTime2 = 3;
    m_confirm.answers = {"18:50", std::nullopt};
    const AutoEntryResult result = Enter(TimeKind::Leaving, kAutoInWindow, LocalDateTime{2024, 3, 5, 19, 7});
    ASSERT_EQ(m_confirm.requests.size(), 1u);
    const TimeConfirmRequest& request = m_confirm.requests[0];
    EXPECT_EQ(request.kind, TimeKind::Leaving);
    EXPECT_EQ(request.dayText, Sjis("3月5日(火)"));
    EXPECT_EQ(request.proposal.shown, "19:07");
    EXPECT_EQ(request.proposal.proposed, "19:00");
    EXPECT_EQ(request.step, 15);
    EXPECT_EQ(result.outcome, AutoEntryOutcome::Entered);
    EXPECT_EQ(Stored(2024, 3, " 3/ 5")[DayColumn::Leaving], "18:50");

    // Cancel enters nothing and writes nothing.
    const AutoEntryResult cancelled = Enter(TimeKind::Arrival, kAutoInWindow, LocalDateTime{2024, 6, 3, 8, 0});
    EXPECT_EQ(cancelled.outcome, AutoEntryOutcome::Declined);
    EXPECT_FALSE(FileExists(2024, 6));
}

TEST_F(AutoEntryTest, OffOrUnsavedChangesLeaveEverythingAsItIs) {
    EXPECT_EQ(Enter(TimeKind::Arrival, kAutoInOff, LocalDateTime{2024, 3, 5, 8, 7}).outcome, AutoEntryOutcome::Off);
    EXPECT_EQ(Enter(TimeKind::Arrival, 7, LocalDateTime{2024, 3, 5, 8, 7}).outcome, AutoEntryOutcome::Off);
    EXPECT_EQ(m_session.sheet.loadedYear, -1);

    m_session.ShowMonth(2024, 3, true);
    m_session.sheet.days[5][DayColumn::Memo] = Sjis("未保存");
    const AutoEntryResult result = Enter(TimeKind::Arrival, kAutoInSilent, LocalDateTime{2024, 3, 5, 8, 7});
    EXPECT_EQ(result.outcome, AutoEntryOutcome::Unsaved);
    EXPECT_EQ(m_session.sheet.days[5][DayColumn::Memo], Sjis("未保存"));
    EXPECT_EQ(m_session.sheet.days[5][DayColumn::Arrival], "");
    EXPECT_FALSE(FileExists(2024, 3));
}

// The command line's stamp performed by the window: only into the month it shows, read afresh when it holds
// no edits (so another program's day 6 is shown too), joining the edits otherwise; the window's save decides
// whether it was saved.
TEST_F(AutoEntryTest, StampInTheShownMonthKeepsTheWindowsEdits) {
    struct Case {
        const char* what;
        int shownMonth;
        bool edited;
        bool saves;
        std::optional<AutoEntryOutcome> outcome;
        const char* day6; // the arrival of the 6th the window shows afterwards
    };
    const Case cases[] = {
        {"another month shown", 4, false, true, std::nullopt, ""},
        {"no edits", 3, false, true, AutoEntryOutcome::Entered, " 9:00"},
        {"edits", 3, true, true, AutoEntryOutcome::Entered, ""},
        {"edits, save declined", 3, true, false, AutoEntryOutcome::EnteredUnsaved, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(MonthFilePath(m_data.Path(), 2024, 3, ""));
        m_session.ShowMonth(2024, c.shownMonth, true);
        if (c.edited)
            m_session.sheet.days[5][DayColumn::Memo] = Sjis("未保存");
        Session other(m_store, m_folders, "");
        other.LoadUser("");
        other.ShowMonth(2024, 3, true);
        other.sheet.days[6][DayColumn::Arrival] = " 9:00";
        other.SaveShownMonth();

        int saves = 0;
        const std::optional<AutoEntryResult> result =
            AutoTimeEntryInShownMonth(TimeKind::Arrival, m_session, LocalDateTime{2024, 3, 5, 8, 7}, [&] {
                ++saves;
                return c.saves;
            });
        ASSERT_EQ(result.has_value(), c.outcome.has_value());
        EXPECT_EQ(saves, c.outcome ? 1 : 0);
        if (!result) {
            EXPECT_EQ(m_session.sheet.loadedMonth, 4);
            continue;
        }
        EXPECT_EQ(result->outcome, *c.outcome);
        EXPECT_EQ(result->day, 5);
        EXPECT_EQ(m_session.sheet.days[5][DayColumn::Arrival], " 8:15");
        EXPECT_EQ(m_session.sheet.days[5][DayColumn::Memo], c.edited ? Sjis("未保存") : "");
        EXPECT_EQ(m_session.sheet.days[6][DayColumn::Arrival], c.day6);
        EXPECT_TRUE(m_confirm.requests.empty());
    }
}

TEST(SheetMonthOfTest, ClosingDayOutsideOneToTwentySevenGivesTheCalendarMonth) {
    EXPECT_EQ(SheetMonthOf(2024, 3, 21, 20), (YearMonth{2024, 4}));
    EXPECT_EQ(SheetMonthOf(2024, 3, 30, 29), (YearMonth{2024, 3})); // as the sheet itself lays it out
    EXPECT_EQ(SheetMonthOf(2024, 3, 5, 0), (YearMonth{2024, 3}));
}

} // namespace
} // namespace mitoran
