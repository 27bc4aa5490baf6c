// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Tray.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

using Arguments = std::vector<std::string>;

TEST(TrayTest, EachRouteMinimisesHandsOverAndHidesAsItsFlagsSay) {
    struct Case {
        MinimiseRoute route;
        MinimiseState state;
        MinimisePlan plan;
    };
    using R = MinimiseRoute;
    const Case cases[] = {
        // Esc acts only with "EscKeyMin".
        {R::EscKey, {.escKeyMin = false, .idleProcess = true, .trayAvailable = true}, {}},
        {R::EscKey, {.escKeyMin = true, .trayAvailable = true}, {true, true, false, true}},
        {R::EscKey, {.escKeyMin = true, .idleProcess = true, .trayAvailable = true}, {true, true, true, true}},
        // The window's own minimise ignores "EscKeyMin".
        {R::WindowCommand, {.trayAvailable = true}, {true, true, false, true}},
        {R::WindowCommand, {.idleProcess = true, .trayAvailable = true}, {true, true, true, true}},
        // Without a notification area the window stays minimised where it can be brought back.
        {R::WindowCommand, {}, {true, true, false, false}},
        {R::EscKey, {.escKeyMin = true, .idleProcess = true}, {true, true, true, false}},
        // The start-up timer keeps the image, and "/Disp" or "/Down" start no watcher.
        {R::StartupTimer, {.idleProcess = true, .trayAvailable = true}, {true, false, true, true}},
        {R::StartupTimer,
         {.idleProcess = true, .startedMinimised = true, .trayAvailable = true},
         {true, false, false, true}},
        {R::StartupTimer, {.startedMinimised = true}, {true, false, false, false}},
        // The no-sibling flag belongs to the timer alone.
        {R::WindowCommand,
         {.idleProcess = true, .startedMinimised = true, .trayAvailable = true},
         {true, true, true, true}},
    };
    for (const Case& c : cases) {
        const MinimisePlan plan = PlanMinimise(c.route, c.state);
        SCOPED_TRACE(testing::Message() << "route " << static_cast<int>(c.route) << " escKeyMin " << c.state.escKeyMin
                                        << " idle " << c.state.idleProcess << " started minimised "
                                        << c.state.startedMinimised << " tray " << c.state.trayAvailable);
        EXPECT_EQ(plan.minimise, c.plan.minimise);
        EXPECT_EQ(plan.changeIcon, c.plan.changeIcon);
        EXPECT_EQ(plan.startWatcher, c.plan.startWatcher);
        EXPECT_EQ(plan.hideWindow, c.plan.hideWindow);
    }

    EXPECT_EQ(AfterStartupMinimise(ParseCommandLine({"/Disp"})), AfterMinimise::Restore);
    EXPECT_EQ(AfterStartupMinimise(ParseCommandLine({"/Down", "/M"})), AfterMinimise::Close);
    EXPECT_EQ(AfterStartupMinimise(ParseCommandLine({"/M", "/Down"})), AfterMinimise::Stay);
    EXPECT_EQ(AfterStartupMinimise(ParseCommandLine({})), AfterMinimise::Stay);
}

TEST(TrayTest, RestoreAsksOnlyWithPasswordAndReOpenPassInAndOneAtATime) {
    EXPECT_FALSE(RestoreAsksPassword("", true));
    EXPECT_FALSE(RestoreAsksPassword("secret", false));
    EXPECT_TRUE(RestoreAsksPassword("secret", true));

    TrayRestore restore;
    int asked = 0;
    EXPECT_EQ(restore.Restore(false, [&] { return ++asked, false; }), RestoreOutcome::Granted);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(restore.Restore(true, [&] { return ++asked, false; }), RestoreOutcome::Refused);
    // A refusal never sticks: the next restore asks afresh.
    EXPECT_EQ(restore.Restore(true, [&] { return ++asked, true; }), RestoreOutcome::Granted);
    EXPECT_EQ(asked, 2);

    // A restore while the prompt is open only finds it open.
    RestoreOutcome inner = RestoreOutcome::Granted;
    EXPECT_EQ(restore.Restore(true,
                              [&] {
                                  EXPECT_TRUE(restore.Asking());
                                  inner = restore.Restore(true, [&] { return ++asked, true; });
                                  return false;
                              }),
              RestoreOutcome::Refused);
    EXPECT_EQ(inner, RestoreOutcome::AlreadyAsking);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(restore.Asking());
}

TEST(TrayTest, WatcherCommandLineCarriesTheIconAndTheUserPart) {
    const std::string yamada = Utf8ToCp932("山田 太郎");
    struct Case {
        Arguments programLine;
        int iconSelect;
        Arguments watcher;
    };
    const Case cases[] = {
        {{}, 0, {"/Idle", "0"}},
        {{"/M"}, 2, {"/Idle", "2", "/M"}},
        {{"/u:abc"}, 1, {"/Idle", "1", "/U:abc"}},
        {{"/U:abc", "/m"}, 0, {"/Idle", "0", "/M"}},
        // A name with blanks stays one argument.
        {{"/U:" + yamada}, 1, {"/Idle", "1", "/U:" + yamada}},
        {{"/Disp", "/U:"}, 0, {"/Idle", "0"}},
    };
    for (const Case& c : cases) {
        const Arguments watcher = WatcherArguments(c.iconSelect, ParseCommandLine(c.programLine));
        EXPECT_EQ(watcher, c.watcher);
        // The watcher reads back what it was given and hands the user part on.
        const WatcherCommandLine read = ParseWatcherCommandLine(watcher);
        EXPECT_EQ(read.iconSelect, c.iconSelect);
        Arguments userPart(c.watcher.begin() + 2, c.watcher.end());
        EXPECT_EQ(ProgramArguments(WatcherAction::Open, read), userPart);
        userPart.insert(userPart.begin(), "/Down");
        EXPECT_EQ(ProgramArguments(WatcherAction::SessionEnd, read), userPart);
        userPart.front() = "/Disp";
        EXPECT_EQ(ProgramArguments(WatcherAction::Returned, read), userPart);
    }
    EXPECT_EQ(ParseWatcherCommandLine({"/idle", "x"}).iconSelect, 0);
    EXPECT_EQ(ParseWatcherCommandLine({"/Idle"}).iconSelect, 0);
}

} // namespace
} // namespace mitoran
