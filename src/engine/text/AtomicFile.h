// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// The one way the program replaces a file: the new bytes go to a temporary file beside it, are flushed to
// disk and the temporary file is renamed over the old one, so a crash or a refusal leaves either the old file
// or the new one, whole.
namespace mitoran {

// A refused write: the message is "%s に書き込めません" with the file name, in CP932.
class FileWriteError : public std::runtime_error {
public:
    explicit FileWriteError(const std::filesystem::path& path);
    const std::filesystem::path& Path() const { return m_path; }

protected:
    // A refusal of the file with its own message (CP932).
    FileWriteError(const std::filesystem::path& path, const std::string& message);

private:
    std::filesystem::path m_path;
};

// Replaces the file with the bytes. Throws FileWriteError when it cannot: the old file stays as it was and no
// temporary file is left behind. A successful write also removes the temporary files of the same file that
// writers killed during a save left (their process no longer runs); no other file is touched. A new file is
// readable and writable by its owner only (POSIX). A file reached through a symbolic link is written where the link
// points. The folder must exist.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Writes an export (a CSV or PDF file at a name the user chose) as WriteFileAtomically does, except that the new
// file takes the name itself: a symbolic link found there is replaced, and the file it points to is never
// written. Folders on the way may be links.
void WriteExportFile(const std::filesystem::path& path, std::string_view bytes);

// The temporary file a write of the path from the calling thread goes through: hidden, beside the target,
// named after it, this process and this thread, so that no two writers ever share one. Something other than
// a file standing there refuses the write.
std::filesystem::path AtomicTemporaryPath(const std::filesystem::path& path);

} // namespace mitoran
