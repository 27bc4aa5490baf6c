// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/WriterLock.h"

#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <utility>

namespace mitoran {

namespace {

// "mitoran-cli (プロセス 1234)" from "mitoran-cli 1234"; a record of another form names no program.
std::string HolderText(std::string_view record) {
    const std::string line = TrimText(record.substr(0, record.find_first_of("\r\n")));
    const std::size_t blank = line.rfind(' ');
    const bool printable = std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (blank == std::string::npos || blank == 0 || !printable ||
        line.find_first_not_of("0123456789", blank + 1) != std::string::npos || blank + 1 == line.size())
        return text::kAnotherProgram;
    return line.substr(0, blank) + " (" + ReplaceAllText(text::kProcessNumber, "%s", line.substr(blank + 1)) + ")";
}

} // namespace

WriterLockBusy::WriterLockBusy(const std::filesystem::path& lockFile, std::string_view record)
    : FileWriteError(lockFile, ReplaceAllText(text::kWriterLockBusy, "%s", HolderText(record))) {}

WriterLockHold::WriterLockHold(WriterLock* lock, std::filesystem::path dataFolder)
    : m_lock(lock), m_dataFolder(std::move(dataFolder)) {
    if (m_lock)
        m_lock->Acquire(m_dataFolder);
}

WriterLockHold::WriterLockHold(WriterLockHold&& other) noexcept
    : m_lock(std::exchange(other.m_lock, nullptr)), m_dataFolder(std::move(other.m_dataFolder)) {}

WriterLockHold::~WriterLockHold() {
    if (m_lock)
        m_lock->Release(m_dataFolder);
}

std::filesystem::path WriterLockFile(const std::filesystem::path& dataFolder) {
    return dataFolder / "mitoran.lock";
}

std::string WriterLockRecord(std::string_view program, long long processId) {
    return std::string(program) + " " + std::to_string(processId) + "\n";
}

} // namespace mitoran
