// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/CommandLine.h"

#include <gtest/gtest.h>

namespace mitoran {
namespace {

TEST(CommandLineTest, SwitchesAreMatchedAsTheFrameReadsThem) {
    struct Case {
        std::vector<std::string> parameters;
        std::string startUser;
        bool multiUser;
        bool disp;
        bool down;
    };
    const Case cases[] = {
        {{}, "", false, false, false},
        {{"/U:Tanaka"}, "Tanaka", false, false, false},
        {{"/u:Tanaka"}, "Tanaka", false, false, false},
        {{"/U:"}, "", false, false, false},
        {{"x", "/U:first", "/U:second"}, "first", false, false, false},
        {{"/m", "/U:Tanaka"}, "", true, false, false},
        {{"/U:Tanaka", "/M"}, "", true, false, false},
        {{"/Mx"}, "", false, false, false},
        {{"/Disp"}, "", false, true, false},
        {{"/disp"}, "", false, false, false},
        {{"/U:a", "/Disp"}, "a", false, false, false},
        {{"/Down", "/U:a"}, "a", false, false, true},
        {{"/DOWN"}, "", false, false, false},
        // A CP932 name whose trail byte is a backslash keeps every byte.
        {{"/U:\x95\x5C"}, "\x95\x5C", false, false, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.parameters);
        SCOPED_TRACE(c.parameters.empty() ? std::string("(none)") : c.parameters.front());
        EXPECT_EQ(line.startUser, c.startUser);
        EXPECT_EQ(line.multiUser, c.multiUser);
        EXPECT_EQ(line.disp, c.disp);
        EXPECT_EQ(line.down, c.down);
        EXPECT_EQ(line.StartsMinimised(), c.disp || c.down);
    }
}

} // namespace
} // namespace mitoran
