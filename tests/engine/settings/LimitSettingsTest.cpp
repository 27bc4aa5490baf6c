// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/LimitSettings.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace mitoran {
namespace {

constexpr int H = 60;
const std::string kBase = "Software\\Quorvan\\Vuvedez";

TEST(LimitSettings, LimitsAreHeldWithinTheLaw) {
    const struct {
        LimitField field;
        const char* text;
        int expected;
    } cases[] = {
        {LimitField::Month, "30:15", 30 * H + 15},
        {LimitField::Month, "50:00", 45 * H},
        {LimitField::Month, "-3:00", 0},
        {LimitField::Month, "abc", 45 * H},
        {LimitField::Month, "", 45 * H},
        {LimitField::Month, "4:5x", 45 * H},
        {LimitField::Year, "400:00", 360 * H},
        {LimitField::Year, "320:00", 320 * H},
        {LimitField::SpecialMonth, "120:00", 99 * H + 59},
        {LimitField::SpecialMonth, "99:59", 99 * H + 59},
        {LimitField::SpecialMonth, "x", 80 * H},
        {LimitField::SpecialMonth, "\xef\xbc\x97\xef\xbc\x90\xef\xbc\x9a\xef\xbc\x90\xef\xbc\x90",
         70 * H}, // ７０：００
        {LimitField::SpecialYear, "800:00", 720 * H},
        {LimitField::SpecialYear, " 600.30 ", 600 * H + 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HeldLimitMinutes(Utf8ToCp932(c.text), c.field), c.expected);
    }
    EXPECT_EQ(HeldStartMonth(0), 1);
    EXPECT_EQ(HeldStartMonth(13), 12);
    EXPECT_EQ(HeldSpecialTimes(-1), 0);
    EXPECT_EQ(HeldSpecialTimes(12), 6);
}

class LimitSettingsStore : public testing::Test {
protected:
    SettingsContext Context() { return {m_store, m_folders, "", ""}; }
    // A user whose settings exist already, with the given values in the group "Limits".
    LimitSettings Loaded(const std::map<std::string, std::string>& group) {
        m_store.WriteValue(kBase, "System", "SimeDay", "31");
        for (const auto& [name, value] : group)
            m_store.WriteValue(kBase, "Limits", name, value);
        Settings settings;
        LoadSettings(settings, Context());
        return settings.Limits;
    }

    test::TempFolder m_temp;
    test::FixedFolders m_folders{m_temp.Path()};
    MemorySettingsStore m_store;
};

TEST_F(LimitSettingsStore, StoredValuesReadWithinTheLaw) {
    const LimitSettings limits = Loaded({{"Start", "13"},
                                         {"Month", "46:00"},
                                         {"Year", "-1:00"},
                                         {"Special", "1"},
                                         {"SpecialMonth", "zz"},
                                         {"SpecialYear", "1000:00"},
                                         {"SpecialTimes", "9"}});
    EXPECT_EQ(limits.Start, 12);
    EXPECT_EQ(limits.Month, 45 * H);
    EXPECT_EQ(limits.Year, 0);
    EXPECT_TRUE(limits.Special);
    EXPECT_EQ(limits.SpecialMonth, 80 * H);
    EXPECT_EQ(limits.SpecialYear, 720 * H);
    EXPECT_EQ(limits.SpecialTimes, 6);
    EXPECT_EQ(Loaded({{"Start", "x"}, {"SpecialTimes", "-2"}}).Start, 4);
}

TEST_F(LimitSettingsStore, WarningIsOnOnceLimitsAreSet) {
    const struct {
        const char* name;
        std::map<std::string, std::string> group;
        bool set;
        bool warning;
    } cases[] = {
        {"nothing stored", {}, false, false},
        {"only the main window's line", {{"MainDisp", "1"}}, false, false},
        {"a limit stored", {{"Year", "300:00"}}, true, true},
        {"the special clause stored", {{"Special", "0"}}, true, true},
        {"a limit and the warning off", {{"Month", "40:00"}, {"Warning", "0"}}, true, false},
        {"the warning asked for without limits", {{"Warning", "1"}}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_store.DeleteSubkey(kBase, "Limits");
        const LimitSettings limits = Loaded(c.group);
        EXPECT_EQ(limits.Set, c.set);
        EXPECT_EQ(limits.Warning, c.warning);
    }
}

TEST_F(LimitSettingsStore, SavedSettingsLoadTheSame) {
    LimitSettings set;
    set.Set = true;
    set.Start = 10;
    set.Month = 42 * H;
    set.Special = true;
    set.SpecialMonth = 99 * H + 59;
    set.SpecialTimes = 3;
    set.MainDisp = true;
    set.Warning = true;
    LimitSettings quiet = set;
    quiet.Warning = false;
    LimitSettings askedFor;
    askedFor.Warning = true;
    for (const LimitSettings& limits : {LimitSettings{}, set, quiet, askedFor}) {
        m_store.DeleteSubkey(kBase, "Limits");
        Settings settings;
        LoadSettings(settings, Context());
        settings.Limits = limits;
        SaveSettings(settings, Context());
        Settings back;
        LoadSettings(back, Context());
        EXPECT_EQ(back.Limits, limits);
    }
    EXPECT_FALSE(m_store.ReadValue(kBase, "Limits", "SpecialMonth")); // the last, askedFor: limits not set
    EXPECT_EQ(m_store.ReadValue(kBase, "Limits", "Warning"), "1");
}

TEST(LimitSettings, SettingsPageSetsTheLimits) {
    LimitSettings variable;
    ApplyVariableHoursLimits(variable);
    EXPECT_EQ(variable.Month, 42 * H);
    EXPECT_EQ(variable.Year, 320 * H);
    EXPECT_EQ(variable.SpecialMonth, LimitSettings{}.SpecialMonth);

    LimitSettings unticked;
    unticked.Month = 40 * H;
    LimitSettings beyondLaw;
    beyondLaw.SpecialTimes = 8;
    beyondLaw.Year = 500 * H;
    LimitSettings mainLine;
    mainLine.MainDisp = true;
    LimitSettings wasSet;
    wasSet.Set = true;
    wasSet.Warning = true;
    const struct {
        const char* name;
        LimitSettings before;
        LimitSettings page;
        bool set;
        bool warning;
    } cases[] = {
        {"unchanged page", {}, {}, false, false},
        {"the variable-hours button", {}, variable, true, true},
        {"only the main window's line", {}, mainLine, false, false},
        {"beyond the law: held at the law, no change", {}, beyondLaw, false, false},
        {"set before, the warning turned off", wasSet, unticked, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LimitSettings limits = c.before;
        StoreLimitsPage(c.page, limits);
        EXPECT_EQ(limits.Set, c.set);
        EXPECT_EQ(limits.Warning, c.warning);
        EXPECT_LE(limits.Year, kLawYearLimit);
        EXPECT_LE(limits.SpecialTimes, kLawSpecialTimes);
    }
}

} // namespace
} // namespace mitoran
