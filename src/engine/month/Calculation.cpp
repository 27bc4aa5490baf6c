// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/Calculation.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

namespace mitoran {

namespace {

constexpr int kDayMinutes = 1440;
constexpr int kMapMinutes = 2 * kDayMinutes;
// The widest month time text (999:59). Settings are held within it, so no sum can overflow.
constexpr int kTimeLimit = 59999;

int ClampTime(int minutes) {
    return std::clamp(minutes, -kTimeLimit, kTimeLimit);
}

int ReadTime(const std::string& text) {
    return ClampTime(TimeTextToMinutes(text));
}

// The widest day value, 99:59: day values are written with two hour digits.
constexpr int kDayTimeLimit = 99 * 60 + 59;

// A day value fixed by hand, held within what its two-digit text holds, so that the text written for it
// reads back as the same value at the next recalculation.
int ReadFixedDayTime(const std::string& text) {
    return std::clamp(TimeTextToMinutes(text), -kDayTimeLimit, kDayTimeLimit);
}

// A day value as time text; a deficit of ten hours or more takes a third place for its sign, which the
// two-digit hours would drop.
std::string DayTimeText(int minutes, bool showZero) {
    return MinutesToTimeText(minutes, minutes <= -600 ? 3 : 2, showZero);
}

bool IsFixed(const std::string& mark) {
    return TrimText(mark) == "*";
}

struct Rounding {
    int mode = kRoundNone;
    int unit = 1;
};

int RoundMinutes(int minutes, Rounding rounding) {
    return RoundTimeMinutes(minutes, rounding.mode, rounding.unit);
}

// Regular start, regular end and required work time of a day.
struct Frame {
    int start = 0;
    int end = 0;
    int required = 0;
};

// Minutes k with from < k <= to.
struct Span {
    int from = 0;
    int to = 0;
};

// The time settings of one run, read once.
struct Rules {
    // The minutes of the ten breaks on the day and on the next; a break that does not end after its
    // start takes no minute.
    std::array<Span, 20> breaks{};
    std::size_t breakCount = 0;
    Frame normal;
    Frame handon;
    int lateStart = 0;
    int lateEnd = 0;
    int minimumOvertime = 0;
    int gozenTime = 0; // required work time of a morning-off day
    int gogoTime = 0;  // required work time of an afternoon-off day
    int daikyuOvertime = 0;
    Rounding arrival, leaving, overtime;
    double gozenLeave = 0; // paid-leave days used by a morning-off and an afternoon-off day
    double gogoLeave = 0;
};

Rules ReadRules(const Settings& settings) {
    std::array<Span, 23> slots{};
    for (std::size_t i = 1; i < slots.size(); ++i)
        slots[i] = {ReadTime(settings.Time[i].first), ReadTime(settings.Time[i].second)};

    Rules rules;
    for (std::size_t i = 1; i <= kSlotLastBreak; ++i) {
        const Span pause = slots[i];
        if (pause.to > pause.from) {
            rules.breaks[rules.breakCount++] = pause;
            rules.breaks[rules.breakCount++] = {pause.from + kDayMinutes, pause.to + kDayMinutes};
        }
    }
    rules.normal = {slots[kSlotRegular].from, slots[kSlotRegular].to, slots[kSlotRequired].from};
    rules.handon = {slots[kSlotHandon].from, slots[kSlotHandon].to, slots[kSlotHandonRequired].from};
    rules.lateStart = slots[kSlotLateNight].from;
    rules.lateEnd = slots[kSlotLateNight].to == 0 ? 5 * 60 : slots[kSlotLateNight].to;
    rules.minimumOvertime = slots[kSlotRequired].to;
    rules.gozenTime = slots[kSlotGozen].from;
    rules.gogoTime = slots[kSlotGogo].from;
    rules.daikyuOvertime = slots[kSlotDaikyu].from;
    rules.arrival = {settings.StartAdjustSelect, RoundingUnit(settings.StartTime2)};
    rules.leaving = {settings.EndAdjustSelect, RoundingUnit(settings.EndTime2)};
    rules.overtime = {settings.ZangyoAdjustSelect, RoundingUnit(settings.ZangyoTime2)};
    const auto [am, pm] = HalfDayAmounts(settings);
    rules.gozenLeave = std::fabs(am);
    rules.gogoLeave = std::fabs(pm);
    return rules;
}

enum Cell : std::uint8_t { kNone, kWork, kRegular, kOrdinary, kLateNight };
constexpr std::size_t kCellKinds = 5;

bool Holds(Span span, int minute) {
    return span.from < minute && minute <= span.to;
}

// Ranges of regular hours, the late-night window and the ordinary overtime around them, in order of
// precedence. A window that crosses midnight (start after end) runs from the start to the end of the
// next morning; one that does not (0:00-5:00) covers its hours on both days.
struct ClassRanges {
    std::array<std::pair<Span, Cell>, 6> ranges{};
    std::size_t count = 0;
};

ClassRanges RangesOf(const Rules& rules, const Frame& frame) {
    const int lateStart = rules.lateStart;
    const int lateEnd = rules.lateEnd;
    if (lateEnd <= lateStart) {
        return {{{{{0, lateEnd}, kLateNight},
                  {{lateEnd, frame.start}, kOrdinary},
                  {{frame.start, frame.end}, kRegular},
                  {{frame.end, lateStart}, kOrdinary},
                  {{lateStart, lateEnd + kDayMinutes}, kLateNight},
                  {{lateEnd + kDayMinutes, kMapMinutes}, kOrdinary}}},
                6};
    }
    return {{{{{lateStart, lateEnd}, kLateNight},
              {{lateStart + kDayMinutes, lateEnd + kDayMinutes}, kLateNight},
              {{frame.start, frame.end}, kRegular},
              {{0, kMapMinutes}, kOrdinary}}},
            4};
}

// The class of one minute of the day and the next: none in a break, else that of the first range that
// holds it; a worked minute that no range holds counts in no class.
Cell ClassOfMinute(int minute, const ClassRanges& classes, const Rules& rules) {
    for (std::size_t i = 0; i < rules.breakCount; ++i) {
        if (Holds(rules.breaks[i], minute))
            return kNone;
    }
    for (std::size_t i = 0; i < classes.count; ++i) {
        if (Holds(classes.ranges[i].first, minute))
            return classes.ranges[i].second;
    }
    return kWork;
}

// Both ends of the map, of six ranges and of ten breaks on two days.
constexpr std::size_t kMaxBounds = 2 + 2 * 6 + 4 * 10;

// The minutes, in order, at which the class may change from one minute to the next.
struct ClassBounds {
    std::array<int, kMaxBounds> minutes{};
    std::size_t count = 0;
};

ClassBounds BoundsOf(const ClassRanges& classes, const Rules& rules) {
    ClassBounds bounds;
    const auto add = [&bounds](int minute) { bounds.minutes[bounds.count++] = std::clamp(minute, 0, kMapMinutes); };
    add(0);
    add(kMapMinutes);
    for (std::size_t i = 0; i < classes.count; ++i) {
        add(classes.ranges[i].first.from);
        add(classes.ranges[i].first.to);
    }
    for (std::size_t i = 0; i < rules.breakCount; ++i) {
        add(rules.breaks[i].from);
        add(rules.breaks[i].to);
    }
    std::sort(bounds.minutes.begin(), bounds.minutes.begin() + static_cast<std::ptrdiff_t>(bounds.count));
    return bounds;
}

// The classes of minutes 1..2880 (minute k ends at k) for one frame. A minute's class does not depend on
// the day's times, so it is worked out once per run: the ends of the ranges and breaks cut the map into
// runs of minutes of one class, and each run keeps the minutes per class before it, so that a day's
// counts are the difference of two look-ups.
class MinuteClasses {
public:
    MinuteClasses(const Rules& rules, const Frame& frame) {
        const ClassRanges classes = RangesOf(rules, frame);
        const ClassBounds bounds = BoundsOf(classes, rules);
        std::array<int, kCellKinds> before{};
        for (std::size_t i = 0; i + 1 < bounds.count; ++i) {
            const int from = bounds.minutes[i];
            const int to = bounds.minutes[i + 1];
            if (from == to)
                continue;
            const Cell cell = ClassOfMinute(to, classes, rules);
            m_runs[m_count++] = {from, to, cell, before};
            before[cell] += to - from;
        }
    }

