// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/LimitTable.h"

#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

constexpr int H = 60;

std::string S(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

// April 2024 with the given 時間外 and 休日労働, after five months of the given totals (oldest first).
AgreementYear AprilOf(MonthOvertime april, std::array<int, kMonthsBeforeYear> before,
                      const LimitSettings& limits = {}) {
    std::array<MonthOvertime, kAgreementFigures> figures{};
    for (std::size_t i = 0; i < before.size(); ++i)
        figures[i].overtime = before[i];
    figures[kMonthsBeforeYear] = april;
    return BuildAgreementYear({2024, 4}, figures, limits);
}

// 44:00 of 時間外 and 30:00 of 休日労働 after a March of 88:00: 45:00 nearly used, the two-month average over 80.
TEST(LimitTable, CellsShowTheFiguresAndAreColouredByTheirLimit) {
    const AgreementYear year = AprilOf({44 * H, 30 * H}, {0, 0, 0, 0, 88 * H});
    const LimitMonth& april = year.months[0];
    const struct {
        LimitColumn column;
        const char* text;
        LimitLevel level;
    } cells[] = {
        {LimitColumn::Month, "2024/04", LimitLevel::None},
        {LimitColumn::Overtime, "44:00", LimitLevel::Ninety}, // of 45:00
        {LimitColumn::HolidayWork, "30:00", LimitLevel::None},
        {LimitColumn::Total, "74:00", LimitLevel::Seventy},           // of 99:59
        {LimitColumn::Average, "81:00 (2か月)", LimitLevel::Reached}, // 162:00 of 160:00
        {LimitColumn::Over60, "0:00", LimitLevel::None},
        {LimitColumn::YearToDate, "44:00", LimitLevel::None}, // of 360:00
        {LimitColumn::OverCount, "0", LimitLevel::None},
    };
    for (const auto& cell : cells) {
        SCOPED_TRACE(static_cast<int>(cell.column));
        EXPECT_EQ(LimitCellText(april, cell.column), S(cell.text));
        EXPECT_EQ(LimitCellLevel(april, cell.column), cell.level);
    }
    EXPECT_EQ(AverageHint(april), S("2か月平均 81:00 (最高)\n3か月平均 54:00\n4か月平均 40:30\n5か月平均 32:24\n"
                                    "6か月平均 27:00"));
    EXPECT_EQ(LimitColumnHeaders()[7], S("上限超え回数"));
    EXPECT_EQ(ShortMonthName({2025, 1}), S("1月"));
}

TEST(LimitTable, HeadroomNamesTheMonthUnlessItIsThisMonth) {
    const AgreementYear year = AprilOf({44 * H, 30 * H}, {0, 0, 0, 0, 88 * H});
    const LimitMonth& april = year.months[0];
    EXPECT_EQ(MonthHeadroomText(april, {2024, 4}), S("今月あと -2:00 (2〜6か月平均80時間)"));
    EXPECT_EQ(MonthHeadroomText(april, {2024, 5}), S("2024年4月 あと -2:00 (2〜6か月平均80時間)"));
    EXPECT_EQ(HeadroomLineText(april, {2024, 4}), S("今月あと -2:00 (2〜6か月平均80時間) 上限到達"));
    EXPECT_EQ(HeadroomLineText(year.months[1], {2024, 4}), S("2024年5月 あと 45:00 (月の上限)"));
    EXPECT_EQ(ForecastText({{2024, 4}, 50 * H + 5}), S("見込み 50:05"));
}

// One status per rule: the averages give the one nearest its limit, not the one with the least room.
TEST(LimitTable, StatusesGiveEachRuleOnceWithItsLevel) {
    LimitSettings limits;
    limits.Special = true;
    // April's 10:00 after four months of 75:00: the five-month average (62:00 of 80:00) is nearest its limit, the
    // two-month one (85:00 of 160:00) has the least room of the five.
    const AgreementYear year = AprilOf({10 * H, 0}, {0, 75 * H, 75 * H, 75 * H, 75 * H}, limits);
    const std::vector<LimitStatus> statuses = LimitStatusesOf(year.months[0]);
    ASSERT_EQ(statuses.size(), 4U);
    const char* texts[] = {
        "特別条項の月上限 10:00 / 80:00",
        "特別条項の年上限 10:00 / 720:00",
        "月100時間未満 10:00 / 99:59",
        "2〜6か月平均80時間 5か月平均 62:00 / 80:00 70%以上",
    };
    for (std::size_t i = 0; i < statuses.size(); ++i)
        EXPECT_EQ(LimitStatusText(statuses[i]), S(texts[i])) << i;
    EXPECT_EQ(statuses[0].level, LimitLevel::None);
    EXPECT_EQ(statuses[3].check.months, 5);
    EXPECT_EQ(statuses[3].level, LimitLevel::Seventy);
}

TEST(LimitTable, ChartLinesFollowTheSpecialClause) {
    LimitSettings limits;
    const auto names = [](const LimitSettings& settings) {
        std::vector<std::string> result;
        for (const ChartLine& line : ChartLinesOf(settings))
            result.push_back(ChartLineName(line));
        return result;
    };
    EXPECT_EQ(names(limits),
              (std::vector<std::string>{S("月の上限 45:00"), S("平均の上限 80:00"), S("月100時間 100:00")}));
    limits.Special = true;
    limits.SpecialMonth = 75 * H;
    EXPECT_EQ(names(limits)[1], S("特別条項 75:00"));
    EXPECT_EQ(ChartLinesOf(limits).size(), 4U);
}

TEST(LimitTable, PdfNameGivesTheAgreementYear) {
    Settings settings;
    const AgreementYear year = BuildAgreementYear({2024, 10}, {}, {});
    EXPECT_EQ(AgreementYearName(year), S("2024年10月～2025年9月"));
    EXPECT_EQ(LimitPdfFileName(year, settings), S("36協定 2024年10月～2025年9月.pdf"));
    settings.CSVNameAdd = true;
    settings.CSVFileName = S("山田");
    EXPECT_EQ(LimitPdfFileName(year, settings), S("山田 36協定 2024年10月～2025年9月.pdf"));
}

} // namespace
} // namespace mitoran
