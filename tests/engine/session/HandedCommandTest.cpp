// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/HandedCommand.h"

#include "engine/session/Session.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(HandedCommandTest, RequestsAndAnswersReadBackAsWritten) {
    const HandedCommand commands[] = {
        {"/home/u/.local/share/Quorvan/Vuvedez", "", {"stamp", "in", "--at", "2026-12-08 08:07"}},
        {"C:\\ミトラン\\データ 100%", "山田", {"recalc", "2026", "12"}},
        {"/tmp/a\tb\r\nc", "x%09y", {}},
    };
    for (const HandedCommand& command : commands) {
        const std::string line = HandedCommandLine(command);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_EQ(ParseHandedCommandLine(line), command) << line;
    }
    EXPECT_EQ(HandedCommandLine(commands[0]),
              "mitoran-cli 1\t/home/u/.local/share/Quorvan/Vuvedez\t\tstamp\tin\t--at\t2026-12-08 08:07");

    const HandedResult result{3, "出社 12/ 8(火) は入力済みです\n", "50%\t\r\n"};
    EXPECT_EQ(ParseHandedReplyLine(HandedReplyLine(result)), std::optional<HandedResult>(result));
    const std::optional<std::optional<HandedResult>> declined = ParseHandedReplyLine(HandedReplyLine(std::nullopt));
    ASSERT_TRUE(declined);
    EXPECT_FALSE(*declined);
    EXPECT_EQ(HandedReplyLine(std::nullopt), "mitoran 1\tdeclined");
}

TEST(HandedCommandTest, LinesOfAnotherKindOrVersionAreNoMessages) {
    for (const char* line : {"raise", "", "mitoran-cli 2\t/d\t\tstamp", "mitoran-cli 1", "mitoran-cli 10\t/d\t",
                             "mitoran-cli 1\t/d%4\t", "mitoran-cli 1\t/d%zz\t"}) {
        EXPECT_EQ(ParseHandedCommandLine(line), std::nullopt) << line;
    }
    for (const char* line : {"mitoran 1\tdone\tx\t\t", "mitoran 1\tdone\t0\t", "mitoran 2\tdeclined",
                             "mitoran 1\tdeclined\t", "mitoran 1"}) {
        EXPECT_EQ(ParseHandedReplyLine(line), std::nullopt) << line;
    }
}

TEST(HandedCommandTest, AWindowTakesCommandsOfItsOwnFolderAndUserOnly) {
    const test::TempFolder data;
    const test::FixedFolders folders(data.Path());
    MemorySettingsStore store;
    Session session(store, folders, Utf8ToCp932("山田"));
    session.LoadUser(Utf8ToCp932("山田"));
    const std::string folder = data.Path().string();
    struct Case {
        std::string folder;
        std::string user;
        bool taken;
    };
    const Case cases[] = {
        {folder, "山田", true},
        {folder + "/", "山田", true},
        {folder + "/../" + data.Path().filename().string(), "山田", true},
        {folder, "", false},
        {folder, "田中", false},
        {folder + "-other", "山田", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SessionTakesCommand(session, {c.folder, c.user, {}}), c.taken) << c.folder << " " << c.user;
    ASSERT_TRUE(session.ShowSpan(DaySpan{{2024, 3, 25}, {2024, 4, 24}}));
    EXPECT_FALSE(SessionTakesCommand(session, {folder, "山田", {}}));
}

} // namespace
} // namespace mitoran
