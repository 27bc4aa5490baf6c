// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/WriterLock.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

// A writer kept waiting names the holder from its record in the lock file; a record it cannot read names nobody.
TEST(WriterLockTest, TheBusyMessageNamesTheHolderOfAReadableRecord) {
    struct Case {
        std::string record;
        const char* message;
    };
    const Case cases[] = {
        {WriterLockRecord("mitoran-cli", 1234), "mitoran-cli (プロセス 1234) が書き込み中です。何も書き込んでいません"},
        {"mitoran 77\r\n", "mitoran (プロセス 77) が書き込み中です。何も書き込んでいません"},
        {"", "別のプログラム が書き込み中です。何も書き込んでいません"},
        {"mitoran", "別のプログラム が書き込み中です。何も書き込んでいません"},
        {"mitoran 12x", "別のプログラム が書き込み中です。何も書き込んでいません"},
        {" 12", "別のプログラム が書き込み中です。何も書き込んでいません"},
        {"mitoran\x01 12", "別のプログラム が書き込み中です。何も書き込んでいません"},
    };
    for (const Case& c : cases) {
        const WriterLockBusy busy(WriterLockFile("/data"), c.record);
        EXPECT_EQ(Cp932ToUtf8(busy.what()), c.message) << c.record;
        EXPECT_EQ(busy.Path(), std::filesystem::path("/data") / "mitoran.lock");
    }
}

} // namespace
} // namespace mitoran
