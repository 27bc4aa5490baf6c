// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/FileStamp.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace mitoran {
namespace {

namespace fs = std::filesystem;

// What another program may do to a file after it was loaded, and whether the stamp notices. The time is put
// back where the bytes change, so that only the size or the hash can tell.
TEST(FileStampTest, NoticesEveryChangeOfPresenceTimeSizeAndBytes) {
    using namespace std::chrono_literals;
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> change;
        bool changed;
    };
    const auto keepTime = [](const fs::path& file, const std::string& bytes) {
        const fs::file_time_type time = fs::last_write_time(file);
        test::WriteBytes(file, bytes);
        fs::last_write_time(file, time);
    };
    const Case cases[] = {
        {"nothing", [](const fs::path&) {}, false},
        {"same bytes, same time", [&](const fs::path& f) { keepTime(f, "LastDay=31\r\n"); }, false},
        {"one byte, same size and time", [&](const fs::path& f) { keepTime(f, "LastDay=30\r\n"); }, true},
        {"shorter, same time", [&](const fs::path& f) { keepTime(f, "LastDay=3\r\n"); }, true},
        {"touched only", [](const fs::path& f) { fs::last_write_time(f, fs::last_write_time(f) + 2s); }, true},
        {"removed", [](const fs::path& f) { fs::remove(f); }, true},
    };
    const test::TempFolder folder;
    const fs::path file = folder.Path() / "202612.dat";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteBytes(file, "LastDay=31\r\n");
        const FileStamp loaded = StampOfFile(file);
        EXPECT_TRUE(loaded.exists);
        EXPECT_EQ(loaded.size, 12U);
        c.change(file);
        EXPECT_EQ(FileChangedSince(file, loaded), c.changed);
    }
}

TEST(FileStampTest, AFileThatAppearsIsAChange) {
    const test::TempFolder folder;
    const fs::path file = folder.Path() / "Holiday.dat";
    const FileStamp none = StampOfFile(file);
    EXPECT_FALSE(none.exists);
    EXPECT_FALSE(FileChangedSince(file, none));
    test::WriteBytes(file, "");
    EXPECT_TRUE(FileChangedSince(file, none));
    // A folder standing there is no file that was loaded.
    EXPECT_FALSE(StampOfFile(folder.Path()).exists);
}

} // namespace
} // namespace mitoran
