// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/LimitSettings.h"
#include "engine/text/Texts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

// All configuration of the program, one field per stored value, named as the value is named in the
// store. Texts are CP932; time texts have the form " 8:00" (empty = not set).
namespace mitoran {

class Folders;
class SettingsStore;

// The system window colour: bit 31 marks a system colour, 5 is the window background.
inline constexpr std::int32_t kSystemWindowColor = -2147483643; // 0x80000005
// The "System" value of the target bar's state, which the main window also writes alone at close.
inline constexpr std::string_view kMokuhyoBasShowName = "MokuhyoBasShow";
inline constexpr std::string_view kSyukeiMonthName = "SyukeiMonth";

// The two halves of a "TimeNN" value, stored as first + "," + second.
struct TimeSlot {
    std::string first;
    std::string second;

    friend bool operator==(const TimeSlot&, const TimeSlot&) = default;
};

// The slots of "Time01" … "Time22": the index is the value's number.
inline constexpr std::size_t kSlotLastBreak = 10; // breaks 1 … 10
inline constexpr std::size_t kSlotRegular = 11;   // regular start, regular end
inline constexpr std::size_t kSlotLateNight = 12; // late-night start, late-night end
inline constexpr std::size_t kSlotRequired = 13;  // required work time of a day, minimum overtime
inline constexpr std::size_t kSlotGozen = 14;     // required time on a morning off
inline constexpr std::size_t kSlotGogo = 15;      // required time on an afternoon off
inline constexpr std::size_t kSlotTarget = 16;    // the month's overtime target
inline constexpr std::size_t kSlotDaikyu = 17;    // overtime booked for a substitute day off
inline constexpr std::size_t kSlotHandon = 21;    // regular start and end on a half working day
inline constexpr std::size_t kSlotHandonRequired = 22;

// "StartTeijiIn": when the automatic arrival enters the regular start instead of the clock time.
enum TeijiInMode : int { kTeijiInNever = 0, kTeijiInWhenEarlier = 1, kTeijiInAlways = 2 };
// "EndOverWrite": what the automatic leaving does with a leaving time already there.
enum EndOverWriteMode : int { kEndOverWrite = 0, kEndOverWriteAsk = 1, kEndOverWriteKeep = 2 };

struct Settings {
    // "System"
    int SimeDay = 31;
    std::string Pass;
    std::string KinPass;
    bool FlexTime = false;
    int ClickAutoSelect = 0;
    int StartAdjustSelect = 0;
    int StartTime = 0;
    int StartTime2 = 0;
    int StartAutoIn = 0;
    int StartTeijiIn = 0;
    bool StartPassSkip = false;
    bool StartAutoMinimize = false;
    bool CalcTimeAdjust = false;
    bool NoAutoInAdjust = false;
    int EndAdjustSelect = 0;
    int EndTime = 0;
    int EndTime2 = 0;
    int EndAutoIn = 0;
    int EndOverWrite = 0;
    int ZangyoAdjustSelect = 0;
    int ZangyoTime = 0;
    int ZangyoTime2 = 0;
    int PrintForm = 0;
    bool ReOpenPassIn = false;
    int PrintMemo = 10;
    bool PrintTime = false;
    bool PrintDate = false;
    bool PrintPage = false;
    bool PrintGary = false;
    bool PrintName = false;
    std::string ZangyoTitle = text::kDefaultZangyoTitle;
    std::string YearTitle = text::kDefaultZangyoTitle;
    std::string YukyuTitle = text::kDefaultYukyuTitle;
    std::string NameTitle = text::kDefaultNameTitle;
    int ZangyoPrintMuki = 0;
    int YearPrintMuki = 0;
    int YukyuPrintMuki = 0;
    int TitlePosition = 1;
    int NamePosition = 0;
    int MonthPosition = 2;
    int PagePosition = 1;
    int DatePosition = 2;
    std::string TitleFontName = text::kDefaultPrintFont;
    std::string NameFontName = text::kDefaultPrintFont;
    std::string MonthFontName = text::kDefaultPrintFont;
    std::string ListFontName = text::kDefaultPrintFont;
    std::string PageFontName = text::kDefaultPrintFont;
    std::string DateFontName = text::kDefaultPrintFont;
    int TitleFontSize = 12;
    int NameFontSize = 10;
    int MonthFontSize = 10;
    int ListFontSize = 9;
    int PageFontSize = 7;
    int DateFontSize = 7;
    int TitleFontStyle = 0;
    int NameFontStyle = 0;
    int MonthFontStyle = 0;
    int ListFontStyle = 0;
    int PageFontStyle = 0;
    int DateFontStyle = 0;
    bool PrivateNameDisp = false;
    std::string PrivateName;
    bool CSVNameAdd = false;
    std::string CSVFileName;
    bool CSVPrivateInfoAdd = false;
    std::string CSVPrivateInfo;
    bool CSVMonthAdd = false;
    bool EscKeyMin = false;
    bool WindowSize = true;
    bool AutoSave = false;
    bool AutoCalc = false;
    bool IMEAutoMode = false;
    bool IdleProcess = false;
    std::string HanDayAM = "-0.5";
    std::string HanDayPM = "-0.5";
    std::string PageTopMargin = "20.0";
    std::string PageBottomMargin = "20.0";
    std::string PageLeftMargin = "25.0";
    std::string PageRightMargin = "15.0";
    std::string SaveInitialDir;
    // "Week1Check" … "Week7Check" at 1 … 7, 1 = Sunday; index 0 unused.
    std::array<bool, 8> WeekCheck{false, true, false, false, false, false, false, true};
    bool SeijinDay = true;
    bool SpringDay = true;
    bool AutumnDay = true;
    bool SportDay = true;
    bool OceanDay = true;
    bool OldManDay = true;
    bool YukyuMokuZanDisp = false;
    std::string YukyuMokuZan = "0.0";
    bool MokuhyoBasShow = false;
    bool MokuhyoTime = false;
    bool DaikyuZanCalc = false;
    bool YuukyuKinmu = false;
    bool Hankyu05 = false;
    // "CellColorCheck0" … "CellColorCheck8", "CellColor0" … "CellColor8" by day category 0 … 8.
    std::array<bool, 9> CellColorCheck{};
    std::array<std::int32_t, 9> CellColor{kSystemWindowColor, kSystemWindowColor, kSystemWindowColor,
                                          kSystemWindowColor, kSystemWindowColor, kSystemWindowColor,
                                          kSystemWindowColor, kSystemWindowColor, kSystemWindowColor};
    int GridLineSelect = 2;
    int YukyuMonth = 4;
    bool ChikokuRedDisp = true;
    int IconSelect = 0;
    bool SatHandon = false;
    int SyukeiMonth = 1;

