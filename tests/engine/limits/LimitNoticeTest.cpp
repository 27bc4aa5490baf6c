// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitNotice.h"

#include "engine/limits/AgreementYear.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

constexpr int H = 60;

LimitSettings Warned() {
    LimitSettings limits;
    limits.Warning = true;
    return limits;
}

// April 2024 with the given 時間外 and nothing else.
LimitMonth April(int overtime, const LimitSettings& limits) {
    std::array<MonthOvertime, kAgreementFigures> figures{};
    figures[kMonthsBeforeYear].overtime = overtime;
    return BuildAgreementYear({2024, 4}, figures, limits).months[0];
}

TEST(LimitNotice, OneNoticePerLevelNewlyReached) {
    const struct {
        const char* name;
        int before;
        int after;
        LimitLevel notified;
        LimitLevel level; // None: no notice
        const char* text;
    } cases[] = {
        {"70 %", 30 * H, 32 * H, LimitLevel::None, LimitLevel::Seventy,
         "2024年4月は月の上限の70%に達しました。あと 13:00 です。"},
        {"90 % after 70 %", 32 * H, 41 * H, LimitLevel::Seventy, LimitLevel::Ninety,
         "2024年4月は月の上限の90%に達しました。あと 4:00 です。"},
        {"the limit", 44 * H, 45 * H, LimitLevel::Ninety, LimitLevel::Reached,
         "2024年4月は月の上限に達しました。あと 0:00 です。"},
        {"beyond the limit", 41 * H, 50 * H, LimitLevel::Ninety, LimitLevel::Reached,
         "2024年4月は月の上限を超えました。超過 5:00 です。"},
        {"a jump gives one notice of the highest level", 20 * H, 46 * H, LimitLevel::None, LimitLevel::Reached,
         "2024年4月は月の上限を超えました。超過 1:00 です。"},
        {"not twice for a month", 30 * H, 33 * H, LimitLevel::Seventy, LimitLevel::None, ""},
        {"a level told before a lower figure", 20 * H, 33 * H, LimitLevel::Ninety, LimitLevel::None, ""},
        {"a save that crosses nothing", 32 * H, 35 * H, LimitLevel::None, LimitLevel::None, ""},
        {"a save that lowers the figure", 41 * H, 30 * H, LimitLevel::None, LimitLevel::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<LimitNotice> notice =
            SaveNotice(Warned(), April(c.before, Warned()), April(c.after, Warned()), c.notified);
        if (c.level == LimitLevel::None) {
            EXPECT_FALSE(notice);
            continue;
        }
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->level, c.level);
        EXPECT_EQ(notice->check.rule, LimitRule::Month);
        EXPECT_EQ(Cp932ToUtf8(notice->caption), "36協定");
        EXPECT_EQ(Cp932ToUtf8(notice->text), c.text);
    }
}

TEST(LimitNotice, NamesTheLimitThatRoseAndStaysQuietWhenOff) {
    // The yearly limit passes 90 % while the month stays low: the notice names the year and its time left.
    std::array<MonthOvertime, kAgreementFigures> figures{};
    for (int m = 0; m < 9; ++m)
        figures[static_cast<std::size_t>(kMonthsBeforeYear + m)].overtime = 35 * H;
    const LimitMonth before = BuildAgreementYear({2024, 4}, figures, Warned()).months[9];
    figures[kMonthsBeforeYear + 9].overtime = 20 * H;
    const LimitMonth after = BuildAgreementYear({2024, 4}, figures, Warned()).months[9];
    const std::optional<LimitNotice> notice = SaveNotice(Warned(), before, after, LimitLevel::Seventy);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->check.rule, LimitRule::Year);
    EXPECT_EQ(Cp932ToUtf8(notice->text), "2025年1月は年の上限の90%に達しました。あと 25:00 です。");

    EXPECT_FALSE(SaveNotice(LimitSettings{}, before, after, LimitLevel::None));
}

TEST(LimitNotice, LevelToldIsKeptPerUserAndMonth) {
    MemorySettingsStore store;
    test::TempFolder folder;
    test::FixedFolders folders(folder.Path());
    const SettingsContext defaultUser{store, folders, "", ""};
    const SettingsContext other{store, folders, "abc", ""};

    EXPECT_EQ(NotifiedLevel(defaultUser, {2024, 4}), LimitLevel::None);
    KeepNotifiedLevel(defaultUser, {2024, 4}, LimitLevel::Ninety);
    EXPECT_EQ(NotifiedLevel(defaultUser, {2024, 4}), LimitLevel::Ninety);
    EXPECT_EQ(NotifiedLevel(defaultUser, {2024, 5}), LimitLevel::None);
    EXPECT_EQ(NotifiedLevel(other, {2024, 4}), LimitLevel::None);
    EXPECT_EQ(store.ReadValue("Software\\Quorvan\\Vuvedez", "Limits", "Notice202404"), "2");

    // A value edited beyond the levels reads within them.
    store.WriteValue("Software\\Quorvan\\Vuvedez", "Limits", "Notice202405", "9");
    EXPECT_EQ(NotifiedLevel(defaultUser, {2024, 5}), LimitLevel::Reached);

    // The told levels are no limits: the limits stay unset.
    Settings settings;
    LoadSettings(settings, defaultUser);
    EXPECT_FALSE(settings.Limits.Set);
}

} // namespace
} // namespace mitoran
