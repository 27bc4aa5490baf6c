// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/HolidayList.h"

#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

std::string U(const char* utf8) {
    return Utf8ToCp932(utf8);
}

class HolidayListTest : public ::testing::Test {
protected:
    fs::path File() const { return m_folder / "Holiday.dat"; }

    std::string ReadRaw() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void WriteRaw(const std::string& text) const {
        std::ofstream out(File(), std::ios::binary);
        out << text;
    }

    test::TempFolder m_temp;
    const fs::path& m_folder = m_temp.Path();
};

TEST(HolidayRowTest, RowsOfALeapYear) {
    const int offsets[] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(CumulativeDays(month), offsets[month - 1]) << month;
    struct Case {
        int month, day, row;
    };
    const Case cases[] = {{1, 1, 1},  {2, 29, 60}, {3, 1, 61}, {12, 31, 366}, {2, 30, 0},
                          {4, 31, 0}, {13, 1, 0},  {0, 5, 0},  {5, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(HolidayRowOf(c.month, c.day), c.row) << c.month << "/" << c.day;

    const HolidayList list;
    EXPECT_EQ(list[1].date, U(" 1月 1日"));
    EXPECT_EQ(list[42].date, U(" 2月11日"));
    EXPECT_EQ(list[60].date, U(" 2月29日"));
    EXPECT_EQ(list[366].date, U("12月31日"));
    EXPECT_EQ(list.Find(2, 30), nullptr);
}

TEST_F(HolidayListTest, MissingFileIsCreatedWithTheSixFixedHolidays) {
    // Reading alone gives the defaults and leaves the folder as it is.
    HolidayList readOnly;
    readOnly[100].memo = "left over from another user";
    EXPECT_FALSE(ReadHolidayList(readOnly, File()));
    EXPECT_FALSE(fs::exists(File()));

    HolidayList list;
    list[100].memo = "left over from another user";
    LoadHolidayList(list, File());
    EXPECT_EQ(list, readOnly);

    const std::string raw = ReadRaw();
    EXPECT_EQ(raw.substr(0, raw.find("3=")),
              "[HolidayData]\r\n1=" + U("1月 1日, ○ ,元旦,") + "\r\n2=" + U("1月 2日,,,") + "\r\n");
    const ProfileFile file(File());
    EXPECT_EQ(file.Keys("HolidayData").size(), 366u);
    EXPECT_EQ(file.ReadString("HolidayData", "366", ""), U("12月31日,,,"));

    const struct {
        int month, day;
        const char* name;
    } defaults[] = {{1, 1, "元旦"},       {2, 11, "建国記念の日"}, {5, 3, "憲法記念日"},
                    {5, 5, "こどもの日"}, {11, 3, "文化の日"},     {11, 23, "勤労感謝の日"}};
    int marked = 0;
    for (int row = 1; row <= kHolidayRows; ++row)
        marked += list[row].IsMarked() ? 1 : 0;
    EXPECT_EQ(marked, 6);
    EXPECT_TRUE(list.MarkedFixedHolidays().all());
    for (const auto& holiday : defaults) {
        const HolidayRow* row = list.Find(holiday.month, holiday.day);
        EXPECT_EQ(row->mark, U(" ○ "));
        EXPECT_EQ(row->memo, U(holiday.name));
    }
    EXPECT_EQ(list[100].memo, "");

    HolidayList reloaded;
    EXPECT_TRUE(ReadHolidayList(reloaded, File()));
    EXPECT_EQ(reloaded, list);
}

TEST_F(HolidayListTest, RoundTripStoresCommasAsFullStopsAndNormalisesMarks) {
    HolidayList list;
    list[HolidayRowOf(2, 29)] = {list[60].date, U("○"), U("会議,準備")};
    list[HolidayRowOf(3, 1)] = {list[61].date, "x", "note"};
    list[HolidayRowOf(8, 13)] = {list[HolidayRowOf(8, 13)].date, "    ", U("お盆")};
    SaveHolidayList(list, File());

    EXPECT_EQ(list[60].mark, U(" ○ "));
    EXPECT_EQ(list[60].memo, U("会議.準備"));
    EXPECT_EQ(list[61].mark, "");
    EXPECT_EQ(ProfileFile(File()).ReadString("HolidayData", "60", ""), U("2月29日, ○ ,会議.準備,"));

    HolidayList reloaded;
    LoadHolidayList(reloaded, File());
    EXPECT_EQ(reloaded, list);
    EXPECT_EQ(reloaded.Find(8, 13)->memo, U("お盆"));
}

// The editor's double-click: a mark that counts as set is cleared to four blanks, any other one set.
TEST_F(HolidayListTest, ToggledMarks) {
    for (const auto& [before, after] :
         {std::pair{U(" ○ "), std::string("    ")}, std::pair{U("○"), std::string("    ")},
          std::pair{std::string("    "), U(" ○ ")}, std::pair{std::string("x"), U(" ○ ")},
          std::pair{std::string(), U(" ○ ")}}) {
        HolidayRow row{" 1月 2日", before, ""};
        row.ToggleMark();
        EXPECT_EQ(row.mark, after);
    }
}

TEST_F(HolidayListTest, RowsAreReadFieldByFieldAndRuleHolidaysDropped) {
    WriteRaw("[holidaydata]\r\n" + U("  5 = 1月 5日,○,始業式,\r\n") + U("6=1月 6日,x,memo,\r\n") +
             U("7=1月 7日, ○ \r\n") + U("10=1月10日, ○ ,成人の日,\r\n") + U("200=7月18日, ○ ,  海の日 ,\r\n") +
             U("260=9月16日,,敬老の日,\r\n") + U("285=10月11日, ○ ,体育の日 秋祭り,\r\n") + U("1=1月 1日,,\r\n") +
             // only the first line of a key counts, and only keys as the rows are written name a row
             U("6=1月 6日, ○ ,second,\r\n") + U("03=1月 3日, ○ ,zero,\r\n") + U("+4=1月 4日, ○ ,plus,\r\n") +
             U("367=x, ○ ,beyond,\r\n"));
    HolidayList list;
    LoadHolidayList(list, File());
    const struct {
        int row;
        const char* mark;
        const char* memo;
    } cases[] = {{5, " ○ ", "始業式"},
                 {6, "", "memo"},
                 {7, " ○ ", ""},
                 {10, "", ""},
                 {200, "", ""},
                 {260, "", ""},
                 {285, " ○ ", "体育の日 秋祭り"},
                 {1, "", ""},
                 {2, "", ""},
                 {3, "", ""},
                 {4, "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(list[c.row].mark, U(c.mark)) << c.row;
        EXPECT_EQ(list[c.row].memo, U(c.memo)) << c.row;
        EXPECT_FALSE(list[c.row].date.empty());
    }

    SaveHolidayList(list, File());
    EXPECT_EQ(ProfileFile(File()).ReadString("HolidayData", "10", "?"), U("1月10日,,,"));
}

// A list made by an older default still holds 4/29 みどりの日, 5/4 国民の休日 and 12/23 天皇誕生日, which
// would mark those dates in every year; the calendar's rules have them now. Rows named otherwise stay.
TEST_F(HolidayListTest, OldDefaultListLoadsWithoutItsThreeRuleRows) {
    const struct {
        int row;
        const char* value;
    } old[] = {
        {1, "1月 1日, ○ ,元旦,"},         {42, "2月11日, ○ ,建国記念の日,"},   {120, "4月29日, ○ ,みどりの日,"},
        {124, "5月 3日, ○ ,憲法記念日,"}, {125, "5月 4日, ○ ,国民の休日,"},    {126, "5月 5日, ○ ,こどもの日,"},
        {308, "11月 3日, ○ ,文化の日,"},  {328, "11月23日, ○ ,勤労感謝の日,"}, {358, "12月23日, ○ ,天皇誕生日,"}};
    std::string file = "[HolidayData]\r\n";
    for (int row = 1; row <= kHolidayRows; ++row) {
        std::string value = "x,,,";
        for (const auto& entry : old)
            value = entry.row == row ? U(entry.value) : value;
        file += std::to_string(row) + "=" + value + "\r\n";
    }
    WriteRaw(file);
    HolidayList list;
    LoadHolidayList(list, File());
    HolidayList defaults;
    defaults.SetDefaults();
    EXPECT_EQ(list, defaults);
    EXPECT_EQ(ReadRaw(), file);

    // The other rule names go as well; a name that merely contains one, or a fixed date renamed, stays.
    WriteRaw("[HolidayData]\r\n" + U("1=1月 1日, ○ ,正月,\r\n") + U("2=1月 2日, ○ ,振替休日,\r\n") +
             U("3=1月 3日, ○ , 昭和の日,\r\n") + U("4=1月 4日, ○ ,山の日 ,\r\n") +
             U("5=1月 5日, ○ ,スポーツの日,\r\n") + U("6=1月 6日, ○ ,天皇誕生日祝い,\r\n") +
             U("124=5月 3日,,憲法記念日,\r\n"));
    LoadHolidayList(list, File());
    EXPECT_EQ(list[1].memo, U("正月"));
    for (int row = 2; row <= 5; ++row) {
        EXPECT_EQ(list[row].mark, "") << row;
        EXPECT_EQ(list[row].memo, "") << row;
    }
    EXPECT_EQ(list[6].memo, U("天皇誕生日祝い"));
    EXPECT_TRUE(list[6].IsMarked());
    // 元旦 counts while its row is marked, whatever its name; 憲法記念日 does not while its row is not.
    EXPECT_EQ(list.MarkedFixedHolidays(), FixedHolidayMarks(0b000001));
}

TEST_F(HolidayListTest, SavePutsEveryRowInOrderAndKeepsTheRest) {
    WriteRaw("[System]\r\nx=1\r\n[HolidayData]\r\n; kept\r\n366=" + U("12月31日, ○ ,大晦日,") +
             "\r\n 1=" + U("1月 1日,,,") + "\r\n1=dup\r\nNote=mine\r\n\r\n[HolidayData]\r\n1=second\r\n");
    HolidayList list;
    LoadHolidayList(list, File());
    EXPECT_EQ(list[366].memo, U("大晦日"));
    list[2].memo = U("初売り");
    SaveHolidayList(list, File());

    const ProfileFile saved(File());
    std::string rows;
    for (int row = 1; row <= kHolidayRows; ++row)
        rows += std::to_string(row) + "=" + saved.ReadString("HolidayData", std::to_string(row), "") + "\r\n";
    EXPECT_EQ(ReadRaw(), "[System]\r\nx=1\r\n[HolidayData]\r\n; kept\r\nNote=mine\r\n" + rows +
                             "\r\n[HolidayData]\r\n1=second\r\n");
    EXPECT_EQ(rows.substr(0, rows.find("\r\n3=")), "1=" + U("1月 1日,,,\r\n2=1月 2日,,初売り,"));
    EXPECT_EQ(rows.substr(rows.find("\r\n366=")), "\r\n366=" + U("12月31日, ○ ,大晦日,\r\n"));
}

// A file without one readable row is damaged: it reads as the defaults and stays as it is for the user.
TEST_F(HolidayListTest, FilesWithoutRowsReadAsDefaultsAndAreKept) {
    const std::string damaged[] = {
        "[HolidayData]\r\nNote=mine\r\n0=x\r\n367=y\r\n[Other]\r\n1=" + U("1月 1日,,memo,") + "\r\n",
        std::string("\x89PNG\r\n\x1a\n\0\0 [broken", 17),
    };
    HolidayList defaults;
    defaults.SetDefaults();
    for (const std::string& text : damaged) {
        WriteRaw(text);
        HolidayList list;
        LoadHolidayList(list, File());
        EXPECT_EQ(list, defaults);
        EXPECT_EQ(ReadRaw(), text);
    }
}

TEST_F(HolidayListTest, RefusedWriteThrowsAndKeepsWhatIsThere) {
    // A folder where the file should be: it can be neither read nor replaced.
    fs::create_directory(File());
    HolidayList list;
    EXPECT_THROW(LoadHolidayList(list, File()), FileWriteError);
    EXPECT_TRUE(list.Find(1, 1)->IsMarked());
    EXPECT_TRUE(fs::is_directory(File()));

    const fs::path insideAFile = m_folder / "plain" / "Holiday.dat";
    std::ofstream(m_folder / "plain") << "x";
    try {
        SaveHolidayList(list, insideAFile);
        FAIL() << "no error";
    } catch (const FileWriteError& error) {
        EXPECT_NE(std::string(error.what()).find(U("に書き込めません")), std::string::npos);
    }
}

} // namespace
} // namespace mitoran
