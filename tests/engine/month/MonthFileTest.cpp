// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/month/MonthFile.h"

#include "engine/calendar/Calendar.h"
#include "engine/leave/Ledger.h"
#include "engine/leave/LedgerSync.h"
#include "engine/settings/Folders.h"
#include "engine/settings/HolidayList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace mitoran {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string Sj(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

using test::ReadBytes;
using test::WriteBytes;

DayRecord Day(std::string_view date, std::string_view weekday, std::string_view kubun, std::string_view arrival,
              std::string_view leaving, std::string_view memo) {
    DayRecord day;
    day[DayColumn::Date] = date;
    day[DayColumn::Weekday] = Sj(weekday);
    day[DayColumn::Kubun] = Sj(kubun);
    day[DayColumn::Arrival] = arrival;
    day[DayColumn::Leaving] = leaving;
    day[DayColumn::Memo] = Sj(memo);
    return day;
}

class MonthFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_ledger.SetLocation(m_folder, ""); }

    MonthLocation Location() const { return {m_folder, ""}; }
    fs::path PathOf(int year, int month) const { return MonthFilePath(m_folder, year, month, ""); }

    // The settings of a first run: regular hours 8:00-17:00, break 12:00-13:00, late night from 22:00.
    Settings DefaultSettings() const {
        MemorySettingsStore store;
        const mitoran::test::FixedFolders folders(m_folder / "settings");
        fs::create_directories(folders.DataFolder());
        Settings settings;
        LoadSettings(settings, SettingsContext{store, folders, "", ""});
        return settings;
    }

    // Writes the month and books its leave days as the session's save does.
    void SaveAndBook(MonthSheet& sheet, int year, int month, const MonthLocation& location, const Settings& settings) {
        SaveMonth(sheet, year, month, location, settings);
        UpdateLedgerFromMonth(sheet, year, m_ledger);
    }

    bool Load(MonthSheet& sheet, int year, int month, bool force) {
        return LoadMonth(sheet, year, month, force, Location(), m_rules, m_holidays);
    }

    test::TempFolder m_temp;
    const fs::path m_folder = m_temp.Path();
    CalendarRules m_rules;
    HolidayList m_holidays;
    Ledger m_ledger;
};

TEST(MonthFilePathTest, NamesTheFileByYearAndMonthInTheUsersFolder) {
    EXPECT_EQ(MonthFilePath("/data", 2004, 3, ""), fs::path("/data/200403.dat"));
    EXPECT_EQ(MonthFilePath("/data", 2004, 12, ""), fs::path("/data/200412.dat"));
    EXPECT_EQ(MonthFilePath("/data", 999, 1, ""), fs::path("/data/099901.dat"));
    EXPECT_EQ(MonthFilePath("/data", 2004, 3, "abc"), fs::path("/data/abc/200403.dat"));
    EXPECT_EQ(DayDataKey(5), " 5");
    EXPECT_EQ(DayDataKey(25), "25");
}

// The example day: the 5th, a Wednesday, 8:30 to 19:00 under the default settings, memo 会議.
TEST_F(MonthFileTest, ExampleDayIsStoredAsItsRecord) {
    MonthSheet sheet;
    ASSERT_TRUE(Load(sheet, 2003, 3, false));
    DayRecord& day = sheet.days[5];
    ASSERT_EQ(day[DayColumn::Date], " 3/ 5");
    ASSERT_EQ(day[DayColumn::Weekday], Sj("水"));
    day[DayColumn::Arrival] = " 8:30";
    day[DayColumn::Leaving] = "19:00";
    day[DayColumn::Memo] = Sj("会議");

    SaveAndBook(sheet, 2003, 3, Location(), DefaultSettings());

    const std::string bytes = ReadBytes(PathOf(2003, 3));
    const std::string line = "\r\n5=" + Sj("3/ 5,水,  , 8:30,19:00, 2:00,,会議,,,, 9:30,,,") + "\r\n";
    EXPECT_NE(bytes.find(line), std::string::npos) << Cp932ToUtf8(bytes);
    EXPECT_EQ(bytes.find(" 5="), std::string::npos);
    EXPECT_TRUE(bytes.starts_with("[System]\r\nLastDay=31\r\nSyukinDay=1.0\r\nKyujituDay=0.0\r\nZangyoTime=2:00\r\n"
                                  "ShinyaTime=0:00\r\n"))
        << Cp932ToUtf8(bytes);
    EXPECT_FALSE(sheet.IsChanged());
}

