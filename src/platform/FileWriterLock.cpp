// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileWriterLock.h"

#include "engine/settings/Folders.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace mitoran {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLongestRecord = 256;

#ifdef _WIN32
// Windows locks keep others from reading the bytes they cover: the lock stands on one byte far beyond the
// record, so that a writer kept waiting can read who holds it.
constexpr DWORD kLockedByteHigh = 1; // at 4 GiB

std::intptr_t OpenLockFile(const fs::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
}

HANDLE Handle(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

bool TryLock(std::intptr_t file) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockedByteHigh;
    return LockFileEx(Handle(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

void Close(std::intptr_t file) {
    CloseHandle(Handle(file));
}

void UnlockAndClose(std::intptr_t file) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockedByteHigh;
    UnlockFileEx(Handle(file), 0, 1, 0, &at);
    Close(file);
}

void WriteRecord(std::intptr_t file, const std::string& record) {
    SetFilePointer(Handle(file), 0, nullptr, FILE_BEGIN);
    SetEndOfFile(Handle(file));
    DWORD written = 0;
    WriteFile(Handle(file), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
}

std::string ReadRecord(const fs::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string record(kLongestRecord, '\0');
    DWORD count = 0;
    if (!ReadFile(file, record.data(), static_cast<DWORD>(record.size()), &count, nullptr))
        count = 0;
    CloseHandle(file);
    record.resize(count);
    return record;
}

long long ProcessId() {
    return static_cast<long long>(GetCurrentProcessId());
}
#else
// Not through a symbolic link: the lock file is always the folder's own.
std::intptr_t OpenLockFile(const fs::path& path) {
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

bool TryLock(std::intptr_t file) {
    return flock(static_cast<int>(file), LOCK_EX | LOCK_NB) == 0;
}

void Close(std::intptr_t file) {
    close(static_cast<int>(file));
}

void UnlockAndClose(std::intptr_t file) {
    flock(static_cast<int>(file), LOCK_UN);
    Close(file);
}

// Only the message of a writer kept waiting reads the record: one that cannot be written is no failure.
void WriteRecord(std::intptr_t file, const std::string& record) {
    [[maybe_unused]] const bool written = ftruncate(static_cast<int>(file), 0) == 0 &&
                                          pwrite(static_cast<int>(file), record.data(), record.size(), 0) >= 0;
}

std::string ReadRecord(const fs::path& path) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (file < 0)
        return {};
    std::string record(kLongestRecord, '\0');
    const ssize_t count = pread(file, record.data(), record.size(), 0);
    close(file);
    record.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    return record;
}

long long ProcessId() {
    return static_cast<long long>(getpid());
}
#endif

// Takes the lock of the open file, trying again in short steps until the time is up.
bool LockWithin(std::intptr_t file, int waitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::milliseconds(1);
    while (!TryLock(file)) {
        if (Clock::now() >= end)
            return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(5));
    }
    return true;
}

// One folder, however it is written: two takes of it in one process must meet in one lock, or the second would
// wait for the first.
fs::path FolderKey(const fs::path& folder) {
    std::error_code error;
    fs::path key = fs::weakly_canonical(folder, error);
    return error ? fs::absolute(folder, error).lexically_normal() : key;
}

} // namespace

FileWriterLock::FileWriterLock(std::string program, int waitMs) : m_program(std::move(program)), m_waitMs(waitMs) {}

FileWriterLock::~FileWriterLock() {
    for (auto& [folder, held] : m_held)
        UnlockAndClose(held.file);
}

void FileWriterLock::Acquire(const fs::path& dataFolder) {
    const std::lock_guard guard(m_mutex);
    CreatePrivateFolders(dataFolder);
    const fs::path key = FolderKey(dataFolder);
    if (const auto found = m_held.find(key); found != m_held.end()) {
        ++found->second.takes;
        return;
    }
    const fs::path path = WriterLockFile(dataFolder);
    const std::intptr_t file = OpenLockFile(path);
    if (file == -1)
        throw FileWriteError(path);
    if (!LockWithin(file, m_waitMs)) {
        const std::string record = ReadRecord(path);
        Close(file);
        throw WriterLockBusy(path, record);
    }
    WriteRecord(file, WriterLockRecord(m_program, ProcessId()));
    m_held[key] = {file, 1};
}

void FileWriterLock::Release(const fs::path& dataFolder) {
    const std::lock_guard guard(m_mutex);
    const auto found = m_held.find(FolderKey(dataFolder));
    if (found == m_held.end() || --found->second.takes > 0)
        return;
    // A record left behind would name this process to the writers kept waiting by a later holder that writes none.
    WriteRecord(found->second.file, {});
    UnlockAndClose(found->second.file);
    m_held.erase(found);
}

} // namespace mitoran
