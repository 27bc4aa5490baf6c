// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/ProfileFile.h"

#include "engine/text/Cp932.h"

#include "support/KilledWrites.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mitoran {
namespace {

namespace fs = std::filesystem;

// Double-byte characters whose trail byte is "\", "]", "[" or a lower-case letter.
const std::string kHyo = "\x95\x5C"; // 表
const std::string kSo = "\x83\x5C";  // ソ
const std::string kZo = "\x83\x5D";  // ゾ
const std::string kZe = "\x83\x5B";  // ゼ
const std::string kDi = "\x83\x61";  // ヂ

using test::ReadBytes;
using test::WriteBytes;

std::string CannotWriteText(const fs::path& path) {
    const std::u8string name = path.u8string();
    return Utf8ToCp932(std::string(name.begin(), name.end()) + " に書き込めません");
}

class ProfileFileTest : public ::testing::Test {
protected:
    std::vector<std::string> Entries() const { return test::FileNames(m_dir); }

    test::TempFolder m_temp;
    const fs::path m_dir = m_temp.Path();
};

TEST_F(ProfileFileTest, ReadsWithThePlatformRules) {
    const fs::path path = m_dir / "200403.dat";
    WriteBytes(path, "; Note=not a key\r\n"
                     "[System]\r\n"
                     "LastDay=31\r\n"
                     "  SyukinDay =  20.0 \t\r\n"
                     "Quoted=\"a b\" \r\n"
                     "Empty=\r\n"
                     " 1=day one\r\n"
                     "\t; Hidden=1\r\n" +
                         kDi +
                         "=dbcs\r\n"
                         "\r\n"
                         "  [ DayData ]\n"
                         " 5=3/ 5,\x90\x85,  ,\n"
                         "12=x\r"
                         "[" +
                         kHyo + "]\r\nk=v1\r\n[" + kZo + "]\r\nk=v2\r\n[a]" + kZo + "\r\nk=v3\r\n[" + kZo +
                         "\r\nk=v4\r\n");
    const ProfileFile profile(path);
    ASSERT_TRUE(profile.Exists());

    struct Case {
        std::string section, key, expected;
    };
    const std::vector<Case> cases = {
        {"System", "LastDay", "31"},
        {"SYSTEM", "lastday", "31"},
        {" system ", "SyukinDay", "20.0"},
        {"System", "Quoted", "\"a b\""},
        {"System", "Empty", ""},
        {"System", "1", "day one"},
        {"System", "  1", "day one"},
        {"System", "; Hidden", "(none)"},
        {"", "; Note", "(none)"},
        {"System", kDi, "dbcs"},
        {"System",
         "\x83"
         "A",
         "(none)"}, // trail byte 0x61 must not fold to 0x41
        {"DayData", "5", "3/ 5,\x90\x85,  ,"},
        {"daydata", " 5", "3/ 5,\x90\x85,  ,"},
        {"DayData", "12", "x"},
        {kHyo, "k", "v1"},
        {kZo, "k", "v2"},
        {"a", "k", "v3"},
        {"\x83", "k", "(none)"}, // "[ゾ" has no closing bracket: its trail byte 0x5D is not one
        {"Missing", "k", "(none)"},
        {"System", "Missing", "(none)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(profile.ReadString(c.section, c.key, "(none)"), c.expected) << c.section << " / " << c.key;
        EXPECT_EQ(profile.HasKey(c.section, c.key), c.expected != "(none)") << c.section << " / " << c.key;
    }
    EXPECT_EQ(profile.Keys("system"), (std::vector<std::string>{"LastDay", "SyukinDay", "Quoted", "Empty", "1", kDi}));
    EXPECT_EQ(profile.Keys("a"), std::vector<std::string>{"k"});
    EXPECT_TRUE(profile.Keys("Missing").empty());
    EXPECT_EQ(profile.Text(), ReadBytes(path));
}

TEST_F(ProfileFileTest, WritesChangeOnlyTheirLines) {
    struct Case {
        const char* name;
        std::string before;
        std::function<void(ProfileFile&)> change;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"new file", "", [](ProfileFile& p) { p.WriteString("S", " k ", "v"); }, "[S]\r\nk=v\r\n"},
        {"no final line end", "[A]\r\nx=1", [](ProfileFile& p) { p.WriteString("B", "y", "2"); },
         "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        {"after the last key of the section", "[A]\r\nx=1\r\n\r\n; c\r\n[B]\r\nz=3\r\n",
         [](ProfileFile& p) { p.WriteString("a", "y", "2"); }, "[A]\r\nx=1\r\ny=2\r\n\r\n; c\r\n[B]\r\nz=3\r\n"},
        {"section without keys", "[A]\r\n; c\r\n[B]\r\n", [](ProfileFile& p) { p.WriteString("A", "k", "1"); },
         "[A]\r\nk=1\r\n; c\r\n[B]\r\n"},
        {"replace keeps the line end", "[A]\nK = old \nj=2\n", [](ProfileFile& p) { p.WriteString("A", "k", "new"); },
         "[A]\nK=new\nj=2\n"},
        {"replace a key written with a blank", "[D]\r\n 1=a\r\n", [](ProfileFile& p) { p.WriteString("D", "1", "b"); },
         "[D]\r\n1=b\r\n"},
        {"delete every copy of the key", "[A]\r\nk=1\r\nj=2\r\nK=3\r\n[B]\r\nk=4\r\n",
         [](ProfileFile& p) { p.DeleteKey("A", "k"); }, "[A]\r\nj=2\r\n[B]\r\nk=4\r\n"},
        {"delete a missing key", "[A]\r\nk=1", [](ProfileFile& p) { p.DeleteKey("A", "x"); }, "[A]\r\nk=1"},
        {"delete several keys, every copy, in the first section of the name",
         "[A]\r\nk=1\r\nj=2\r\nK=3\r\ni=9\r\n; c\r\n[B]\r\nk=4\r\n[a]\r\nj=5\r\n",
         [](ProfileFile& p) {
             p.DeleteKeys("a", {"k", " J", "x", "k"});
         },
         "[A]\r\ni=9\r\n; c\r\n[B]\r\nk=4\r\n[a]\r\nj=5\r\n"},
        {"line ends in a value are flattened", "", [](ProfileFile& p) { p.WriteString("A", "k", "a\r\n[B]"); },
         "[A]\r\nk=a  [B]\r\n"},
        {"empty key is ignored", "[A]\r\n", [](ProfileFile& p) { p.WriteString("A", " ", "v"); }, "[A]\r\n"},
    };
    for (const Case& c : cases) {
        const fs::path path = m_dir / "case.dat";
        WriteBytes(path, c.before);
        ProfileFile profile(path);
        c.change(profile);
        EXPECT_EQ(profile.Text(), c.after) << c.name;
    }
}

TEST_F(ProfileFileTest, RoundTripKeepsEveryByte) {
    const fs::path path = m_dir / "Holiday.dat";
    const std::string comment = Utf8ToCp932("; 先頭のコメント");
    WriteBytes(path, comment + "\r\n[System]\r\nLastDay=30\r\n 1=old\r\nKZangyoTime=1:00\r\n\r\n; " + kZe +
                         "\r\n[DayData]\n 1=a,\nlast=z");
    const std::string dbcsValue = kHyo + kSo + "=" + kZo + ",\"q\"";
    const std::string halfWidth = "\xCA\xDD\xB6\xB8"; // ﾊﾝｶｸ
    {
        ProfileFile profile(path);
        profile.WriteString("system", "1", dbcsValue);
        profile.WriteString("System", "SyukinDay", "20.0");
        profile.DeleteKey("SYSTEM", "KZangyoTime");
        profile.WriteString("DayData", " 2 ", "b,");
        profile.WriteString(kHyo, "  3", halfWidth);
        profile.Flush();
    }
    EXPECT_EQ(ReadBytes(path), comment + "\r\n[System]\r\nLastDay=30\r\n1=" + dbcsValue +
                                   "\r\nSyukinDay=20.0\r\n\r\n; " + kZe + "\r\n[DayData]\n 1=a,\nlast=z\r\n2=b,\r\n[" +
                                   kHyo + "]\r\n3=" + halfWidth + "\r\n");
    const ProfileFile again(path);
    EXPECT_EQ(again.ReadString("System", " 1", ""), dbcsValue);
    EXPECT_EQ(again.ReadString(kHyo, "3", ""), halfWidth);
    EXPECT_FALSE(again.HasKey("System", "KZangyoTime"));
    EXPECT_EQ(Entries(), std::vector<std::string>{"Holiday.dat"});
}

// Each case is worked by hand and checked against the same keys written one at a time.
TEST_F(ProfileFileTest, ReplaceKeysWritesWhatOneKeyAtATimeWrites) {
    const std::string kA = "\x83\x41"; // ア: its folded trail byte would be that of ヂ
    struct Case {
        const char* name;
        std::string before;
        std::string section;
        std::vector<ProfileFile::Entry> entries;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"rows in another order",
         "[H]\r\n3=c\r\n1=a\r\n2=b\r\n",
         "H",
         {{"  1", "A"}, {"  2", "B"}, {"  3", "C"}},
         "[H]\r\n1=A\r\n2=B\r\n3=C\r\n"},
        {"after the last key line not of the first key, even one deleted later",
         "[H]\r\n1=a\r\n; note\r\n2=b\r\n; tail\r\n[N]\r\nx=1\r\n",
         "H",
         {{"1", "A"}, {"2", "B"}},
         "[H]\r\n; note\r\n1=A\r\n2=B\r\n; tail\r\n[N]\r\nx=1\r\n"},
        {"every copy of a key goes",
         "[H]\r\n1=a\r\nx=keep\r\n1=dup\r\n\r\n",
         "h",
         {{"1", "A"}},
         "[H]\r\nx=keep\r\n1=A\r\n\r\n"},
        {"keys in other case",
         "[H]\r\nK=1\r\nj=2\r\nOther=3\r\n",
         "H",
         {{"k", "x"}, {"J", "y"}},
         "[H]\r\nOther=3\r\nk=x\r\nJ=y\r\n"},
        {"other keys and comments stay",
         "; top\r\n[H]\r\n; c1\r\na=1\r\n\r\n2=b\r\nz=9\r\n; end\r\n\r\n[N]\r\n",
         "H",
         {{"2", "B"}, {"1", "A"}},
         "; top\r\n[H]\r\n; c1\r\na=1\r\n\r\nz=9\r\n2=B\r\n1=A\r\n; end\r\n\r\n[N]\r\n"},
        {"a repeated key at its last place",
         "[H]\r\na=1\r\n;c\r\nb=2\r\n;d\r\n",
         "H",
         {{"a", "A1"}, {"b", "B"}, {"A", "A2"}},
         "[H]\r\n;c\r\nb=B\r\nA=A2\r\n;d\r\n"},
        {"missing section after a line without its end",
         "[N]\r\nx=1",
         " H ",
         {{"1", "a\r\nb"}, {"2", ""}},
         "[N]\r\nx=1\r\n[H]\r\n1=a  b\r\n2=\r\n"},
        {"header without keys and without line end", "[N]\r\n[H]", "H", {{"1", "A"}}, "[N]\r\n[H]\r\n1=A\r\n"},
        {"last key without line end", "[H]\r\n1=a\r\n2=b", "H", {{"1", "A"}, {"2", "B"}}, "[H]\r\n1=A\r\n2=B\r\n"},
        {"only the first section of the name",
         "[H]\r\n1=a\r\n[N]\r\n[h]\r\n1=b\r\n2=c\r\n",
         "H",
         {{"1", "A"}, {"2", "B"}},
         "[H]\r\n1=A\r\n2=B\r\n[N]\r\n[h]\r\n1=b\r\n2=c\r\n"},
        {"double-byte names whose trail byte is a letter",
         "[" + kA + "]\r\n" + kDi + "=x\r\n[" + kDi + "]\r\n" + kA + "=y\r\n" + kDi + "=z\r\n",
         kDi,
         {{kDi, "Z"}},
         "[" + kA + "]\r\n" + kDi + "=x\r\n[" + kDi + "]\r\n" + kA + "=y\r\n" + kDi + "=Z\r\n"},
        {"a line end only where one is missing", "[H]\n2=b\n; c\n", "H", {{"1", "A"}}, "[H]\n2=b\n1=A\r\n; c\n"},
        {"nothing to write", "[H]\r\n1=a", "H", {}, "[H]\r\n1=a"},
    };
    for (const Case& c : cases) {
        const fs::path path = m_dir / "case.dat";
        WriteBytes(path, c.before);
        ProfileFile oneByOne(path);
        for (const ProfileFile::Entry& entry : c.entries) {
            oneByOne.DeleteKey(c.section, entry.key);
            oneByOne.WriteString(c.section, entry.key, entry.value);
        }
        ProfileFile atOnce(path);
        atOnce.ReplaceKeys(c.section, c.entries);
        EXPECT_EQ(oneByOne.Text(), c.after) << c.name;
        EXPECT_EQ(atOnce.Text(), c.after) << c.name;
    }
}

