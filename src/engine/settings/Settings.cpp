// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Settings.h"

#include "engine/settings/Folders.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>
#include <type_traits>
#include <variant>

namespace mitoran {

namespace {

const std::string kBaseKey = "Software\\Quorvan\\Vuvedez";
const std::string kSystem = "System";
const std::string kSetting = "Setting";
const std::string kPosition = "Position";
const std::string kLimits(kLimitsGroupName);

constexpr std::array<int, 13> kFirstRunAmounts{0,  200000, 20000, 15000, 1500, 1750, 230000,
                                               80, 1500,   1750,  0,     1750, 2000};

// Empty "Time13" … "Time17" are rewritten with these on every load.
constexpr std::array<const char*, 5> kRepairedSlots{" 8:00, 0:00", " 4:00,", " 4:00,", "20:00,", "-8:00,"};
constexpr int kFirstRepairedSlot = 13;

using Field = std::variant<int Settings::*, bool Settings::*, std::string Settings::*>;

struct NamedField {
    const char* name;
    Field field;
};

// "System" values in the order they are saved, up to the week checks.
const NamedField kSystemHead[] = {
    {"SimeDay", &Settings::SimeDay},
    {"FlexTime", &Settings::FlexTime},
    {"ClickAutoSelect", &Settings::ClickAutoSelect},
    {"StartAdjustSelect", &Settings::StartAdjustSelect},
    {"StartTime", &Settings::StartTime},
    {"StartTime2", &Settings::StartTime2},
    {"StartAutoIn", &Settings::StartAutoIn},
    {"StartTeijiIn", &Settings::StartTeijiIn},
    {"StartPassSkip", &Settings::StartPassSkip},
    {"StartAutoMinimize", &Settings::StartAutoMinimize},
    {"CalcTimeAdjust", &Settings::CalcTimeAdjust},
    {"NoAutoInAdjust", &Settings::NoAutoInAdjust},
    {"EndAdjustSelect", &Settings::EndAdjustSelect},
    {"EndTime", &Settings::EndTime},
    {"EndTime2", &Settings::EndTime2},
    {"EndAutoIn", &Settings::EndAutoIn},
    {"EndOverWrite", &Settings::EndOverWrite},
    {"ZangyoAdjustSelect", &Settings::ZangyoAdjustSelect},
    {"ZangyoTime", &Settings::ZangyoTime},
    {"ZangyoTime2", &Settings::ZangyoTime2},
    {"PrintForm", &Settings::PrintForm},
    {"ReOpenPassIn", &Settings::ReOpenPassIn},
    {"PrintMemo", &Settings::PrintMemo},
    {"PrintTime", &Settings::PrintTime},
    {"PrintDate", &Settings::PrintDate},
    {"PrintPage", &Settings::PrintPage},
    {"PrintGary", &Settings::PrintGary},
    {"PrintName", &Settings::PrintName},
    {"ZangyoTitle", &Settings::ZangyoTitle},
    {"YearTitle", &Settings::YearTitle},
    {"YukyuTitle", &Settings::YukyuTitle},
    {"NameTitle", &Settings::NameTitle},
    {"ZangyoPrintMuki", &Settings::ZangyoPrintMuki},
    {"YearPrintMuki", &Settings::YearPrintMuki},
    {"YukyuPrintMuki", &Settings::YukyuPrintMuki},
    {"TitlePosition", &Settings::TitlePosition},
    {"NamePosition", &Settings::NamePosition},
    {"MonthPosition", &Settings::MonthPosition},
    {"PagePosition", &Settings::PagePosition},
    {"DatePosition", &Settings::DatePosition},
    {"TitleFontName", &Settings::TitleFontName},
    {"NameFontName", &Settings::NameFontName},
    {"MonthFontName", &Settings::MonthFontName},
    {"ListFontName", &Settings::ListFontName},
    {"PageFontName", &Settings::PageFontName},
    {"DateFontName", &Settings::DateFontName},
    {"TitleFontSize", &Settings::TitleFontSize},
    {"NameFontSize", &Settings::NameFontSize},
    {"MonthFontSize", &Settings::MonthFontSize},
    {"ListFontSize", &Settings::ListFontSize},
    {"PageFontSize", &Settings::PageFontSize},
    {"DateFontSize", &Settings::DateFontSize},
    {"TitleFontStyle", &Settings::TitleFontStyle},
    {"NameFontStyle", &Settings::NameFontStyle},
    {"MonthFontStyle", &Settings::MonthFontStyle},
    {"ListFontStyle", &Settings::ListFontStyle},
    {"PageFontStyle", &Settings::PageFontStyle},
    {"DateFontStyle", &Settings::DateFontStyle},
    {"PrivateNameDisp", &Settings::PrivateNameDisp},
    {"PrivateName", &Settings::PrivateName},
    {"CSVNameAdd", &Settings::CSVNameAdd},
    {"CSVFileName", &Settings::CSVFileName},
    {"CSVPrivateInfoAdd", &Settings::CSVPrivateInfoAdd},
    {"CSVPrivateInfo", &Settings::CSVPrivateInfo},
    {"CSVMonthAdd", &Settings::CSVMonthAdd},
    {"EscKeyMin", &Settings::EscKeyMin},
    {"WindowSize", &Settings::WindowSize},
    {"AutoSave", &Settings::AutoSave},
    {"AutoCalc", &Settings::AutoCalc},
    {"IMEAutoMode", &Settings::IMEAutoMode},
    {"IdleProcess", &Settings::IdleProcess},
    {"HanDayAM", &Settings::HanDayAM},
    {"HanDayPM", &Settings::HanDayPM},
    {"PageTopMargin", &Settings::PageTopMargin},
    {"PageBottomMargin", &Settings::PageBottomMargin},
    {"PageLeftMargin", &Settings::PageLeftMargin},
    {"PageRightMargin", &Settings::PageRightMargin},
    {"SaveInitialDir", &Settings::SaveInitialDir},
    {"MokuhyoTime", &Settings::MokuhyoTime},
    {"DaikyuZanCalc", &Settings::DaikyuZanCalc},
};

// "System" values saved after the week checks.
const NamedField kSystemTail[] = {
    {"SeijinDay", &Settings::SeijinDay},
    {"SpringDay", &Settings::SpringDay},
    {"AutumnDay", &Settings::AutumnDay},
    {"SportDay", &Settings::SportDay},
    {"OceanDay", &Settings::OceanDay},
    {"OldManDay", &Settings::OldManDay},
    {"YukyuMokuZanDisp", &Settings::YukyuMokuZanDisp},
    {"YukyuMokuZan", &Settings::YukyuMokuZan},
    {"YuukyuKinmu", &Settings::YuukyuKinmu},
    {"Hankyu05", &Settings::Hankyu05},
};

// "System" values saved after the colour table ("SatHandon" is handled apart: it always saves as false).
const NamedField kGridValues[] = {
    {"GridLineSelect", &Settings::GridLineSelect},
    {"YukyuMonth", &Settings::YukyuMonth},
    {"ChikokuRedDisp", &Settings::ChikokuRedDisp},
    {"IconSelect", &Settings::IconSelect},
};

std::string NumberedName(std::string_view prefix, int number) {
    return std::string(prefix) + PadNumber(number, 2, "0");
}

std::string WeekCheckName(int day) {
    return "Week" + std::to_string(day) + "Check";
}

template <std::size_t N>
void ReadFields(const StoreSection& section, const NamedField (&fields)[N], const Settings& defaults,
                Settings& settings) {
    for (const NamedField& value : fields) {
        std::visit(
            [&](auto member) {
                using Member = decltype(member);
                if constexpr (std::is_same_v<Member, int Settings::*>) {
                    settings.*member = section.ReadInteger(value.name, defaults.*member);
                } else if constexpr (std::is_same_v<Member, bool Settings::*>) {
                    settings.*member = section.ReadBool(value.name, defaults.*member);
                } else {
                    settings.*member = section.ReadString(value.name, defaults.*member);
                }
            },
            value.field);
    }
}

template <std::size_t N>
void WriteFields(StoreSection& section, const NamedField (&fields)[N], const Settings& settings) {
    for (const NamedField& value : fields) {
        std::visit(
            [&](auto member) {
                using Member = decltype(member);
                if constexpr (std::is_same_v<Member, int Settings::*>) {
                    section.WriteInteger(value.name, settings.*member);
                } else if constexpr (std::is_same_v<Member, bool Settings::*>) {
                    section.WriteBool(value.name, settings.*member);
                } else {
                    section.WriteString(value.name, settings.*member);
                }
            },
            value.field);
    }
}

// CP932 text of a path (paths hold UTF-8 on this side of the engine).
std::string PathToCp932(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::string InitialDirFor(const SettingsContext& context) {
    const std::filesystem::path current = context.folders.CurrentDirectory();
    return PathToCp932(context.currentUser.empty() ? current : current / PathFromCp932(context.currentUser));
}

TimeSlot SplitSlot(std::string_view value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) {
        return {"", std::string(value)};
    }
    return {std::string(value.substr(0, comma)), std::string(value.substr(comma + 1))};
}

// A stored closing day that reads: 1 to 31 (the dialog stores 1 to 27 or 31).
bool IsClosingDay(std::string_view text) {
    const std::optional<int> day = ParseStoreInteger(text);
    return day && *day >= 1 && *day <= 31;
}

void InitialiseFirstRun(StoreSection& system, StoreSection& setting, SettingsStore& store, const std::string& key) {
    system.WriteString("Pass", "");
    system.WriteInteger("SimeDay", 31);
    store.DeleteSubkey(key, kPosition);
    for (int n = 1; n <= 12; ++n) {
        setting.WriteInteger(NumberedName("Kin", n), 0);
    }
    for (int n = 1; n <= 12; ++n) {
        setting.WriteInteger(NumberedName("Kin", n), kFirstRunAmounts[n]);
    }
    for (int n = 1; n <= 22; ++n) {
        setting.WriteString(NumberedName("Time", n), ",");
    }
    setting.WriteString("Time01", "12:00,13:00");
    setting.WriteString("Time11", " 8:00,17:00");
    setting.WriteString("Time12", "22:00,");
    system.WriteInteger(kSyukeiMonthName, 1);
    system.WriteBool("FlexTime", false);
    setting.WriteString("Time13", " 8:00, 0:00");
    setting.WriteString("Time14", " 4:00,");
    setting.WriteString("Time15", " 4:00,");
    system.WriteBool("MokuhyoTime", false);
    setting.WriteString("Time16", "20:00,");
}

void RepairEmptySlots(StoreSection& setting) {
    for (std::size_t i = 0; i < kRepairedSlots.size(); ++i) {
        const std::string name = NumberedName("Time", kFirstRepairedSlot + static_cast<int>(i));
        if (setting.ReadString(name, "").empty()) {
            setting.WriteString(name, kRepairedSlots[i]);
        }
    }
}

void ApplyLoadedSlotDefaults(Settings& settings) {
    TimeSlot& lateNight = settings.Time[kSlotLateNight];
    if (lateNight.second.empty() || TimeTextToMinutes(lateNight.second) == 0) {
        lateNight.second = " 5:00";
    }
    if (settings.StartTime2 == -1) {
        settings.StartTime2 = LegacyIntervalMap(settings.StartTime);
    }
    if (settings.EndTime2 == -1) {
        settings.EndTime2 = LegacyIntervalMap(settings.EndTime);
    }
    if (settings.ZangyoTime2 == -1) {
        settings.ZangyoTime2 = LegacyIntervalMap(settings.ZangyoTime);
    }
    if (settings.Time[kSlotRequired].second.empty()) {
        settings.Time[kSlotRequired].second = " 0:00";
    }
}

void CopyStartUserValues(Settings& settings, const SettingsContext& context) {
    if (context.currentUser != context.startUser) {
        return;
    }
    settings.StartUserPass = settings.Pass;
    settings.StartUserReOpenPassIn = settings.ReOpenPassIn;
    settings.StartUserEscKeyMin = settings.EscKeyMin;
    settings.StartUserWindowSize = settings.WindowSize;
}

// Preset k (0 … 5) is half k % 2 of "Time18" + k / 2.
std::string& PresetHalf(Settings& settings, std::size_t preset) {
    TimeSlot& slot = settings.Time[18 + preset / 2];
    return preset % 2 == 0 ? slot.first : slot.second;
}

// The number n of a numbered value's name (1 … last), or 0 when the name is not one of them.
template <typename NameOf>
int NumberOfName(std::string_view name, int last, NameOf nameOf) {
    for (int n = 1; n <= last; ++n) {
        if (name == nameOf(n))
            return n;
    }
    return 0;
}

template <typename S>
using RefOf = std::conditional_t<std::is_const_v<S>, ConstSettingRef, SettingRef>;

template <typename S, std::size_t N>
std::optional<RefOf<S>> FindNamed(S& settings, const NamedField (&fields)[N], std::string_view name) {
    for (const NamedField& value : fields) {
        if (name == value.name)
            return std::visit([&](auto member) -> RefOf<S> { return &(settings.*member); }, value.field);
    }
    return std::nullopt;
}

template <typename S>
RefOf<S> FindIn(S& settings, std::string_view name, SlotHalf half) {
    if (auto found = FindNamed(settings, kSystemHead, name))
        return *found;
    if (auto found = FindNamed(settings, kSystemTail, name))
        return *found;
    if (auto found = FindNamed(settings, kGridValues, name))
        return *found;
    if (name == "Pass")
        return &settings.Pass;
    if (name == "KinPass")
        return &settings.KinPass;
    if (name == "SatHandon")
        return &settings.SatHandon;
    const auto numbered = [](std::string_view prefix) { return [prefix](int n) { return NumberedName(prefix, n); }; };
    if (const int kin = NumberOfName(name, 12, numbered("Kin")); kin != 0)
        return &settings.Kin[static_cast<std::size_t>(kin)];
    if (const int slot = NumberOfName(name, 22, numbered("Time")); slot != 0) {
        auto& value = settings.Time[static_cast<std::size_t>(slot)];
        return half == SlotHalf::First ? &value.first : &value.second;
    }
    if (const int day = NumberOfName(name, 7, WeekCheckName); day != 0)
        return &settings.WeekCheck[static_cast<std::size_t>(day)];
    return std::monostate{};
}

} // namespace

SettingRef FindSetting(Settings& settings, std::string_view name, SlotHalf half) {
    return FindIn(settings, name, half);
}

ConstSettingRef FindSetting(const Settings& settings, std::string_view name, SlotHalf half) {
    return FindIn(settings, name, half);
}

std::optional<int> ParseStoreInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t value = 0;
        const std::string_view digits = text.substr(2);
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (error != std::errc() || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
        return static_cast<int>(value);
    }
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int StoreSection::ReadInteger(std::string_view name, int defaultValue) const {
    const std::optional<std::string> text = m_store.ReadValue(m_keyPath, m_subkey, name);
    if (!text) {
        return defaultValue;
    }
    return ParseStoreInteger(*text).value_or(defaultValue);
}

bool StoreSection::ReadBool(std::string_view name, bool defaultValue) const {
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

std::string StoreSection::ReadString(std::string_view name, std::string_view defaultValue) const {
    return m_store.ReadValue(m_keyPath, m_subkey, name).value_or(std::string(defaultValue));
}

bool StoreSection::HasValue(std::string_view name) const {
    return m_store.ReadValue(m_keyPath, m_subkey, name).has_value();
}

void StoreSection::WriteInteger(std::string_view name, int value) {
    m_store.WriteValue(m_keyPath, m_subkey, name, std::to_string(value));
}

void StoreSection::WriteBool(std::string_view name, bool value) {
    m_store.WriteValue(m_keyPath, m_subkey, name, value ? "1" : "0");
}

void StoreSection::WriteString(std::string_view name, std::string_view value) {
    m_store.WriteValue(m_keyPath, m_subkey, name, value);
}

std::string UserKeyPath(std::string_view user) {
    if (user.empty()) {
        return kBaseKey;
    }
    return kBaseKey + "\\User\\" + std::string(user);
}

std::string ReverseText(std::string_view text) {
    std::string reversed(text.size(), '\0');
    std::size_t end = text.size();
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        end -= length;
        reversed.replace(end, length, text.substr(i, length));
        i += length;
    }
    return reversed;
}

std::string MirrorNibbles(std::string_view text) {
    const std::size_t length = text.size();
    std::string result(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        const auto mirrored = static_cast<unsigned char>(text[length - 1 - i]) & 0x0F;
        const auto own = static_cast<unsigned char>(text[i]) & 0x0F;
        result[i] = static_cast<char>((mirrored << 4) | own);
    }
    return result;
}

int LegacyIntervalMap(int legacy) {
    constexpr std::array<int, 5> kMap{0, 4, 2, 5, 3};
    if (legacy < 0 || legacy >= static_cast<int>(kMap.size())) {
        return 0;
    }
    return kMap[static_cast<std::size_t>(legacy)];
}

int RoundingUnit(int index) {
    if (index < 0 || index >= static_cast<int>(RoundingIntervals.size())) {
        return RoundingIntervals[0];
    }
    return RoundingIntervals[static_cast<std::size_t>(index)];
}

std::pair<double, double> HalfDayAmounts(const Settings& settings) {
    return {TextToReal(settings.HanDayAM, 1, -0.5), TextToReal(settings.HanDayPM, 1, -0.5)};
}

void LoadSettings(Settings& settings, const SettingsContext& context) {
    const std::string key = UserKeyPath(context.currentUser);
    context.store.CreateKey(key);
    StoreSection system(context.store, key, kSystem);
    StoreSection setting(context.store, key, kSetting);

    // Only a store that has never held a closing day is a first run: the set-up overwrites the amounts, time slots
    // and passwords.
    const std::optional<std::string> storedSimeDay = context.store.ReadValue(key, kSystem, "SimeDay");
    const bool firstRun = !storedSimeDay;
    if (firstRun) {
        InitialiseFirstRun(system, setting, context.store, key);
    } else if (!IsClosingDay(*storedSimeDay)) {
        context.store.KeepDamagedCopy();
    }
    RepairEmptySlots(setting);

    // Defaults of the reads: the members' own, except the derived intervals and the computed folder.
    Settings defaults;
    defaults.StartTime2 = -1;
    defaults.EndTime2 = -1;
    defaults.ZangyoTime2 = -1;
    defaults.SaveInitialDir = InitialDirFor(context);

    settings.Pass = ReverseText(system.ReadString("Pass", ""));
    settings.KinPass = ReverseText(system.ReadString("KinPass", ""));
    ReadFields(system, kSystemHead, defaults, settings);
    if (!firstRun && !IsClosingDay(*storedSimeDay)) {
        settings.SimeDay = 31;
    }
    for (int day = 1; day <= 7; ++day) {
        settings.WeekCheck[day] = system.ReadBool(WeekCheckName(day), defaults.WeekCheck[day]);
    }
    ReadFields(system, kSystemTail, defaults, settings);
    settings.MokuhyoBasShow = system.ReadBool(kMokuhyoBasShowName, defaults.MokuhyoBasShow);
    settings.SyukeiMonth = std::clamp(system.ReadInteger(kSyukeiMonthName, defaults.SyukeiMonth), 1, 12);

    for (int n = 1; n <= 12; ++n) {
        settings.Kin[n] = setting.ReadInteger(NumberedName("Kin", n), 0);
    }
    for (int n = 1; n <= 22; ++n) {
        settings.Time[n] = SplitSlot(setting.ReadString(NumberedName("Time", n), ","));
    }
    ApplyLoadedSlotDefaults(settings);

    for (std::size_t k = 0; k < settings.CellColor.size(); ++k) {
        const std::string number = std::to_string(k);
        settings.CellColorCheck[k] = system.ReadBool("CellColorCheck" + number, false);
        settings.CellColor[k] = system.ReadInteger("CellColor" + number, kSystemWindowColor);
    }
    ReadFields(system, kGridValues, defaults, settings);
    settings.SatHandon = false;

    if (settings.Time[kSlotHandon].first.empty()) {
        settings.Time[kSlotHandon] = {settings.Time[kSlotRegular].first, "12:00"};
        settings.Time[kSlotHandonRequired].first = " 4:00";
    }
    for (std::size_t m = 0; m < settings.PresetMemos.size(); ++m) {
        settings.PresetMemos[m] = setting.ReadString(NumberedName("UseMemo", static_cast<int>(m) + 1), "");
    }
    for (std::size_t p = 0; p < settings.PresetTimes.size(); ++p) {
        settings.PresetTimes[p] = PresetHalf(settings, p);
    }
    LoadLimitSettings(settings.Limits, StoreSection(context.store, key, kLimits));

    // Copied before the first-run save, so a failing ".SET" file cannot leave stale copies behind.
    CopyStartUserValues(settings, context);
    if (firstRun) {
        SaveSettings(settings, context);
    }
}

void SaveSettings(Settings& settings, const SettingsContext& context) {
    for (std::size_t p = 0; p < settings.PresetTimes.size(); ++p) {
        PresetHalf(settings, p) = settings.PresetTimes[p];
    }
    const std::string key = UserKeyPath(context.currentUser);
    context.store.CreateKey(key);
    StoreSection system(context.store, key, kSystem);
    StoreSection setting(context.store, key, kSetting);

    system.WriteString("Pass", ReverseText(settings.Pass));
    system.WriteString("KinPass", ReverseText(settings.KinPass));
    WriteFields(system, kSystemHead, settings);
    for (int day = 1; day <= 7; ++day) {
        system.WriteBool(WeekCheckName(day), settings.WeekCheck[day]);
    }
    WriteFields(system, kSystemTail, settings);

    for (int n = 1; n <= 12; ++n) {
        setting.WriteInteger(NumberedName("Kin", n), settings.Kin[n]);
    }
    for (int n = 1; n <= 22; ++n) {
        const TimeSlot& slot = settings.Time[n];
        setting.WriteString(NumberedName("Time", n), slot.first + "," + slot.second);
    }

    for (std::size_t k = 0; k < settings.CellColor.size(); ++k) {
        const std::string number = std::to_string(k);
        system.WriteBool("CellColorCheck" + number, settings.CellColorCheck[k]);
        system.WriteInteger("CellColor" + number, settings.CellColor[k]);
    }
    WriteFields(system, kGridValues, settings);
    system.WriteBool("SatHandon", false);

    for (std::size_t m = 0; m < settings.PresetMemos.size(); ++m) {
        setting.WriteString(NumberedName("UseMemo", static_cast<int>(m) + 1), settings.PresetMemos[m]);
    }
    StoreSection limits(context.store, key, kLimits);
    SaveLimitSettings(settings.Limits, limits);

    // Refreshed before the ".SET" file, so a failing file cannot leave stale copies behind.
    CopyStartUserValues(settings, context);
    if (context.writeFiles) {
        WriteSetFile(settings, context);
    }
}

void WriteSetFile(const Settings& settings, const SettingsContext& context) {
    std::string bytes;
    const auto addLine = [&bytes](std::string_view line) {
        bytes += line;
        bytes += "\r\n";
    };
    addLine(MirrorNibbles(ReverseText(settings.Pass)));
    addLine(MirrorNibbles(std::to_string(settings.SimeDay)));
    addLine(MirrorNibbles(settings.FlexTime ? "1" : "0"));
    for (int n = 1; n <= 12; ++n) {
        addLine(MirrorNibbles(std::to_string(settings.Kin[n])));
    }
    for (int n = 1; n <= 22; ++n) {
        addLine(MirrorNibbles(settings.Time[n].first) + MirrorNibbles(settings.Time[n].second));
    }
    const std::filesystem::path program =
        context.folders.DataFolder() / PathFromCp932(context.folders.ProgramName() + ".SET");
    const std::filesystem::path path = UserFilePath(context.currentUser, program);
    CreatePrivateFolders(path.parent_path());
    WriteFileAtomically(path, bytes);
}

void KeepSyukeiMonth(Settings& settings, const SettingsContext& context, int month) {
    settings.SyukeiMonth = std::clamp(month, 1, 12);
    StoreSection(context.store, UserKeyPath(context.currentUser), kSystem)
        .WriteInteger(kSyukeiMonthName, settings.SyukeiMonth);
}

} // namespace mitoran
