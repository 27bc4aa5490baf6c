// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/LimitSettings.h"

#include "engine/settings/SettingControls.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace mitoran {

namespace {

struct LimitValue {
    LimitField field;
    const char* name;
    int LimitSettings::*member;
    int law;
    int defaultValue;
};

constexpr std::array<LimitValue, 4> kLimitValues{{
    {LimitField::Month, "Month", &LimitSettings::Month, kLawMonthLimit, kLawMonthLimit},
    {LimitField::Year, "Year", &LimitSettings::Year, kLawYearLimit, kLawYearLimit},
    {LimitField::SpecialMonth, "SpecialMonth", &LimitSettings::SpecialMonth, kLawSpecialMonthLimit,
     kDefaultSpecialMonthLimit},
    {LimitField::SpecialYear, "SpecialYear", &LimitSettings::SpecialYear, kLawSpecialYearLimit, kLawSpecialYearLimit},
}};

constexpr const char* kStart = "Start";
constexpr const char* kSpecial = "Special";
constexpr const char* kSpecialTimes = "SpecialTimes";
constexpr const char* kWarning = "Warning";
constexpr const char* kMainDisp = "MainDisp";

const LimitValue& ValueOf(LimitField field) {
    return kLimitValues[static_cast<std::size_t>(field)];
}

// The tolerant time reading takes any text; a limit takes it only when it looks like a time at all.
bool LooksLikeTime(std::string_view text) {
    const std::string normal = NormalizeWidth(TrimText(text));
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return std::ranges::any_of(normal, digit) &&
           std::ranges::all_of(normal, [&](char c) { return digit(c) || c == ':' || c == '.' || c == '-'; });
}

int Held(int minutes, const LimitValue& value) {
    return std::clamp(minutes, 0, value.law);
}

bool SameLimits(const LimitSettings& a, const LimitSettings& b) {
    return a.Start == b.Start && a.Month == b.Month && a.Year == b.Year && a.Special == b.Special &&
           a.SpecialMonth == b.SpecialMonth && a.SpecialYear == b.SpecialYear && a.SpecialTimes == b.SpecialTimes;
}

} // namespace

int HeldLimitMinutes(std::string_view text, LimitField field) {
    const LimitValue& value = ValueOf(field);
    return LooksLikeTime(text) ? Held(TimeTextToMinutes(text), value) : value.defaultValue;
}

int HeldStartMonth(int month) {
    return std::clamp(month, 1, 12);
}

int HeldSpecialTimes(int times) {
    return std::clamp(times, 0, kLawSpecialTimes);
}

void LoadLimitSettings(LimitSettings& limits, const StoreSection& group) {
    const LimitSettings defaults;
    limits.Set = false;
    for (const LimitValue& value : kLimitValues) {
        const std::string text = group.ReadString(value.name, "");
        limits.Set = limits.Set || group.HasValue(value.name);
        limits.*value.member = HeldLimitMinutes(text, value.field);
    }
    for (const char* name : {kStart, kSpecial, kSpecialTimes})
        limits.Set = limits.Set || group.HasValue(name);
    limits.Start = HeldStartMonth(group.ReadInteger(kStart, defaults.Start));
    limits.Special = group.ReadBool(kSpecial, defaults.Special);
    limits.SpecialTimes = HeldSpecialTimes(group.ReadInteger(kSpecialTimes, defaults.SpecialTimes));
    limits.Warning = group.ReadBool(kWarning, limits.Set);
    limits.MainDisp = group.ReadBool(kMainDisp, defaults.MainDisp);
}

void SaveLimitSettings(const LimitSettings& limits, StoreSection& group) {
    if (limits.Set) {
        group.WriteInteger(kStart, limits.Start);
        for (const LimitValue& value : kLimitValues)
            group.WriteString(value.name, FullTimeText(limits.*value.member));
        group.WriteBool(kSpecial, limits.Special);
        group.WriteInteger(kSpecialTimes, limits.SpecialTimes);
    }
    if (limits.Set || limits.Warning)
        group.WriteBool(kWarning, limits.Warning);
    group.WriteBool(kMainDisp, limits.MainDisp);
}

void ApplyVariableHoursLimits(LimitSettings& limits) {
    limits.Month = kVariableHoursMonthLimit;
    limits.Year = kVariableHoursYearLimit;
}

void StoreLimitsPage(const LimitSettings& page, LimitSettings& limits) {
    LimitSettings stored = page;
    stored.Start = HeldStartMonth(page.Start);
    for (const LimitValue& value : kLimitValues)
        stored.*value.member = Held(page.*value.member, value);
    stored.SpecialTimes = HeldSpecialTimes(page.SpecialTimes);
    stored.Set = limits.Set || !SameLimits(stored, limits);
    if (stored.Set && !limits.Set && page.Warning == limits.Warning)
        stored.Warning = true;
    limits = stored;
}

} // namespace mitoran
