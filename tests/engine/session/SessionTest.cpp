// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Session.h"

#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"

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

} // namespace
} // namespace mitoran