TEST_F(ProfileFileTest, ReplaceKeysLeavesOutWhatWouldNotReadBack) {
    const fs::path path = m_dir / "Holiday.dat";
    const std::string before = "[H]\r\nk=1\r\n";
    WriteBytes(path, before);
    ProfileFile profile(path);
    profile.ReplaceKeys("H", {{";c", "1"}, {"[T]", "2"}, {"x=y", "3"}, {" ", "4"}, {"k", "5"}});
    EXPECT_EQ(profile.Text(), "[H]\r\nk=5\r\n");
    // "[ソ\x83]": the closing bracket would be taken as a trail byte, so the header could never be found again.
    profile.ReplaceKeys(kSo + "\x83", {{"k", "6"}});
    profile.ReplaceKeys("H", {{";c", "7"}});
    EXPECT_EQ(profile.Text(), "[H]\r\nk=5\r\n");
}

// Writes and deletes keep the index up to date; a file read afresh builds it from the text.
TEST_F(ProfileFileTest, LookUpsFollowEveryChange) {
    const fs::path path = m_dir / "200403.dat";
    WriteBytes(path, "k=top\r\n[A]\r\nk=1\r\n; c\r\nK=2\r\n\x01;q=3\r\nj=4\r\n[B]\r\nk=5\r\n[a]\r\nn=6\r\n");
    const std::vector<std::string> sections = {"", "A", "B", "T", "New"};
    const std::vector<std::string> keys = {"k", "j", "n", ";q", "m", "1", "2", "[T]"};
    const std::vector<std::pair<const char*, std::function<void(ProfileFile&)>>> changes = {
        {"write a new key between sections", [](ProfileFile& p) { p.WriteString("A", "m", "7"); }},
        {"delete the first of two copies", [](ProfileFile& p) { p.DeleteKey("A", "k"); }},
        {"write it again", [](ProfileFile& p) { p.WriteString("a", "K", "8"); }},
        {"a key rewritten as a comment", [](ProfileFile& p) { p.WriteString("A", ";q", "9"); }},
        {"a key holding \"=\" reads as one already there", [](ProfileFile& p) { p.WriteString("A", "j=x", "16"); }},
        {"a key written as a header", [](ProfileFile& p) { p.WriteString("B", "[T]", "10"); }},
        {"a key of the new header", [](ProfileFile& p) { p.WriteString("T", "n", "11"); }},
        {"a new section", [](ProfileFile& p) { p.WriteString("New", "1", "12"); }},
        {"many keys at once",
         [](ProfileFile& p) {
             p.ReplaceKeys("New", {{"2", "13"}, {"1", "14"}});
         }},
        {"a key after the bulk write", [](ProfileFile& p) { p.WriteString("New", "k", "15"); }},
        {"delete keys of every section",
         [](ProfileFile& p) {
             for (const char* section : {"A", "B", "T", "New"})
                 p.DeleteKey(section, "k");
         }},
        {"delete the last key", [](ProfileFile& p) { p.DeleteKey("T", "n"); }},
        {"delete several keys at once",
         [](ProfileFile& p) {
             p.DeleteKeys("A", {"m", "none", "j"});
         }},
    };
    ProfileFile profile(path);
    for (const auto& [name, change] : changes) {
        profile.ReadString("A", "k", ""); // the index is in use before the change
        change(profile);
        const fs::path copy = m_dir / "copy.dat";
        WriteBytes(copy, profile.Text());
        const ProfileFile fresh(copy);
        for (const std::string& section : sections) {
            EXPECT_EQ(profile.Keys(section), fresh.Keys(section)) << name << " / " << section;
            for (const std::string& key : keys) {
                EXPECT_EQ(profile.ReadString(section, key, "(none)"), fresh.ReadString(section, key, "(none)"))
                    << name << " / " << section << " / " << key;
                EXPECT_EQ(profile.HasKey(section, key), fresh.HasKey(section, key)) << name;
            }
        }
    }
    EXPECT_EQ(profile.Text(), "k=top\r\n[A]\r\n; c\r\n;q=9\r\n[B]\r\n[T]=10\r\n[a]\r\nn=6\r\n"
                              "[New]\r\n2=13\r\n1=14\r\n");
    EXPECT_EQ(profile.ReadString("a", "n", ""), "");
    EXPECT_EQ(profile.ReadString("A", "m", ""), "");
    EXPECT_EQ(profile.ReadString("A", "j", ""), "");
}

