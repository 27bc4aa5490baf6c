// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/TargetBar.h"

#include "engine/month/MonthSheet.h"
#include "engine/session/ProgramColors.h"
#include "engine/settings/ColorRef.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cstdlib>

namespace mitoran {

namespace {

constexpr int kSegmentsPerScale = 45;
constexpr int kTickTop = 0;
constexpr int kTickBottom = 2;
constexpr int kSegmentTop = 3;

struct DayCounts {
    int counted = 0;
    int done = 0;
};

bool ArrivalPresent(const std::string& arrival) {
    return TimeTextToMinutes(arrival) != 0 || TrimText(NormalizeWidth(arrival)).starts_with('0');
}

DayCounts CountDays(const MonthSheet& sheet) {
    DayCounts counts;
    const int last = std::clamp(sheet.dayCount, 0, kMaxDays);
    for (int d = 1; d <= last; ++d) {
        const DayRecord& day = sheet.days[d];
        if (ArrivalPresent(day[DayColumn::Arrival]) && TimeTextToMinutes(day[DayColumn::Leaving]) != 0) {
            ++counts.counted;
            ++counts.done;
        } else if (TrimText(day[DayColumn::Kubun]).empty()) {
            ++counts.counted;
        }
    }
    return counts;
}

std::int32_t SegmentColor(int percent, int index, bool filled) {
    if (percent < 0)
        return filled ? RgbColor(255, 0, 0) : RgbColor(255, 128, 128);
    if (index <= 15)
        return filled ? RgbColor(0, 255, 255) : RgbColor(128, 255, 255);
    if (index <= 30)
        return filled ? RgbColor(0, 0, 255) : RgbColor(128, 128, 255);
    return filled ? RgbColor(255, 255, 0) : RgbColor(255, 255, 128);
}

// The outline of every segment of a band, dark enough to stand out from the panel.
std::int32_t SegmentOutline(int percent, int index) {
    if (percent < 0)
        return colors::kBarRedOutline;
    if (index <= 15)
        return colors::kBarCyanOutline;
    if (index <= 30)
        return colors::kBarBlueOutline;
    return colors::kBarYellowOutline;
}

void LayOutScale(TargetBar& bar, int width, int height) {
    const int unit = width / kSegmentsPerScale;
    if (unit <= 0)
        return;
    const int count = (width + unit + 1) / unit;
    const bool behind = bar.percent < 0;
    const int tickEvery = behind ? 9 : 3;
    const int wideEvery = behind ? 45 : 15;
    for (int i = 1; i <= count; ++i) {
        const int x = i * unit;
        if (i % wideEvery == 0)
            bar.ticks.push_back({x - 2, kTickTop, x + 2, kTickBottom});
        else if (i % tickEvery == 0)
            bar.ticks.push_back({x - 1, kTickTop, x + 1, kTickBottom});
        const bool filled = i <= bar.filledCount;
        bar.segments.push_back({{(i - 1) * unit + 1, kSegmentTop, std::min(x - 1, width), height - 1},
                                SegmentColor(bar.percent, i, filled),
                                filled,
                                SegmentOutline(bar.percent, i)});
    }
}

} // namespace

TargetBar ComputeTargetBar(const MonthSheet& sheet, bool targetByTime, std::string_view targetTime, int width,
                           int height) {
    TargetBar bar;
    bar.parText = "---%";
    bar.mokuZanText = "--:--";
    const int sum = TimeTextToMinutes(sheet.summary.sumTime);
    const int remainder = TimeTextToMinutes(sheet.summary.mokuhyoTime);
    const int target = targetByTime ? TimeTextToMinutes(targetTime) : sum - remainder;
    if (target <= 0)
        return bar;

    bar.hasTarget = true;
    bar.percent = static_cast<int>(static_cast<long long>(sum) * 100 / target);
    bar.parText = std::to_string(bar.percent) + "%";
    bar.parRed = bar.percent < 0;

    const DayCounts days = CountDays(sheet);
    if (days.done < days.counted && bar.percent < 100)
        bar.mokuZanText = MinutesToTimeText(-(remainder / (days.counted - days.done)), 2, true);

    bar.filledCount = bar.percent >= 0 ? (bar.percent + 1) * kSegmentsPerScale / 150
                                       : (std::abs(bar.percent) + 1) * kSegmentsPerScale / 50;
    LayOutScale(bar, width, height);
    return bar;
}

} // namespace mitoran
