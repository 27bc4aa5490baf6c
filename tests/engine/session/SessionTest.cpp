// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Session.h"

#include "engine/month/MonthFile.h"
#include "engine/session/Questions.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

// A first run whose ".SET" file cannot be written still loads the user whole, then reports the file.
TEST(SessionTest, RefusedFirstRunFileIsReportedAfterTheUserIsLoaded) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    MemorySettingsStore store;
    HolidayList company;
    company.SetDefaults();
    company[40].mark = Utf8ToCp932("○");
    company[40].memo = Utf8ToCp932("創立記念日");
    fs::create_directories(data.Path() / "abc");
    SaveHolidayList(company, data.Path() / "abc" / "Holiday.dat");

    for (const char* user : {"abc", "new"}) {
        SCOPED_TRACE(user);
        const fs::path folder = data.Path() / user;
        fs::create_directories(folder / "mitoran.SET" / "inside");
        Session session(store, folders, user);
        try {
            session.LoadUser(user);
            ADD_FAILURE() << "no error";
        } catch (const FileWriteError& error) {
            EXPECT_EQ(error.Path(), folder / "mitoran.SET");
        }
        EXPECT_EQ(session.settings.SimeDay, 31);
        EXPECT_EQ(session.settings.Kin[1], 200000);
        EXPECT_EQ(session.ledger.LedgerFilePath(), folder / "Vacation.dat");
        // Row 40 is 9 February, a company day off in abc's own list; row 1, 元日, is marked in every list.
        EXPECT_EQ(session.holidays[40].memo, std::string(user) == "abc" ? company[40].memo : "");
        EXPECT_TRUE(session.holidays[1].IsMarked());
        EXPECT_TRUE(fs::is_regular_file(folder / "Holiday.dat"));
    }
}

// A session of the default user in an empty data folder.
class SessionOfAFolder : public ::testing::Test {
protected:
    void SetUp() override { session.LoadUser(""); }

    const test::TempFolder data;
    const test::FixedFolders folders{data.Path()};
    MemorySettingsStore store;
    Session session{store, folders, ""};
};

// OK of the settings dialog: the store, the ".SET" file and the holiday list hold the new values, and the list
// in use is the one written (its commas turned into full stops).
TEST_F(SessionOfAFolder, RegisteredSettingsReachTheStoreAndTheFiles) {
    Settings edited = session.settings;
    edited.SimeDay = 20;
    edited.HanDayAM = "-0.3";
    HolidayList list = session.holidays;
    list[40] = {list[40].date, Utf8ToCp932("○"), Utf8ToCp932("創立,記念日")};
    fs::remove(data.Path() / "mitoran.SET");

    session.RegisterSettings(edited, list);
    EXPECT_EQ(store.ReadValue(UserKeyPath(""), "System", "SimeDay"), "20");
    EXPECT_EQ(session.settings.SimeDay, 20);
    EXPECT_TRUE(fs::is_regular_file(data.Path() / "mitoran.SET"));
    EXPECT_NEAR(session.ledger.DayAmount(LeaveCategory::Gozen), -0.3F, 1e-6);
    EXPECT_EQ(session.holidays[40].memo, Utf8ToCp932("創立.記念日"));
    EXPECT_EQ(session.holidays[40].mark, text::kHolidayListMark);
    HolidayList read;
    ASSERT_TRUE(ReadHolidayList(read, data.Path() / "Holiday.dat"));
    EXPECT_EQ(read, session.holidays);
}

// A store whose file refuses to be written, as a full disk would.
class RefusingStore : public MemorySettingsStore {
public:
    void Flush() override {
        if (refuse)
            throw FileWriteError("Vuvedez.ini");
    }
    bool refuse = false;
};

// Overwrites a file written elsewhere, counting the questions.
class YesToOverwrite : public Questions {
public:
    Answer Ask(const std::string&, const std::string&, Buttons) override {
        ++asked;
        return Answer::Yes;
    }
    int asked = 0;
};

