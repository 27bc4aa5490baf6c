// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitNotice.h"

#include "engine/limits/AgreementYear.h"
#include "engine/month/MonthCsv.h"
#include "engine/settings/LimitSettings.h"
#include "engine/settings/Settings.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

namespace {

std::string NoticeName(YearMonth month) {
    return "Notice" + PadNumber(month.year, 4, "0") + PadNumber(month.month, 2, "0");
}

LimitLevel LevelBefore(const LimitMonth& before, const LimitCheck& check) {
    const auto same = std::ranges::find_if(
        before.checks, [&check](const LimitCheck& c) { return c.rule == check.rule && c.months == check.months; });
    return same == before.checks.end() ? LimitLevel::None : LevelOf(*same);
}

std::string NoticeText(YearMonth month, LimitLevel level, const LimitCheck& check) {
    static const std::string is = Utf8ToCp932("は");
    static const std::string of70 = Utf8ToCp932("の70%に達しました。あと ");
    static const std::string of90 = Utf8ToCp932("の90%に達しました。あと ");
    static const std::string reached = Utf8ToCp932("に達しました。あと ");
    static const std::string over = Utf8ToCp932("を超えました。超過 ");
    static const std::string end = Utf8ToCp932(" です。");
    std::string text = YearMonthName(month.year, month.month) + is + LimitRuleName(check.rule);
    if (check.Left() < 0)
        return text + over + LimitTimeText(-check.Left()) + end;
    const std::string& reachedText = level == LimitLevel::Seventy ? of70 : level == LimitLevel::Ninety ? of90 : reached;
    return text + reachedText + LimitTimeText(check.Left()) + end;
}

} // namespace

std::optional<LimitNotice> SaveNotice(const LimitSettings& limits, const LimitMonth& before, const LimitMonth& after,
                                      LimitLevel notified) {
    if (!limits.Warning)
        return std::nullopt;
    std::optional<LimitNotice> notice;
    for (const LimitCheck& check : after.checks) {
        const LimitLevel level = LevelOf(check);
        if (level > notified && level > LevelBefore(before, check) && (!notice || level > notice->level))
            notice = LimitNotice{level, check, {}, {}};
    }
    if (notice) {
        static const std::string caption = Utf8ToCp932("36協定");
        notice->caption = caption;
        notice->text = NoticeText(after.month, notice->level, notice->check);
    }
    return notice;
}

LimitLevel NotifiedLevel(const SettingsContext& context, YearMonth month) {
    const StoreSection group(context.store, UserKeyPath(context.currentUser), std::string(kLimitsGroupName));
    const int level = group.ReadInteger(NoticeName(month), 0);
    return static_cast<LimitLevel>(std::clamp(level, 0, static_cast<int>(LimitLevel::Reached)));
}

void KeepNotifiedLevel(const SettingsContext& context, YearMonth month, LimitLevel level) {
    StoreSection group(context.store, UserKeyPath(context.currentUser), std::string(kLimitsGroupName));
    group.WriteInteger(NoticeName(month), static_cast<int>(level));
}

} // namespace mitoran
