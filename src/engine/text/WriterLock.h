// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/AtomicFile.h"

#include <filesystem>
#include <string>
#include <string_view>

// One writer at a time across processes: every read-modify-write of a data or settings file holds the data
// folder's lock for the whole of it, so that two programs never build on the same old file. The platform
// provides the lock; the engine only takes and releases it.
namespace mitoran {

// The lock stayed with another program for longer than a writer waits: nothing was written. The message names
// that program, "mitoran-cli (プロセス 1234) が書き込み中です。何も書き込んでいません" (CP932).
class WriterLockBusy : public FileWriteError {
public:
    // The record is what the holder wrote into the lock file (WriterLockRecord); empty when it could not be read.
    WriterLockBusy(const std::filesystem::path& lockFile, std::string_view record);
};

class WriterLock {
public:
    virtual ~WriterLock() = default;

    // Takes the lock of the data folder, waiting a few seconds at most. A process that holds it already takes it
    // once more (each take is released once). Throws WriterLockBusy when another program keeps it, and
    // FileWriteError when the lock file cannot be made (a folder that cannot be written).
    virtual void Acquire(const std::filesystem::path& dataFolder) = 0;
    virtual void Release(const std::filesystem::path& dataFolder) = 0;
};

// Holds the data folder's lock while it lives; without a lock (files no other program shares) it holds nothing.
class WriterLockHold {
public:
    WriterLockHold(WriterLock* lock, std::filesystem::path dataFolder);
    ~WriterLockHold();
    WriterLockHold(WriterLockHold&& other) noexcept;
    WriterLockHold(const WriterLockHold&) = delete;
    WriterLockHold& operator=(const WriterLockHold&) = delete;
    WriterLockHold& operator=(WriterLockHold&&) = delete;

private:
    WriterLock* m_lock;
    std::filesystem::path m_dataFolder;
};

// The lock file of a data folder: "mitoran.lock" in it.
std::filesystem::path WriterLockFile(const std::filesystem::path& dataFolder);

// What the holder writes into the lock file, so that a writer kept waiting can say who holds it: the program's
// name and its process id, "mitoran-cli 1234".
std::string WriterLockRecord(std::string_view program, long long processId);

} // namespace mitoran
