// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthCsv.h"

#include "engine/month/MonthSheet.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

std::string Sj(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

DayRecord Day(std::string_view date, std::string_view weekday, std::string_view kubun, std::string_view arrival,
              std::string_view leaving, std::string_view zangyo, std::string_view shinya, std::string_view kinmu,
              std::string_view memo) {
    DayRecord day;
    day.cells = {std::string(date),    Sj(weekday),          Sj(kubun),
                 std::string(arrival), std::string(leaving), std::string(zangyo),
                 std::string(shinya),  std::string(kinmu),   Sj(memo)};
    return day;
}

// A January sheet closing on the 20th: its first rows lie in December of the year before.
MonthSheet JanuarySheet() {
    MonthSheet sheet;
    sheet.dayCount = 3;
    sheet.days[1] = Day("12/21", "火", "半", " 8:00", "13:30", " 1:30", "", " 5:30", "会議, \"A\"");
    sheet.days[2] = Day("12/31", "金", "  ", "", "", "", "", "", "");
    sheet.days[3] = Day(" 1/ 1", "土", "○", "", "", " 0:15", " 2:00", " 2:15", "元旦");
    sheet.summary.zangyoTime = "  1:45";
    sheet.summary.shinyaTime = "  2:00";
    sheet.summary.sumTime = "  3:45";
    sheet.summary.kinmuTime = "  7:45";
    return sheet;
}

TEST(MonthCsv, WritesTheDaysAndTotalsInHoursAndMinutesOrDecimalHours) {
    const struct {
        bool printTime;
        std::string expected;
    } cases[] = {
        {false, "日付,曜日,休日,出勤,退社,普通,深夜,合計,勤務,メモ\r\n"
                "2004/12/21,火,半ド,8:00,13:30,1:30,,1:30,5:30,\"会議, \"\"A\"\"\"\r\n"
                "2004/12/31,金,,,,,,,,\r\n"
                "2005/1/1,土,休日,,,0:15,2:00,2:15,2:15,元旦\r\n"
                "合計,,,,,1:45,2:00,3:45,7:45,\r\n"},
        {true, "日付,曜日,休日,出勤,退社,普通,深夜,合計,勤務,メモ\r\n"
               "2004/12/21,火,半ド,8:00,13:30,1.50,,1.50,5.50,\"会議, \"\"A\"\"\"\r\n"
               "2004/12/31,金,,,,,,,,\r\n"
               "2005/1/1,土,休日,,,0.25,2.00,2.25,2.25,元旦\r\n"
               "合計,,,,,1.75,2.00,3.75,7.75,\r\n"},
    };
    for (const auto& [printTime, expected] : cases) {
        Settings settings;
        settings.PrintTime = printTime;
        EXPECT_EQ(MonthCsvText(JanuarySheet(), 2005, 1, settings), Sj(expected)) << printTime;
    }
}

TEST(MonthCsv, StartsWithThePersonalInformationAndMonthLinesWhenAsked) {
    Settings settings;
    settings.CSVPrivateInfoAdd = true;
    settings.CSVPrivateInfo = Sj("所属,氏名");
    settings.CSVMonthAdd = true;
    MonthSheet empty;
    EXPECT_EQ(MonthCsvText(empty, 2005, 1, settings),
              Sj("所属,氏名\r\n2005/1\r\n日付,曜日,休日,出勤,退社,普通,深夜,合計,勤務,メモ\r\n合計,,,,,,,,,\r\n"));
    settings.CSVPrivateInfo = "   ";
    EXPECT_EQ(CsvPrivateInfoLine(settings), "");
}

TEST(MonthCsv, ProposesTheMonthNameWithThePrefixWhenItIsOn) {
    const struct {
        bool add;
        std::string prefix;
        std::string name;
    } cases[] = {
        {false, "Taro", "2000年1月.csv"},
        {true, "Taro", "Taro 2000年1月.csv"},
        {true, " ", "2000年1月.csv"},
    };
    for (const auto& [add, prefix, name] : cases) {
        Settings settings;
        settings.CSVNameAdd = add;
        settings.CSVFileName = prefix;
        EXPECT_EQ(MonthCsvFileName(2000, 1, settings), Sj(name)) << add << prefix;
    }
}

} // namespace
} // namespace mitoran
