// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

#include <thread>

using namespace mitoran;

namespace {

// Converted while the program's globals are initialised, as the engine's constants are.
const std::string kEarlyText = Utf8ToCp932("日曜");

} // namespace

TEST(Cp932Test, JapaneseTextRoundTripsWithTheBytesOfCodePage932) {
    const struct {
        std::string utf8;
        std::string cp932;
    } cases[] = {
        {"表", "\x95\x5C"},
        {"～", "\x81\x60"},
        {"－", "\x81\x7C"},
        {"①", "\x87\x40"},
        {"ｱ", "\xB1"},
        {"\\~", "\\~"},
        {"残業", "\x8E\x63\x8B\xC6"},
        {"ﾃﾞｰﾀ", "\xC3\xDE\xB0\xC0"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
    EXPECT_EQ(kEarlyText, "\x93\xFA\x97\x6A");

    const std::string sentence = "残業時間管理ソフトウェア：表示～－①、ｿﾌﾄ 8:30 ＡＢＣ";
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(sentence)), sentence);
    std::string longText;
    for (int i = 0; i < 3000; ++i) {
        longText += "表ソ能a";
    }
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(longText)), longText);

    std::string otherThread;
    std::thread([&] { otherThread = Utf8ToCp932(sentence); }).join();
    EXPECT_EQ(otherThread, Utf8ToCp932(sentence));
}

TEST(Cp932Test, AsciiAloneConvertsAsWithinJapaneseText) {
    std::string ascii;
    for (int byte = 0; byte < 0x80; ++byte)
        ascii += static_cast<char>(byte);
    const std::string kanji = "\x95\x5C"; // 表
    EXPECT_EQ(Cp932ToUtf8(ascii), Cp932ToUtf8(kanji + ascii).substr(Cp932ToUtf8(kanji).size()));
    EXPECT_EQ(Utf8ToCp932(ascii), Utf8ToCp932("表" + ascii).substr(kanji.size()));
}

TEST(Cp932Test, LookAlikesEncodeAsTheirCodePage932Forms) {
    EXPECT_EQ(Utf8ToCp932("〜−‖¢£¬"), "\x81\x60\x81\x7C\x81\x61\x81\x91\x81\x92\x81\xCA");
    EXPECT_EQ(Utf8ToCp932("8〜9"), "8\x81\x60"
                                   "9");
}

TEST(Cp932Test, UnconvertibleTextBecomesAReplacementNeverAnError) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("é表"), "?\x95\x5C");
    EXPECT_EQ(Utf8ToCp932("a\xFF b"), "a? b");
    EXPECT_EQ(Utf8ToCp932("\xE3\x41"), "?A");
    EXPECT_EQ(Utf8ToCp932("a\xE3\x81"), "a?");

    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Cp932ToUtf8("\x80"), replacement);
    EXPECT_EQ(Cp932ToUtf8("a\xFF"
                          "b"),
              "a" + replacement + "b");
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a" + replacement);
    EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), replacement + " x");
    EXPECT_EQ(Cp932ToUtf8("\x85\x40x"), replacement + "x");
}

TEST(Cp932Test, PathsFromCodePage932Names) {
    EXPECT_EQ(PathFromCp932(Utf8ToCp932("山田")), std::filesystem::path(u8"山田"));
    EXPECT_EQ(PathFromCp932("abc"), std::filesystem::path("abc"));
}