    // "Setting": "Kin01" … "Kin12" at 1 … 12 and "Time01" … "Time22" at 1 … 22; index 0 unused.
    std::array<int, 13> Kin{};
    std::array<TimeSlot, 23> Time{};
    // Preset times 1 … 6 at 0 … 5 (halves of "Time18" … "Time20"); "UseMemo01" … "UseMemo10" at 0 … 9.
    std::array<std::string, 6> PresetTimes{};
    std::array<std::string, 10> PresetMemos{};

    // The group "Limits": the overtime limits of the labour agreement.
    LimitSettings Limits;

    // The start user's values, as last loaded or saved while the current user was the start user.
    std::string StartUserPass;
    bool StartUserReOpenPassIn = false;
    bool StartUserEscKeyMin = false;
    bool StartUserWindowSize = true;
};

// What loading and saving need besides the settings themselves.
struct SettingsContext {
    SettingsStore& store;
    const Folders& folders;
    std::string currentUser; // empty = the default user
    std::string startUser;
    // False for a run that only looks: saving then writes the store but not the ".SET" file.
    bool writeFiles = true;
};

// "Software\Quorvan\Vuvedez", or "Software\Quorvan\Vuvedez\User\<user>" for a named user.
std::string UserKeyPath(std::string_view user);

// The characters in reverse order, a double-byte character kept whole, so that the result is CP932 text
// again and reverses back to the input ("abc" gives "cba", "パス12" gives "21スパ").
std::string ReverseText(std::string_view text);

// Byte i becomes (low nibble of byte n+1-i) << 4 | (low nibble of byte i).
std::string MirrorNibbles(std::string_view text);

// Where a stored value lives in the settings, found by the value's name as the store knows it ("FlexTime",
// "Kin07", "Week3Check", "Pass"); for "Time01" … "Time22" the half before (first) or after the comma.
// Nothing (monostate) for a name the settings do not hold.
enum class SlotHalf { First, Second };
using SettingRef = std::variant<std::monostate, int*, bool*, std::string*>;
using ConstSettingRef = std::variant<std::monostate, const int*, const bool*, const std::string*>;
SettingRef FindSetting(Settings& settings, std::string_view name, SlotHalf half = SlotHalf::First);
ConstSettingRef FindSetting(const Settings& settings, std::string_view name, SlotHalf half = SlotHalf::First);

// Legacy interval selection (0 … 4) to an index into RoundingIntervals; anything else gives 0.
int LegacyIntervalMap(int legacy);

// Minutes of the rounding interval at an index; an index outside 0 … 6 gives the first interval.
int RoundingUnit(int index);

// Days counted for a morning (first) and an afternoon (second) half-day off; text that is not a
// number counts as -0.5.
std::pair<double, double> HalfDayAmounts(const Settings& settings);

// Fill the settings from the current user's key, initialising it on first run.
void LoadSettings(Settings& settings, const SettingsContext& context);

// Write the settings to the current user's key, then the ".SET" file (unless the context writes no files).
// Throws FileWriteError when the ".SET" file cannot be written; the store has been written by then.
void SaveSettings(Settings& settings, const SettingsContext& context);

void WriteSetFile(const Settings& settings, const SettingsContext& context);

// Keeps the period totals' start month (held within 1..12) in the settings and at once in the current
// user's key; the period-totals window writes nothing else.
void KeepSyukeiMonth(Settings& settings, const SettingsContext& context, int month);

} // namespace mitoran
