// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/ColorRef.h"

#include <cstdint>
#include <span>

// The colours the program draws with itself (user-chosen cell and memo colours are not among them), the
// backgrounds they meet, and the contrast they must keep there: 4.5:1 for text, 3:1 for frames and graphics.
namespace mitoran {

// The contrast ratio of two colours (0x00BBGGRR) as WCAG 2.1 defines it: 1 for equal colours, 21 for black on
// white.
double ContrastRatio(std::int32_t first, std::int32_t second);

namespace colors {

// Text that warns: negative times, late arrivals and early leavings, Sundays and holidays, statutory holidays.
inline constexpr std::int32_t kAlertText = RgbColor(0xC0, 0x00, 0x00);
// Saturdays, figures left out of an average, days added to the paid-leave balance.
inline constexpr std::int32_t kNoticeText = RgbColor(0x00, 0x00, 0xFF);
inline constexpr std::int32_t kWindowText = RgbColor(0x00, 0x00, 0x00);
// The backgrounds the program's texts are drawn on: grids and fields, and the face of panels and fixed cells.
inline constexpr std::int32_t kFieldBackground = RgbColor(0xFF, 0xFF, 0xFF);
inline constexpr std::int32_t kFaceBackground = RgbColor(0xEF, 0xEF, 0xEF);
// Outlines of the target bar's segments, one per band (cyan, blue, yellow, red), and its tick marks.
inline constexpr std::int32_t kBarCyanOutline = RgbColor(0x00, 0x70, 0x70);
inline constexpr std::int32_t kBarBlueOutline = RgbColor(0x00, 0x00, 0xC0);
inline constexpr std::int32_t kBarYellowOutline = RgbColor(0x6E, 0x6E, 0x00);
inline constexpr std::int32_t kBarRedOutline = RgbColor(0xC0, 0x00, 0x00);
inline constexpr std::int32_t kBarTick = RgbColor(0x00, 0x00, 0x00);
// The frame of the current cell and of the control with the keyboard focus: the darker or the lighter one,
// whichever stands out more from what it surrounds.
inline constexpr std::int32_t kFocusFrameDark = RgbColor(0x00, 0x00, 0x00);
inline constexpr std::int32_t kFocusFrameLight = RgbColor(0xFF, 0xFF, 0xFF);

} // namespace colors

// One colour drawn on one background, and the contrast it needs there.
struct ColorPair {
    const char* what;
    std::int32_t foreground;
    std::int32_t background;
    double minimumRatio;
};
inline constexpr double kTextContrast = 4.5;
inline constexpr double kGraphicContrast = 3.0;

// Every pair of the program's colours that meet on screen.
std::span<const ColorPair> ProgramColorPairs();

// The focus frame around something drawn in `background`.
std::int32_t FocusFrameColor(std::int32_t background);

} // namespace mitoran
