// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/AtomicFile.h"

#include "engine/text/Cp932.h"

#include "support/ChildProcess.h"
#include "support/KilledWrites.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mitoran {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class AtomicFileTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() const { return test::FileNames(m_dir); }

    test::TempFolder m_temp;
    const fs::path m_dir = m_temp.Path();
};

TEST_F(AtomicFileTest, ReplacesTheFileWholeAndLeavesNothingElse) {
    const fs::path path = m_dir / "a.csv";
    const std::string bytes("one\r\n\0two\r\n", 11);
    WriteFileAtomically(path, bytes);
    EXPECT_EQ(ReadBytes(path), bytes);
#ifndef _WIN32
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
#endif
    WriteFileAtomically(path, "");
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(Names(), std::vector<std::string>{"a.csv"});
#ifndef _WIN32
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // A new file is its owner's alone, whatever the umask allows; an existing file keeps its permissions.
    WriteFileAtomically(m_dir / "new.dat", "new");
    EXPECT_EQ(fs::status(m_dir / "new.dat").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WriteFileAtomically(path, "again");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove(m_dir / "new.dat");

    // Through a link the file it points to is replaced and the link stays.
    fs::create_directory(m_dir / "real");
    WriteBytes(m_dir / "real" / "b.dat", "old");
    fs::create_symlink("real/b.dat", m_dir / "b.dat");
    WriteFileAtomically(m_dir / "b.dat", "new");
    EXPECT_TRUE(fs::is_symlink(m_dir / "b.dat"));
    EXPECT_EQ(ReadBytes(m_dir / "real" / "b.dat"), "new");
#endif
}

#ifndef _WIN32
// Someone plants a link at the name an export will take, pointing at a file of the user's: the export takes the
// name, as a file of its own, and the file pointed to stays byte for byte. A link among the folders on the way
// is followed.
TEST_F(AtomicFileTest, AnExportTakesTheNameOfAPlantedLinkAndNeverWritesItsTarget) {
    fs::create_directory(m_dir / "mine");
    const fs::path mine = m_dir / "mine" / "202403.dat";
    WriteBytes(mine, "precious");
    fs::permissions(mine, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_directory(m_dir / "shared");
    fs::create_symlink(mine, m_dir / "shared" / "out.csv");
    fs::create_directory_symlink(m_dir / "shared", m_dir / "via");

    WriteExportFile(m_dir / "via" / "out.csv", "export");
    EXPECT_EQ(ReadBytes(mine), "precious");
    EXPECT_EQ(fs::status(mine).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_FALSE(fs::is_symlink(m_dir / "shared" / "out.csv"));
    EXPECT_EQ(ReadBytes(m_dir / "shared" / "out.csv"), "export");
    EXPECT_EQ(fs::status(m_dir / "shared" / "out.csv").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(test::FileNames(m_dir / "shared"), std::vector<std::string>{"out.csv"});
}
#endif

// Each refusal reports the file by name, keeps what stood there and leaves no temporary file; none of them
// depends on permissions, so they hold for every user.
TEST_F(AtomicFileTest, RefusedWritesKeepTheOldFile) {
    const fs::path path = m_dir / "200403.dat";
    WriteBytes(path, "old");
    const auto expectRefused = [](const fs::path& target) {
        try {
            WriteFileAtomically(target, "new");
            ADD_FAILURE() << target << " was written";
        } catch (const FileWriteError& error) {
            const std::u8string name = target.u8string();
            EXPECT_EQ(error.what(), Utf8ToCp932(std::string(name.begin(), name.end()) + " に書き込めません"));
            EXPECT_EQ(error.Path(), target);
        }
    };

    // Something other than a file where the temporary file must go.
    const fs::path blocker = AtomicTemporaryPath(path);
    EXPECT_EQ(blocker.parent_path(), m_dir);
    fs::create_directory(blocker);
    WriteBytes(blocker / "inside", "kept");
    expectRefused(path);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(ReadBytes(blocker / "inside"), "kept");
    fs::remove_all(blocker);

    // A folder where the file is: the rename over it is refused.
    fs::create_directories(m_dir / "folder.dat" / "inside");
    expectRefused(m_dir / "folder.dat");
    EXPECT_TRUE(fs::is_directory(m_dir / "folder.dat" / "inside"));

    // No folder, or a file in the place of the folder.
    expectRefused(m_dir / "missing" / "a.dat");
    expectRefused(path / "a.dat");
    EXPECT_EQ(Names(), (std::vector<std::string>{"200403.dat", "folder.dat"}));

    // A file left at the temporary name by this writer is no obstacle.
    WriteBytes(AtomicTemporaryPath(path), "left over");
    WriteFileAtomically(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"200403.dat", "folder.dat"}));
}

// Threads and processes that write the same file at once each go through a temporary file of their own:
// every write succeeds and the file ends as one of them wrote it.
TEST_F(AtomicFileTest, WritersAtTheSameTimeNeverShareATemporaryFile) {
    const fs::path path = m_dir / "Vacation.dat";
    const auto version = [](char fill) { return std::string(200000, fill); };
    const auto writeMany = [&](char fill) {
        for (int i = 0; i < 40; ++i)
            WriteFileAtomically(path, version(fill));
    };

#ifdef _WIN32
    if (test::ChildRole() == L"write") {
        try {
            writeMany('c');
        } catch (...) {
            ExitProcess(1);
        }
        ExitProcess(0);
    }
    test::ChildProcess child(L"write");
    ASSERT_TRUE(child.Started());
#else
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            writeMany('c');
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
#endif
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (char fill : {'a', 'b'}) {
        threads.emplace_back([&, fill] {
            try {
                writeMany(fill);
            } catch (const FileWriteError&) {
                ++failures;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
#ifdef _WIN32
    ASSERT_TRUE(child.Ended(60000));
    EXPECT_EQ(child.ExitCode(), 0u) << "the other process's writes failed";
#else
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process's writes failed";
#endif
    EXPECT_EQ(failures, 0);
    const std::string bytes = ReadBytes(path);
    EXPECT_TRUE(bytes == version('a') || bytes == version('b') || bytes == version('c')) << bytes.size();
    EXPECT_EQ(Names(), std::vector<std::string>{"Vacation.dat"});
}

// A save killed midway leaves its temporary file; the next successful save of the same file removes it, and
// nothing else: not another file's, not one of a writer still running, not a file of another form.
TEST_F(AtomicFileTest, SuccessfulSaveRemovesTheTemporaryFilesOfKilledSaves) {
    const std::string dead = "99999999"; // no process has this id
#ifdef _WIN32
    const std::string running = std::to_string(GetCurrentProcessId());
#else
    const std::string running = std::to_string(getpid());
#endif
    const struct {
        std::string name;
        bool removed;
    } cases[] = {
        {".202403.dat." + dead + ".1.tmp", true},
        {".202403.dat." + dead + "-4711.2.tmp", true},
        {".202403.dat." + running + "-4711.7.tmp", false},
        {".202404.dat." + dead + ".1.tmp", false},
        {".202403.dat.5." + dead + ".1.tmp", false},
        {".202403.dat.x.1.tmp", false},
        {".202403.dat." + dead + ".1.tmp.bak", false},
        {"202403.dat." + dead + ".1.tmp", false},
        {"202403.dat.bak", false},
    };
    for (const auto& c : cases)
        WriteBytes(m_dir / c.name, "left");
    fs::create_directory(m_dir / (".202403.dat." + dead + ".3.tmp"));
    WriteFileAtomically(m_dir / "202403.dat", "new");
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(m_dir / c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_directory(m_dir / (".202403.dat." + dead + ".3.tmp")));
    EXPECT_EQ(ReadBytes(m_dir / "202403.dat"), "new");
}

TEST_F(AtomicFileTest, KilledWriteLeavesOneWholeVersion) {
    const fs::path path = m_dir / "mitoran.SET";
    const std::array<std::string, 2> versions{std::string(300000, 'a'), std::string(200000, 'b')};
    test::ExpectKilledSavesLeaveOneWholeVersion(path, versions,
                                                [&](int version) { WriteFileAtomically(path, versions[version]); });
}

#ifdef _WIN32
// Windows refuses to replace a read-only file or one that another program holds open without leave to
// delete it (an editor, a spreadsheet): the write is reported and the old file stays, with nothing beside it.
TEST_F(AtomicFileTest, WindowsRefusesToReplaceALockedOrReadOnlyFile) {
    const fs::path path = m_dir / fs::path(u8"山田の200403.dat");
    if (test::ChildRole() == L"hold") {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            ExitProcess(1);
        test::Signal(test::SignalName(L"holding")).Set();
        Sleep(INFINITE);
    }
    WriteBytes(path, "old");
    const auto expectRefused = [&](const char* why) {
        SCOPED_TRACE(why);
        EXPECT_THROW(WriteFileAtomically(path, "new"), FileWriteError);
        EXPECT_EQ(ReadBytes(path), "old");
        EXPECT_EQ(Names(), std::vector<std::string>{path.filename().string()});
    };

    {
        test::Signal holding(test::SignalName(L"holding"));
        test::ChildProcess child(L"hold");
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(holding.Wait(30000)) << "the other process could not open the file";
        expectRefused("held open by another process");
    }
    WriteFileAtomically(path, "free again");
    EXPECT_EQ(ReadBytes(path), "free again");

    WriteBytes(path, "old");
    fs::permissions(path, fs::perms::owner_read);
    expectRefused("read-only");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileAtomically(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
}
#endif

} // namespace
} // namespace mitoran
