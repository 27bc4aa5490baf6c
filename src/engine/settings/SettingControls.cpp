// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/SettingControls.h"

#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <utility>

namespace mitoran {

namespace {

using enum ControlKind;
using enum FieldRule;
constexpr SettingForm S = SettingForm::Setting;
constexpr SettingForm P = SettingForm::PrivateInfo;
constexpr SettingForm L = SettingForm::PrintSetting;
constexpr SlotHalf kSecond = SlotHalf::Second;

constexpr SettingControl Break(const char* key, SlotHalf half, int row) {
    return {S, kBreakGridName, key, Text, None, half, 0, row};
}

// The settings dialog's page "勤務・金額設定", then "時刻調整設定", "休日・ｶﾚﾝﾀﾞｰ設定" and "印刷・その他の設定";
// the time boxes and the break grid come first, so that OK normalises the slots after they are all stored.
constexpr SettingControl kSettingControls[] = {
    {S, "PassEdit", "Pass", Text},
    {S, "KinPassEdit", "KinPass", Text},
    {S, "SimeDayMemo", "SimeDay", Number, SimeDay},
    {S, "StartMemo", "Time11", Text},
    {S, "EndMemo", "Time11", Text, None, kSecond},
    {S, "SinyaMemo", "Time12", Text},
    {S, "SinyaEndMemo", "Time12", Text, LateNightEnd, kSecond},
    {S, "FlexTimeCheckBox", "FlexTime", Check},
    {S, "HyojunAllMemo", "Time13", Text},
    {S, "HyojunAMMemo", "Time14", Text},
    {S, "HyojunPMMemo", "Time15", Text},
    {S, "MokuTimeMemo", "Time16", Text},
    {S, "DaikyuMemo", "Time17", Text, Daikyu},
    {S, "HandonMemo", "Time21", Text},
    {S, "HandonEndMemo", "Time21", Text, None, kSecond},
    {S, "HandonKinmuMemo", "Time22", Text},
    {S, "ZanLowLimitMemo", "Time13", Text, None, kSecond},
    Break("Time01", SlotHalf::First, 1),
    Break("Time01", kSecond, 1),
    Break("Time02", SlotHalf::First, 2),
    Break("Time02", kSecond, 2),
    Break("Time03", SlotHalf::First, 3),
    Break("Time03", kSecond, 3),
    Break("Time04", SlotHalf::First, 4),
    Break("Time04", kSecond, 4),
    Break("Time05", SlotHalf::First, 5),
    Break("Time05", kSecond, 5),
    Break("Time06", SlotHalf::First, 6),
    Break("Time06", kSecond, 6),
    Break("Time07", SlotHalf::First, 7),
    Break("Time07", kSecond, 7),
    Break("Time08", SlotHalf::First, 8),
    Break("Time08", kSecond, 8),
    Break("Time09", SlotHalf::First, 9),
    Break("Time09", kSecond, 9),
    Break("Time10", SlotHalf::First, 10),
    Break("Time10", kSecond, 10),
    {S, "KihonMemo", "Kin01", Number, Amount},
    {S, "TeateMemo", "Kin02", Number, Amount},
    {S, "ElseMemo", "Kin03", Number, Amount},
    {S, "ZanMemo", "Kin04", Number, Amount},
    {S, "SZanMemo", "Kin05", Number, Amount},
    {S, "MokuMemo", "Kin06", Number, Amount},
    {S, "KakeMemo", "Kin07", Number, Kake},
    {S, "KZanMemo", "Kin08", Number, Amount},
    {S, "KSZanMemo", "Kin09", Number, Amount},
    {S, "TenbikiMemo", "Kin10", Number, Amount},
    {S, "HZanMemo", "Kin11", Number, Amount},
    {S, "HSZanMemo", "Kin12", Number, Amount},
    {S, "MokuTimeCheckBox", "MokuhyoTime", Check},
    {S, "MokuTedoriCheckBox", "MokuhyoTime", CheckNot},
    {S, "DaikyuCheckBox", "DaikyuZanCalc", Check},
    {S, "SatHandonCheckBox", "SatHandon", Check},

    {S, "StartAdjustRadioGroup", "StartAdjustSelect", Choice, None, SlotHalf::First, 4},
    {S, "StartTimeComboBox", "StartTime2", Choice, None, SlotHalf::First, 7},
    {S, "StartAutoInRadioGroup", "StartAutoIn", Choice, None, SlotHalf::First, 3},
    {S, "StartTeijiInComboBox", "StartTeijiIn", Choice, None, SlotHalf::First, 3},
    {S, "EndAdjustRadioGroup", "EndAdjustSelect", Choice, None, SlotHalf::First, 4},
    {S, "EndTimeComboBox", "EndTime2", Choice, None, SlotHalf::First, 7},
    {S, "EndAutoInRadioGroup", "EndAutoIn", Choice, None, SlotHalf::First, 3},
    {S, "EndOverWriteComboBox", "EndOverWrite", Choice, None, SlotHalf::First, 3},
    {S, "ZangyoAdjustRadioGroup", "ZangyoAdjustSelect", Choice, None, SlotHalf::First, 4},
    {S, "ZangyoTimeComboBox", "ZangyoTime2", Choice, None, SlotHalf::First, 7},
    {S, "NoAutoInAdjustCheckBox", "NoAutoInAdjust", Check},
    {S, "CalcTimeAdjustCheckBox", "CalcTimeAdjust", Check},
    {S, "StartPassSkipCheckBox", "StartPassSkip", Check},
    {S, "StartAutoMinimizeCheckBox", "StartAutoMinimize", Check},
    {S, "ClickAutoRadioGroup", "ClickAutoSelect", Choice, None, SlotHalf::First, 2},

    {S, "Week1CheckBox", "Week1Check", Check},
    {S, "Week2CheckBox", "Week2Check", Check},
    {S, "Week3CheckBox", "Week3Check", Check},
    {S, "Week4CheckBox", "Week4Check", Check},
    {S, "Week5CheckBox", "Week5Check", Check},
    {S, "Week6CheckBox", "Week6Check", Check},
    {S, "Week7CheckBox", "Week7Check", Check},
    {S, "GridLineSelectComboBox", "GridLineSelect", Choice, None, SlotHalf::First, 3},
    {S, "SeijinDayCheckBox", "SeijinDay", Check},
    {S, "SpringDayCheckBox", "SpringDay", Check},
    {S, "AutumnDayCheckBox", "AutumnDay", Check},
    {S, "SportDayCheckBox", "SportDay", Check},
    {S, "OceanDayCheckBox", "OceanDay", Check},
    {S, "OldManDayCheckBox", "OldManDay", Check},
    {S, "HanDayAMMemo", "HanDayAM", Text, HalfDay},
    {S, "HanDayPMMemo", "HanDayPM", Text, HalfDay},
    {S, "YuukyuKinmuCheckBox", "YuukyuKinmu", Check},
    {S, "Hankyu05CheckBox", "Hankyu05", Check},
    {S, "YukyuMokuZanDispCheckBox", "YukyuMokuZanDisp", Check},
    {S, "YukyuMokuZanMemo", "YukyuMokuZan", Text, Decimal},
    {S, "YukyuMonthMemo", "YukyuMonth", Number, YukyuMonth},

    {S, "PrintFormComboBox", "PrintForm", Choice, None, SlotHalf::First, 2},
    {S, "PrintMemoLenMemo", "PrintMemo", Number, PrintMemo},
    {S, "PrintTimeCheckBox", "PrintTime", Check},
    {S, "PrintDateCheckBox", "PrintDate", Check},
    {S, "PrintPageCheckBox", "PrintPage", Check},
    {S, "PrintGrayCheckBox", "PrintGary", Check},
    {S, "PrintNameCheckBox", "PrintName", Check},
    {S, "TopMarginMemo", "PageTopMargin", Text, Margin},
    {S, "BottomMarginMemo", "PageBottomMargin", Text, Margin},
    {S, "LeftMarginMemo", "PageLeftMargin", Text, Margin},
    {S, "RightMarginMemo", "PageRightMargin", Text, Margin},
    {S, "ReOpenPassInCheckBox", "ReOpenPassIn", Check},
    {S, "EscKeyMinCheckBox", "EscKeyMin", Check},
    {S, "WindowSizeCheckBox", "WindowSize", Check},
    {S, "AutoSaveCheckBox", "AutoSave", Check},
    {S, "AutoCalcCheckBox", "AutoCalc", Check},
    {S, "IMEAutoModeCheckBox", "IMEAutoMode", Check},
    {S, "IdleProcessCheckBox", "IdleProcess", Check},
    {S, "ChikokuRedDispCheckBox", "ChikokuRedDisp", Check},
    {S, "IconSelectComboBox", "IconSelect", Choice, None, SlotHalf::First, 2},
};

constexpr SettingControl kPrivateInfoControls[] = {
    {P, "PrivateNameDispCheckBox", "PrivateNameDisp", Check},
    {P, "PrivateNameEdit", "PrivateName", Text},
    {P, "CSVNameAddCheckBox", "CSVNameAdd", Check},
    {P, "CSVFileNameEdit", "CSVFileName", Text},
    {P, "CSVPrivateInfoAddCheckBox", "CSVPrivateInfoAdd", Check},
    {P, "CSVPrivateInfoEdit", "CSVPrivateInfo", Text},
    {P, "CSVMonthAddCheckBox", "CSVMonthAdd", Check},
};

constexpr SettingControl kPrintSettingControls[] = {
    {L, "ZangyoTitleEdit", "ZangyoTitle", Text},
    {L, "YearTitleEdit", "YearTitle", Text},
    {L, "YukyuTitleEdit", "YukyuTitle", Text},
    {L, "NameTitleEdit", "NameTitle", Text},
    {L, "ZangyoPrintMukiComboBox", "ZangyoPrintMuki", Choice, None, SlotHalf::First, 2},
    {L, "YearPrintMukiComboBox", "YearPrintMuki", Choice, None, SlotHalf::First, 2},
    {L, "YukyuPrintMukiComboBox", "YukyuPrintMuki", Choice, None, SlotHalf::First, 2},
    {L, "TitlePositionComboBox", "TitlePosition", Choice, None, SlotHalf::First, 3},
    {L, "NamePositionComboBox", "NamePosition", Choice, None, SlotHalf::First, 3},
    {L, "MonthPositionComboBox", "MonthPosition", Choice, None, SlotHalf::First, 3},
    {L, "PagePositionComboBox", "PagePosition", Choice, None, SlotHalf::First, 3},
    {L, "DatePositionComboBox", "DatePosition", Choice, None, SlotHalf::First, 3},
};

using enum EnableWhen;
constexpr EnableRule kSettingRules[] = {
    {"StartTimeComboBox", "StartAdjustRadioGroup", IndexNotZero},
    {"EndTimeComboBox", "EndAdjustRadioGroup", IndexNotZero},
    {"ZangyoTimeComboBox", "ZangyoAdjustRadioGroup", IndexNotZero},
    {"StartPassSkipCheckBox", "StartAutoInRadioGroup", IndexNotZero, true},
    {"StartAutoMinimizeCheckBox", "StartAutoInRadioGroup", IndexNotZero, true},
    {"StartTeijiInComboBox", "StartAutoInRadioGroup", IndexNotZero},
    {"EndOverWriteComboBox", "EndAutoInRadioGroup", IndexOne},
    {"MokuTimeMemo", "MokuTimeCheckBox", Checked},
    {"MokuMemo", "MokuTedoriCheckBox", Checked},
    {"DaikyuMemo", "DaikyuCheckBox", Checked},
    {"YukyuMokuZanMemo", "YukyuMokuZanDispCheckBox", Checked},
};

constexpr EnableRule kPrivateInfoRules[] = {
    {"PrivateNameEdit", "PrivateNameDispCheckBox", Checked},
    {"CSVFileNameEdit", "CSVNameAddCheckBox", Checked},
    {"CSVPrivateInfoEdit", "CSVPrivateInfoAddCheckBox", Checked},
};

// Governed by the settings dialog's print check boxes.
constexpr EnableRule kPrintSettingRules[] = {
    {"NameTitleEdit", "PrintNameCheckBox", Checked},        {"NamePositionComboBox", "PrintNameCheckBox", Checked},
    {"NameFontEdit", "PrintNameCheckBox", Checked},         {"NameFontButton", "PrintNameCheckBox", Checked},
    {"PagePositionComboBox", "PrintPageCheckBox", Checked}, {"PageFontEdit", "PrintPageCheckBox", Checked},
    {"PageFontButton", "PrintPageCheckBox", Checked},       {"DatePositionComboBox", "PrintDateCheckBox", Checked},
    {"DateFontEdit", "PrintDateCheckBox", Checked},         {"DateFontButton", "PrintDateCheckBox", Checked},
};

constexpr std::array<int, kCellColorItems> kCellColorSlots{0, 1, 2, 3, 4, 5, 8, 6, 7};

// The integer the text holds, or nothing when it holds none.
std::optional<int> IntegerOf(std::string_view text) {
    const int value = TextToIntDef(text, 0);
    return value == TextToIntDef(text, 1) ? std::optional<int>(value) : std::nullopt;
}

std::string WithoutBlanksAndCommas(std::string_view text) {
    std::string result(text);
    std::erase_if(result, [](char c) { return c == ',' || c == ' '; });
    return result;
}

std::string OneDecimal(double value) {
    return RealToText(0, 1, value);
}

// The integer OK stores for a box of integers.
int StoredInteger(FieldRule rule, std::string_view text) {
    switch (rule) {
    case SimeDay:
        return SimeDayOf(text);
    case YukyuMonth:
        return IntegerOf(text) ? TextToIntDef(LeaveText(rule, text), 4) : 4;
    case Kake:
        return TextToIntDef(text, 100);
    case Amount:
        return TextToIntDef(WithoutBlanksAndCommas(text), 0);
    default:
        return TextToIntDef(LeaveText(rule, text), 0);
    }
}

std::string StoredText(FieldRule rule, std::string_view text) {
    return rule == LateNightEnd ? FoldLateNightEnd(text) : LeaveText(rule, text);
}

ControlValue ValueOf(const Settings& settings, const SettingControl& control) {
    ControlValue value;
    std::visit(
        [&](auto field) {
            using Field = decltype(field);
            if constexpr (std::is_same_v<Field, const bool*>) {
                value.checked = control.kind == CheckNot ? !*field : *field;
            } else if constexpr (std::is_same_v<Field, const int*>) {
                if (control.kind == Choice)
                    value.index = *field >= 0 && *field < control.choices ? *field : 0;
                else
                    value.text =
                        control.rule == Amount ? GroupThousands(std::to_string(*field)) : std::to_string(*field);
            } else if constexpr (std::is_same_v<Field, const std::string*>) {
                value.text = *field;
            }
        },
        FindSetting(settings, control.key, control.half));
    return value;
}

void Store(const ControlValue& value, const SettingControl& control, Settings& settings) {
    if (control.kind == CheckNot)
        return;
    std::visit(
        [&](auto field) {
            using Field = decltype(field);
            if constexpr (std::is_same_v<Field, bool*>) {
                *field = value.checked;
            } else if constexpr (std::is_same_v<Field, int*>) {
                if (control.kind == Choice)
                    *field = std::clamp(value.index, 0, control.choices - 1);
                else
                    *field = StoredInteger(control.rule, value.text);
            } else if constexpr (std::is_same_v<Field, std::string*>) {
                *field = StoredText(control.rule, value.text);
            }
        },
        FindSetting(settings, control.key, control.half));
}

template <typename Values>
auto* FindIn(Values& values, SettingForm form, std::string_view control, int row) {
    const auto controls = FormControls(form);
    for (std::size_t i = 0; i < controls.size() && i < values.size(); ++i) {
        if (controls[i].control == control && controls[i].row == row)
            return &values[i];
    }
    return static_cast<decltype(&values[0])>(nullptr);
}

} // namespace

std::span<const SettingControl> FormControls(SettingForm form) {
    switch (form) {
    case SettingForm::PrivateInfo:
        return kPrivateInfoControls;
    case SettingForm::PrintSetting:
        return kPrintSettingControls;
    case SettingForm::Setting:
        break;
    }
    return kSettingControls;
}

FormValues FormValuesOf(const Settings& settings, SettingForm form) {
    FormValues values;
    for (const SettingControl& control : FormControls(form))
        values.push_back(ValueOf(settings, control));
    return values;
}

void StoreFormValues(const FormValues& values, SettingForm form, Settings& settings) {
    const auto controls = FormControls(form);
    for (std::size_t i = 0; i < controls.size() && i < values.size(); ++i)
        Store(values[i], controls[i], settings);
    if (form != SettingForm::Setting)
        return;
    for (std::size_t slot = 1; slot < settings.Time.size(); ++slot)
        settings.Time[slot] = NormalizedSlot(settings.Time[slot]);
}

const ControlValue* FindValue(const FormValues& values, SettingForm form, std::string_view control, int row) {
    return FindIn(values, form, control, row);
}

ControlValue* FindValue(FormValues& values, SettingForm form, std::string_view control, int row) {
    return FindIn(values, form, control, row);
}

std::string LeaveText(FieldRule rule, std::string_view text) {
    switch (rule) {
    case SimeDay: {
        const int day = std::max(TextToIntDef(text, 0), 1);
        return std::to_string(day >= 28 ? 31 : day);
    }
    case YukyuMonth: {
        const std::optional<int> month = IntegerOf(text);
        return std::to_string(month ? std::clamp(*month, 0, 12) : 4);
    }
    case PrintMemo:
        return std::to_string(std::max(TextToIntDef(text, 0), 10));
    case Amount:
        return GroupThousands(std::to_string(TextToIntDef(WithoutBlanksAndCommas(text), 0)));
    case Daikyu:
        return FullTimeText(-std::abs(TimeTextToMinutes(text)));
    case HalfDay:
        return OneDecimal(-std::abs(TextToReal(text, 1, 0)));
    case Margin:
        return OneDecimal(std::abs(TextToReal(text, 1, 0)));
    case Decimal:
        return OneDecimal(TextToReal(text, 1, 0));
    case None:
    case Kake:
    case LateNightEnd:
        break;
    }
    return std::string(text);
}

std::string EnterText(FieldRule rule, std::string_view text) {
    return rule == Amount ? StripThousands(text) : std::string(text);
}

int SimeDayOf(std::string_view text) {
    return TextToIntDef(LeaveText(SimeDay, text), 31);
}

std::string FoldLateNightEnd(std::string_view text) {
    constexpr int kDay = 24 * 60;
    const int minutes = TimeTextToMinutes(text);
    if (minutes <= kDay)
        return std::string(text);
    return FullTimeText((minutes - 1) % kDay + 1);
}

std::string FullTimeText(int minutes) {
    const long long hours = std::llabs(static_cast<long long>(minutes)) / 60;
    const int width = static_cast<int>(std::to_string(hours).size()) + (minutes < 0 ? 1 : 0);
    return MinutesToTimeText(minutes, std::max(width, 2), true);
}

TimeSlot NormalizedSlot(const TimeSlot& slot) {
    const int first = TimeTextToMinutes(slot.first);
    const int second = TimeTextToMinutes(slot.second);
    if (first == 0 && second == 0)
        return {};
    return {FullTimeText(first), FullTimeText(second)};
}

std::span<const EnableRule> EnableRules(SettingForm form) {
    switch (form) {
    case SettingForm::PrivateInfo:
        return kPrivateInfoRules;
    case SettingForm::PrintSetting:
        return kPrintSettingRules;
    case SettingForm::Setting:
        break;
    }
    return kSettingRules;
}

bool IsEnabled(EnableWhen when, const ControlValue& governor) {
    switch (when) {
    case IndexNotZero:
        return governor.index != 0;
    case IndexOne:
        return governor.index == 1;
    case Checked:
        break;
    }
    return governor.checked;
}

int CellColorSlot(int item) {
    return item >= 0 && item < kCellColorItems ? kCellColorSlots[static_cast<std::size_t>(item)] : 0;
}

CellColorCopy CellColorsOf(const Settings& settings) {
    return {settings.CellColorCheck, settings.CellColor};
}

void StoreCellColors(const CellColorCopy& colors, Settings& settings) {
    settings.CellColorCheck = colors.use;
    settings.CellColor = colors.color;
}

int MoveBreakRowUp(BreakRows& rows, int row) {
    if (row < 2 || row > kBreakRows)
        return row;
    std::swap(rows[static_cast<std::size_t>(row - 1)], rows[static_cast<std::size_t>(row - 2)]);
    return row - 1;
}

int MoveBreakRowDown(BreakRows& rows, int row) {
    if (row < 1 || row >= kBreakRows)
        return row;
    std::swap(rows[static_cast<std::size_t>(row - 1)], rows[static_cast<std::size_t>(row)]);
    return row + 1;
}

int InsertBreakRow(BreakRows& rows, int row) {
    if (row < 1 || row > kBreakRows)
        return row;
    std::move_backward(rows.begin() + row - 1, rows.end() - 1, rows.end());
    rows[static_cast<std::size_t>(row - 1)] = {};
    return row;
}

int DeleteBreakRow(BreakRows& rows, int row) {
    if (row < 1 || row > kBreakRows)
        return row;
    std::move(rows.begin() + row, rows.end(), rows.begin() + row - 1);
    rows.back() = {};
    return row;
}

std::optional<PositionConflict> CheckPrintPositions(const PrintPositions& positions) {
    std::optional<PositionConflict> conflict;
    if (positions.pageEnabled && positions.dateEnabled && positions.page == positions.date)
        conflict = PositionConflict{"PagePositionComboBox", text::kPagePositionConflict};
    if (positions.nameEnabled && positions.name == positions.month)
        conflict = PositionConflict{"NamePositionComboBox", text::kNamePositionConflict};
    return conflict;
}

namespace {

struct PrintFontFields {
    std::string Settings::*name;
    int Settings::*size;
    int Settings::*style;
};
constexpr std::array<PrintFontFields, 6> kPrintFonts{{
    {&Settings::TitleFontName, &Settings::TitleFontSize, &Settings::TitleFontStyle},
    {&Settings::NameFontName, &Settings::NameFontSize, &Settings::NameFontStyle},
    {&Settings::MonthFontName, &Settings::MonthFontSize, &Settings::MonthFontStyle},
    {&Settings::ListFontName, &Settings::ListFontSize, &Settings::ListFontStyle},
    {&Settings::PageFontName, &Settings::PageFontSize, &Settings::PageFontStyle},
    {&Settings::DateFontName, &Settings::DateFontSize, &Settings::DateFontStyle},
}};

} // namespace

PrintFonts PrintFontsOf(const Settings& settings) {
    PrintFonts fonts;
    for (std::size_t i = 0; i < fonts.size(); ++i)
        fonts[i] = {settings.*kPrintFonts[i].name, settings.*kPrintFonts[i].size, settings.*kPrintFonts[i].style};
    return fonts;
}

void StorePrintFonts(const PrintFonts& fonts, Settings& settings) {
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        settings.*kPrintFonts[i].name = fonts[i].name;
        settings.*kPrintFonts[i].size = fonts[i].size;
        settings.*kPrintFonts[i].style = fonts[i].style;
    }
}

std::string FontSampleText(int points) {
    return text::kFontSamplePrefix + std::to_string(points) + text::kFontSamplePoints;
}

} // namespace mitoran
