// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mitoran {

struct MonthSheet;

// A rectangle in the bar's drawing area; right and bottom are exclusive.
struct BarRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const BarRect&) const = default;
};

struct BarSegment {
    BarRect rect;
    std::int32_t color = 0;   // 0x00BBGGRR
    bool filled = false;      // a solid rectangle; otherwise an outline
    std::int32_t outline = 0; // the frame drawn around the segment, filled or not
};

// Everything the target bar and its two panels show for a month.
struct TargetBar {
    bool hasTarget = false;
    int percent = 0;
    std::string parText; // "83%", or "---%" without a target
    bool parRed = false;
    std::string mokuZanText; // overtime still needed on each remaining day, or "--:--"
    int filledCount = 0;
    std::vector<BarRect> ticks; // drawn as black frames
    std::vector<BarSegment> segments;
};

// The sum of the month's overtime against its target (the target time of the settings when "MokuhyoTime" is
// on, otherwise what the month's remainder implies), laid out on a drawing area of the given size: 45
// segments make 150 % (or 50 % short when behind).
TargetBar ComputeTargetBar(const MonthSheet& sheet, bool targetByTime, std::string_view targetTime, int width,
                           int height);

} // namespace mitoran