TEST_F(MonthFileTest, WritesTheWholeFileInItsLayout) {
    MonthSheet sheet;
    sheet.dayCount = 2;
    sheet.days[1] = Day(" 3/ 1", "月", "  ", " 8:00", "19:30", "a,b");
    sheet.days[1][DayColumn::Zangyo] = " 2:30";
    sheet.days[1][DayColumn::Kinmu] = "10:30";
    sheet.days[1].memoColor = 0xFF;
    sheet.days[2] = Day(" 3/ 2", "火", "有", "", "", "");
    sheet.days[2].zangyoFixed = "*";
    sheet.days[2].houteiMark = "*";
    sheet.days[3] = Day(" 3/ 3", "水", "  ", "", "", "beyond the day count");
    sheet.summary = {"1", "", "  2:30", "  0:00", "  2:30", "-17:30", " 10:30"};

    const std::string days = "1=3/ 1," + Sj("月") + ",  , 8:00,19:30, 2:30,,a.b,,,,10:30,$FF,,\r\n" + "2=3/ 2," +
                             Sj("火,有") + ",,,,,,*,,,,,*,\r\n";
    {
        ProfileFile file(PathOf(2004, 3));
        WriteMonthFile(sheet, file);
        file.Flush();
    }
    EXPECT_EQ(ReadBytes(PathOf(2004, 3)), "[System]\r\nLastDay=2\r\nSyukinDay=1.0\r\nKyujituDay=0.0\r\n"
                                          "ZangyoTime=2:30\r\nShinyaTime=0:00\r\nMokuhyoTime=-17:30\r\n"
                                          "KinmuTime=10:30\r\n[DayData]\r\n" +
                                              days);

    // An older file: keys of the earlier layout go, values keep their lines, moved keys follow in order.
    WriteBytes(PathOf(2004, 4), "[System]\r\nKinmuTime=1:00\r\nKZangyoTime=5:00\r\nLastDay=31\r\nZangyoTime=3:00\r\n"
                                "KShinyaTime=1:00\r\n[DayData]\r\n 2=old\r\n1=old\r\n31=stale\r\n");
    {
        ProfileFile file(PathOf(2004, 4));
        WriteMonthFile(sheet, file);
        file.Flush();
    }
    EXPECT_EQ(ReadBytes(PathOf(2004, 4)), "[System]\r\nKinmuTime=10:30\r\nLastDay=2\r\nSyukinDay=1.0\r\n"
                                          "KyujituDay=0.0\r\nZangyoTime=2:30\r\nShinyaTime=0:00\r\n"
                                          "MokuhyoTime=-17:30\r\n[DayData]\r\n31=stale\r\n" +
                                              days);

    // Days before the summary and repeated day keys: each day once, every section where it was.
    WriteBytes(PathOf(2004, 5), "[DayData]\r\n1=a\r\n1=b\r\n 2=c\r\n1=d\r\n; note\r\n");
    {
        ProfileFile file(PathOf(2004, 5));
        WriteMonthFile(sheet, file);
        file.Flush();
    }
    EXPECT_EQ(ReadBytes(PathOf(2004, 5)), "[DayData]\r\n" + days +
                                              "; note\r\n[System]\r\nLastDay=2\r\nSyukinDay=1.0\r\nKyujituDay=0.0\r\n"
                                              "ZangyoTime=2:30\r\nShinyaTime=0:00\r\nMokuhyoTime=-17:30\r\n"
                                              "KinmuTime=10:30\r\n");
}