TEST_F(ProfileFileTest, LongValuesAreReadWhole) {
    std::string value;
    while (value.size() < 5000)
        value += kHyo + "," + kZo + "memo;";
    const fs::path byHand = m_dir / "Vacation.dat";
    WriteBytes(byHand, "[VacationData]\r\n  1=" + value + "\r\n  2=next\r\n");
    EXPECT_TRUE(ProfileFile(byHand).ReadString("VacationData", "1", "") == value);

    const fs::path written = m_dir / "written.dat";
    ProfileFile profile(written);
    EXPECT_FALSE(profile.Exists());
    profile.WriteString("VacationData", "1", value);
    profile.Flush();
    EXPECT_TRUE(profile.Exists());
    EXPECT_TRUE(ProfileFile(written).ReadString("VacationData", "1", "") == value);
}

TEST_F(ProfileFileTest, RefusedWritesReportTheFileAndKeepTheOldOne) {
    const fs::path plainFile = m_dir / "plain";
    WriteBytes(plainFile, "not a folder");
    for (const fs::path& path : {m_dir / "missing" / "200403.dat", plainFile / fs::path(u8"山田") / "Holiday.dat"}) {
        ProfileFile profile(path);
        profile.WriteString("System", "LastDay", "31");
        try {
            profile.Flush();
            ADD_FAILURE() << path << " was written";
        } catch (const FileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), CannotWriteText(path));
            EXPECT_EQ(error.Path(), path);
        }
    }
    EXPECT_EQ(ReadBytes(plainFile), "not a folder");

    // The file turns into a folder that holds a file: the rename over it is refused.
    const fs::path path = m_dir / "Vacation.dat";
    WriteBytes(path, "[System]\r\nKuriZan=1.0\r\n");
    ProfileFile profile(path);
    profile.WriteString("System", "KuriZan", "2.0");
    fs::remove(path);
    fs::create_directory(path);
    WriteBytes(path / "inside", "kept");
    EXPECT_THROW(profile.Flush(), FileWriteError);
    EXPECT_EQ(ReadBytes(path / "inside"), "kept");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Vacation.dat", "plain"}));

    // Once the way is clear the same changes are written.
    fs::remove_all(path);
    profile.Flush();
    EXPECT_EQ(ReadBytes(path), "[System]\r\nKuriZan=2.0\r\n");
}

