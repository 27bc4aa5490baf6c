// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/AgreementYear.h"

#include "engine/settings/Settings.h"

#include "LimitFiles.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

using test::SavedDay;

constexpr int H = 60;

// The figures of a year whose months have the given 時間外 (the rest 0:00), and of the five months before it.
std::array<MonthOvertime, kAgreementFigures> YearOf(std::vector<int> overtime, std::vector<int> before = {}) {
    std::array<MonthOvertime, kAgreementFigures> figures{};
    for (std::size_t i = 0; i < before.size(); ++i)
        figures[kMonthsBeforeYear - before.size() + i].overtime = before[i];
    for (std::size_t i = 0; i < overtime.size(); ++i)
        figures[kMonthsBeforeYear + i].overtime = overtime[i];
    return figures;
}

TEST(AgreementYear, StartsAtTheStartMonthBeforeTheMonth) {
    const struct {
        YearMonth month;
        int start;
        YearMonth expected;
    } cases[] = {
        {{2025, 2}, 4, {2024, 4}},    {{2025, 4}, 4, {2025, 4}},    {{2025, 3}, 1, {2025, 1}},
        {{2025, 11}, 12, {2024, 12}}, {{2025, 12}, 12, {2025, 12}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AgreementYearStart(c.month, c.start), c.expected) << c.month.year << "/" << c.month.month;
    EXPECT_EQ(MonthsAfter({2024, 11}, 3), (YearMonth{2025, 2}));
    EXPECT_EQ(MonthsAfter({2024, 2}, -5), (YearMonth{2023, 9}));
    EXPECT_EQ(MonthsAfter({2024, 13}, 0), (YearMonth{2025, 1}));
}

TEST(AgreementYear, YearToDateAndMonthsOverTheLimit) {
    // The months before the start were over the limit too: they count for no agreement year of this one.
    const AgreementYear year =
        BuildAgreementYear({2024, 4}, YearOf({50 * H, 30 * H, 46 * H, 45 * H, 61 * H}, {50 * H, 50 * H}), {});
    const struct {
        int row;
        int over60, yearToDate, overCountBefore, overCount;
    } rows[] = {
        {0, 0, 50 * H, 0, 1},  {1, 0, 80 * H, 1, 1},  {2, 0, 126 * H, 1, 2},
        {3, 0, 171 * H, 2, 2}, {4, H, 232 * H, 2, 3}, {11, 0, 232 * H, 3, 3},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        const LimitMonth& month = year.months[static_cast<std::size_t>(r.row)];
        EXPECT_EQ(month.over60, r.over60);
        EXPECT_EQ(month.yearToDate, r.yearToDate);
        EXPECT_EQ(month.overCountBefore, r.overCountBefore);
        EXPECT_EQ(month.overCount, r.overCount);
    }
    EXPECT_EQ(year.months[11].month, (YearMonth{2025, 3}));
    EXPECT_EQ(year.Find({2025, 3}), &year.months[11]);
    EXPECT_EQ(year.Find({2024, 3}), nullptr);
    EXPECT_EQ(year.Find({2025, 4}), nullptr);
}

TEST(AgreementYear, SpecialClauseCountsItsTimesWithinTheYear) {
    LimitSettings limits;
    limits.Special = true;
    limits.SpecialTimes = 2;
    const AgreementYear year =
        BuildAgreementYear({2024, 4}, YearOf({50 * H, 50 * H, 40 * H, 40 * H}, {60 * H, 60 * H}), limits);
    // April: the months over before the start do not use up the clause.
    EXPECT_EQ(year.months[0].headroom.binding.rule, LimitRule::SpecialMonth);
    EXPECT_EQ(year.months[0].headroom.minutes, 30 * H);
    EXPECT_EQ(year.months[1].headroom.binding.rule, LimitRule::SpecialMonth);
    // June: twice over already, so the general monthly limit holds again.
    EXPECT_EQ(year.months[2].headroom.binding.rule, LimitRule::Month);
    EXPECT_EQ(year.months[2].headroom.minutes, 5 * H);
    EXPECT_EQ(FigureLevel(year.months[2], LimitFigure::Overtime), LimitLevel::Seventy); // 40 of 45 (and of 80)
}

TEST(AgreementYear, FiguresAreColouredByTheirLimit) {
    const AgreementYear year = BuildAgreementYear({2024, 4}, YearOf({41 * H}, {0, 0, 0, 0, 71 * H}), {});
    const LimitMonth& april = year.months[0];
    EXPECT_EQ(FigureLevel(april, LimitFigure::Overtime), LimitLevel::Ninety);    // 41 of 45
    EXPECT_EQ(FigureLevel(april, LimitFigure::Total), LimitLevel::None);         // 41 of 99:59
    EXPECT_EQ(FigureLevel(april, LimitFigure::Average, 2), LimitLevel::Seventy); // 112 of 160
    EXPECT_EQ(FigureLevel(april, LimitFigure::Average, 3), LimitLevel::None);    // 112 of 240
    EXPECT_EQ(FigureLevel(april, LimitFigure::Average), LimitLevel::Seventy);
    EXPECT_EQ(FigureLevel(april, LimitFigure::YearToDate), LimitLevel::None);
    EXPECT_EQ(FigureLevel(april, LimitFigure::Over60), LimitLevel::None);
    EXPECT_EQ(april.HighestAverageSpan(), 2);
}

class AgreementYearFiles : public testing::Test {
protected:
    test::MonthFiles m_files;
    Settings m_settings;
};

TEST_F(AgreementYearFiles, AveragesReachBackAcrossTheYearsStart) {
    m_settings.Limits.Special = true;
    m_files.Write(2024, 2, test::OrdinaryDays(3, "30:00"));
    m_files.Write(2024, 3, {{"  ", "80:00", " 5:00"}});
    m_files.Write(2024, 4, {{"  ", "40:00"}, {"○", "30:00", "", "*"}});
    m_files.Write(2024, 5, {{"  ", "85:01"}});

    const AgreementYear year = ReadAgreementYear(m_files.Location(), m_settings, {2024, 6});
    EXPECT_EQ(year.start, (YearMonth{2024, 4}));
    const LimitMonth& april = year.months[0];
    EXPECT_EQ(april.figures, (MonthOvertime{40 * H, 30 * H}));
    EXPECT_EQ(april.Average(2), 77 * H + 30);
    EXPECT_EQ(april.Average(3), 81 * H + 40);
    EXPECT_EQ(april.Average(6), 40 * H + 50); // 245:00 over six months, three of them without a file
    EXPECT_EQ(april.HighestAverageSpan(), 3);
    EXPECT_EQ(april.yearToDate, 40 * H); // 休日労働 is no 時間外
    EXPECT_EQ(april.headroom.minutes, -5 * H);
    EXPECT_EQ(april.headroom.binding.rule, LimitRule::Average);
    EXPECT_EQ(april.headroom.binding.months, 3);
    EXPECT_EQ(year.months[1].Average(2), 77 * H + 31); // 155:01 / 2 rounds half away from zero
    EXPECT_FALSE(year.forecast);

    const LimitMonth may = ReadLimitMonth(m_files.Location(), m_settings, {2024, 5});
    EXPECT_EQ(may.month, (YearMonth{2024, 5}));
    EXPECT_EQ(may.headroom, year.months[1].headroom);
}

TEST_F(AgreementYearFiles, ForecastOfTodaysSheetMonth) {
    m_settings.SimeDay = 20; // the May sheet runs from 21 April to 20 May
    std::vector<SavedDay> days(30);
    for (const int d : {1, 7, 8, 14, 15, 21, 22, 28, 29})
        days[static_cast<std::size_t>(d - 1)].kubun = "○";
    for (int d = 2; d <= 5; ++d)
        days[static_cast<std::size_t>(d - 1)].zangyo = " 2:00";
    days[5].zangyo = " 9:00"; // 26 April, after today, counts in the 時間外 so far as saved
    m_files.Write(2024, 5, days);

    const CalendarDate today{2024, 4, 25};
    const AgreementYear year = ReadAgreementYear(m_files.Location(), m_settings, {2024, 5}, today);
    ASSERT_TRUE(year.forecast);
    EXPECT_EQ(year.forecast->month, (YearMonth{2024, 5}));
    EXPECT_EQ(year.forecast->overtime, 17 * H * 21 / 4); // 17:00 over 4 of 21 company weekdays

    // Today's month without a file forecasts nothing more than it holds; a year without today has no forecast.
    EXPECT_EQ(ReadAgreementYear(m_files.Location(), m_settings, {2024, 5}, CalendarDate{2024, 6, 1}).forecast->overtime,
              0);
    EXPECT_FALSE(ReadAgreementYear(m_files.Location(), m_settings, {2024, 3}, today).forecast);
}

} // namespace
} // namespace mitoran