    // Minutes per class within the worked span, held within the map.
    std::array<int, kCellKinds> Count(Span worked) const {
        const int from = std::clamp(worked.from, 0, kMapMinutes);
        const int to = std::clamp(worked.to, 0, kMapMinutes);
        std::array<int, kCellKinds> counts{};
        if (from < to) {
            const auto upTo = CountTo(to);
            const auto upToFrom = CountTo(from);
            for (std::size_t cell = 0; cell < kCellKinds; ++cell)
                counts[cell] = upTo[cell] - upToFrom[cell];
        }
        return counts;
    }

private:
    // Minutes from < k <= to, all of one class.
    struct Run {
        int from = 0;
        int to = 0;
        Cell cell = kNone;
        std::array<int, kCellKinds> before{}; // minutes per class in 1..from
    };

    // Minutes per class in 1..minute, for 0 <= minute <= 2880.
    std::array<int, kCellKinds> CountTo(int minute) const {
        const auto runs = std::span(m_runs).first(m_count);
        const Run& run = *std::ranges::lower_bound(runs, minute, {}, &Run::to);
        std::array<int, kCellKinds> counts = run.before;
        counts[run.cell] += minute - run.from;
        return counts;
    }

    std::array<Run, kMaxBounds - 1> m_runs{};
    std::size_t m_count = 0;
};

// Required time that flex time deducts from a day's overtime.
int FlexDeduction(Kubun kubun, const Frame& frame, const Rules& rules) {
    switch (kubun) {
    case Kubun::Normal:
    case Kubun::Kekkin:
    case Kubun::Handon:
        return frame.required;
    case Kubun::Gozen:
        return rules.gozenTime;
    case Kubun::Gogo:
        return rules.gogoTime;
    default:
        return 0;
    }
}

// Required time that flex time adds to a day's work time.
int FlexAddition(Kubun kubun, const Frame& frame, const Rules& rules) {
    return kubun == Kubun::Kekkin ? 0 : FlexDeduction(kubun, frame, rules);
}

// Work time credited for leave: a half day off is credited the other half's required time.
int LeaveCredit(Kubun kubun, const Frame& frame, const Rules& rules) {
    switch (kubun) {
    case Kubun::Yukyu:
        return frame.required;
    case Kubun::Gozen:
        return rules.gogoTime;
    case Kubun::Gogo:
        return rules.gozenTime;
    default:
        return 0;
    }
}

// Arrival in minutes; the cell is rewritten in normal form (" 0:00" only for a typed midnight).
int NormaliseArrival(std::string& text) {
    int arrival = TimeTextToMinutes(text);
    if (arrival < 0 || arrival > kMapMinutes)
        arrival = 0;
    const bool midnight = arrival == 0 && NormalizeWidth(TrimText(text)).starts_with('0');
    text = MinutesToTimeText(arrival, 2, midnight);
    return arrival;
}

// Leaving in minutes; a time not after the arrival is on the next day. A leaving that would then lie
// beyond the map (an arrival after 24:00) is held at 48:00, so that the rewritten text reads back the
// same on the next run.
int NormaliseLeaving(std::string& text, bool hasArrival, int arrival) {
    int leaving = TimeTextToMinutes(text);
    if (leaving < 0 || leaving > kMapMinutes)
        leaving = 0;
    if (hasArrival && leaving != 0 && leaving <= arrival) {
        leaving += kDayMinutes;
        if (leaving <= arrival || leaving > kMapMinutes)
            leaving = kMapMinutes;
    }
    text = MinutesToTimeText(leaving, 2, false);
    return leaving;
}

Kubun NormaliseKubun(std::string& mark) {
    const Kubun kubun = KubunOfMark(mark).value_or(Kubun::Normal);
    mark = InfoOf(kubun).mark;
    return kubun;
}

class MonthCalculator {
public:
    explicit MonthCalculator(const Settings& settings)
        : m_settings(settings), m_rules(ReadRules(settings)), m_normalClasses(m_rules, m_rules.normal),
          m_handonClasses(m_rules, m_rules.handon) {}

