// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/ProgramColors.h"

#include "engine/month/MonthSheet.h"
#include "engine/session/TargetBar.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

// Ratios worked out by hand from the WCAG 2.1 formula (relative luminance of sRGB).
TEST(ProgramColorsTest, ContrastRatioFollowsWcag) {
    struct Case {
        std::int32_t first;
        std::int32_t second;
        double ratio;
    };
    const Case cases[] = {
        {RgbColor(0, 0, 0), RgbColor(255, 255, 255), 21.0},
        {RgbColor(255, 255, 255), RgbColor(0, 0, 0), 21.0},
        {RgbColor(0x80, 0x40, 0x20), RgbColor(0x80, 0x40, 0x20), 1.0},
        {RgbColor(0x76, 0x76, 0x76), RgbColor(255, 255, 255), 4.54},
        {RgbColor(0x77, 0x77, 0x77), RgbColor(255, 255, 255), 4.48},
        {RgbColor(255, 0, 0), RgbColor(255, 255, 255), 4.00},
        {RgbColor(0, 0, 255), RgbColor(255, 255, 255), 8.59},
        {RgbColor(0, 255, 255), RgbColor(0xEF, 0xEF, 0xEF), 1.09},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.ratio, 0.01) << std::hex << c.first << " on " << c.second;
}

TEST(ProgramColorsTest, EveryColourReachesItsContrastWhereItIsDrawn) {
    for (const ColorPair& pair : ProgramColorPairs())
        EXPECT_GE(ContrastRatio(pair.foreground, pair.background), pair.minimumRatio) << pair.what;
}

// Whatever colour a user gives a cell, the frame of the current cell stands out from it.
TEST(ProgramColorsTest, FocusFrameStandsOutFromAnyBackground) {
    for (int red = 0; red <= 255; red += 15) {
        for (int green = 0; green <= 255; green += 15) {
            for (int blue = 0; blue <= 255; blue += 15) {
                const std::int32_t background = RgbColor(red, green, blue);
                ASSERT_GE(ContrastRatio(FocusFrameColor(background), background), kGraphicContrast)
                    << red << "," << green << "," << blue;
            }
        }
    }
}

// Every segment of the bar, ahead of the target or behind it, is outlined to stand out from the panel.
TEST(ProgramColorsTest, TargetBarSegmentsAreOutlined) {
    for (const char* remainder : {"  5:00", " -2:00"}) {
        MonthSheet sheet;
        sheet.summary.sumTime = " 20:00";
        sheet.summary.mokuhyoTime = remainder;
        const TargetBar bar = ComputeTargetBar(sheet, false, "", 450, 16);
        ASSERT_FALSE(bar.segments.empty()) << remainder;
        for (const BarSegment& segment : bar.segments)
            EXPECT_GE(ContrastRatio(segment.outline, colors::kFaceBackground), kGraphicContrast) << remainder;
    }
}

} // namespace
} // namespace mitoran
