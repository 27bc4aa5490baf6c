// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/Settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The controls of the settings dialogs and the settings they show: one table names each control, the stored
// value it edits and the rule of its box. The dialogs only copy between their controls and a FormValues record;
// filling that record from the settings, the boxes' rules and storing it back on OK are here.
namespace mitoran {

enum class SettingForm { Setting, PrivateInfo, PrintSetting };

enum class ControlKind {
    Check,    // a flag
    CheckNot, // shows the flag's negation; stores nothing (its partner, shown opposite, stores the flag)
    Choice,   // an index among `choices` items
    Text,     // a text: a box, a time half, a cell of the break grid
    Number,   // an integer shown as text by the box's rule
};

// What a box does to its text when the focus leaves it, and how OK reads it.
enum class FieldRule {
    None,
    SimeDay,      // 1 … 27, or 31 for 28 and more; text that is no number gives 1
    YukyuMonth,   // 0 … 12; text that is no number gives 4
    PrintMemo,    // 10 or more; text that is no number gives 10
    Kake,         // an integer as typed, commas not removed; OK: text that is no number gives 100
    Amount,       // yen with thousands commas; on entering the commas and blanks go
    Daikyu,       // a duration, zero or negative, zero shown as " 0:00"
    HalfDay,      // days with one decimal, zero or negative
    Margin,       // millimetres with one decimal, zero or positive
    Decimal,      // one decimal
    LateNightEnd, // on OK only: a time past 24:00 less whole days
};

struct SettingControl {
    SettingForm form;
    const char* control; // the control's object name
    const char* key;     // the stored value's name
    ControlKind kind;
    FieldRule rule = FieldRule::None;
    SlotHalf half = SlotHalf::First; // of a "TimeNN" value
    int choices = 0;                 // items of a Choice
    int row = 0;                     // a grid cell's row (1 …); 0 for a control of its own
};

// Every control of one dialog, in the order OK stores them.
std::span<const SettingControl> FormControls(SettingForm form);
// The controls of the break grid, rows 1 … 10, each with its two cells.
inline constexpr const char* kBreakGridName = "BreakStringGrid";
inline constexpr int kBreakRows = 10;

// What a control shows: a text, an index or a check. One per control of FormControls, in the same order.
struct ControlValue {
    std::string text;
    int index = 0;
    bool checked = false;
    bool operator==(const ControlValue&) const = default;
};
using FormValues = std::vector<ControlValue>;

// The values the form's controls show for the settings. An index outside a choice's items shows the first.
FormValues FormValuesOf(const Settings& settings, SettingForm form);
// Stores the values into the settings, each read by its box's rule (OK applies every leaving rule first; text
// that is no number gives the rule's default). For the settings dialog, the time slots are then normalised.
void StoreFormValues(const FormValues& values, SettingForm form, Settings& settings);
// The value of one control, or nullptr when the form has no control of that name (and row).
const ControlValue* FindValue(const FormValues& values, SettingForm form, std::string_view control, int row = 0);
ControlValue* FindValue(FormValues& values, SettingForm form, std::string_view control, int row = 0);

// The text a box shows once the focus leaves it, and once it gets the focus (only amounts change then).
std::string LeaveText(FieldRule rule, std::string_view text);
std::string EnterText(FieldRule rule, std::string_view text);
// The closing day OK reads from its box: the box's leaving rule, however OK is reached.
int SimeDayOf(std::string_view text);

// A time past 24:00 less whole days (48:30 gives " 0:30"; 24:00 stays); other text as it is.
std::string FoldLateNightEnd(std::string_view text);
// A time as text with the hours at the width they need (" 8:00", "120:00", "-12:00").
std::string FullTimeText(int minutes);
// Both halves as time text when either reads as a non-zero time, else both empty.
TimeSlot NormalizedSlot(const TimeSlot& slot);

// A control enabled only while another shows a state; `clears` turns a check box off when it is disabled.
enum class EnableWhen { Checked, IndexNotZero, IndexOne };
struct EnableRule {
    const char* control;
    const char* governor;
    EnableWhen when;
    bool clears = false;
};
// The rules of the settings dialog; the print layout dialog's controls follow its print check boxes.
std::span<const EnableRule> EnableRules(SettingForm form);
bool IsEnabled(EnableWhen when, const ControlValue& governor);

// The background-colour group's working copy. The category box lists 休日, 有給, 午前, 午後, 代休, 欠勤, 半ドン,
// 土曜, 日曜; CellColorSlot gives the colour-table slot of an item.
struct CellColorCopy {
    std::array<bool, 9> use{};
    std::array<std::int32_t, 9> color{};
    bool operator==(const CellColorCopy&) const = default;
};
inline constexpr int kCellColorItems = 9;
int CellColorSlot(int item);
CellColorCopy CellColorsOf(const Settings& settings);
void StoreCellColors(const CellColorCopy& colors, Settings& settings);

// The break grid's rows 1 … 10 (index 0 … 9) and its popup commands on the cursor's row; each returns the
// row the cursor moves to.
using BreakRows = std::array<TimeSlot, kBreakRows>;
int MoveBreakRowUp(BreakRows& rows, int row);
int MoveBreakRowDown(BreakRows& rows, int row);
int InsertBreakRow(BreakRows& rows, int row);
int DeleteBreakRow(BreakRows& rows, int row);

// The print layout dialog's check on OK: the control to focus and the message, or nothing when it may close.
struct PrintPositions {
    int name = 0;
    int month = 0;
    int page = 0;
    int date = 0;
    bool nameEnabled = true;
    bool pageEnabled = true;
    bool dateEnabled = true;
};
struct PositionConflict {
    std::string control;
    std::string message;
    bool operator==(const PositionConflict&) const = default;
};
std::optional<PositionConflict> CheckPrintPositions(const PrintPositions& positions);

// The print layout dialog's working copy of the fonts of the title, name, year-month, list, page number and
// date, in that order, and the sample each font box shows ("あいうABC123  12ﾎﾟｲﾝﾄ").
struct PrintFont {
    std::string name;
    int size = 0;
    int style = 0;
    bool operator==(const PrintFont&) const = default;
};
using PrintFonts = std::array<PrintFont, 6>;
PrintFonts PrintFontsOf(const Settings& settings);
void StorePrintFonts(const PrintFonts& fonts, Settings& settings);
std::string FontSampleText(int points);

} // namespace mitoran
