// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// What a program remembers of a file it loaded, to find out before it saves whether another program has
// written the file since.
namespace mitoran {

struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::uint64_t hash = 0; // FNV-1a of the bytes

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file as it is now; a missing or unreadable file has the stamp of no file.
FileStamp StampOfFile(const std::filesystem::path& path);
// The stamp of a file whose bytes are in hand, modified at the time given (read before the bytes).
FileStamp StampOfBytes(std::string_view bytes, std::filesystem::file_time_type modified);

// True when the file is no longer the one the stamp was taken of: it came, went, or its size, time or
// bytes differ.
bool FileChangedSince(const std::filesystem::path& path, const FileStamp& loaded);

// How the program shows a path in its messages (the same form as "%s に書き込めません"), CP932.
std::string ShownPath(const std::filesystem::path& path);

} // namespace mitoran
