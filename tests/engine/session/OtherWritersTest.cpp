// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/OtherWriters.h"

#include "engine/month/MonthFile.h"
#include "engine/session/Questions.h"
#include "engine/session/Session.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

// How many takes of the writer lock are held.
class CountingLock : public WriterLock {
public:
    void Acquire(const fs::path&) override { ++takes; }
    void Release(const fs::path&) override { --takes; }
    int takes = 0;
};

// Answers the overwrite question with one answer and keeps the texts it was asked; no other program may wait for
// the user, so the writer lock must not be held while it asks.
class OverwriteAnswer : public Questions {
public:
    explicit OverwriteAnswer(Answer answer, const CountingLock* lock = nullptr) : m_answer(answer), m_lock(lock) {}
    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override {
        EXPECT_EQ(caption, text::kSaveCaption);
        EXPECT_EQ(buttons, Buttons::YesNoCancel);
        EXPECT_TRUE(m_lock == nullptr || m_lock->takes == 0);
        asked.push_back(text);
        return m_answer;
    }
    std::vector<std::string> asked;

private:
    Answer m_answer;
    const CountingLock* m_lock;
};

std::string Question(const fs::path& file) {
    return ReplaceAllText(text::kChangedElsewhere, "%s", file.string());
}

TEST(OtherWritersTest, AChangedFileIsReloadedOrAskedAboutNeverOverwrittenUnasked) {
    struct Case {
        bool changed;
        bool edited;
        Answer answer;
        SaveOutcome outcome;
        bool asked;
    };
    const Case cases[] = {
        {false, false, Answer::Cancel, SaveOutcome::Saved, false},
        {false, true, Answer::Cancel, SaveOutcome::Saved, false},
        {true, false, Answer::Yes, SaveOutcome::Reloaded, false},
        {true, true, Answer::Yes, SaveOutcome::Saved, true},
        {true, true, Answer::No, SaveOutcome::Reloaded, true},
        {true, true, Answer::Cancel, SaveOutcome::Kept, true},
    };
    const test::TempFolder folder;
    const fs::path file = folder.Path() / "Vacation.dat";
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.changed << c.edited << static_cast<int>(c.answer));
        test::WriteBytes(file, "[System]\r\n");
        const FileStamp loaded = StampOfFile(file);
        if (c.changed)
            test::WriteBytes(file, "[System]\r\nKuriZan=3.0\r\n");
        CountingLock lock;
        OverwriteAnswer questions(c.answer, &lock);
        int writes = 0;
        int reloads = 0;
        const SaveOutcome outcome = SaveUnlessChangedElsewhere(
            file, loaded, c.edited, questions,
            [&] {
                EXPECT_EQ(lock.takes, 1);
                ++writes;
            },
            [&] {
                EXPECT_EQ(lock.takes, 1);
                ++reloads;
            },
            [&] { return WriterLockHold(&lock, folder.Path()); });
        EXPECT_EQ(lock.takes, 0);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(writes, c.outcome == SaveOutcome::Saved ? 1 : 0);
        EXPECT_EQ(reloads, c.outcome == SaveOutcome::Reloaded ? 1 : 0);
        EXPECT_EQ(questions.asked, c.asked ? std::vector<std::string>{Question(file)} : std::vector<std::string>{});
    }
}

// The window's session holds December 2026 with an unsaved leaving time on the 7th while the command line,
// with a session of its own, saves an arrival on the 8th.
class ChangedMonthTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove(MonthFilePath(m_data.Path(), 2026, 12, ""));
        m_window.LoadUser("");
        m_window.ShowMonth(2026, 12, true);
        Day(m_window, 7)[DayColumn::Leaving] = "19:00";
        Session other(m_store, m_folders, "");
        other.LoadUser("");
        other.ShowMonth(2026, 12, true);
        Day(other, 8)[DayColumn::Arrival] = " 8:07";
        other.SaveShownMonth();
    }

    static DayRecord& Day(Session& session, int day) { return session.sheet.days[static_cast<std::size_t>(day)]; }

    DayRecord Stored(int day) {
        Session reader(m_store, m_folders, "");
        reader.LoadUser("");
        reader.ShowMonth(2026, 12, true);
        return Day(reader, day);
    }

    test::TempFolder m_data;
    test::FixedFolders m_folders{m_data.Path()};
    MemorySettingsStore m_store;
    Session m_window{m_store, m_folders, ""};
};

