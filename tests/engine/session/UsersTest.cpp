// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Users.h"

#include "engine/month/MonthFile.h"
#include "engine/session/Session.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

TEST(UsersTest, NamesThatWouldLeaveTheDataFolderAreRefused) {
    for (const std::string name : {"", "abc", "a.b", "...", "A B", "&x", "x..y"})
        EXPECT_TRUE(IsUsableUserName(name)) << name;
    for (const std::string& name :
         {std::string("."), std::string(".."), std::string("../x"), std::string("a/b"), std::string("a\\b"),
          std::string("C:"), std::string("c:x"), std::string("x\tb"), std::string("a\0b", 3)})
        EXPECT_FALSE(IsUsableUserName(name)) << name;
    // 表 ends in the byte of "\" and ソ in that of "\" too: double-byte characters are no separators.
    EXPECT_TRUE(IsUsableUserName(Utf8ToCp932("表ソ")));
    EXPECT_FALSE(IsUsableUserName(Utf8ToCp932("表\\")));
}

TEST(UsersTest, MenuListsUsersWithoutRegardToCaseWithKeysZeroToNineThenAToZ) {
    std::vector<std::string> names{"bob", "Alice", "carol", "ALICE2", "Bea", Utf8ToCp932("山田"), "alice"};
    SortUserNames(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Alice", "alice", "ALICE2", "Bea", "bob", "carol", Utf8ToCp932("山田")}));

    std::vector<std::string> many;
    for (int i = 0; i < 37; ++i)
        many.push_back("u" + std::to_string(100 + i));
    const std::vector<UserMenuItem> items = UserMenuItems(many);
    ASSERT_EQ(items.size(), 38u);
    EXPECT_EQ(Cp932ToUtf8(items[0].caption), "&0 (ｶﾚﾝﾄ)");
    EXPECT_EQ(items[0].user, "");
    struct Expected {
        std::size_t item;
        std::string caption;
    };
    for (const Expected& e :
         {Expected{1, "&1 u100"}, {9, "&9 u108"}, {10, "&A u109"}, {35, "&Z u134"}, {36, "u135"}, {37, "u136"}}) {
        EXPECT_EQ(items[e.item].caption, e.caption);
        EXPECT_EQ(items[e.item].user, many[e.item - 1]);
    }
    // An ampersand in a name is shown, and the name itself stays as it is.
    EXPECT_EQ(UserMenuItems({"R&D"})[1].caption, "&1 R&&D");
    EXPECT_EQ(UserMenuItems({"R&D"})[1].user, "R&D");
}

TEST(UsersTest, KnownUsersHaveAnEntryInTheDataFolderAndASettingsKey) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    MemorySettingsStore store;
    for (const char* folder : {"zed", "Bob", "amy", "nokey"})
        fs::create_directories(data.Path() / folder);
    std::ofstream(data.Path() / "file") << "x";
    for (const char* user : {"zed", "Bob", "amy", "file", "nofolder"})
        store.WriteValue(UserKeyPath(user), "System", "SimeDay", "31");
    const std::string yamada = Utf8ToCp932("山田");
    fs::create_directories(data.Path() / PathFromCp932(yamada));
    store.WriteValue(UserKeyPath(yamada), "System", "Pass", "");

    EXPECT_EQ(KnownUsers(folders, store), (std::vector<std::string>{"amy", "Bob", "file", "zed", yamada}));
    EXPECT_TRUE(KnownUsers(test::FixedFolders(data.Path() / "missing"), store).empty());
}

// A switch leaves the month through the check, then shows the same month from the new user's folder.
TEST(UsersTest, SwitchingUsersGoesThroughTheLeaveMonthCheck) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    MemorySettingsStore store;
    store.WriteValue(UserKeyPath("bob"), "System", "SimeDay", "20");
    Session session(store, folders, "");
    session.LoadUser("");
    session.ShowMonth(2004, 3, true);
    session.sheet.days[1][DayColumn::Arrival] = " 8:00";

    int checks = 0;
    const auto refuse = [&] { return ++checks, false; };
    const auto allow = [&] { return ++checks, true; };
    EXPECT_EQ(SwitchUser(session, "", {2004, 3}, allow), SwitchOutcome::SameUser);
    EXPECT_EQ(SwitchUser(session, "bob", {2004, 3}, refuse), SwitchOutcome::Refused);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(session.CurrentUser(), "");
    EXPECT_EQ(session.settings.SimeDay, 31);
    EXPECT_EQ(session.sheet.days[1][DayColumn::Arrival], " 8:00");

    EXPECT_EQ(SwitchUser(session, "bob", {2004, 3}, allow), SwitchOutcome::Switched);
    EXPECT_EQ(session.CurrentUser(), "bob");
    EXPECT_EQ(session.settings.SimeDay, 20);
    EXPECT_EQ(session.ledger.LedgerFilePath(), data.Path() / "bob" / "Vacation.dat");
    EXPECT_EQ(session.sheet.loadedYear, 2004);
    EXPECT_EQ(session.sheet.loadedMonth, 3);
    EXPECT_EQ(session.sheet.days[1][DayColumn::Arrival], "");
    EXPECT_FALSE(session.sheet.IsChanged());
}

} // namespace
} // namespace mitoran
