// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/FileStamp.h"

#include "engine/text/Cp932.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace mitoran {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

} // namespace

FileStamp StampOfBytes(std::string_view bytes, fs::file_time_type modified) {
    FileStamp stamp{true, bytes.size(), modified, kFnvOffset};
    for (const char byte : bytes) {
        stamp.hash ^= static_cast<unsigned char>(byte);
        stamp.hash *= kFnvPrime;
    }
    return stamp;
}

FileStamp StampOfFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return {};
    const fs::file_time_type modified = fs::last_write_time(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in)
        return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return in.bad() ? FileStamp{} : StampOfBytes(bytes, modified);
}

bool FileChangedSince(const fs::path& path, const FileStamp& loaded) {
    return StampOfFile(path) != loaded;
}

std::string ShownPath(const fs::path& path) {
    const std::u8string name = path.u8string();
    return Utf8ToCp932(std::string(name.begin(), name.end()));
}

} // namespace mitoran
