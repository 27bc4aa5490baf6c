// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/AtomicFile.h"

#include "engine/text/FileStamp.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mitoran {

namespace fs = std::filesystem;

namespace {

// So much of the target's name is kept in the temporary name, which must stay within the length limit of a
// file name.
constexpr std::size_t kNameKept = 100;

std::string WriteErrorText(const fs::path& path) {
    return ReplaceAllText(text::kCannotWrite, "%s", ShownPath(path));
}

#ifdef _WIN32
int OpenNew(const fs::path& path, int mode) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, mode);
}
int ProcessId() {
    return _getpid();
}
long long WriteSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(size < 0x40000000 ? size : 0x40000000));
}
// _commit flushes the file's buffers to disk (FlushFileBuffers).
bool SyncAndClose(int fd) {
    const bool synced = _commit(fd) == 0;
    return (_close(fd) == 0) && synced;
}
int ExistingMode(const fs::path&) {
    return _S_IREAD | _S_IWRITE;
}
// Renames the temporary file over the target, the rename itself written through to disk. A target that
// another writer is replacing at the same moment, or that a virus scanner or indexer has just opened, is
// refused for a moment: the rename is tried again for about half a second before the write is refused.
// A read-only target is refused, as Windows itself refuses it (Wine would replace it).
bool ReplaceWith(const fs::path& temporary, const fs::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt == 50 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
            return false;
        Sleep(10);
    }
}
void SyncFolder(const fs::path&) {}
// A process that no longer exists leaves an id that OpenProcess refuses as invalid.
bool ProcessRuns(long long id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (process == nullptr)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}
#else
int OpenNew(const fs::path& path, int mode) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}
int ProcessId() {
    return static_cast<int>(getpid());
}
long long WriteSome(int fd, const char* data, std::size_t size) {
    return write(fd, data, size);
}
bool SyncAndClose(int fd) {
    const bool synced = fsync(fd) == 0;
    return (close(fd) == 0) && synced;
}
// The new file keeps the old file's permissions; a new file, or one in place of a symbolic link, is its owner's
// alone (the data are private).
int ExistingMode(const fs::path& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? static_cast<int>(st.st_mode & 07777) : 0600;
}
bool ReplaceWith(const fs::path& temporary, const fs::path& target) {
    std::error_code error;
    fs::rename(temporary, target, error);
    return !error;
}
// Makes the rename itself durable; folders that cannot be synced are left as they are.
void SyncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}
// A process of another user answers EPERM and counts as running.
bool ProcessRuns(long long id) {
    return kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
}
#endif

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const long long written = WriteSome(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The process id (taken at each call, so a forked child differs from its parent) and a random number drawn
// once, so that a process of the same id in another container sharing the folder picks other names.
std::string ProcessToken() {
    static const unsigned drawn = std::random_device{}();
    return std::to_string(ProcessId()) + "-" + std::to_string(drawn);
}

unsigned ThreadNumber() {
    static std::atomic<unsigned> last{0};
    thread_local const unsigned number = ++last;
    return number;
}

// A file reached through a symbolic link is written where the link points, keeping the link.
fs::path WriteTarget(const fs::path& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        fs::path resolved = fs::weakly_canonical(path, error);
        if (!error)
            return resolved;
    }
    return path;
}

// Only this thread of this process writes through the name, so a file already there is one an earlier write
// of its own could not remove; anything else standing there refuses the write.
int OpenTemporary(const fs::path& temporary, int mode) {
    int fd = OpenNew(temporary, mode);
    if (fd < 0 && errno == EEXIST) {
        std::error_code error;
        if (fs::is_regular_file(fs::symlink_status(temporary, error)) && fs::remove(temporary, error))
            fd = OpenNew(temporary, mode);
    }
    return fd;
}

// "." and the kept part of the target's name and ".": what every temporary name of the target starts with.
fs::path::string_type TemporaryPrefix(const fs::path& target) {
    fs::path::string_type kept = target.filename().native();
    if (kept.size() > kNameKept)
        kept.resize(kNameKept);
    const fs::path::value_type dot = '.';
    return dot + kept + dot;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.size() <= 18 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The writer's process id in the rest of a temporary name after its prefix, "<id>[-<random>].<n>.tmp"; none
// when the rest has another form.
std::optional<long long> WriterOfTemporary(std::string_view rest) {
    if (!rest.ends_with(".tmp"))
        return std::nullopt;
    rest.remove_suffix(4);
    const std::size_t dot = rest.rfind('.');
    if (dot == std::string_view::npos || !AllDigits(rest.substr(dot + 1)))
        return std::nullopt;
    const std::string_view token = rest.substr(0, dot);
    const std::size_t dash = token.find('-');
    const std::string_view id = token.substr(0, dash);
    if (!AllDigits(id) || (dash != std::string_view::npos && !AllDigits(token.substr(dash + 1))))
        return std::nullopt;
    return std::stoll(std::string(id));
}

// Removes the temporary files of the target that writers killed during a save left beside it: regular files
// named as this unit names them, whose process no longer runs. A name cut to its length limit could be
// another target's, so such targets are left alone.
void RemoveLeftTemporaries(const fs::path& target) {
    if (target.filename().native().size() > kNameKept)
        return;
    const fs::path::string_type prefix = TemporaryPrefix(target);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path::string_type name = it->path().filename().native();
        if (!name.starts_with(prefix))
            continue;
        const std::u8string rest = fs::path(name.substr(prefix.size())).u8string();
        const std::optional<long long> writer = WriterOfTemporary(std::string(rest.begin(), rest.end()));
        std::error_code ignored;
        if (writer && !ProcessRuns(*writer) && it->is_regular_file(ignored) && !it->is_symlink(ignored))
            fs::remove(it->path(), ignored);
    }
}

fs::path TemporaryPathOf(const fs::path& target) {
    fs::path name(TemporaryPrefix(target));
    name += ProcessToken() + "." + std::to_string(ThreadNumber()) + ".tmp";
    return target.parent_path() / name;
}

// Puts the bytes in place of the target through a temporary file beside it; a refusal names the path given.
void ReplaceFile(const fs::path& target, std::string_view bytes, const fs::path& path) {
    const fs::path temporary = TemporaryPathOf(target);
    const int fd = OpenTemporary(temporary, ExistingMode(target));
    if (fd < 0)
        throw FileWriteError(path);
    const bool written = WriteAll(fd, bytes);
    std::error_code error;
    if (!SyncAndClose(fd) || !written) {
        fs::remove(temporary, error);
        throw FileWriteError(path);
    }
    if (!ReplaceWith(temporary, target)) {
        fs::remove(temporary, error);
        throw FileWriteError(path);
    }
    RemoveLeftTemporaries(target);
    SyncFolder(target.parent_path().empty() ? fs::path(".") : target.parent_path());
}

} // namespace

FileWriteError::FileWriteError(const fs::path& path) : std::runtime_error(WriteErrorText(path)), m_path(path) {}

FileWriteError::FileWriteError(const fs::path& path, const std::string& message)
    : std::runtime_error(message), m_path(path) {}

fs::path AtomicTemporaryPath(const fs::path& path) {
    return TemporaryPathOf(WriteTarget(path));
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    ReplaceFile(WriteTarget(path), bytes, path);
}

void WriteExportFile(const fs::path& path, std::string_view bytes) {
    ReplaceFile(path, bytes, path);
}

} // namespace mitoran
