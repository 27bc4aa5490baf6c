// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/ProgramColors.h"

#include <algorithm>
#include <cmath>

namespace mitoran {

namespace {

// A channel's linear light, from its 8-bit sRGB value.
double Linear(int channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(std::int32_t color) {
    return 0.2126 * Linear(RedOf(color)) + 0.7152 * Linear(GreenOf(color)) + 0.0722 * Linear(BlueOf(color));
}

using namespace colors;

const ColorPair kPairs[] = {
    {"warning text on a grid or field", kAlertText, kFieldBackground, kTextContrast},
    {"warning text on a fixed cell or panel", kAlertText, kFaceBackground, kTextContrast},
    {"notice text on a grid or field", kNoticeText, kFieldBackground, kTextContrast},
    {"notice text on a fixed cell or panel", kNoticeText, kFaceBackground, kTextContrast},
    {"window text on a grid or field", kWindowText, kFieldBackground, kTextContrast},
    {"window text on a panel", kWindowText, kFaceBackground, kTextContrast},
    {"cyan segment's outline on the bar", kBarCyanOutline, kFaceBackground, kGraphicContrast},
    {"blue segment's outline on the bar", kBarBlueOutline, kFaceBackground, kGraphicContrast},
    {"yellow segment's outline on the bar", kBarYellowOutline, kFaceBackground, kGraphicContrast},
    {"red segment's outline on the bar", kBarRedOutline, kFaceBackground, kGraphicContrast},
    {"tick mark on the bar", kBarTick, kFaceBackground, kGraphicContrast},
    {"focus frame on a grid or field", FocusFrameColor(kFieldBackground), kFieldBackground, kGraphicContrast},
    {"focus frame on a panel", FocusFrameColor(kFaceBackground), kFaceBackground, kGraphicContrast},
};

} // namespace

double ContrastRatio(std::int32_t first, std::int32_t second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::span<const ColorPair> ProgramColorPairs() {
    return kPairs;
}

std::int32_t FocusFrameColor(std::int32_t background) {
    return ContrastRatio(kFocusFrameDark, background) >= ContrastRatio(kFocusFrameLight, background) ? kFocusFrameDark
                                                                                                     : kFocusFrameLight;
}

} // namespace mitoran
