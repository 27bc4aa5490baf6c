// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/WriterLock.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

namespace mitoran {

// How long a writer waits for the lock before it gives up and writes nothing.
inline constexpr int kWriterLockWaitMs = 5000;

// The writer lock as the operating system keeps it: an advisory lock on the data folder's lock file
// ("mitoran.lock"), flock on POSIX, LockFileEx on Windows. The system releases it when its process ends, however
// it ends, so a crash never leaves the data locked. While held, the file names the holder (WriterLockRecord).
// Takes of one process nest; one thread takes the lock at a time.
class FileWriterLock final : public WriterLock {
public:
    // The program's name goes into the lock file for the writers kept waiting.
    explicit FileWriterLock(std::string program, int waitMs = kWriterLockWaitMs);
    ~FileWriterLock() override;
    FileWriterLock(const FileWriterLock&) = delete;
    FileWriterLock& operator=(const FileWriterLock&) = delete;

    void Acquire(const std::filesystem::path& dataFolder) override;
    void Release(const std::filesystem::path& dataFolder) override;

private:
    // The open lock file (a descriptor, or a handle on Windows) and how many takes it holds.
    struct Held {
        std::intptr_t file = -1;
        int takes = 0;
    };

    std::string m_program;
    int m_waitMs;
    std::mutex m_mutex;
    std::map<std::filesystem::path, Held> m_held;
};

} // namespace mitoran
