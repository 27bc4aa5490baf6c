// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Settings.h"
#include "engine/settings/Folders.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/OverlaySettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <iterator>
#include <thread>
#include <utility>
#include <vector>

using namespace mitoran;

namespace {

const std::string kBase = "Software\\Quorvan\\Vuvedez";

// Records the subkey and name of every write, in order.
class RecordingStore : public MemorySettingsStore {
public:
    void WriteValue(std::string_view keyPath, std::string_view subkey, std::string_view name,
                    std::string_view value) override {
        writes.emplace_back(std::string(subkey) + "/" + std::string(name));
        MemorySettingsStore::WriteValue(keyPath, subkey, name, value);
    }
    void KeepDamagedCopy() override { ++damagedCopies; }
    std::vector<std::string> writes;
    int damagedCopies = 0;
};

std::string Numbered(const std::string& prefix, int n) {
    return prefix + (n < 10 ? "0" : "") + std::to_string(n);
}

// Every value SaveSettings writes, in the order it writes them, spelled out from the stored-value tables.
std::vector<std::string> ExpectedSaveOrder() {
    std::vector<std::string> names;
    const auto system = [&](std::initializer_list<const char*> list) {
        for (const char* name : list) {
            names.push_back(std::string("System/") + name);
        }
    };
    system({"Pass",
            "KinPass",
            "SimeDay",
            "FlexTime",
            "ClickAutoSelect",
            "StartAdjustSelect",
            "StartTime",
            "StartTime2",
            "StartAutoIn",
            "StartTeijiIn",
            "StartPassSkip",
            "StartAutoMinimize",
            "CalcTimeAdjust",
            "NoAutoInAdjust",
            "EndAdjustSelect",
            "EndTime",
            "EndTime2",
            "EndAutoIn",
            "EndOverWrite",
            "ZangyoAdjustSelect",
            "ZangyoTime",
            "ZangyoTime2",
            "PrintForm",
            "ReOpenPassIn",
            "PrintMemo",
            "PrintTime",
            "PrintDate",
            "PrintPage",
            "PrintGary",
            "PrintName",
            "ZangyoTitle",
            "YearTitle",
            "YukyuTitle",
            "NameTitle",
            "ZangyoPrintMuki",
            "YearPrintMuki",
            "YukyuPrintMuki",
            "TitlePosition",
            "NamePosition",
            "MonthPosition",
            "PagePosition",
            "DatePosition",
            "TitleFontName",
            "NameFontName",
            "MonthFontName",
            "ListFontName",
            "PageFontName",
            "DateFontName",
            "TitleFontSize",
            "NameFontSize",
            "MonthFontSize",
            "ListFontSize",
            "PageFontSize",
            "DateFontSize",
            "TitleFontStyle",
            "NameFontStyle",
            "MonthFontStyle",
            "ListFontStyle",
            "PageFontStyle",
            "DateFontStyle",
            "PrivateNameDisp",
            "PrivateName",
            "CSVNameAdd",
            "CSVFileName",
            "CSVPrivateInfoAdd",
            "CSVPrivateInfo",
            "CSVMonthAdd",
            "EscKeyMin",
            "WindowSize",
            "AutoSave",
            "AutoCalc",
            "IMEAutoMode",
            "IdleProcess",
            "HanDayAM",
            "HanDayPM",
            "PageTopMargin",
            "PageBottomMargin",
            "PageLeftMargin",
            "PageRightMargin",
            "SaveInitialDir",
            "MokuhyoTime",
            "DaikyuZanCalc",
            "Week1Check",
            "Week2Check",
            "Week3Check",
            "Week4Check",
            "Week5Check",
            "Week6Check",
            "Week7Check",
            "SeijinDay",
            "SpringDay",
            "AutumnDay",
            "SportDay",
            "OceanDay",
            "OldManDay",
            "YukyuMokuZanDisp",
            "YukyuMokuZan",
            "YuukyuKinmu",
            "Hankyu05"});
    for (int n = 1; n <= 12; ++n) {
        names.push_back("Setting/" + Numbered("Kin", n));
    }
    for (int n = 1; n <= 22; ++n) {
        names.push_back("Setting/" + Numbered("Time", n));
    }
    for (int k = 0; k <= 8; ++k) {
        names.push_back("System/CellColorCheck" + std::to_string(k));
        names.push_back("System/CellColor" + std::to_string(k));
    }
    system({"GridLineSelect", "YukyuMonth", "ChikokuRedDisp", "IconSelect", "SatHandon"});
    for (int n = 1; n <= 10; ++n) {
        names.push_back("Setting/" + Numbered("UseMemo", n));
    }
    names.push_back("Limits/MainDisp"); // the limits themselves only once set
    return names;
}

using mitoran::test::ReadBytes;
using mitoran::test::WriteBytes;

class SettingsTest : public ::testing::Test {
protected:
    SettingsContext Context(std::string current = "", std::string start = "") {
        return {m_store, m_folders, std::move(current), std::move(start)};
    }
    std::optional<std::string> Stored(const std::string& subkey, const std::string& name,
                                      const std::string& key = kBase) const {
        return m_store.ReadValue(key, subkey, name);
    }
    // A store that has been initialised before, so loading runs no first-run initialisation.
    void Seed(std::initializer_list<std::pair<const char*, const char*>> values, const std::string& subkey) {
        m_store.WriteValue(kBase, "System", "SimeDay", "20");
        for (const auto& [name, value] : values) {
            m_store.WriteValue(kBase, subkey, name, value);
        }
    }
    Settings Loaded() {
        Settings settings;
        LoadSettings(settings, Context());
        return settings;
    }

