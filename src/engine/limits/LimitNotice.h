// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/limits/LimitChecks.h"

#include <optional>
#include <string>

// The warning of a save: when a save makes a limit of the saved month reach 70 %, 90 % or the limit itself for
// the first time in that month, one notice naming the limit and the time left. The level given for a month is
// kept in the settings store (group "Limits", "Notice" and the month as yyyymm), so that no level of a month is
// told twice, not even after a restart.
namespace mitoran {

struct LimitMonth;
struct LimitSettings;
struct SettingsContext;

struct LimitNotice {
    LimitLevel level = LimitLevel::None;
    LimitCheck check;    // the limit named
    std::string caption; // "36協定"
    std::string text;    // "2024年4月は月の上限の70%に達しました。あと 13:30 です。"
};

// The notice of a save of the month, from its figures before and after the save: the highest level that one of
// its limits reached with this save (the first such limit in tie order is named), when it is above the level
// already told for the month. Nothing while the warning is off. The caller keeps the notice's level.
std::optional<LimitNotice> SaveNotice(const LimitSettings& limits, const LimitMonth& before, const LimitMonth& after,
                                      LimitLevel notified);

// The level last told for the month (None when never), and keeping it; the store is flushed by its owner.
LimitLevel NotifiedLevel(const SettingsContext& context, YearMonth month);
void KeepNotifiedLevel(const SettingsContext& context, YearMonth month, LimitLevel level);

} // namespace mitoran