TEST_F(ProfileFileTest, BinaryGarbageReadsWithoutHarm) {
    std::mt19937 random(932);
    std::string garbage(65536, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random() % 256);
    garbage.back() = '\x95'; // a lead byte at the very end
    const fs::path path = m_dir / "garbage.dat";
    WriteBytes(path, garbage);
    ProfileFile profile(path);
    EXPECT_EQ(profile.Text(), garbage);
    for (int i = 0; i < 200; ++i) {
        const std::string probe = garbage.substr(random() % garbage.size(), random() % 8);
        profile.ReadString(probe, probe, "");
        profile.Keys(probe);
    }
    profile.WriteString("ProfileTest", "Key", "Value");
    EXPECT_EQ(profile.ReadString("ProfileTest", "Key", ""), "Value");
    EXPECT_EQ(profile.Text(), garbage + "\r\n[ProfileTest]\r\nKey=Value\r\n");
    profile.Flush();
    EXPECT_EQ(ReadBytes(path), garbage + "\r\n[ProfileTest]\r\nKey=Value\r\n");
}

TEST_F(ProfileFileTest, WhatIsNotAFileIsNeverReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a named pipe in the file system (mkfifo), which Windows does not have";
#else
    // It cannot be read, so what was written to the profile is not all that the file would hold.
    const fs::path pipe = m_dir / "pipe.dat";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ProfileFile unreadable(pipe);
    EXPECT_FALSE(unreadable.Exists());
    unreadable.WriteString("A", "k", "v");
    EXPECT_THROW(unreadable.Flush(), FileWriteError);
    EXPECT_TRUE(fs::is_fifo(pipe));
#endif
}

