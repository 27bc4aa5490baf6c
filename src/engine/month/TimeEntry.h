// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The commands that fill a day of the month sheet besides typing: day categories, the current time, the
// regular time, the time of the row above, preset times, clearing and values fixed by hand. Days are sheet
// rows 1..dayCount; columns are those of DayColumn. A command on another row or in a column it does not serve does
// nothing and returns false.
namespace mitoran {

struct DayRecord;
struct LocalDateTime;
struct MonthSheet;
struct Settings;

enum class TimeKind { Arrival = 0, Leaving = 1 };

// "StartAutoIn" / "EndAutoIn".
enum AutoInMode : int { kAutoInOff = 0, kAutoInSilent = 1, kAutoInWindow = 2 };

// What the stamp dialog shows and starts from.
struct TimeProposal {
    std::string shown;    // the clock time, hours without a leading blank ("8:07", "25:30")
    std::string proposed; // rounded by the kind's rule, as time text (" 8:15")
};

struct TimeConfirmRequest {
    TimeKind kind = TimeKind::Arrival;
    std::string dayText; // " 3月 5日(水)" from the grid, "3月5日(水)" from the automatic entry
    TimeProposal proposal;
    int step = 1; // minutes added or taken by "+" and "-"
};

// Confirms a stamped time with the user: the stamp dialog in the desktop program. Returns the accepted
// time text, or nothing when the user cancels.
class TimeConfirm {
public:
    virtual ~TimeConfirm() = default;
    virtual std::optional<std::string> ConfirmTime(const TimeConfirmRequest& request) = 0;
};

// Declines every confirmation: for runs that cannot ask.
class RefusingTimeConfirm final : public TimeConfirm {
public:
    std::optional<std::string> ConfirmTime(const TimeConfirmRequest&) override { return std::nullopt; }
};

// What the manual entry dialog shows for one computed value of a day.
struct TimeSetRequest {
    std::string caption;       // "普通残業時間入力"
    std::string noCalcCaption; // "普通残業時間を[再計算]の対象外とする"
    std::string noCalcHint;
    std::string valueHint;
    std::string label; // " 3月 5日(水)の普通残業時間"
    bool noCalc = false;
    bool houteiEnabled = false;
    bool houtei = false;
    std::string value; // time text, zero shown
};

struct TimeSetAnswer {
    bool noCalc = false;
    bool houtei = false;
    std::string value; // as typed
};

// Lets the user fix a value by hand: the manual entry dialog in the desktop program.
class TimeSetEditor {
public:
    virtual ~TimeSetEditor() = default;
    virtual TimeSetAnswer EditTime(const TimeSetRequest& request) = 0;
};

// ---- Day categories ----

// The mark that follows a mark in table order; after "半" comes "  ", and so does any unknown mark.
const std::string& NextKubunMark(std::string_view mark);
// Sets the category of the tag (0..7); recalculates the month when "AutoCalc" is on.
bool KubunMenuClick(MonthSheet& sheet, int day, int tag, const Settings& settings);
// Steps the category to the next one; recalculates the month when "AutoCalc" is on.
bool KubunChange(MonthSheet& sheet, int day, const Settings& settings);

// ---- Times ----

// The clock time and the proposal for an arrival or a leaving stamped at `now`. A leaving before the
// regular start belongs to the day before and counts from 24:00; "NoAutoInAdjust" turns rounding off.
TimeProposal ProposeTime(TimeKind kind, const LocalDateTime& now, const Settings& settings);
// The minutes "+" and "-" move a stamped time: the kind's rounding unit, or 1 without rounding.
int AdjustStep(TimeKind kind, const Settings& settings);
// True when the clock time lies before the regular start: a leaving then belongs to the day before.
bool BeforeRegularStart(int hour, int minute, const Settings& settings);
// A stamped time moved by `minutes`, held within 0:00..48:00, as time text.
std::string StepTimeText(std::string_view text, int minutes);

// The day as the dialogs name it: " 3月 5日(水)" with the grid's blanks, or "3月5日(水)" without them.
std::string DayLabel(const DayRecord& day, bool keepBlanks);

// Caption, group caption and help text of the stamp dialog.
struct TimeAdjustTexts {
    std::string caption;
    std::string group;
    std::string help;
};
TimeAdjustTexts TimeAdjustTextsOf(TimeKind kind, std::string_view dayText);

// Columns 3 and 4: the current time, rounded and confirmed.
bool NowTimeIn(MonthSheet& sheet, int day, int column, const LocalDateTime& now, const Settings& settings,
               TimeConfirm& confirm);
// Columns 3 and 4: the regular start or end as stored, the half-day ones on a "半" day.
bool TeijiTimeIn(MonthSheet& sheet, int day, int column, const Settings& settings);
// Columns 3 and 4: the nearest time above that is not blank, width-normalised.
bool TopTimeInItemClick(MonthSheet& sheet, int day, int column);
// Columns 3 and 4: preset time 1..6 as stored; a blank preset is never pasted.
bool UseTimeClick(MonthSheet& sheet, int day, int column, const Settings& settings, int number);
// Columns 3..7: empties the cell; the fixed marks stay.
bool TimeClear(MonthSheet& sheet, int day, int column);

// Columns 5..7: the dialog's texts and values for the cell, and the day after the user's answer. The
// month is not recalculated.
std::optional<TimeSetRequest> TimeSetRequestOf(const MonthSheet& sheet, int day, int column);
void ApplyTimeSetAnswer(DayRecord& record, int column, const TimeSetAnswer& answer);
bool ZanTimeIn(MonthSheet& sheet, int day, int column, TimeSetEditor& editor);

} // namespace mitoran
