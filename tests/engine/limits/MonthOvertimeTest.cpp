// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/limits/MonthOvertime.h"

#include "engine/month/MonthSheet.h"

#include "LimitFiles.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

using test::SavedDay;

constexpr int H = 60;

MonthOvertime FiguresOfFile(const test::MonthFiles& files, int year, int month) {
    MonthSheet sheet;
    ReadSavedMonth(files.Path(year, month), sheet);
    return OvertimeOfSheet(sheet);
}

TEST(MonthOvertime, CategoriesDecideWhatCounts) {
    const struct {
        const char* name;
        std::vector<SavedDay> days;
        MonthOvertime expected;
    } cases[] = {
        {"ordinary and late-night add up", {{"  ", " 2:00", " 1:00"}, {"  ", " 0:30", ""}}, {3 * H + 30, 0}},
        {"a flex deficit offsets other days", {{"  ", " 2:00", ""}, {"  ", "-1:30", ""}}, {30, 0}},
        {"a month short on the whole counts 0:00", {{"  ", " 1:00", ""}, {"  ", "-3:00", ""}}, {0, 0}},
        {"a substitute day off undoes nothing", {{"  ", " 3:00", ""}, {"代", "-8:00", ""}}, {3 * H, 0}},
        {"statutory holiday work is 休日労働", {{"○", " 8:00", " 1:00", "*"}, {"  ", " 1:00", ""}}, {H, 9 * H}},
        {"a company day off is 時間外", {{"○", " 8:00", "", ""}}, {8 * H, 0}},
        {"a short statutory day offsets nothing", {{"○", "-2:00", "", "*"}, {"  ", " 1:00", ""}}, {H, 0}},
        {"the statutory mark needs a day off", {{"  ", " 2:00", "", "*"}}, {2 * H, 0}},
        {"paid leave and half days count",
         {{"有", " 8:00", ""}, {"前", " 1:00", ""}, {"半", " 0:15", ""}},
         {9 * H + 15, 0}},
        {"an unknown mark is an ordinary day", {{"X", " 1:00", ""}}, {H, 0}},
        {"a day value beyond two hour digits is held", {{"  ", "250:00", ""}}, {99 * H + 59, 0}},
    };
    test::MonthFiles files;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        files.Write(2024, 4, c.days);
        EXPECT_EQ(FiguresOfFile(files, 2024, 4), c.expected);
    }
}

TEST(MonthOvertime, DamagedFilesGiveZeroOrWhatTheyHold) {
    using namespace std::string_literals;
    const std::string oneDay = "[System]\r\nLastDay=1\r\n[DayData]\r\n1=4/ 1,x,  ,,,2:00,,m,\r\n";
    const struct {
        const char* name;
        std::string bytes;
        MonthOvertime expected;
    } cases[] = {
        {"empty", "", {}},
        {"binary", "\0\xFF\x81\r\n[\r\n=\r\n]]]\x95"s, {}},
        {"no day records", "[System]\r\nLastDay=30\r\nZangyoTime=40:00\r\n", {}},
        {"few fields", oneDay, {2 * H, 0}},
        {"LastDay beyond the record", "[System]\r\nLastDay=2147483647\r\n[DayData]\r\n31=x,x,,,,1:00,\r\n", {H, 0}},
        // Each held within ±99:59, so they cancel.
        {"absurd times", "[System]\r\nLastDay=1\r\n[DayData]\r\n1=x,x,,,,2147483647:59,-999999,\r\n", {0, 0}},
        {"a long memo",
         "[System]\r\nLastDay=1\r\n[DayData]\r\n1=4/ 1,x,  ,,,2:00,," + std::string(1 << 20, 'm') + ",\r\n",
         {2 * H, 0}},
    };
    test::MonthFiles files;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteBytes(files.Path(2024, 4), c.bytes);
        EXPECT_EQ(FiguresOfFile(files, 2024, 4), c.expected);
    }
}

TEST(MonthOvertime, MissingHugeOrFolderReadsAsNothing) {
    test::MonthFiles files;
    MonthSheet sheet;
    sheet.dayCount = 3;
    sheet.days[1][DayColumn::Zangyo] = "9:00";
    EXPECT_FALSE(ReadSavedMonth(files.Path(2024, 4), sheet));
    EXPECT_EQ(sheet.dayCount, 0);
    EXPECT_EQ(OvertimeOfSheet(sheet), MonthOvertime{});

    // Beyond the size a month file can have: not read at all (a sparse file, so the test costs no disk).
    files.Write(2024, 5, test::OrdinaryDays(3, "1:00"));
    std::filesystem::resize_file(files.Path(2024, 5), kMaxMonthFileBytes + 1);
    EXPECT_FALSE(ReadSavedMonth(files.Path(2024, 5), sheet));
    EXPECT_EQ(OvertimeOfSheet(sheet), MonthOvertime{});

    std::filesystem::create_directory(files.Path(2024, 6));
    EXPECT_FALSE(ReadSavedMonth(files.Path(2024, 6), sheet));

    files.Write(2024, 7, test::OrdinaryDays(3, "1:00"));
    EXPECT_TRUE(ReadSavedMonth(files.Path(2024, 7), sheet));
    EXPECT_EQ(OvertimeOfSheet(sheet).overtime, 3 * H);
}

TEST(MonthOvertime, ForecastExtendsTheCompanyWeekdaysSoFar) {
    MonthSheet sheet;
    sheet.dayCount = 10;
    for (const int d : {3, 4, 10})
        sheet.days[d][DayColumn::Kubun] = Utf8ToCp932("○");
    sheet.days[5][DayColumn::Kubun] = Utf8ToCp932("有"); // leave is a company weekday still
    EXPECT_EQ(CompanyWeekdaysOf(sheet, 0), (CompanyWeekdays{0, 7}));
    EXPECT_EQ(CompanyWeekdaysOf(sheet, 4), (CompanyWeekdays{2, 7}));
    EXPECT_EQ(CompanyWeekdaysOf(sheet, 40), (CompanyWeekdays{7, 7}));

    const struct {
        int soFar;
        CompanyWeekdays weekdays;
        int expected;
    } cases[] = {
        {10 * H, {5, 20}, 40 * H},
        {10 * H, {20, 20}, 10 * H},
        {0, {5, 20}, 0},
        {7, {3, 20}, 47},        // 46.67
        {1, {2, 3}, 2},          // 1.5 rounds away from zero
        {3 * H, {0, 20}, 3 * H}, // no weekday yet: what is there already
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.soFar << " " << c.weekdays.elapsed << "/" << c.weekdays.total);
        EXPECT_EQ(ForecastOvertime(c.soFar, c.weekdays), c.expected);
    }
}

} // namespace
} // namespace mitoran