TEST(DayRecordTextTest, RoundTripsEveryField) {
    struct Case {
        const char* name;
        DayRecord day;
        std::string record;
        DayRecord readBack;
    };
    DayRecord comma = Day(" 3/ 5", "水", "  ", " 8:30", "19:00", "会議,資料,");
    DayRecord commaBack = comma;
    commaBack[DayColumn::Memo] = Sj("会議.資料.");
    DayRecord first = Day(" 1/ 1", "木", "○", "", "", "元日");
    first.memoColor = 0x00ABCDEF;
    DayRecord marks = Day("12/25", "土", "前", "13:00", "26:15", "");
    marks[DayColumn::Zangyo] = " 0:00";
    marks[DayColumn::Shinya] = " 4:15";
    marks[DayColumn::Kinmu] = "12:00";
    marks.zangyoFixed = "*";
    marks.shinyaFixed = "*";
    marks.kinmuFixed = "*";
    marks.houteiMark = "*";
    marks.memoColor = static_cast<std::int32_t>(0x80000005);
    DayRecord empty;

    const std::vector<Case> cases = {
        {"comma", comma, "3/ 5," + Sj("水") + ",  , 8:30,19:00,,," + Sj("会議.資料.") + ",,,,,,,", commaBack},
        {"day one", first, "1/ 1," + Sj("木,○") + ",,,,," + Sj("元日") + ",,,,,$ABCDEF,,", first},
        {"marks", marks, "12/25," + Sj("土,前") + ",13:00,26:15, 0:00, 4:15,,*,*,*,12:00,$80000005,*,", marks},
        {"empty", empty, std::string(14, ','), empty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DayRecordText(c.day), c.record);
        DayRecord back;
        ReadDayRecordText(c.record, back);
        EXPECT_EQ(back, c.readBack);
    }
}

TEST(DayRecordTextTest, ShortAndOverlongRecordsReadWhatTheyHold) {
    DayRecord day;
    day.kinmuFixed = "*";
    ReadDayRecordText("3/ 1," + Sj("土,○") + ", 8:00,17:00,", day);
    EXPECT_EQ(day, [] {
        DayRecord expected = Day(" 3/ 1", "土", "○", " 8:00", "17:00", "");
        expected.kinmuFixed = "*";
        return expected;
    }());

    // A field without its "," is not read; fields past the 14th are ignored.
    DayRecord partial;
    ReadDayRecordText("3/ 2,unterminated", partial);
    EXPECT_EQ(partial[DayColumn::Date], " 3/ 2");
    EXPECT_EQ(partial[DayColumn::Weekday], "");
    DayRecord overlong;
    ReadDayRecordText("3/ 3,a,b,c,d,e,f,g, * ,,,h,$zz, * ,extra,more,", overlong);
    EXPECT_EQ(overlong[DayColumn::Memo], "g");
    EXPECT_EQ(overlong.zangyoFixed, "*");
    EXPECT_EQ(overlong[DayColumn::Kinmu], "h");
    EXPECT_EQ(overlong.memoColor, 0);
    EXPECT_EQ(overlong.houteiMark, "*");

    // A date keeps its last five characters and reads back the same after it is written: what the record's
    // trim would take from its start goes at once.
    const struct {
        std::string field;
        std::string date;
    } dates[] = {
        {"3/ 1", " 3/ 1"}, {"12/25", "12/25"},  {"2004/03/05", "03/05"}, {"", ""},
        {"   ", ""},       {"\t3/ 1", " 3/ 1"}, {"3\0\0\0\0xy"s, " xy"}, {"3/\0 1"s, "3/\0 1"s},
    };
    for (const auto& c : dates) {
        DayRecord read;
        ReadDayRecordText(c.field + ",", read);
        EXPECT_EQ(read[DayColumn::Date], c.date) << c.field;
        DayRecord again;
        ReadDayRecordText(DayRecordText(read), again);
        EXPECT_EQ(again[DayColumn::Date], c.date) << c.field;
    }
}

TEST_F(MonthFileTest, FileRoundTripKeepsLongAndBinaryMemos) {
    std::string binary;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != ',' && byte != '\r' && byte != '\n')
            binary += static_cast<char>(byte);
    }
    const std::string longMemo(5000, 'x');

    MonthSheet sheet;
    sheet.dayCount = 31;
    for (int d = 1; d <= 31; ++d)
        sheet.days[d] = Day(std::string(d < 10 ? " 1/ " : " 1/") + std::to_string(d), "月", "  ", " 9:00", "18:00", "");
    sheet.days[2][DayColumn::Memo] = longMemo;
    sheet.days[3][DayColumn::Memo] = binary;
    sheet.days[4][DayColumn::Memo] = Sj("表示,ソ") + "\\";
    sheet.days[31].memoColor = 0x123456;
    sheet.summary = {"20.0", "1.5", " 10:30", "  1:45", "", " -9:30", "160:00"};
    {
        ProfileFile file(PathOf(2004, 1));
        WriteMonthFile(sheet, file);
        file.Flush();
    }

    MonthSheet back;
    ASSERT_TRUE(Load(back, 2004, 1, false));
    MonthSheet expected = sheet;
    expected.days[4][DayColumn::Memo] = Sj("表示.ソ") + "\\";
    EXPECT_EQ(back.dayCount, 31);
    EXPECT_TRUE(back.days == expected.days);
    EXPECT_EQ(back.days[2][DayColumn::Memo].size(), 5000U);
    EXPECT_EQ(back.days[3][DayColumn::Memo], binary);
    EXPECT_EQ(back.summary, (MonthSummary{"20.0", "1.5", "10:30", "1:45", " 12:15", "-9:30", "160:00"}));
    EXPECT_TRUE(back.saved == back.days);
}

