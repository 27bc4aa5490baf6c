// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/TargetBar.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/ColorRef.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mitoran {
namespace {

constexpr std::int32_t kCyan = RgbColor(0, 255, 255);
constexpr std::int32_t kBlue = RgbColor(0, 0, 255);
constexpr std::int32_t kYellow = RgbColor(255, 255, 0);
constexpr std::int32_t kRed = RgbColor(255, 0, 0);
constexpr std::int32_t kLightCyan = RgbColor(128, 255, 255);
constexpr std::int32_t kLightRed = RgbColor(255, 128, 128);

MonthSheet SheetWith(const std::string& sum, const std::string& remainder) {
    MonthSheet sheet;
    sheet.summary.sumTime = sum;
    sheet.summary.mokuhyoTime = remainder;
    return sheet;
}

int CountFilled(const TargetBar& bar, std::int32_t color) {
    return static_cast<int>(
        std::ranges::count_if(bar.segments, [&](const BarSegment& s) { return s.filled && s.color == color; }));
}

std::vector<int> TickCentres(const TargetBar& bar) {
    std::vector<int> centres;
    for (const BarRect& tick : bar.ticks)
        centres.push_back((tick.left + tick.right) / 2);
    return centres;
}

TEST(TargetBarTest, EightyThreePercentFillsFifteenCyanAndTenBlue) {
    // S = 1000, T = S - remainder = 1200.
    const TargetBar bar = ComputeTargetBar(SheetWith(" 16:40", " -3:20"), false, "", 450, 16);
    ASSERT_TRUE(bar.hasTarget);
    EXPECT_EQ(bar.percent, 83);
    EXPECT_EQ(bar.parText, "83%");
    EXPECT_FALSE(bar.parRed);
    EXPECT_EQ(bar.filledCount, 25);
    ASSERT_EQ(bar.segments.size(), 46u); // U = 10, C = (450 + 11) div 10
    EXPECT_EQ(CountFilled(bar, kCyan), 15);
    EXPECT_EQ(CountFilled(bar, kBlue), 10);
    EXPECT_EQ(bar.segments[0].rect, (BarRect{1, 3, 9, 15}));
    EXPECT_EQ(bar.segments[25].color, RgbColor(128, 128, 255));
    EXPECT_FALSE(bar.segments[25].filled);
    EXPECT_EQ(bar.segments[44].color, RgbColor(255, 255, 128));
    EXPECT_EQ(bar.segments[45].rect.right, 450); // cut at the drawing area's width
    ASSERT_EQ(bar.ticks.size(), 15u);            // every third segment of 46
    EXPECT_EQ(bar.ticks[0], (BarRect{29, 0, 31, 2}));
    EXPECT_EQ(bar.ticks[4], (BarRect{148, 0, 152, 2})); // wider at 15
}

TEST(TargetBarTest, OneHundredFiftyPercentFillsAllFortyFive) {
    const TargetBar bar = ComputeTargetBar(SheetWith(" 30:00", ""), true, "20:00", 450, 16);
    EXPECT_EQ(bar.percent, 150);
    EXPECT_EQ(bar.filledCount, 45);
    EXPECT_EQ(CountFilled(bar, kCyan), 15);
    EXPECT_EQ(CountFilled(bar, kBlue), 15);
    EXPECT_EQ(CountFilled(bar, kYellow), 15);
    EXPECT_FALSE(bar.segments[45].filled);
}

TEST(TargetBarTest, MinusTenPercentFillsNineRedWithTicksEveryNine) {
    const TargetBar bar = ComputeTargetBar(SheetWith(" -2:00", "-22:00"), false, "", 450, 16);
    EXPECT_EQ(bar.percent, -10);
    EXPECT_EQ(bar.parText, "-10%");
    EXPECT_TRUE(bar.parRed);
    EXPECT_EQ(bar.filledCount, 9);
    EXPECT_EQ(CountFilled(bar, kRed), 9);
    EXPECT_EQ(bar.segments[9].color, kLightRed);
    EXPECT_EQ(TickCentres(bar), (std::vector<int>{90, 180, 270, 360, 450}));
    EXPECT_EQ(bar.ticks[4], (BarRect{448, 0, 452, 2})); // wider at 45
}

TEST(TargetBarTest, NoTargetShowsDashesAndNoBar) {
    for (const TargetBar& bar : {ComputeTargetBar(SheetWith(" 10:00", ""), true, "", 450, 16),
                                 ComputeTargetBar(SheetWith(" 10:00", " 10:00"), false, "", 450, 16),
                                 ComputeTargetBar(SheetWith("", " 5:00"), false, "", 450, 16)}) {
        EXPECT_FALSE(bar.hasTarget);
        EXPECT_EQ(bar.parText, "---%");
        EXPECT_EQ(bar.mokuZanText, "--:--");
        EXPECT_TRUE(bar.segments.empty());
        EXPECT_TRUE(bar.ticks.empty());
    }
    // A drawing area narrower than 45 pixels gives text but no segments rather than a division by zero.
    EXPECT_TRUE(ComputeTargetBar(SheetWith(" 10:00", ""), true, "20:00", 30, 16).segments.empty());
}

TEST(TargetBarTest, DailyOvertimeNeededOverTheDaysLeft) {
    MonthSheet sheet = SheetWith("  8:00", "-12:00");
    sheet.dayCount = 10;
    for (int d = 1; d <= 10; ++d)
        sheet.days[d][DayColumn::Kubun] = "  ";
    for (int d = 1; d <= 3; ++d) {
        sheet.days[d][DayColumn::Arrival] = " 8:00";
        sheet.days[d][DayColumn::Leaving] = "20:00";
    }
    sheet.days[4][DayColumn::Arrival] = " 0:00"; // an arrival at midnight counts as present
    sheet.days[4][DayColumn::Leaving] = " 9:00";
    sheet.days[5][DayColumn::Arrival] = " 9:00"; // a leaving time of 0:00 does not
    sheet.days[5][DayColumn::Leaving] = " 0:00";
    sheet.days[6][DayColumn::Kubun] = "\x81\x9B"; // a day off without times is not counted
    // N = 9, D = 4: 720 minutes over 5 days.
    EXPECT_EQ(ComputeTargetBar(sheet, false, "", 450, 16).mokuZanText, " 2:24");

    for (int d = 5; d <= 10; ++d) {
        sheet.days[d][DayColumn::Arrival] = " 8:00";
        sheet.days[d][DayColumn::Leaving] = "18:00";
    }
    EXPECT_EQ(ComputeTargetBar(sheet, false, "", 450, 16).mokuZanText, "--:--"); // all days done
    EXPECT_EQ(ComputeTargetBar(SheetWith(" 25:00", "  5:00"), false, "", 450, 16).mokuZanText, "--:--");
}

} // namespace
} // namespace mitoran
