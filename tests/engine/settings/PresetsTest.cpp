// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Presets.h"

#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(PresetsTest, BoxesAreStoredAsTimeTextOrTrimmedMemos) {
    EXPECT_EQ(PresetTimeText("1730"), "17:30");
    EXPECT_EQ(PresetTimeText("8.30"), " 8:30");
    EXPECT_EQ(PresetTimeText("   "), "");
    EXPECT_EQ(PresetMemoText(Utf8ToCp932("  会議 ")), Utf8ToCp932("会議"));
}

TEST(PresetsTest, BlankPresetsAreNeverOffered) {
    EXPECT_EQ(Cp932ToUtf8(PresetTimeCaption("8:30").value()), " 8:30 を貼り付け");
    EXPECT_EQ(Cp932ToUtf8(PresetTimeCaption("0").value()), " 0:00 を貼り付け");
    EXPECT_EQ(Cp932ToUtf8(PresetTimeCaption("1730").value()), "17:30 を貼り付け");
    EXPECT_EQ(PresetTimeCaption("  "), std::nullopt);
    EXPECT_EQ(PresetMemoCaption(" x "), " x ");
    EXPECT_EQ(PresetMemoCaption(""), std::nullopt);
}

} // namespace
} // namespace mitoran
