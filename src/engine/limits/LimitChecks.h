// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The limits of one sheet month M: each rule as "used + x ≤ limit", x being further 時間外 this month; the
// headroom (the largest x all rules allow) with the rule that binds, and the level each rule has reached.
namespace mitoran {

struct LimitSettings;

// The rules in the order that names the binding one on a tie.
enum class LimitRule {
    Month,        // "月の上限": without the special clause, or once it was used its times this year
    Year,         // "年の上限": without the special clause
    SpecialMonth, // "特別条項の月上限"
    SpecialYear,  // "特別条項の年上限"
    Under100,     // "月100時間未満": 時間外 and 休日労働 of the month
    Average,      // "2〜6か月平均80時間": over the last 2..6 months, 時間外 and 休日労働
};

inline constexpr int kUnder100Limit = 99 * 60 + 59;
inline constexpr int kAverageMonthLimit = 80 * 60;
inline constexpr int kFirstAverageSpan = 2;
inline constexpr int kLastAverageSpan = 6;
inline constexpr int kAverageSpans = kLastAverageSpan - kFirstAverageSpan + 1;

// 70 %, 90 % of a limit, and the limit itself (no minute left).
enum class LimitLevel { None, Seventy, Ninety, Reached };

struct LimitCheck {
    LimitRule rule = LimitRule::Month;
    int months = 0; // an average's span, 2..6; 0 for the other rules
    int used = 0;   // minutes counted against the limit
    int limit = 0;
    int Left() const { return limit - used; }
    bool operator==(const LimitCheck&) const = default;
};

// What the rules of month M look at.
struct LimitInputs {
    int overtime = 0;                           // 時間外 OT(M)
    int yearToDate = 0;                         // 時間外 from the agreement year's start to M
    int overCountBefore = 0;                    // months of the agreement year before M with OT > "Month"
    std::array<int, kLastAverageSpan> totals{}; // T(M), T(M−1), …, T(M−5): 時間外 + 休日労働
};

// The rules that apply, in tie order: 1, 2, 3 (month, then year), 4, 5 with the span rising.
std::vector<LimitCheck> LimitChecksOf(const LimitInputs& inputs, const LimitSettings& limits);

struct Headroom {
    int minutes = 0; // negative when a limit is already broken
    LimitCheck binding;
    bool operator==(const Headroom&) const = default;
};
// The least room left over the checks; on a tie the first in order. Rules 4 and 5 always apply.
Headroom HeadroomOf(const std::vector<LimitCheck>& checks);

LimitLevel LevelOf(const LimitCheck& check);
// The highest level among the checks of one rule (the five averages are one limit); None when it does not apply.
LimitLevel RuleLevel(const std::vector<LimitCheck>& checks, LimitRule rule);
LimitLevel HighestLevel(const std::vector<LimitCheck>& checks);

// CP932 texts: the rule's name as the program shows it, and a level as words (empty for None) for those who do
// not see the colour.
const std::string& LimitRuleName(LimitRule rule);
const std::string& LimitLevelName(LimitLevel level);
// Background colours of the levels (0x00BBGGRR): yellow, orange, red; none for None. Black text reads on each.
std::optional<std::int32_t> LimitLevelColor(LimitLevel level);

// A time with the hours at the width they need: "0:00", "12:30", "360:00", "-1:30".
std::string LimitTimeText(int minutes);
// "今月あと 12:30 (2〜6か月平均80時間)".
std::string HeadroomText(const Headroom& headroom);

} // namespace mitoran
