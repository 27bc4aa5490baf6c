// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/AccessibleTexts.h"

#include "engine/calendar/DayCategory.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/ControlNames.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <set>

namespace mitoran {
namespace {

struct DayCase {
    const char* date;
    const char* weekday; // UTF-8
    Kubun kubun;
    const char* arrival;
    const char* leaving;
    bool fixedZangyo;
    bool houtei;
    int column;
    const char* name;        // UTF-8
    const char* description; // UTF-8
};

// Regular hours 8:00 to 17:00, half days to 12:00; late and early show where the settings show them in red.
const DayCase kDayCases[] = {
    {"12/ 8", "火", Kubun::Normal, " 8:00", "17:00", false, false, 3, "12月8日(火) 出社", ""},
    {"12/ 8", "火", Kubun::Normal, " 9:15", "17:00", false, false, 3, "12月8日(火) 出社", "遅刻"},
    {"12/ 8", "火", Kubun::Normal, " 9:15", "16:00", false, false, 4, "12月8日(火) 退社", "早退"},
    {"12/ 8", "火", Kubun::Normal, " 9:15", "16:00", false, false, 8, "12月8日(火) メモ", ""},
    {" 3/ 6", "土", Kubun::Handon, " 8:00", "11:30", false, false, 4, "3月6日(土) 退社", "半ドン、早退"},
    {" 3/ 6", "土", Kubun::Handon, " 8:00", "12:00", false, false, 4, "3月6日(土) 退社", "半ドン"},
    {" 1/ 1", "月", Kubun::Yukyu, "", "", false, false, 0, "1月1日(月)", "有給"},
    {" 1/ 7", "日", Kubun::Holiday, " 9:00", "18:00", true, true, 5, "1月7日(日) 普通", "休日、法定休日、手入力"},
    {" 1/ 7", "日", Kubun::Holiday, " 9:00", "18:00", true, true, 6, "1月7日(日) 深夜", "休日、法定休日"},
    {" 2/ 3", "火", Kubun::Daikyu, "", "", false, false, 2, "2月3日(火) 休", "代休"},
    {"ab", "", Kubun::Normal, "", "", false, false, 3, "ab 出社", ""},
    {"13/40", "", Kubun::Normal, "", "", false, false, 0, "13/40", ""},
};

class DayCellTextsTest : public testing::TestWithParam<DayCase> {};

TEST_P(DayCellTextsTest, NameAndDescription) {
    const DayCase& c = GetParam();
    DayRecord day;
    day[DayColumn::Date] = c.date;
    day[DayColumn::Weekday] = Utf8ToCp932(c.weekday);
    day[DayColumn::Kubun] = InfoOf(c.kubun).mark;
    day[DayColumn::Arrival] = c.arrival;
    day[DayColumn::Leaving] = c.leaving;
    day.zangyoFixed = c.fixedZangyo ? "*" : "";
    day.houteiMark = c.houtei ? "*" : "";
    Settings settings;
    settings.Time[kSlotRegular] = {" 8:00", "17:00"};
    settings.Time[kSlotHandon] = {" 8:00", "12:00"};
    EXPECT_EQ(DayCellName(day, c.column), Utf8ToCp932(c.name));
    EXPECT_EQ(DayCellDescription(day, c.column, settings), Utf8ToCp932(c.description));
    // Without the red of late and early (flex time), neither is said.
    settings.FlexTime = true;
    const std::string withoutLate = DayCellDescription(day, c.column, settings);
    EXPECT_EQ(withoutLate.find(Utf8ToCp932("遅刻")), std::string::npos);
    EXPECT_EQ(withoutLate.find(Utf8ToCp932("早退")), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Days, DayCellTextsTest, testing::ValuesIn(kDayCases));

TEST(AccessibleTextsTest, GridsAndStatus) {
    EXPECT_EQ(DayGridName(12), Utf8ToCp932("12月の勤務表"));
    EXPECT_EQ(DayColumnName(8), Utf8ToCp932("メモ"));
    EXPECT_EQ(LedgerRowName(3), Utf8ToCp932("3行目"));
    EXPECT_EQ(LedgerCellName(3, 3), Utf8ToCp932("3行目 区分"));
    EXPECT_EQ(LedgerCellName(12, 1), Utf8ToCp932("12行目 日付"));
    EXPECT_EQ(PeriodRowName(Utf8ToCp932(" 合 計 ")), Utf8ToCp932("合計"));
    EXPECT_EQ(PeriodCellName("2024/04", 6), Utf8ToCp932("2024/04 普通"));
    EXPECT_EQ(PeriodCellDescription(PeriodCellColor::AboveAverage), Utf8ToCp932("平均以上"));
    EXPECT_EQ(PeriodCellDescription(PeriodCellColor::NotCounted), Utf8ToCp932("平均計算対象外"));
    EXPECT_EQ(PeriodCellDescription(PeriodCellColor::Normal), "");
    const AgreementYear year = BuildAgreementYear({2024, 4}, {}, {});
    EXPECT_EQ(LimitCellName(year.months[0], 1), Utf8ToCp932("2024/04 時間外"));
    EXPECT_EQ(LimitCellName(year.months[11], 0), "2025/03");
    EXPECT_EQ(MonthShownStatus({2026, 12}), Utf8ToCp932("2026年12月を表示しています"));
    EXPECT_EQ(MonthSavedStatus(12), Utf8ToCp932("12月を保存しました"));
    EXPECT_EQ(MonthNotSavedStatus(1), Utf8ToCp932("1月を保存できませんでした"));
}

// A listener tells controls apart by their names: within a window no two share one, and none is empty.
TEST(AccessibleTextsTest, ControlNamesAreUniqueWithinEachWindow) {
    for (const char* window :
         {"TZangyoMain", "TJump", "TPass", "TPassChangeForm", "TPrivateInfoForm", "TPrintSettingForm", "TSetting",
          "TTotal", "TVacDel", "TVacDel2", "TYearTotal", "TYuuKyu", "TLimitForm"}) {
        std::set<std::string> names;
        std::set<std::string> controls;
        const auto entries = ControlNamesOf(window);
        EXPECT_FALSE(entries.empty()) << window;
        for (const ControlName& entry : entries) {
            EXPECT_EQ(entry.window, window);
            EXPECT_FALSE(entry.name.empty()) << window << " " << entry.control;
            EXPECT_TRUE(names.insert(entry.name).second) << window << " " << entry.control;
            EXPECT_TRUE(controls.insert(entry.control).second) << window << " " << entry.control;
        }
    }
    EXPECT_TRUE(ControlNamesOf("NoSuchWindow").empty());
}

} // namespace
} // namespace mitoran