TEST_F(ChangedMonthTest, EachAnswerKeepsWhatItSays) {
    struct Case {
        Answer answer;
        SaveOutcome outcome;
        const char* windowShows7; // the window's leaving time of the 7th afterwards
        const char* windowShows8; // and its arrival of the 8th
        const char* stored7;
        const char* stored8;
    };
    const Case cases[] = {
        {Answer::Yes, SaveOutcome::Saved, "19:00", "", "19:00", ""},
        {Answer::No, SaveOutcome::Reloaded, "", " 8:07", "", " 8:07"},
        {Answer::Cancel, SaveOutcome::Kept, "19:00", "", "", " 8:07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        SetUp();
        OverwriteAnswer questions(c.answer);
        EXPECT_EQ(m_window.SaveShownMonthChecked(questions), c.outcome);
        EXPECT_EQ(questions.asked, std::vector<std::string>{Question(MonthFilePath(m_data.Path(), 2026, 12, ""))});
        EXPECT_EQ(Day(m_window, 7)[DayColumn::Leaving], c.windowShows7);
        EXPECT_EQ(Day(m_window, 8)[DayColumn::Arrival], c.windowShows8);
        EXPECT_EQ(m_window.sheet.IsChanged(), c.answer == Answer::Cancel);
        EXPECT_EQ(Stored(7)[DayColumn::Leaving], c.stored7);
        EXPECT_EQ(Stored(8)[DayColumn::Arrival], c.stored8);
    }
    // Once the window has saved, its own file is no change: the next save asks nothing.
    OverwriteAnswer none(Answer::Cancel);
    m_window.ShowMonth(2026, 12, true);
    m_window.SaveShownMonthChecked(none);
    Day(m_window, 9)[DayColumn::Arrival] = " 9:00";
    EXPECT_EQ(m_window.SaveShownMonthChecked(none), SaveOutcome::Saved);
    EXPECT_TRUE(none.asked.empty());
}

// The paid-leave window's ledger and the settings dialog's holiday list follow the same rule; No takes the
// other program's file.
TEST(OtherWritersTest, LedgerAndHolidayListTakeTheOtherWrite) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    MemorySettingsStore store;
    Session window(store, folders, "");
    window.LoadUser("");
    window.ledger.LoadLedger();
    HolidayList edited;
    window.ReadHolidayListForEditing(edited);

    Session other(store, folders, "");
    other.LoadUser("");
    other.ledger.SetCarryOverText("5.0");
    other.ledger.SaveLedger();
    HolidayList written = other.holidays;
    written[40].memo = Utf8ToCp932("創立記念日");
    other.RegisterSettings(other.settings, written);

    window.ledger.SetCarryOverText("9.0");
    edited[41].memo = Utf8ToCp932("休み");
    OverwriteAnswer questions(Answer::No);
    EXPECT_EQ(window.SaveLedgerChecked(questions), SaveOutcome::Reloaded);
    EXPECT_EQ(window.ledger.CarryOverText(), "5.0");
    EXPECT_EQ(window.RegisterSettingsChecked(window.settings, edited, questions), SaveOutcome::Reloaded);
    EXPECT_EQ(edited[40].memo, written[40].memo);
    EXPECT_EQ(edited[41].memo, "");
    EXPECT_EQ(window.holidays, edited);
    EXPECT_EQ(questions.asked,
              (std::vector<std::string>{Question(window.ledger.LedgerFilePath()), Question(window.HolidayListPath())}));
}

} // namespace
} // namespace mitoran
