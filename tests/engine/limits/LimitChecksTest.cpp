// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitChecks.h"

#include "engine/settings/LimitSettings.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

constexpr int H = 60;

LimitSettings General() {
    return {};
}

LimitSettings WithSpecialClause() {
    LimitSettings limits;
    limits.Special = true;
    return limits;
}

struct HeadroomCase {
    const char* name;
    LimitSettings limits;
    LimitInputs inputs;
    int minutes;
    LimitRule rule;
    int months = 0;
};

void ExpectHeadroom(const HeadroomCase& c) {
    SCOPED_TRACE(c.name);
    const Headroom headroom = HeadroomOf(LimitChecksOf(c.inputs, c.limits));
    EXPECT_EQ(headroom.minutes, c.minutes);
    EXPECT_EQ(LimitRuleName(headroom.binding.rule), LimitRuleName(c.rule));
    EXPECT_EQ(headroom.binding.months, c.months);
}

// Inputs: 時間外 of the month, year to date, months over the limit before, then T(M), T(M−1), … .
TEST(LimitChecks, EachLimitBindsInTurn) {
    const HeadroomCase cases[] = {
        {"月の上限", General(), {40 * H, 100 * H, 0, {40 * H}}, 5 * H, LimitRule::Month},
        {"年の上限", General(), {10 * H, 355 * H, 0, {10 * H}}, 5 * H, LimitRule::Year},
        {"特別条項の月上限", WithSpecialClause(), {75 * H, 400 * H, 0, {75 * H}}, 5 * H, LimitRule::SpecialMonth},
        {"特別条項の年上限", WithSpecialClause(), {30 * H, 715 * H, 0, {30 * H}}, 5 * H, LimitRule::SpecialYear},
        {"月100時間未満 with 休日労働", WithSpecialClause(), {70 * H, 300 * H, 0, {98 * H}}, 119, LimitRule::Under100},
        {"2か月平均", WithSpecialClause(), {50 * H, 300 * H, 0, {50 * H, 95 * H}}, 15 * H, LimitRule::Average, 2},
        {"4か月平均",
         WithSpecialClause(),
         {40 * H, 300 * H, 0, {40 * H, 85 * H, 85 * H, 85 * H}},
         25 * H,
         LimitRule::Average,
         4},
        {"6か月平均",
         WithSpecialClause(),
         {10 * H, 300 * H, 0, {10 * H, 90 * H, 90 * H, 90 * H, 90 * H, 90 * H}},
         20 * H,
         LimitRule::Average,
         6},
        {"broken: negative", General(), {50 * H, 100 * H, 0, {50 * H}}, -5 * H, LimitRule::Month},
    };
    for (const HeadroomCase& c : cases)
        ExpectHeadroom(c);
}

TEST(LimitChecks, TiesNameTheFirstRuleInOrder) {
    LimitSettings equalMonths = WithSpecialClause();
    equalMonths.SpecialMonth = 45 * H;
    const HeadroomCase cases[] = {
        {"month before year", General(), {40 * H, 355 * H, 0, {40 * H}}, 5 * H, LimitRule::Month},
        {"special month before special year",
         WithSpecialClause(),
         {75 * H, 715 * H, 0, {75 * H}},
         5 * H,
         LimitRule::SpecialMonth},
        {"month before special month", equalMonths, {40 * H, 100 * H, 6, {40 * H}}, 5 * H, LimitRule::Month},
        {"year before 100 hours", General(), {10 * H, 355 * H, 0, {95 * H - 1}}, 5 * H, LimitRule::Year},
        {"100 hours before the averages",
         WithSpecialClause(),
         {30 * H, 100 * H, 0, {95 * H - 1, 60 * H + 1}},
         5 * H,
         LimitRule::Under100},
        {"shorter average first",
         WithSpecialClause(),
         {30 * H, 100 * H, 0, {75 * H, 80 * H, 80 * H}},
         5 * H,
         LimitRule::Average,
         2},
    };
    for (const HeadroomCase& c : cases)
        ExpectHeadroom(c);
}

