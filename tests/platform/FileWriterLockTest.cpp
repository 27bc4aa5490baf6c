// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileWriterLock.h"

#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#ifdef _WIN32
#include "support/ChildProcess.h"
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mitoran {
namespace {

namespace fs = std::filesystem;

// Another process working on the test's folder: a fork on POSIX; on Windows the test program again, whose test
// body runs the same part when it finds itself started for the role (RunsAsOtherProcess).
class OtherProcess {
public:
#ifdef _WIN32
    OtherProcess(const std::wstring& role, const std::function<void()>&) : m_child(role) {}
    bool Ended(int milliseconds) {
        return m_child.Ended(static_cast<DWORD>(milliseconds));
    }
    void Kill() {
        m_child.Kill();
    }
    int ExitCode() const {
        return static_cast<int>(m_child.ExitCode());
    }

private:
    test::ChildProcess m_child;
#else
    OtherProcess(const std::wstring&, const std::function<void()>& part) : m_pid(fork()) {
        if (m_pid == 0) {
            part();
            _exit(0);
        }
    }
    ~OtherProcess() {
        if (!m_ended)
            Kill();
    }
    bool Ended(int milliseconds) {
        for (int waited = 0; !m_ended && waited <= milliseconds; waited += 10) {
            m_ended = waitpid(m_pid, &m_status, WNOHANG) == m_pid;
            if (!m_ended)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return m_ended;
    }
    void Kill() {
        kill(m_pid, SIGKILL);
        m_ended = waitpid(m_pid, &m_status, 0) == m_pid;
    }
    int ExitCode() const {
        return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
    }
    long long Pid() const {
        return m_pid;
    }

private:
    pid_t m_pid;
    int m_status = 0;
    bool m_ended = false;
#endif
};

// True in the copy of the test program started for the role, once it has run its part (Windows only).
bool RunsAsOtherProcess([[maybe_unused]] const std::wstring& role, [[maybe_unused]] const std::function<void()>& part) {
#ifdef _WIN32
    if (test::ChildRole() != role)
        return false;
    part();
    ExitProcess(0);
#endif
    return false;
}

long long ProcessId() {
#ifdef _WIN32
    return static_cast<long long>(GetCurrentProcessId());
#else
    return static_cast<long long>(getpid());
#endif
}

bool AppearsWithin(const fs::path& file, std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (!fs::exists(file)) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Adds one to the number in the file, the read and the write under the lock, as every writer of a data file does.
void AddOne(FileWriterLock& lock, const fs::path& folder) {
    const WriterLockHold held(&lock, folder);
    const std::string count = test::ReadBytes(folder / "count");
    WriteFileAtomically(folder / "count", std::to_string(std::stoi(count.empty() ? "0" : count) + 1));
}

TEST(FileWriterLockTest, TwoProcessesAddingUnderTheLockLoseNothing) {
    constexpr int kRounds = 50;
    const test::TempFolder folder;
    const auto addRounds = [&] {
        FileWriterLock lock("test-writer");
        for (int round = 0; round < kRounds; ++round)
            AddOne(lock, folder.Path());
    };
    if (RunsAsOtherProcess(L"add", addRounds))
        return;
    OtherProcess other(L"add", addRounds);
    addRounds();
    ASSERT_TRUE(other.Ended(60000));
    EXPECT_EQ(other.ExitCode(), 0);
    EXPECT_EQ(test::ReadBytes(folder.Path() / "count"), std::to_string(2 * kRounds));
}

// A writer kept waiting writes nothing and names the holder; the holder's end, even killed, frees the lock.
TEST(FileWriterLockTest, AWaitingWriterNamesTheHolderAndAKilledHolderFreesTheLock) {
    const test::TempFolder folder;
    const fs::path held = folder.Path() / "held";
    const auto holdForever = [&] {
        FileWriterLock lock("test-holder");
        lock.Acquire(folder.Path());
        test::WriteBytes(held, "");
        std::this_thread::sleep_for(std::chrono::seconds(60));
    };
    if (RunsAsOtherProcess(L"hold", holdForever))
        return;
    OtherProcess holder(L"hold", holdForever);
    ASSERT_TRUE(AppearsWithin(held, std::chrono::seconds(30)));

    FileWriterLock waiting("test-writer", 200);
    try {
        waiting.Acquire(folder.Path());
        FAIL() << "the lock was taken twice";
    } catch (const WriterLockBusy& busy) {
        const std::string message = Cp932ToUtf8(busy.what());
        EXPECT_TRUE(message.starts_with("test-holder (プロセス ")) << message;
        EXPECT_TRUE(message.ends_with(") が書き込み中です。何も書き込んでいません")) << message;
#ifndef _WIN32
        EXPECT_NE(message.find(std::to_string(holder.Pid())), std::string::npos) << message;
#endif
        EXPECT_EQ(busy.Path(), WriterLockFile(folder.Path()));
    }
    holder.Kill();
    FileWriterLock after("test-writer", 5000);
    EXPECT_NO_THROW(after.Acquire(folder.Path()));
    after.Release(folder.Path());
}

// Takes of one lock nest: the file is free again only when the last of them is released. Another lock object
// stands for another program (its own open lock file).
TEST(FileWriterLockTest, TakesNestAndTheLastReleaseFreesTheFolder) {
    const test::TempFolder folder;
    FileWriterLock lock("test-writer", 50);
    FileWriterLock other("test-other", 50);
    lock.Acquire(folder.Path());
    lock.Acquire(folder.Path() / "." / "");
    lock.Release(folder.Path());
    EXPECT_THROW(other.Acquire(folder.Path()), WriterLockBusy);
    lock.Release(folder.Path());
    EXPECT_NO_THROW(other.Acquire(folder.Path()));
    EXPECT_THROW(lock.Acquire(folder.Path()), WriterLockBusy);
    EXPECT_EQ(test::ReadBytes(WriterLockFile(folder.Path())), WriterLockRecord("test-other", ProcessId()));
    // Released, the file names nobody: a later holder that writes no record is not taken for this process.
    other.Release(folder.Path());
    EXPECT_EQ(test::ReadBytes(WriterLockFile(folder.Path())), "");
}

// A data folder not made yet is made for its owner alone, with the lock file in it.
TEST(FileWriterLockTest, TheLockMakesAMissingDataFolder) {
    const test::TempFolder folder;
    const fs::path data = folder.Path() / "new" / "data";
    FileWriterLock lock("test-writer");
    const WriterLockHold held(&lock, data);
    EXPECT_TRUE(fs::is_regular_file(WriterLockFile(data)));
#ifndef _WIN32
    EXPECT_EQ(fs::status(data).permissions(), fs::perms::owner_all);
#endif
}

} // namespace
} // namespace mitoran
