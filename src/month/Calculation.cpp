// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/Calculation.h"

#include "config/Settings.h"
#include "core/Util.h"
#include "month/MonthSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mitoran {

namespace {

constexpr int kDayMinutes = 1440;
constexpr int kMapMinutes = 2 * kDayMinutes;
// The widest time text (999:59). Settings and fixed values are held within it, so no sum can overflow.
constexpr int kTimeLimit = 59999;

int ClampTime(int minutes) {
    return std::clamp(minutes, -kTimeLimit, kTimeLimit);
}

int ReadTime(const std::string& text) {
    return ClampTime(TimeTextToMinutes(text));
}

bool IsFixed(const std::string& mark) {
    return TrimText(mark) == "*";
}

struct Rounding {
    int mode = kRoundNone;
    int unit = 1;
};

int RoundMinutes(int minutes, Rounding rounding) {
    if (rounding.mode == kRoundNone)
        return minutes;
    return TimeTextToMinutes(RoundTimeText(MinutesToTimeText(minutes, 2, false), rounding.mode, rounding.unit));
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
    std::array<Span, 10> breaks;
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
    std::copy(slots.begin() + 1, slots.begin() + 11, rules.breaks.begin());
    rules.normal = {slots[11].from, slots[11].to, slots[13].from};
    rules.handon = {slots[21].from, slots[21].to, slots[22].from};
    rules.lateStart = slots[12].from;
    rules.lateEnd = slots[12].to == 0 ? 5 * 60 : slots[12].to;
    rules.minimumOvertime = slots[13].to;
    rules.gozenTime = slots[14].from;
    rules.gogoTime = slots[15].from;
    rules.daikyuOvertime = slots[17].from;
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

// Minutes 1..2880 of the day and the next; minute k ends at k. Every range is held within the map and
// within the worked span, outside which no cell is ever "work".
class MinuteMap {
public:
    void Reset(Span worked) {
        m_cells.fill(kNone);
        m_first = std::max(worked.from + 1, 1);
        m_last = std::min(worked.to, kMapMinutes);
        Set(worked, kWork);
    }

    void Set(Span span, Cell cell) {
        const int first = std::max(span.from + 1, m_first);
        const int last = std::min(span.to, m_last);
        if (first <= last)
            std::fill(m_cells.begin() + Index(first), m_cells.begin() + Index(last) + 1, cell);
    }

    // Minutes per class. The map is counted in whole blocks of four hours, cells outside the worked span
    // being "none": a fixed trip count that compilers vectorise, and byte sums that cannot overflow.
    std::array<int, kCellKinds> Count() const {
        constexpr int kBlock = 240;
        static_assert(kMapMinutes % kBlock == 0 && kBlock < 256);
        std::array<int, kCellKinds> counts{};
        if (m_first > m_last)
            return counts;
        for (int block = (m_first - 1) / kBlock; block <= (m_last - 1) / kBlock; ++block) {
            const Cell* cells = m_cells.data() + static_cast<std::ptrdiff_t>(block) * kBlock;
            std::uint8_t regular = 0;
            std::uint8_t ordinary = 0;
            std::uint8_t lateNight = 0;
            for (int i = 0; i < kBlock; ++i) {
                regular += cells[i] == kRegular;
                ordinary += cells[i] == kOrdinary;
                lateNight += cells[i] == kLateNight;
            }
            counts[kRegular] += regular;
            counts[kOrdinary] += ordinary;
            counts[kLateNight] += lateNight;
        }
        return counts;
    }

private:
    static std::size_t Index(int minute) { return static_cast<std::size_t>(minute - 1); }

    std::array<Cell, kMapMinutes> m_cells{};
    int m_first = 1;
    int m_last = 0;
};

// Regular hours, late-night window and the ordinary overtime around them; the first range that holds a
// minute decides its class. A window that crosses midnight (start after end) runs from the start to the
// end of the next morning; one that does not (0:00-5:00) covers its hours on both days.
void ClassifyWork(MinuteMap& map, const Rules& rules, const Frame& frame) {
    const int lateStart = rules.lateStart;
    const int lateEnd = rules.lateEnd;
    std::array<std::pair<Span, Cell>, 6> ranges{};
    std::size_t count = ranges.size();
    if (lateEnd <= lateStart) {
        ranges = {{{{0, lateEnd}, kLateNight},
                   {{lateEnd, frame.start}, kOrdinary},
                   {{frame.start, frame.end}, kRegular},
                   {{frame.end, lateStart}, kOrdinary},
                   {{lateStart, lateEnd + kDayMinutes}, kLateNight},
                   {{lateEnd + kDayMinutes, kMapMinutes}, kOrdinary}}};
    } else {
        ranges = {{{{lateStart, lateEnd}, kLateNight},
                   {{lateStart + kDayMinutes, lateEnd + kDayMinutes}, kLateNight},
                   {{frame.start, frame.end}, kRegular},
                   {{0, kMapMinutes}, kOrdinary}}};
        count = 4;
    }
    // Every worked cell is "work" until now, so filling the ranges last to first leaves each cell with
    // the class of the first range that holds it.
    while (count > 0) {
        --count;
        map.Set(ranges[count].first, ranges[count].second);
    }
}

void RemoveBreaks(MinuteMap& map, const Rules& rules) {
    for (const Span& pause : rules.breaks) {
        if (pause.to <= pause.from)
            continue;
        map.Set(pause, kNone);
        map.Set({pause.from + kDayMinutes, pause.to + kDayMinutes}, kNone);
    }
}

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
    explicit MonthCalculator(const Settings& settings) : m_settings(settings), m_rules(ReadRules(settings)) {}

    void CalcDay(DayRecord& day);
    const MonthTotals& Totals() const { return m_totals; }

private:
    void CountCategory(Kubun kubun);
    double DayWeight(Kubun kubun) const {
        return m_settings.Hankyu05 && (kubun == Kubun::Gozen || kubun == Kubun::Gogo) ? 0.5 : 1.0;
    }

    const Settings& m_settings;
    const Rules m_rules;
    MinuteMap m_map;
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

    const Frame& frame = kubun == Kubun::Handon ? m_rules.handon : m_rules.normal;
    if (worked)
        m_totals.syukinDays += DayWeight(kubun);
    if (m_settings.CalcTimeAdjust) {
        arrival = RoundMinutes(arrival, m_rules.arrival);
        leaving = RoundMinutes(leaving, m_rules.leaving);
    }

    m_map.Reset({arrival, leaving});
    ClassifyWork(m_map, m_rules, frame);
    RemoveBreaks(m_map, m_rules);
    const auto counts = m_map.Count();
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
        zangyo = ReadTime(day[DayColumn::Zangyo]);
    if (shinyaFixed)
        shinya = ReadTime(day[DayColumn::Shinya]);
    if (kinmuFixed)
        kinmu = ReadTime(day[DayColumn::Kinmu]);

    TimeSet& set = kubun != Kubun::Holiday   ? m_totals.weekday
                   : IsFixed(day.houteiMark) ? m_totals.houtei
                                             : m_totals.dayOff;
    set.zangyo += zangyo;
    set.shinya += shinya;
    set.kinmu += kinmu;
    day[DayColumn::Zangyo] = MinutesToTimeText(zangyo, 2, zangyoFixed);
    day[DayColumn::Shinya] = MinutesToTimeText(shinya, 2, shinyaFixed);
    day[DayColumn::Kinmu] = MinutesToTimeText(kinmu, 2, kinmuFixed);

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
    result.payView = MakePayView(totals, result.pay, result.targetRemainder, settings);

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