TEST(LimitChecks, MonthlyLimitReturnsOnceTheSpecialClauseIsUsedUp) {
    LimitSettings twice = WithSpecialClause();
    twice.SpecialTimes = 2;
    const HeadroomCase cases[] = {
        {"five months over before",
         WithSpecialClause(),
         {40 * H, 300 * H, 5, {40 * H}},
         40 * H,
         LimitRule::SpecialMonth},
        {"six months over before", WithSpecialClause(), {40 * H, 300 * H, 6, {40 * H}}, 5 * H, LimitRule::Month},
        {"times set to 2", twice, {40 * H, 300 * H, 2, {40 * H}}, 5 * H, LimitRule::Month},
        {"without the clause the count does not matter",
         General(),
         {44 * H, 300 * H, 9, {44 * H}},
         H,
         LimitRule::Month},
    };
    for (const HeadroomCase& c : cases)
        ExpectHeadroom(c);
}

TEST(LimitChecks, LevelsAtSeventyNinetyAndTheLimit) {
    const struct {
        int used;
        int limit;
        LimitLevel level;
    } cases[] = {
        {31 * H + 29, 45 * H, LimitLevel::None},
        {31 * H + 30, 45 * H, LimitLevel::Seventy},
        {40 * H + 29, 45 * H, LimitLevel::Seventy},
        {40 * H + 30, 45 * H, LimitLevel::Ninety},
        {45 * H - 1, 45 * H, LimitLevel::Ninety},
        {45 * H, 45 * H, LimitLevel::Reached},
        {50 * H, 45 * H, LimitLevel::Reached},
        {252 * H, 360 * H, LimitLevel::Seventy},
        {324 * H, 360 * H, LimitLevel::Ninety},
        {168 * H, 240 * H, LimitLevel::Seventy},
        {0, 0, LimitLevel::Reached}, // a limit of 0:00 leaves nothing
        {0, 45 * H, LimitLevel::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.used << " of " << c.limit);
        EXPECT_EQ(LevelOf({LimitRule::Month, 0, c.used, c.limit}), c.level);
    }

    // The five averages are one limit: its level is the highest of them.
    const std::vector<LimitCheck> checks =
        LimitChecksOf({10 * H, 100 * H, 0, {10 * H, 90 * H, 90 * H, 90 * H, 90 * H, 90 * H}}, General());
    EXPECT_EQ(RuleLevel(checks, LimitRule::Average), LimitLevel::Ninety); // 6 months: 460 of 480
    EXPECT_EQ(RuleLevel(checks, LimitRule::Month), LimitLevel::None);
    EXPECT_EQ(RuleLevel(checks, LimitRule::SpecialMonth), LimitLevel::None); // does not apply
    EXPECT_EQ(HighestLevel(checks), LimitLevel::Ninety);
}

TEST(LimitChecks, TextsOfTheWindow) {
    const struct {
        int minutes;
        const char* text;
    } times[] = {{0, "0:00"}, {750, "12:30"}, {360 * H, "360:00"}, {-90, "-1:30"}, {-600, "-10:00"}};
    for (const auto& t : times)
        EXPECT_EQ(LimitTimeText(t.minutes), t.text);

    const Headroom headroom{750, {LimitRule::Average, 3, 0, 0}};
    EXPECT_EQ(Cp932ToUtf8(HeadroomText(headroom)), "今月あと 12:30 (2～6か月平均80時間)");
    EXPECT_EQ(Cp932ToUtf8(LimitRuleName(LimitRule::Under100)), "月100時間未満");
    EXPECT_EQ(Cp932ToUtf8(LimitLevelName(LimitLevel::Ninety)), "90%以上");
    EXPECT_FALSE(LimitLevelColor(LimitLevel::None));
    EXPECT_NE(LimitLevelColor(LimitLevel::Ninety), LimitLevelColor(LimitLevel::Reached));
}

} // namespace
} // namespace mitoran
