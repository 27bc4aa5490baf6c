// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/WindowTitle.h"

#include "engine/settings/Settings.h"
#include "engine/text/Cp932.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(WindowTitleTest, PersonalNameThenUserThenCurrentMark) {
    Settings settings;
    EXPECT_EQ(Cp932ToUtf8(MainWindowTitle(settings, "", false)), "ミトラン");
    EXPECT_EQ(Cp932ToUtf8(MainWindowTitle(settings, "", true)), "ミトラン - (ｶﾚﾝﾄ)");
    EXPECT_EQ(Cp932ToUtf8(MainWindowTitle(settings, "tanaka", true)), "ミトラン - tanaka");
    settings.PrivateName = Utf8ToCp932(" 田中 ");
    EXPECT_EQ(Cp932ToUtf8(MainWindowTitle(settings, "tanaka", false)), "ミトラン - tanaka");
    settings.PrivateNameDisp = true;
    EXPECT_EQ(Cp932ToUtf8(MainWindowTitle(settings, "tanaka", false)), "ミトラン -  田中 ");
    settings.PrivateName = "   ";
    EXPECT_EQ(Cp932ToUtf8(MainWindowTitle(settings, "", false)), "ミトラン");
}

} // namespace
} // namespace mitoran
