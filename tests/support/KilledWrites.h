// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#ifdef _WIN32
#include "support/ChildProcess.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mitoran::test {

// What the kills have shown: how often the file held each version, and how often a kill struck inside a save.
struct KilledSaveTally {
    std::array<int, 2> seen{};
    int killedMidSave = 0;
};

// After a kill the file holds one of the two versions whole. A temporary file left beside it shows that the kill
// struck inside a save; it is removed for the next round.
inline void TallyKilledSave(const std::filesystem::path& path, const std::array<std::string, 2>& versions, int round,
                            KilledSaveTally& tally) {
    const std::string bytes = ReadBytes(path);
    ASSERT_TRUE(bytes == versions[0] || bytes == versions[1]) << "round " << round << ": " << bytes.size();
    ++tally.seen[bytes == versions[1] ? 1 : 0];
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
        if (entry.path().filename() != path.filename()) {
            ++tally.killedMidSave;
            std::filesystem::remove(entry.path());
        }
    }
}

// Some kill struck inside a save, and each version was seen whole.
inline void ExpectEveryOutcomeSeen(const KilledSaveTally& tally) {
    EXPECT_GT(tally.killedMidSave, 0);
    EXPECT_GT(tally.seen[0], 0);
    EXPECT_GT(tally.seen[1], 0);
}

#ifdef _WIN32

// Windows: the saving process is a copy of the test program running the same test (ChildProcess), killed
// with TerminateProcess once it has saved once; fewer rounds, as each start of a program takes longer.
inline void ExpectKilledSavesLeaveOneWholeVersion(const std::filesystem::path& path,
                                                  const std::array<std::string, 2>& versions,
                                                  const std::function<void(int)>& save) {
    Signal saving(SignalName(L"saving"));
    if (ChildRole() == L"save") {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        try {
            while (std::chrono::steady_clock::now() < deadline) {
                save(ReadBytes(path) == versions[0] ? 1 : 0);
                saving.Set();
            }
        } catch (...) {
            ExitProcess(1);
        }
        ExitProcess(0);
    }
    WriteBytes(path, versions[0]);
    std::mt19937 random(2004);
    KilledSaveTally tally;
    for (int round = 0; round < 12; ++round) {
        ResetEvent(saving.Handle());
        ChildProcess child(L"save");
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(saving.Wait(30000)) << "the saving process never saved";
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        ASSERT_FALSE(child.Ended(0)) << "the saving process ended by itself";
        child.Kill();
        ASSERT_NO_FATAL_FAILURE(TallyKilledSave(path, versions, round, tally));
    }
    ExpectEveryOutcomeSeen(tally);
}

#else

// Kills a process that saves the file over and over, forty times at random moments after its first save, and
// checks after each kill that the file holds one of the two versions whole. `save(n)` writes version n; the
// saving process always writes the version the file does not hold. The file's folder holds nothing else. The
// moments are counted from the first save, so that a slow start (a loaded machine, a sanitizer build) cannot
// use up the whole window.
inline void ExpectKilledSavesLeaveOneWholeVersion(const std::filesystem::path& path,
                                                  const std::array<std::string, 2>& versions,
                                                  const std::function<void(int)>& save) {
    WriteBytes(path, versions[0]);
    std::mt19937 random(2004);
    KilledSaveTally tally;
    for (int round = 0; round < 40; ++round) {
        int saved[2];
        ASSERT_EQ(pipe(saved), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(saved[0]);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            try {
                save(ReadBytes(path) == versions[0] ? 1 : 0);
                if (write(saved[1], "s", 1) != 1)
                    _exit(1);
                while (std::chrono::steady_clock::now() < deadline)
                    save(ReadBytes(path) == versions[0] ? 1 : 0);
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        close(saved[1]);
        char signal = 0;
        ASSERT_EQ(read(saved[0], &signal, 1), 1) << "the saving process saved nothing";
        close(saved[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself";
        ASSERT_NO_FATAL_FAILURE(TallyKilledSave(path, versions, round, tally));
    }
    ExpectEveryOutcomeSeen(tally);
}

#endif

} // namespace mitoran::test
