// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitChecks.h"

#include "engine/settings/ColorRef.h"
#include "engine/settings/LimitSettings.h"
#include "engine/settings/SettingControls.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

std::vector<LimitCheck> LimitChecksOf(const LimitInputs& inputs, const LimitSettings& limits) {
    std::vector<LimitCheck> checks;
    if (!limits.Special || inputs.overCountBefore >= limits.SpecialTimes)
        checks.push_back({LimitRule::Month, 0, inputs.overtime, limits.Month});
    if (!limits.Special)
        checks.push_back({LimitRule::Year, 0, inputs.yearToDate, limits.Year});
    if (limits.Special) {
        checks.push_back({LimitRule::SpecialMonth, 0, inputs.overtime, limits.SpecialMonth});
        checks.push_back({LimitRule::SpecialYear, 0, inputs.yearToDate, limits.SpecialYear});
    }
    checks.push_back({LimitRule::Under100, 0, inputs.totals[0], kUnder100Limit});
    int sum = inputs.totals[0];
    for (int k = kFirstAverageSpan; k <= kLastAverageSpan; ++k) {
        sum += inputs.totals[static_cast<std::size_t>(k - 1)];
        checks.push_back({LimitRule::Average, k, sum, kAverageMonthLimit * k});
    }
    return checks;
}

Headroom HeadroomOf(const std::vector<LimitCheck>& checks) {
    // min_element keeps the first of equal elements: the tie order.
    const auto binding = std::ranges::min_element(checks, {}, &LimitCheck::Left);
    return binding == checks.end() ? Headroom{} : Headroom{binding->Left(), *binding};
}

LimitLevel LevelOf(const LimitCheck& check) {
    const long long used = check.used;
    const long long limit = check.limit;
    if (used >= limit)
        return LimitLevel::Reached;
    if (used * 10 >= limit * 9)
        return LimitLevel::Ninety;
    if (used * 10 >= limit * 7)
        return LimitLevel::Seventy;
    return LimitLevel::None;
}

LimitLevel RuleLevel(const std::vector<LimitCheck>& checks, LimitRule rule) {
    LimitLevel level = LimitLevel::None;
    for (const LimitCheck& check : checks) {
        if (check.rule == rule)
            level = std::max(level, LevelOf(check));
    }
    return level;
}

LimitLevel HighestLevel(const std::vector<LimitCheck>& checks) {
    LimitLevel level = LimitLevel::None;
    for (const LimitCheck& check : checks)
        level = std::max(level, LevelOf(check));
    return level;
}

const std::string& LimitRuleName(LimitRule rule) {
    static const std::string names[] = {
        Utf8ToCp932("月の上限"),         Utf8ToCp932("年の上限"),      Utf8ToCp932("特別条項の月上限"),
        Utf8ToCp932("特別条項の年上限"), Utf8ToCp932("月100時間未満"), Utf8ToCp932("2〜6か月平均80時間"),
    };
    return names[static_cast<std::size_t>(rule)];
}

const std::string& LimitLevelName(LimitLevel level) {
    static const std::string names[] = {
        "",
        Utf8ToCp932("70%以上"),
        Utf8ToCp932("90%以上"),
        Utf8ToCp932("上限到達"),
    };
    return names[static_cast<std::size_t>(level)];
}

std::optional<std::int32_t> LimitLevelColor(LimitLevel level) {
    switch (level) {
    case LimitLevel::Seventy:
        return RgbColor(0xFF, 0xEB, 0x3B);
    case LimitLevel::Ninety:
        return RgbColor(0xFF, 0x98, 0x00);
    case LimitLevel::Reached:
        return RgbColor(0xF4, 0x43, 0x36);
    case LimitLevel::None:
        break;
    }
    return std::nullopt;
}

std::string LimitTimeText(int minutes) {
    return TrimText(FullTimeText(minutes));
}

std::string HeadroomText(const Headroom& headroom) {
    static const std::string prefix = Utf8ToCp932("今月あと ");
    return prefix + LimitTimeText(headroom.minutes) + " (" + LimitRuleName(headroom.binding.rule) + ")";
}

} // namespace mitoran
