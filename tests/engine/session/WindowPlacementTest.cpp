// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/WindowPlacement.h"

#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(WindowPlacementTest, PositionsNearTheFarEdgeAreCentred) {
    const WindowSize desktop{1024, 1280};
    const WindowSize window{400, 300};
    EXPECT_EQ(CentredOffset(1024, 400), 312);
    EXPECT_EQ(CentredOffset(100, 301), -100); // halves rounded toward zero
    struct Case {
        WindowPosition stored;
        WindowPosition expected;
    };
    const Case cases[] = {
        {{2000, 100}, {312, 100}}, // saved top off a 1024-pixel desktop: centred vertically, left kept
        {{974, 1230}, {974, 1230}},
        {{975, 1231}, {312, 490}},
        {{-20, -300}, {-20, -300}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OnScreenPosition(c.stored, window, desktop), c.expected);
}

TEST(WindowPlacementTest, StoreKeepsValuesUnderTheStartUsersPositionKey) {
    MemorySettingsStore store;
    WindowPlacementStore placements(store, "tanaka");
    const WindowSize desktop{768, 1024};
    EXPECT_EQ(placements.RestorePosition("TZangyoMain", {400, 500}, desktop), (WindowPosition{184, 262}));
    EXPECT_EQ(placements.RestoreSize("TZangyoMain", {400, 500}), (WindowSize{400, 500}));

    placements.SavePosition("TZangyoMain", {10, 20});
    placements.SaveSize("TZangyoMain", {600, 450});
    const auto values = store.Values(UserKeyPath("tanaka"), "Position");
    EXPECT_EQ(values.at("TZangyoMain.Top"), "10");
    EXPECT_EQ(values.at("TZangyoMain.Left"), "20");
    EXPECT_EQ(values.at("TZangyoMain.Height"), "600");
    EXPECT_EQ(values.at("TZangyoMain.Width"), "450");
    EXPECT_EQ(placements.RestorePosition("TZangyoMain", {400, 500}, desktop), (WindowPosition{10, 20}));
    EXPECT_EQ(placements.RestoreSize("TZangyoMain", {1, 1}), (WindowSize{600, 450}));
    EXPECT_TRUE(store.Values(UserKeyPath(""), "Position").empty());
}

TEST(WindowPlacementTest, ReleaseLabelsAndDesktopChoice) {
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::Win32s, 3, 1), "31");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::Windows9x, 4, 0), "95");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::Windows9x, 4, 10), "98");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::WindowsNT, 4, 0), "NT");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::WindowsNT, 5, 0), "2000");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::WindowsNT, 5, 1), "XP");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::WindowsNT, 10, 0), "2000");
    EXPECT_EQ(OsReleaseLabelOf(PlatformKind::Other, 6, 1), "");

    EXPECT_TRUE(UsesVirtualDesktop("2000", true));
    EXPECT_TRUE(UsesVirtualDesktop("98", true));
    EXPECT_FALSE(UsesVirtualDesktop("95", true));
    EXPECT_FALSE(UsesVirtualDesktop("NT", true));
    EXPECT_FALSE(UsesVirtualDesktop("", true));
    EXPECT_TRUE(UsesVirtualDesktop("", false));
}

} // namespace
} // namespace mitoran