    mitoran::test::TempFolder m_temp;
    const std::filesystem::path m_data = m_temp.Path();
    mitoran::test::FixedFolders m_folders{m_data, "/home/u/work"};
    RecordingStore m_store;
};

TEST_F(SettingsTest, FirstRunInitialisesOnceAndSavesEveryValueInOrder) {
    m_store.WriteValue(kBase, "Position", "TZangyoMain.Top", "100");
    Settings settings;
    LoadSettings(settings, Context());

    EXPECT_TRUE(m_store.KeyExists(kBase));
    EXPECT_TRUE(m_store.Values(kBase, "Position").empty());
    EXPECT_TRUE(std::filesystem::exists(m_data / "mitoran.SET"));
    for (const std::string& path : ExpectedSaveOrder()) {
        const std::size_t slash = path.find('/');
        EXPECT_TRUE(Stored(path.substr(0, slash), path.substr(slash + 1))) << path;
    }
    EXPECT_EQ(Stored("System", "SyukeiMonth"), "1");
    EXPECT_FALSE(Stored("System", "MokuhyoBasShow"));

    const std::array<int, 13> firstRunAmounts{0,  200000, 20000, 15000, 1500, 1750, 230000,
                                              80, 1500,   1750,  0,     1750, 2000};
    EXPECT_EQ(settings.Kin, firstRunAmounts);
    EXPECT_EQ(Stored("Setting", "Kin06"), "230000");
    EXPECT_EQ(settings.SimeDay, 31);
    EXPECT_EQ(settings.Time[1], (TimeSlot{"12:00", "13:00"}));
    EXPECT_EQ(settings.Time[11], (TimeSlot{" 8:00", "17:00"}));
    EXPECT_EQ(settings.Time[12], (TimeSlot{"22:00", " 5:00"}));
    EXPECT_EQ(settings.Time[13], (TimeSlot{" 8:00", " 0:00"}));
    // First run writes "," into "Time17", which is not empty, so the repair leaves it.
    EXPECT_EQ(settings.Time[17], TimeSlot{});
    EXPECT_EQ(settings.Time[21], (TimeSlot{" 8:00", "12:00"}));
    EXPECT_EQ(settings.Time[22].first, " 4:00");
    EXPECT_EQ(Stored("Setting", "Time12"), "22:00, 5:00");
    EXPECT_EQ(Stored("Setting", "Time21"), " 8:00,12:00");
    EXPECT_EQ(Stored("Setting", "Time05"), ",");
    EXPECT_EQ(Stored("System", "SaveInitialDir"), "/home/u/work");
    EXPECT_EQ(Stored("System", "Week1Check"), "1");
    EXPECT_EQ(Stored("System", "Week2Check"), "0");
    EXPECT_EQ(Stored("System", "CellColor8"), "-2147483643");
    EXPECT_EQ(Stored("System", "GridLineSelect"), "2");

    m_store.writes.clear();
    SaveSettings(settings, Context());
    EXPECT_EQ(m_store.writes, ExpectedSaveOrder());

    // A second load keeps what the user changed and writes nothing.
    m_store.WriteValue(kBase, "Setting", "Kin01", "123");
    m_store.WriteValue(kBase, "Setting", "Time18", " 9:00,10:00");
    m_store.writes.clear();
    Settings again;
    LoadSettings(again, Context());
    EXPECT_TRUE(m_store.writes.empty());
    EXPECT_EQ(again.Kin[1], 123);
    EXPECT_EQ(again.PresetTimes[0], " 9:00");
}

// Only a store without a closing day is a first run. One that holds a closing day that does not read is taken as
// 31 and keeps everything else (amounts, passwords, presets); the store is asked to keep a copy before it is next
// written. A closing day that reads is taken as it is.
TEST_F(SettingsTest, ADamagedClosingDayIsTakenAs31AndNothingElseChanges) {
    struct Case {
        const char* stored;
        int simeDay;
        bool damaged;
    };
    const Case cases[] = {{"x", 31, true},  {"", 31, true},    {"-1", 31, true},  {"0", 31, true},
                          {"32", 31, true}, {"2 5", 31, true}, {"25", 25, false}, {"0x19", 25, false},
                          {"1", 1, false},  {"31", 31, false}, {"28", 28, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        RecordingStore store;
        store.WriteValue(kBase, "System", "SimeDay", c.stored);
        store.WriteValue(kBase, "System", "Pass", "cba");
        store.WriteValue(kBase, "Setting", "Kin01", "123");
        store.WriteValue(kBase, "Setting", "Time18", " 9:00,10:00");
        store.writes.clear();
        Settings settings;
        LoadSettings(settings, {store, m_folders, "", ""});
        EXPECT_EQ(settings.SimeDay, c.simeDay);
        EXPECT_EQ(store.damagedCopies, c.damaged ? 1 : 0);
        EXPECT_EQ(settings.Pass, "abc");
        EXPECT_EQ(settings.Kin[1], 123);
        EXPECT_EQ(settings.PresetTimes[0], " 9:00");
        EXPECT_EQ(store.ReadValue(kBase, "System", "SimeDay"), c.stored);
        EXPECT_EQ(store.ReadValue(kBase, "Setting", "Kin02"), std::nullopt);
    }
}

TEST_F(SettingsTest, LegacyIntervalsFillAbsentIndexes) {
    const std::vector<std::pair<int, int>> cases{{0, 0}, {1, 4}, {2, 2}, {3, 5}, {4, 3}, {5, 0}, {9, 0}, {-1, 0}};
    for (const auto& [legacy, index] : cases) {
        m_store.DeleteSubkey(kBase, "System");
        const std::string text = std::to_string(legacy);
        Seed({{"StartTime", text.c_str()}, {"EndTime", text.c_str()}, {"ZangyoTime", text.c_str()}}, "System");
        const Settings settings = Loaded();
        EXPECT_EQ(settings.StartTime2, index) << legacy;
        EXPECT_EQ(settings.EndTime2, index) << legacy;
        EXPECT_EQ(settings.ZangyoTime2, index) << legacy;
        EXPECT_EQ(settings.StartTime, legacy);
    }
    Seed({{"StartTime", "3"}, {"StartTime2", "1"}}, "System");
    EXPECT_EQ(Loaded().StartTime2, 1);
    EXPECT_EQ(RoundingUnit(5), 30);
    EXPECT_EQ(RoundingUnit(7), 5);
}

TEST_F(SettingsTest, TimeSlotsSplitAndDefaultOnLoad) {
    Seed({{"Time05", " 7:30"},
          {"Time11", " 9:00,18:00"},
          {"Time12", "22:00, 0:00"},
          {"Time13", " 7:45,"},
          {"Time16", ""},
          {"Time18", " 1:00, 2:00"},
          {"Time19", ", 4:00"},
          {"Time20", " 5:00,6:00,7"}},
         "Setting");
    const Settings settings = Loaded();
    EXPECT_EQ(settings.Time[5], (TimeSlot{"", " 7:30"}));
    EXPECT_EQ(settings.Time[12].second, " 5:00");
    EXPECT_EQ(settings.Time[13], (TimeSlot{" 7:45", " 0:00"}));
    EXPECT_EQ(settings.Time[21], (TimeSlot{" 9:00", "12:00"}));
    EXPECT_EQ(settings.Time[22].first, " 4:00");
    EXPECT_EQ(settings.PresetTimes, (std::array<std::string, 6>{" 1:00", " 2:00", "", " 4:00", " 5:00", "6:00,7"}));
    // Empty "Time13" … "Time17" are repaired in the store; an absent slot reads as two empty halves.
    EXPECT_EQ(Stored("Setting", "Time13"), " 7:45,");
    EXPECT_EQ(Stored("Setting", "Time16"), "20:00,");
    EXPECT_EQ(Stored("Setting", "Time17"), "-8:00,");
    EXPECT_EQ(settings.Time[3], TimeSlot{});

    Seed({{"Time12", "22:00, 4:30"}, {"Time21", " 8:30,12:30"}, {"Time22", " 3:30,"}}, "Setting");
    const Settings kept = Loaded();
    EXPECT_EQ(kept.Time[12].second, " 4:30");
    EXPECT_EQ(kept.Time[21], (TimeSlot{" 8:30", "12:30"}));
    EXPECT_EQ(kept.Time[22].first, " 3:30");
}

TEST_F(SettingsTest, StoredValuesReadWithDefaults) {
    Seed({{"CellColor3", "0x0000FF"},
          {"CellColor4", "0X80000005"},
          {"CellColor5", "blue"},
          {"CellColorCheck3", "1"},
          {"PrintMemo", "-12"},
          {"GridLineSelect", "abc"},
          {"ChikokuRedDisp", "0"},
          {"FlexTime", "5"},
          {"PrivateName", ""},
          {"SatHandon", "1"},
          {"Pass", "cba"},
          {"KinPass", "21"},
          {"MokuhyoBasShow", "1"}},
         "System");
    Settings settings = Loaded();
    EXPECT_EQ(settings.CellColor[3], 255);
    EXPECT_EQ(settings.CellColor[4], kSystemWindowColor);
    EXPECT_EQ(settings.CellColor[5], kSystemWindowColor);
    EXPECT_TRUE(settings.CellColorCheck[3]);
    EXPECT_FALSE(settings.CellColorCheck[4]);
    EXPECT_EQ(settings.PrintMemo, -12);
    EXPECT_EQ(settings.GridLineSelect, 2);
    EXPECT_FALSE(settings.ChikokuRedDisp);
    EXPECT_TRUE(settings.FlexTime);
    EXPECT_TRUE(settings.WindowSize);
    EXPECT_EQ(settings.PrivateName, "");
    EXPECT_EQ(settings.NameTitle, Utf8ToCp932("所属：ＸＸＸＸＸ課  氏名：ＸＸ ＸＸ"));
    EXPECT_EQ(settings.YearTitle, Utf8ToCp932("残業時間一覧表"));
    EXPECT_EQ(settings.SimeDay, 20);
    EXPECT_FALSE(settings.SatHandon);
    EXPECT_TRUE(settings.MokuhyoBasShow);
    EXPECT_EQ(settings.Pass, "abc");
    EXPECT_EQ(settings.KinPass, "12");
    EXPECT_EQ(settings.StartUserPass, "abc");

    settings.SatHandon = true;
    settings.Pass = "xyz";
    SaveSettings(settings, Context());
    EXPECT_EQ(Stored("System", "SatHandon"), "0");
    EXPECT_EQ(Stored("System", "Pass"), "zyx");
    EXPECT_EQ(Stored("System", "CellColor3"), "255");
    EXPECT_EQ(Stored("System", "FlexTime"), "1");

    const std::vector<std::pair<std::string, std::optional<int>>> integers{{"2147483647", 2147483647},
                                                                           {"-2147483648", -2147483647 - 1},
                                                                           {"2147483648", std::nullopt},
                                                                           {"0xFFFFFFFF", -1},
                                                                           {"0x100000000", std::nullopt},
                                                                           {"0x", std::nullopt},
                                                                           {"", std::nullopt},
                                                                           {"+5", 5},
                                                                           {"5 ", std::nullopt},
                                                                           {"0x1g", std::nullopt},
                                                                           {"-0x1", std::nullopt},
                                                                           {"007", 7}};
    for (const auto& [text, value] : integers) {
        EXPECT_EQ(ParseStoreInteger(text), value) << text;
    }
}

TEST_F(SettingsTest, NamedUserKeyFolderAndStartUserCopies) {
    EXPECT_EQ(UserKeyPath(""), kBase);
    EXPECT_EQ(UserKeyPath("abc"), "Software\\Quorvan\\Vuvedez\\User\\abc");

    Settings settings;
    LoadSettings(settings, Context("abc", ""));
    const std::string userKey = kBase + "\\User\\abc";
    EXPECT_TRUE(m_store.KeyExists(userKey));
    // The user's folder under the current one, with the system's separator (a backslash on Windows).
    const std::string userDir = (std::filesystem::path("/home/u/work") / "abc").string();
    EXPECT_EQ(settings.SaveInitialDir, userDir);
    EXPECT_EQ(Stored("System", "SaveInitialDir", userKey), userDir);
    EXPECT_FALSE(Stored("System", "SimeDay"));
    EXPECT_TRUE(std::filesystem::exists(m_data / "abc" / "mitoran.SET"));
    EXPECT_FALSE(std::filesystem::exists(m_data / "mitoran.SET"));

    // The start user's copies follow only the start user.
    m_store.WriteValue(userKey, "System", "Pass", "dcba");
    m_store.WriteValue(userKey, "System", "WindowSize", "0");
    settings.StartUserPass = "start";
    LoadSettings(settings, Context("abc", "ABC"));
    EXPECT_EQ(settings.Pass, "abcd");
    EXPECT_EQ(settings.StartUserPass, "start");
    EXPECT_TRUE(settings.StartUserWindowSize);
    LoadSettings(settings, Context("abc", "abc"));
    EXPECT_EQ(settings.StartUserPass, "abcd");
    EXPECT_FALSE(settings.StartUserWindowSize);
    settings.Pass = "new";
    settings.EscKeyMin = true;
    SaveSettings(settings, Context("abc", "abc"));
    EXPECT_EQ(settings.StartUserPass, "new");
    EXPECT_TRUE(settings.StartUserEscKeyMin);
}

TEST_F(SettingsTest, SetFileHoldsMirroredLines) {
    EXPECT_EQ(MirrorNibbles("31"), "\x13\x31");
    EXPECT_EQ(MirrorNibbles(" 8:00"), std::string("\x00\x08\xAA\x80\x00", 5));
    EXPECT_EQ(MirrorNibbles(""), "");
    EXPECT_EQ(MirrorNibbles("5"), "\x55");

    Settings settings;
    settings.Pass = "ab";
    settings.FlexTime = true;
    settings.Kin[1] = 200000;
    settings.Time[11] = {" 8:00", "17:00"};
    settings.Time[17] = {"-8:00", ""};
    WriteSetFile(settings, Context());

    // Worked by hand: "ba" → 12 21, "200000" → 02 00 00 00 00 20, "17:00" → 01 07 AA 70 10, "-8:00" → 0D 08 AA 80 D0.
    std::string expected = "\x12\x21\r\n\x13\x31\r\n\x11\r\n";
    expected += std::string("\x02\x00\x00\x00\x00\x20\r\n", 8);
    for (int n = 2; n <= 12; ++n) {
        expected += std::string("\x00\r\n", 3);
    }
    for (int n = 1; n <= 22; ++n) {
        if (n == 11) {
            expected += std::string("\x00\x08\xAA\x80\x00\x01\x07\xAA\x70\x10", 10);
        } else if (n == 17) {
            expected += "\x0D\x08\xAA\x80\xD0";
        }
        expected += "\r\n";
    }
    EXPECT_EQ(ReadBytes(m_data / "mitoran.SET"), expected);
}

TEST_F(SettingsTest, UnwritableSetFileIsReportedAfterTheStoreIsWritten) {
    const std::filesystem::path blocker = m_data / "blocker";
    WriteBytes(blocker, "x");
    mitoran::test::FixedFolders blocked(blocker, "/home/u/work");
    Settings settings;
    settings.Kin[2] = 42;
    EXPECT_THROW(SaveSettings(settings, SettingsContext{m_store, blocked, "", ""}), FileWriteError);
    EXPECT_EQ(Stored("Setting", "Kin02"), "42");
    EXPECT_EQ(Stored("Setting", "UseMemo10"), "");
    EXPECT_EQ(ReadBytes(blocker), "x");
}

// Passwords are stored with their characters in reverse order: an ASCII password as its bytes reversed, a
// double-byte character kept whole so that the stored text is CP932 that any store can hold.
TEST_F(SettingsTest, PasswordsAreStoredReversedByCharacter) {
    const std::string pasu = Utf8ToCp932("パス12");
    EXPECT_EQ(ReverseText("abc"), "cba");
    EXPECT_EQ(ReverseText(""), "");
    EXPECT_EQ(ReverseText(pasu), Utf8ToCp932("21スパ"));
    // Trail bytes that look like "\" and letters stay with their lead byte.
    EXPECT_EQ(ReverseText(Utf8ToCp932("a表ソb")), Utf8ToCp932("bソ表a"));
    EXPECT_EQ(ReverseText("x\x83"), "\x83x"); // a lead byte at the end stands alone

    Settings settings = Loaded();
    settings.Pass = pasu;
    settings.KinPass = "Abc9";
    SaveSettings(settings, Context());
    EXPECT_EQ(Stored("System", "Pass"), Utf8ToCp932("21スパ"));
    EXPECT_EQ(Stored("System", "KinPass"), "9cbA");
    // The ".SET" file's first line is the stored form, mirrored.
    const std::string set = ReadBytes(m_data / "mitoran.SET");
    EXPECT_EQ(set.substr(0, set.find("\r\n")), MirrorNibbles(Utf8ToCp932("21スパ")));

    const Settings reloaded = Loaded();
    EXPECT_EQ(reloaded.Pass, pasu);
    EXPECT_EQ(reloaded.KinPass, "Abc9");
    EXPECT_EQ(reloaded.StartUserPass, pasu);
}

// Two writers of the ".SET" file at once each go through a temporary file of their own.
TEST_F(SettingsTest, SetFileWritersAtTheSameTimeNeverClash) {
    std::array<Settings, 2> settings;
    settings[1].SimeDay = 20;
    settings[1].Time[5] = {std::string(5000, '1'), std::string(5000, '2')};
    std::array<std::string, 2> versions;
    for (std::size_t i = 0; i < 2; ++i) {
        WriteSetFile(settings[i], Context());
        versions[i] = ReadBytes(m_data / "mitoran.SET");
    }
    std::atomic<int> failures{0};
    std::vector<std::thread> writers;
    for (const Settings& written : settings) {
        writers.emplace_back([&] {
            for (int i = 0; i < 100; ++i) {
                try {
                    WriteSetFile(written, Context());
                } catch (const FileWriteError&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(failures, 0);
    const std::string bytes = ReadBytes(m_data / "mitoran.SET");
    EXPECT_TRUE(bytes == versions[0] || bytes == versions[1]) << bytes.size();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_data), std::filesystem::directory_iterator()), 1);
}

// A run that only looks loads the settings a first run would give, and the store below keeps none of it.
TEST_F(SettingsTest, OverlayKeepsItsWritesToItself) {
    m_store.WriteValue(kBase, "Position", "TZangyoMain.Top", "100");
    m_store.WriteValue(kBase, "Setting", "Kin01", "7");
    OverlaySettingsStore overlay(m_store);
    Settings settings;
    LoadSettings(settings, SettingsContext{overlay, m_folders, "", "", false});
    EXPECT_EQ(settings.Kin[1], 200000);
    EXPECT_FALSE(overlay.ReadValue(kBase, "Position", "TZangyoMain.Top"));
    EXPECT_EQ(overlay.ReadValue(kBase, "Setting", "Kin06"), "230000");
    overlay.WriteValue(kBase, "Position", "TZangyoMain.Left", "5");
    EXPECT_EQ(overlay.ReadValue(kBase, "Position", "TZangyoMain.Left"), "5");

    EXPECT_EQ(m_store.writes, (std::vector<std::string>{"Position/TZangyoMain.Top", "Setting/Kin01"}));
    EXPECT_EQ(Stored("Position", "TZangyoMain.Top"), "100");
    EXPECT_TRUE(std::filesystem::is_empty(m_data));
}

TEST_F(SettingsTest, SyukeiMonthIsReadWithinTheYearAndKeptAtOnce) {
    Seed({{"SyukeiMonth", "13"}}, "System");
    Settings settings = Loaded();
    EXPECT_EQ(settings.SyukeiMonth, 12);
    KeepSyukeiMonth(settings, Context(), 4);
    EXPECT_EQ(settings.SyukeiMonth, 4);
    EXPECT_EQ(Stored("System", "SyukeiMonth"), "4");
    EXPECT_EQ(Loaded().SyukeiMonth, 4);
}

TEST_F(SettingsTest, HalfDayAmountsReadAsNumbers) {
    Settings settings;
    EXPECT_EQ(HalfDayAmounts(settings), std::make_pair(-0.5, -0.5));
    settings.HanDayAM = "-1.0";
    settings.HanDayPM = "half";
    EXPECT_EQ(HalfDayAmounts(settings), std::make_pair(-1.0, -0.5));
}

} // namespace