TEST_F(ProfileFileTest, FullDiskKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a file-size limit (setrlimit) in a forked process, which Windows does not have";
#else
    const fs::path path = m_dir / "200403.dat";
    const std::string old = "[System]\r\nLastDay=31\r\n";
    WriteBytes(path, old);
    // A file-size limit makes the write of the new text come up short, as on a full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        ProfileFile profile(path);
        profile.WriteString("DayData", "1", std::string(10000, 'x'));
        try {
            profile.Flush();
        } catch (const FileWriteError& error) {
            _exit(error.what() == CannotWriteText(path) ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error reported, 2: wrong message";
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"200403.dat"});
#endif
}

// The ledger file with every entry filled with one letter, as a save would write it.
std::string LedgerText(char fill) {
    std::string text = "[System]\r\nKuriZan=0.0\r\n[VacationData]\r\n";
    for (int row = 1; row <= 500; ++row)
        text += std::to_string(row) + "=" + std::string(400, fill) + "\r\n";
    return text;
}

TEST_F(ProfileFileTest, KilledSaveLeavesOneWholeVersion) {
    const fs::path path = m_dir / "Vacation.dat";
    test::ExpectKilledSavesLeaveOneWholeVersion(path, {LedgerText('a'), LedgerText('b')}, [&path](int version) {
        ProfileFile profile(path);
        for (int row = 1; row <= 500; ++row)
            profile.WriteString("VacationData", std::to_string(row), std::string(400, version == 0 ? 'a' : 'b'));
        profile.Flush();
    });
}

} // namespace
} // namespace mitoran