    void CalcDay(DayRecord& day);
    const MonthTotals& Totals() const { return m_totals; }

private:
    void CountCategory(Kubun kubun);
    double DayWeight(Kubun kubun) const {
        return m_settings.Hankyu05 && (kubun == Kubun::Gozen || kubun == Kubun::Gogo) ? 0.5 : 1.0;
    }

    const Settings& m_settings;
    const Rules m_rules;
    const MinuteClasses m_normalClasses;
    const MinuteClasses m_handonClasses;
    MonthTotals m_totals;
};

void MonthCalculator::CountCategory(Kubun kubun) {
    m_totals.sheetDays += 1;
    (kubun == Kubun::Holiday ? m_totals.companyDaysOff : m_totals.companyWeekdays) += 1;
    if (kubun == Kubun::Yukyu)
        m_totals.paidLeave += 1;
    if (kubun == Kubun::Gozen)
        m_totals.paidLeave += m_rules.gozenLeave;
    if (kubun == Kubun::Gogo)
        m_totals.paidLeave += m_rules.gogoLeave;
    if (kubun == Kubun::Daikyu)
        m_totals.daikyuDays += 1;
    if (kubun == Kubun::Kekkin)
        m_totals.kekkinDays += 1;
}

void MonthCalculator::CalcDay(DayRecord& day) {
    const bool flex = m_settings.FlexTime;
    std::string& arrivalText = day[DayColumn::Arrival];
    std::string& leavingText = day[DayColumn::Leaving];
    // The rewritten texts read back as these minutes.
    const int typedArrival = NormaliseArrival(arrivalText);
    const int typedLeaving = NormaliseLeaving(leavingText, !arrivalText.empty(), typedArrival);
    int arrival = typedArrival;
    int leaving = typedLeaving;
    const bool worked = !arrivalText.empty() && !leavingText.empty();
    const Kubun kubun = NormaliseKubun(day[DayColumn::Kubun]);
    CountCategory(kubun);

    const bool handon = kubun == Kubun::Handon;
    const Frame& frame = handon ? m_rules.handon : m_rules.normal;
    if (worked)
        m_totals.syukinDays += DayWeight(kubun);
    if (m_settings.CalcTimeAdjust) {
        arrival = RoundMinutes(arrival, m_rules.arrival);
        leaving = RoundMinutes(leaving, m_rules.leaving);
    }

    const auto counts = (handon ? m_handonClasses : m_normalClasses).Count({arrival, leaving});
    const int regular = counts[kRegular];
    int zangyo = counts[kOrdinary];
    int shinya = counts[kLateNight];

    // Regular-hours work is overtime on a day off and on a paid-leave day; flex time sets the day's
    // overtime against its required time instead.
    const bool flexDay = flex && (kubun == Kubun::Yukyu || worked || kubun == Kubun::Daikyu || kubun == Kubun::Kekkin);
    if (kubun == Kubun::Holiday) {
        if (worked) {
            m_totals.kyujituDays += 1;
            m_totals.daysOffWorked += 1;
            zangyo += regular;
        }
    } else {
        if (worked)
            m_totals.weekdaysWorked += DayWeight(kubun);
        if (!flex && kubun == Kubun::Yukyu)
            zangyo += regular;
        if (flexDay)
            zangyo += regular - FlexDeduction(kubun, frame, m_rules);
    }

    if (m_rules.minimumOvertime <= zangyo + shinya || zangyo + shinya < 0) {
        zangyo = RoundMinutes(zangyo, m_rules.overtime);
        shinya = RoundMinutes(shinya, m_rules.overtime);
    } else {
        zangyo = shinya = 0;
    }
    int kinmu = zangyo + shinya;
    if (m_settings.DaikyuZanCalc && kubun == Kubun::Daikyu) {
        kinmu = 0;
        zangyo = m_rules.daikyuOvertime;
        shinya = 0;
    }
    if (flexDay)
        kinmu += FlexAddition(kubun, frame, m_rules);
    else if (!flex && kubun != Kubun::Holiday && kubun != Kubun::Yukyu)
        kinmu += regular;
    if (m_settings.YuukyuKinmu)
        kinmu += LeaveCredit(kubun, frame, m_rules);

    const bool zangyoFixed = IsFixed(day.zangyoFixed);
    const bool shinyaFixed = IsFixed(day.shinyaFixed);
    const bool kinmuFixed = IsFixed(day.kinmuFixed);
    if (kubun != Kubun::Yukyu && kubun != Kubun::Daikyu && !worked)
        zangyo = shinya = kinmu = 0;
    if (zangyoFixed)
        zangyo = ReadFixedDayTime(day[DayColumn::Zangyo]);
    if (shinyaFixed)
        shinya = ReadFixedDayTime(day[DayColumn::Shinya]);
    if (kinmuFixed)
        kinmu = ReadFixedDayTime(day[DayColumn::Kinmu]);

    TimeSet& set = kubun != Kubun::Holiday   ? m_totals.weekday
                   : IsFixed(day.houteiMark) ? m_totals.houtei
                                             : m_totals.dayOff;
    set.zangyo += zangyo;
    set.shinya += shinya;
    set.kinmu += kinmu;
    day[DayColumn::Zangyo] = DayTimeText(zangyo, zangyoFixed);
    day[DayColumn::Shinya] = DayTimeText(shinya, shinyaFixed);
    day[DayColumn::Kinmu] = DayTimeText(kinmu, kinmuFixed);

    if (kubun == Kubun::Normal && worked) {
        m_totals.averageDays += 1;
        m_totals.arrivalSum += typedArrival;
        m_totals.leavingSum += typedLeaving;
        m_totals.overtimeSum += zangyo + shinya;
    }
    if ((kubun == Kubun::Normal || kubun == Kubun::Handon) && !flex) {
        if (!arrivalText.empty() && typedArrival > frame.start)
            m_totals.lateArrivals += 1;
        if (!leavingText.empty() && typedLeaving < frame.end)
            m_totals.earlyLeavings += 1;
    }
}

std::string DaysText(double days, bool halfDays) {
    return DayCountText(RealToText(6, 1, days), halfDays);
}

} // namespace

MonthCalculation RecalcMonth(MonthSheet& sheet, const Settings& settings) {
    MonthCalculator calculator(settings);
    const int dayCount = std::clamp(sheet.dayCount, 0, kMaxDays);
    for (int d = 1; d <= dayCount; ++d)
        calculator.CalcDay(sheet.days[static_cast<std::size_t>(d)]);

    MonthCalculation result;
    result.totals = calculator.Totals();
    const MonthTotals& totals = result.totals;
    result.pay = CalcPayAmounts(totals, settings.Kin);
    result.targetRemainder = TargetRemainder(totals, result.pay, settings);

    MonthSummary& summary = sheet.summary;
    summary.syukinDay = DaysText(totals.syukinDays, settings.Hankyu05);
    summary.kyujituDay = DaysText(totals.kyujituDays, settings.Hankyu05);
    summary.zangyoTime = MinutesToTimeText(totals.Zangyo(), 3, true);
    summary.shinyaTime = MinutesToTimeText(totals.Shinya(), 3, true);
    summary.sumTime = MinutesToTimeText(totals.Zangyo() + totals.Shinya(), 3, true);
    summary.mokuhyoTime = MinutesToTimeText(result.targetRemainder, 3, true);
    summary.kinmuTime = MinutesToTimeText(totals.Kinmu(), 3, true);
    return result;
}

} // namespace mitoran