TEST_F(MonthFileTest, LoadsTheHeldMonthOnlyWhenForced) {
    WriteBytes(PathOf(2004, 3), "[System]\r\nLastDay=1\r\n[DayData]\r\n1=3/ 1," + Sj("月") + ",  ,,,,,memo,\r\n");
    MonthSheet sheet;
    EXPECT_TRUE(Load(sheet, 2004, 3, false));
    EXPECT_EQ(sheet.loadedYear, 2004);
    EXPECT_EQ(sheet.loadedMonth, 3);
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], "memo");

    sheet.days[1][DayColumn::Memo] = "edited";
    EXPECT_FALSE(Load(sheet, 2004, 3, false));
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], "edited");
    EXPECT_TRUE(sheet.IsChanged());

    EXPECT_TRUE(Load(sheet, 2004, 3, true));
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], "memo");
    EXPECT_FALSE(sheet.IsChanged());

    // Another month empties what the longer month held.
    WriteBytes(PathOf(2004, 4), "[System]\r\nLastDay=1\r\n[DayData]\r\n1=4/ 1,\r\n");
    EXPECT_TRUE(Load(sheet, 2004, 4, false));
    EXPECT_EQ(sheet.dayCount, 1);
    EXPECT_EQ(sheet.days[1][DayColumn::Memo], "");
}