// OK writes all or nothing: whichever of the holiday list, the ".SET" file or the store refuses, the store, both
// files, the settings in use and the ledger's half-day amounts stay as they were, so that Cancel after the
// report leaves everything as before OK. A list that another program replaced is asked about first (edited) or
// read again (not edited), and a list that cannot be read again stops the save as well.
TEST(SessionTest, RefusedSettingsWriteLeavesEverythingAsItWas) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    const fs::path list = data.Path() / "Holiday.dat";
    const fs::path setFile = data.Path() / "mitoran.SET";
    struct Case {
        fs::path refused;
        bool listEdited;
        int questions;
    };
    const Case cases[] = {
        {list, true, 1},
        {list, false, 0},
        {setFile, true, 0},
        {"Vuvedez.ini", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refused.string() + (c.listEdited ? " edited" : ""));
        RefusingStore store;
        Session session(store, folders, "");
        session.LoadUser("");
        Settings first = session.settings;
        first.SimeDay = 20;
        session.RegisterSettings(first, session.holidays);
        const auto storedSystem = store.Values(UserKeyPath(""), "System");
        const auto storedSetting = store.Values(UserKeyPath(""), "Setting");
        const std::string listBytes = test::ReadBytes(list);
        const std::string setBytes = test::ReadBytes(setFile);
        const auto listTime = fs::last_write_time(list);
        const HolidayList listInUse = session.holidays;

        Settings edited = session.settings;
        edited.SimeDay = 25;
        edited.Kin[1] = 1;
        edited.HanDayAM = "-0.3";
        HolidayList editedList = session.holidays;
        if (c.listEdited)
            editedList[41].memo = "x";
        const fs::path moved = data.Path() / "moved";
        if (c.refused.has_parent_path()) {
            fs::rename(c.refused, moved);
            fs::create_directories(c.refused / "inside");
        } else {
            store.refuse = true;
        }
        YesToOverwrite questions;
        try {
            session.RegisterSettingsChecked(edited, editedList, questions);
            ADD_FAILURE() << "no error";
        } catch (const FileWriteError& error) {
            EXPECT_EQ(error.Path(), c.refused);
        }
        EXPECT_EQ(questions.asked, c.questions);
        if (c.refused.has_parent_path()) {
            fs::remove_all(c.refused);
            fs::rename(moved, c.refused);
        }
        store.refuse = false;
        EXPECT_EQ(store.Values(UserKeyPath(""), "System"), storedSystem);
        EXPECT_EQ(store.Values(UserKeyPath(""), "Setting"), storedSetting);
        EXPECT_EQ(test::ReadBytes(list), listBytes);
        EXPECT_EQ(fs::last_write_time(list), listTime); // the list reads as unchanged since it was loaded
        EXPECT_EQ(test::ReadBytes(setFile), setBytes);
        EXPECT_EQ(session.settings.SimeDay, 20);
        EXPECT_EQ(session.settings.Kin[1], 200000);
        EXPECT_NEAR(session.ledger.DayAmount(LeaveCategory::Gozen), -0.5F, 1e-6);
        EXPECT_EQ(session.holidays, listInUse);
        session.ReloadSettings();
        EXPECT_EQ(session.settings.SimeDay, 20);
        fs::remove_all(list);
        fs::remove_all(setFile);
    }
}

// "ｶﾚﾝﾄ設定読み込み" shows the default user's settings and list, writing nothing, not even for a default user
// who has never run.
TEST(SessionTest, DefaultUserSettingsAreReadWithoutWriting) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    MemorySettingsStore store;
    Session session(store, folders, "abc");
    session.LoadUser("abc");
    HolidayList list;
    session.ReadDefaultUserSettings(list);
    EXPECT_TRUE(store.Values(UserKeyPath(""), "System").empty());
    EXPECT_FALSE(fs::exists(data.Path() / "Holiday.dat"));
    EXPECT_EQ(session.settings.Kin[1], 200000);
    EXPECT_TRUE(list[1].IsMarked());

    Session defaultUser(store, folders, "");
    defaultUser.LoadUser("");
    defaultUser.settings.Kin[1] = 123;
    HolidayList marked = defaultUser.holidays;
    marked[100].mark = text::kHolidayListMark;
    defaultUser.RegisterSettings(defaultUser.settings, marked);
    const auto stored = store.Values(UserKeyPath("abc"), "Setting");

    session.ReadDefaultUserSettings(list);
    EXPECT_EQ(session.CurrentUser(), "abc");
    EXPECT_EQ(session.settings.Kin[1], 123);
    EXPECT_TRUE(list[100].IsMarked());
    EXPECT_EQ(store.Values(UserKeyPath("abc"), "Setting"), stored);
    session.ReloadSettings();
    EXPECT_EQ(session.settings.Kin[1], 200000);
}

// Re-creating a month deletes its file and lays it out anew under the closing day now set.
TEST_F(SessionOfAFolder, RecreatedMonthIsEmptyUnderTheNewClosingDay) {
    session.ShowMonth(2004, 3, false);
    session.sheet.days[10][DayColumn::Arrival] = " 8:00";
    session.SaveShownMonth();
    const fs::path file = MonthFilePath(data.Path(), 2004, 3, "");
    ASSERT_TRUE(fs::exists(file));

    session.settings.SimeDay = 20;
    session.RecreateMonth(2004, 3);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(session.sheet.dayCount, 29); // 21 February … 20 March of a leap year
    EXPECT_EQ(session.sheet.days[1][DayColumn::Date], " 2/21");
    EXPECT_FALSE(session.sheet.IsChanged());
    for (int day = 1; day <= session.sheet.dayCount; ++day)
        EXPECT_EQ(session.sheet.days[day][DayColumn::Arrival], "") << day;
}

// The pay window's recalculation computes the figures without making them an edit: a new month and a month as saved
// stay unchanged (leaving them asks nothing), an edited one stays edited.
TEST_F(SessionOfAFolder, RecalculationForTheViewIsNoEdit) {
    session.ShowMonth(2004, 3, false);
    session.sheet.days[9][DayColumn::Arrival] = " 8:00";
    session.sheet.days[9][DayColumn::Leaving] = "20:00";
    session.SaveShownMonth();
    session.ShowMonth(2004, 4, false);

    for (const int month : {3, 4}) {
        SCOPED_TRACE(month);
        session.ShowMonth(2004, month, false);
        session.RecalculateForView();
        EXPECT_FALSE(session.sheet.IsChanged());
    }
    session.ShowMonth(2004, 3, false);
    session.sheet.days[10][DayColumn::Arrival] = " 8:00";
    session.sheet.days[10][DayColumn::Leaving] = "19:00";
    session.RecalculateForView();
    EXPECT_TRUE(session.sheet.IsChanged());
    EXPECT_EQ(session.sheet.days[10][DayColumn::Zangyo], " 2:00");
    EXPECT_EQ(session.sheet.summary.zangyoTime, "  5:00");
}

} // namespace
} // namespace mitoran
