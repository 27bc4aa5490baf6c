// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/TimeEntry.h"

#include "engine/calendar/Calendar.h"
#include "engine/calendar/Clock.h"
#include "engine/month/Calculation.h"
#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>

namespace mitoran {

namespace {

constexpr int kArrivalColumn = static_cast<int>(DayColumn::Arrival);
constexpr int kLeavingColumn = static_cast<int>(DayColumn::Leaving);
constexpr int kZangyoColumn = static_cast<int>(DayColumn::Zangyo);
constexpr int kShinyaColumn = static_cast<int>(DayColumn::Shinya);
constexpr int kKinmuColumn = static_cast<int>(DayColumn::Kinmu);
// A stamped time never goes past the last minute a day of the sheet can hold.
constexpr int kLatestStampMinutes = 48 * 60;

bool IsDayRow(const MonthSheet& sheet, int day) {
    return day >= 1 && day <= std::min(sheet.dayCount, kMaxDays);
}

bool IsTimeColumn(int column) {
    return column == kArrivalColumn || column == kLeavingColumn;
}

std::string& Cell(MonthSheet& sheet, int day, int column) {
    return sheet.days[static_cast<std::size_t>(day)].cells[static_cast<std::size_t>(column)];
}

std::string Mid(std::string_view text, std::size_t position, std::size_t count) {
    return position < text.size() ? std::string(text.substr(position, count)) : std::string();
}

bool IsKubun(const DayRecord& record, Kubun kubun) {
    return KubunOfMark(record[DayColumn::Kubun]) == kubun;
}

const std::string& WordOf(TimeKind kind) {
    return kind == TimeKind::Arrival ? text::kArrivalWord : text::kLeavingWord;
}

// The hand-entry mark of a computed column.
std::string DayRecord::*FixedMarkOf(int column) {
    switch (column) {
    case kZangyoColumn:
        return &DayRecord::zangyoFixed;
    case kShinyaColumn:
        return &DayRecord::shinyaFixed;
    case kKinmuColumn:
        return &DayRecord::kinmuFixed;
    default:
        return nullptr;
    }
}

const std::string* ValueWordOf(int column) {
    switch (column) {
    case kZangyoColumn:
        return &text::kZangyoWord;
    case kShinyaColumn:
        return &text::kShinyaWord;
    case kKinmuColumn:
        return &text::kKinmuWord;
    default:
        return nullptr;
    }
}

void RecalcWhenAuto(MonthSheet& sheet, const Settings& settings) {
    if (settings.AutoCalc)
        RecalcMonth(sheet, settings);
}

} // namespace

// ---- Day categories ----

const std::string& NextKubunMark(std::string_view mark) {
    const auto& table = KubunTable();
    const std::optional<Kubun> current = KubunOfMark(mark);
    if (!current || *current == Kubun::Handon)
        return table.front().mark;
    return table[static_cast<std::size_t>(*current) + 1].mark;
}

bool KubunMenuClick(MonthSheet& sheet, int day, int tag, const Settings& settings) {
    if (!IsDayRow(sheet, day) || tag < 0 || tag >= kKubunCount)
        return false;
    sheet.days[static_cast<std::size_t>(day)][DayColumn::Kubun] = InfoOf(static_cast<Kubun>(tag)).mark;
    RecalcWhenAuto(sheet, settings);
    return true;
}

bool KubunChange(MonthSheet& sheet, int day, const Settings& settings) {
    if (!IsDayRow(sheet, day))
        return false;
    std::string& kubun = sheet.days[static_cast<std::size_t>(day)][DayColumn::Kubun];
    kubun = NextKubunMark(kubun);
    RecalcWhenAuto(sheet, settings);
    return true;
}

// ---- Times ----

TimeProposal ProposeTime(TimeKind kind, const LocalDateTime& now, const Settings& settings) {
    int hour = now.hour;
    if (kind == TimeKind::Leaving && BeforeRegularStart(now.hour, now.minute, settings))
        hour += 24;
    TimeProposal proposal;
    proposal.shown = std::to_string(hour) + ":" + PadNumber(now.minute, 2, "0");
    int mode = kRoundNone;
    int unit = 1;
    if (!settings.NoAutoInAdjust) {
        const bool arrival = kind == TimeKind::Arrival;
        mode = arrival ? settings.StartAdjustSelect : settings.EndAdjustSelect;
        unit = RoundingUnit(arrival ? settings.StartTime2 : settings.EndTime2);
    }
    proposal.proposed = NormalTimeText(RoundTimeText(proposal.shown, mode, unit));
    return proposal;
}

int AdjustStep(TimeKind kind, const Settings& settings) {
    const bool arrival = kind == TimeKind::Arrival;
    const int mode = arrival ? settings.StartAdjustSelect : settings.EndAdjustSelect;
    return mode == kRoundNone ? 1 : RoundingUnit(arrival ? settings.StartTime2 : settings.EndTime2);
}

bool BeforeRegularStart(int hour, int minute, const Settings& settings) {
    return hour * 60 + minute < TimeTextToMinutes(settings.Time[kSlotRegular].first);
}

std::string StepTimeText(std::string_view text, int minutes) {
    const long long moved = static_cast<long long>(TimeTextToMinutes(text)) + minutes;
    return MinutesToTimeText(static_cast<int>(std::clamp<long long>(moved, 0, kLatestStampMinutes)), 2, true);
}

std::string DayLabel(const DayRecord& day, bool keepBlanks) {
    const std::string& date = day[DayColumn::Date];
    std::string month = Mid(date, 0, 2);
    std::string dayOfMonth = Mid(date, 3, 2);
    if (!keepBlanks) {
        month = TrimText(month);
        dayOfMonth = TrimText(dayOfMonth);
    }
    return month + text::kMonthSuffix + dayOfMonth + text::kDaySuffix + "(" + day[DayColumn::Weekday] + ")";
}

TimeAdjustTexts TimeAdjustTextsOf(TimeKind kind, std::string_view dayText) {
    const std::string& word = WordOf(kind);
    return {word + text::kAutoInputSuffix, word, std::string(dayText) + text::kNo + word + text::kAutoInputHelpSuffix};
}

bool NowTimeIn(MonthSheet& sheet, int day, int column, const LocalDateTime& now, const Settings& settings,
               TimeConfirm& confirm) {
    if (!IsDayRow(sheet, day) || !IsTimeColumn(column))
        return false;
    const TimeKind kind = column == kArrivalColumn ? TimeKind::Arrival : TimeKind::Leaving;
    const TimeConfirmRequest request{kind, DayLabel(sheet.days[static_cast<std::size_t>(day)], true),
                                     ProposeTime(kind, now, settings), AdjustStep(kind, settings)};
    const std::optional<std::string> accepted = confirm.ConfirmTime(request);
    if (!accepted)
        return false;
    Cell(sheet, day, column) = *accepted;
    return true;
}

bool TeijiTimeIn(MonthSheet& sheet, int day, int column, const Settings& settings) {
    if (!IsDayRow(sheet, day) || !IsTimeColumn(column))
        return false;
    const bool handon = IsKubun(sheet.days[static_cast<std::size_t>(day)], Kubun::Handon);
    const TimeSlot& slot = settings.Time[handon ? kSlotHandon : kSlotRegular];
    Cell(sheet, day, column) = column == kArrivalColumn ? slot.first : slot.second;
    return true;
}

bool TopTimeInItemClick(MonthSheet& sheet, int day, int column) {
    if (!IsDayRow(sheet, day) || !IsTimeColumn(column))
        return false;
    for (int above = day - 1; above >= 1; --above) {
        std::string normal = NormalizeWidth(Cell(sheet, above, column));
        if (!TrimText(normal).empty()) {
            Cell(sheet, day, column) = std::move(normal);
            return true;
        }
    }
    return false;
}

bool UseTimeClick(MonthSheet& sheet, int day, int column, const Settings& settings, int number) {
    if (!IsDayRow(sheet, day) || !IsTimeColumn(column) || number < 1 ||
        number > static_cast<int>(settings.PresetTimes.size()))
        return false;
    const std::string& preset = settings.PresetTimes[static_cast<std::size_t>(number - 1)];
    if (TrimText(preset).empty())
        return false;
    Cell(sheet, day, column) = preset;
    return true;
}

bool TimeClear(MonthSheet& sheet, int day, int column) {
    if (!IsDayRow(sheet, day) || column < kArrivalColumn || column > kKinmuColumn)
        return false;
    Cell(sheet, day, column).clear();
    return true;
}

std::optional<TimeSetRequest> TimeSetRequestOf(const MonthSheet& sheet, int day, int column) {
    const std::string* word = ValueWordOf(column);
    if (!IsDayRow(sheet, day) || word == nullptr)
        return std::nullopt;
    const DayRecord& record = sheet.days[static_cast<std::size_t>(day)];
    TimeSetRequest request;
    request.caption = *word + text::kInputSuffix;
    request.noCalcCaption = *word + text::kNoCalcCaptionSuffix;
    request.noCalcHint = text::kNoCalcHintPrefix + *word + text::kNoCalcHintSuffix;
    request.valueHint = text::kManualHintPrefix + *word + text::kManualHintSuffix;
    request.label = DayLabel(record, true) + text::kNo + *word;
    request.noCalc = record.*FixedMarkOf(column) == "*";
    request.houteiEnabled = IsKubun(record, Kubun::Holiday);
    request.houtei = request.houteiEnabled && record.houteiMark == "*";
    request.value = NormalTimeText(record.cells[static_cast<std::size_t>(column)]);
    return request;
}

void ApplyTimeSetAnswer(DayRecord& record, int column, const TimeSetAnswer& answer) {
    const auto fixed = FixedMarkOf(column);
    if (fixed == nullptr)
        return;
    record.*fixed = answer.noCalc ? "*" : "";
    record.houteiMark = answer.houtei ? "*" : "";
    record.cells[static_cast<std::size_t>(column)] =
        MinutesToTimeText(TimeTextToMinutes(answer.value), 2, answer.noCalc);
}

bool ZanTimeIn(MonthSheet& sheet, int day, int column, TimeSetEditor& editor) {
    const std::optional<TimeSetRequest> request = TimeSetRequestOf(sheet, day, column);
    if (!request)
        return false;
    ApplyTimeSetAnswer(sheet.days[static_cast<std::size_t>(day)], column, editor.EditTime(*request));
    return true;
}

} // namespace mitoran
