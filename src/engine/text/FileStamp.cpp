// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/FileStamp.h"

#include "engine/text/Cp932.h"

#include <fstream>
#include <system_error>

namespace mitoran {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

} // namespace

FileStamp StampOfFile(const fs::path& path) {
    FileStamp stamp;
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return stamp;
    stamp.modified = fs::last_write_time(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in)
        return {};
    stamp.exists = true;
    stamp.hash = kFnvOffset;
    char chunk[8192];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            stamp.hash ^= static_cast<unsigned char>(chunk[i]);
            stamp.hash *= kFnvPrime;
        }
        stamp.size += static_cast<std::uintmax_t>(in.gcount());
    }
    return stamp;
}

bool FileChangedSince(const fs::path& path, const FileStamp& loaded) {
    return StampOfFile(path) != loaded;
}

std::string ShownPath(const fs::path& path) {
    const std::u8string name = path.u8string();
    return Utf8ToCp932(std::string(name.begin(), name.end()));
}

} // namespace mitoran