TEST_F(MonthFileTest, DamagedFilesLoadWithinTheRecord) {
    std::string records;
    for (int d = 1; d <= 32; ++d)
        records += std::to_string(d) + "=3/" + std::to_string(d) + ",x,,,,,,day" + std::to_string(d) + ",\r\n";
    const std::string binary = "3/ 2,\0\x81,,,,,,\xFF\xFE\x01\x1A=[x],\x81"s;

    struct Case {
        const char* name;
        std::string text;
        int dayCount;
        std::vector<std::pair<int, std::string>> memos; // day, memo expected
    };
    const std::vector<Case> cases = {
        {"LastDay 99", "[System]\r\nLastDay=99\r\n[DayData]\r\n" + records, 31, {{31, "day31"}, {1, "day1"}}},
        {"LastDay -3", "[System]\r\nLastDay=-3\r\n[DayData]\r\n" + records, 31, {{31, "day31"}, {1, "day1"}}},
        {"LastDay garbled", "[System]\r\nLastDay=3x\r\n[DayData]\r\n" + records, 31, {{31, "day31"}}},
        {"LastDay 0, days 1 to 20",
         "[System]\r\nLastDay=0\r\n[DayData]\r\n" + records.substr(0, records.find("\r\n21=") + 2),
         20,
         {{20, "day20"}, {21, ""}}},
        {"no LastDay", "[DayData]\r\n" + records, 31, {{1, "day1"}}},
        {"five fields",
         "[System]\r\nLastDay=2\r\n[DayData]\r\n1=3/ 1,a,b,c,d,\r\n 2=3/ 2,,,,,,,kept,\r\n",
         2,
         {{1, ""}, {2, "kept"}}},
        {"long memo",
         "[System]\r\nLastDay=1\r\n[DayData]\r\n1=3/ 1,,,,,,," + std::string(5000, 'm') + ",,,,9:00,\r\n",
         1,
         {{1, std::string(5000, 'm')}}},
        {"binary bytes",
         "[System]\r\nLastDay=2\r\n[DayData]\r\n2=" + binary + "\r\n\xFF\xFE=\x81\r\n",
         2,
         {{2, std::string("\xFF\xFE\x01\x1A=[x]")}}},
        // Summary times of absurd size read saturated: their sum cannot overflow (the sanitizer build checks it).
        {"absurd summary times",
         "[System]\r\nLastDay=1\r\nZangyoTime=2147483647:59\r\nShinyaTime=2147483647:59\r\n[DayData]\r\n1=3/ "
         "1,,,,,,,m,\r\n",
         1,
         {{1, "m"}}},
        // Without any day the month is laid out by the calendar (31 days of March 2004).
        {"not an INI file", "\0\xFF\x81\r\n[\r\n=\r\n]]]"s, 31, {{20, Sj("春分の日")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(PathOf(2004, 3), c.text);
        MonthSheet sheet;
        ASSERT_TRUE(Load(sheet, 2004, 3, true));
        EXPECT_EQ(sheet.dayCount, c.dayCount);
        for (const auto& [day, memo] : c.memos)
            EXPECT_EQ(sheet.days[day][DayColumn::Memo], memo) << day;
        EXPECT_TRUE(sheet.saved == sheet.days);
    }
}

TEST_F(MonthFileTest, MonthWithoutFileGetsItsCalendar) {
    m_rules.simeDay = 20;
    MonthSheet sheet;
    ASSERT_TRUE(Load(sheet, 2004, 3, false));
    EXPECT_EQ(sheet.dayCount, 29);
    EXPECT_EQ(sheet.days[1][DayColumn::Date], " 2/21");
    EXPECT_EQ(sheet.days[1][DayColumn::Weekday], Sj("土"));
    EXPECT_EQ(sheet.days[1][DayColumn::Kubun], Sj("○"));
    EXPECT_EQ(sheet.days[29][DayColumn::Date], " 3/20");
    EXPECT_EQ(sheet.days[29][DayColumn::Memo], Sj("春分の日"));
    EXPECT_EQ(sheet.days[30], DayRecord{});
    EXPECT_EQ(sheet.summary, MonthSummary{});
    EXPECT_TRUE(sheet.saved == sheet.days);
    EXPECT_FALSE(fs::exists(PathOf(2004, 3)));
}

// Saving where no file can be written reports the file and changes nothing else.
TEST_F(MonthFileTest, RefusedWriteLeavesLedgerAndSavedCopyAlone) {
    const std::string ledgerBytes = "[System]\r\nKuriZan=10.0\r\nNowZan=10.0\r\n";
    WriteBytes(m_ledger.LedgerFilePath(), ledgerBytes);
    WriteBytes(m_folder / "afile", "not a folder");
    // A month "file" that cannot be read is never replaced by the new month shown in its place.
    fs::create_directories(MonthFilePath(m_folder, 2004, 3, "unreadable"));

    for (const MonthLocation& location : {MonthLocation{m_folder / "missing", ""}, MonthLocation{m_folder, "afile"},
                                          MonthLocation{m_folder, "unreadable"}}) {
        SCOPED_TRACE(location.dataFolder.string() + "/" + location.user);
        MonthSheet sheet;
        ASSERT_TRUE(LoadMonth(sheet, 2004, 3, false, location, m_rules, m_holidays));
        sheet.days[3][DayColumn::Kubun] = Sj("有");
        const fs::path path = MonthFilePath(location.dataFolder, 2004, 3, location.user);
        try {
            SaveAndBook(sheet, 2004, 3, location, DefaultSettings());
            ADD_FAILURE() << "no error";
        } catch (const FileWriteError& error) {
            EXPECT_EQ(error.what(), path.string() + Sj(" に書き込めません"));
        }
        EXPECT_TRUE(sheet.IsChanged());
        EXPECT_EQ(ReadBytes(m_ledger.LedgerFilePath()), ledgerBytes);
        EXPECT_FALSE(fs::is_regular_file(path));
    }
    EXPECT_TRUE(fs::is_directory(MonthFilePath(m_folder, 2004, 3, "unreadable")));
}

// The old file stays whole when the new one cannot be written: a folder stands where its temporary file
// must go, which no user's rights get past.
TEST_F(MonthFileTest, RefusedWriteKeepsTheOldFile) {
    const std::string old = "[System]\r\nLastDay=31\r\n";
    WriteBytes(PathOf(2004, 3), old);
    const Settings settings = DefaultSettings();
    MonthSheet sheet;
    ASSERT_TRUE(Load(sheet, 2004, 3, false));
    sheet.days[3][DayColumn::Arrival] = " 8:00";
    const fs::path blocker = AtomicTemporaryPath(PathOf(2004, 3));
    fs::create_directories(blocker / "inside");
    EXPECT_THROW(SaveMonth(sheet, 2004, 3, Location(), settings), FileWriteError);
    EXPECT_EQ(ReadBytes(PathOf(2004, 3)), old);
    EXPECT_TRUE(sheet.IsChanged());

    fs::remove_all(blocker);
    SaveMonth(sheet, 2004, 3, Location(), settings);
    EXPECT_NE(ReadBytes(PathOf(2004, 3)), old);
}

struct LedgerEntry {
    std::string date;
    std::string category;
    std::string memo;
    bool operator==(const LedgerEntry&) const = default;
};

std::vector<LedgerEntry> LedgerEntries(const fs::path& folder) {
    Ledger ledger;
    ledger.SetLocation(folder, "");
    ledger.LoadLedger();
    std::vector<LedgerEntry> entries;
    for (int row = 1; row <= kLedgerRowCount && ledger.Row(row).IsEntry(); ++row) {
        const LedgerRow& entry = ledger.Row(row);
        entries.push_back({entry[LedgerColumn::Date], Cp932ToUtf8(entry[LedgerColumn::Category]),
                           Cp932ToUtf8(entry[LedgerColumn::Memo])});
    }
    return entries;
}

TEST_F(MonthFileTest, SavingFeedsTheLedgerWithTheDaysDates) {
    m_rules.simeDay = 20;
    const Settings settings = DefaultSettings();
    MonthSheet sheet;
    ASSERT_TRUE(Load(sheet, 2004, 3, false));
    ASSERT_EQ(sheet.days[3][DayColumn::Date], " 2/23");
    ASSERT_EQ(sheet.days[11][DayColumn::Date], " 3/ 2");

    sheet.days[3][DayColumn::Kubun] = Sj("有");
    sheet.days[3][DayColumn::Memo] = Sj("通院");
    sheet.days[11][DayColumn::Kubun] = Sj("有");
    SaveAndBook(sheet, 2004, 3, Location(), settings);
    EXPECT_EQ(LedgerEntries(m_folder),
              (std::vector<LedgerEntry>{{"2004/02/23", "有給", "通院"}, {"2004/03/02", "有給", ""}}));
    EXPECT_FALSE(sheet.IsChanged());

    // 有 becomes 前, a leave day's memo follows, the memo of an ordinary day stays out.
    sheet.days[11][DayColumn::Kubun] = Sj("前");
    sheet.days[3][DayColumn::Memo] = Sj("歯科");
    sheet.days[12][DayColumn::Memo] = "note";
    SaveAndBook(sheet, 2004, 3, Location(), settings);
    EXPECT_EQ(LedgerEntries(m_folder),
              (std::vector<LedgerEntry>{{"2004/02/23", "有給", "歯科"}, {"2004/03/02", "午前", ""}}));

    sheet.days[3][DayColumn::Kubun] = "  ";
    SaveAndBook(sheet, 2004, 3, Location(), settings);
    EXPECT_EQ(LedgerEntries(m_folder), (std::vector<LedgerEntry>{{"2004/03/02", "午前", ""}}));

    // A January sheet starts in December of the year before.
    MonthSheet january;
    ASSERT_TRUE(Load(january, 2005, 1, false));
    ASSERT_EQ(january.days[1][DayColumn::Date], "12/21");
    january.days[1][DayColumn::Kubun] = Sj("有");
    january.days[1][DayColumn::Memo] = Sj("帰省");
    SaveAndBook(january, 2005, 1, Location(), settings);
    EXPECT_EQ(LedgerEntries(m_folder),
              (std::vector<LedgerEntry>{{"2004/03/02", "午前", ""}, {"2004/12/21", "有給", "帰省"}}));

    // What was saved reads back as it was saved.
    MonthSheet back;
    ASSERT_TRUE(Load(back, 2004, 3, false));
    EXPECT_TRUE(back.days == sheet.days);
}

} // namespace
} // namespace mitoran
