// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminalPassword.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <future>
#include <sstream>

namespace mitoran {
namespace {

// What the terminal showed so far, waiting up to a second for the first of it.
std::string Shown(int controller) {
    std::string shown;
    pollfd ready{controller, POLLIN, 0};
    char buffer[256];
    while (poll(&ready, 1, shown.empty() ? 1000 : 100) > 0) {
        const ssize_t got = read(controller, buffer, sizeof buffer);
        if (got <= 0)
            break;
        shown.append(buffer, static_cast<std::size_t>(got));
    }
    return shown;
}

// On a pseudo-terminal: the prompt is shown, the typed line is not, and echo is on again afterwards.
TEST(TerminalPasswordTest, TypedLineIsNotShown) {
    const int controller = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(controller, 0);
    ASSERT_EQ(grantpt(controller), 0);
    ASSERT_EQ(unlockpt(controller), 0);
    const int terminal = open(ptsname(controller), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);

    auto line = std::async(std::launch::async, [terminal] { return ReadHiddenLine(terminal, "pass: "); });
    // The prompt comes once echo is off.
    EXPECT_EQ(Shown(controller), "pass: ");
    const std::string typed = "kane\xe3\x82\xa2\n"; // kaneア
    ASSERT_EQ(write(controller, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
    EXPECT_EQ(line.get(), "kane\xe3\x82\xa2");
    EXPECT_EQ(Shown(controller), "\r\n");
    termios after{};
    ASSERT_EQ(tcgetattr(terminal, &after), 0);
    EXPECT_NE(after.c_lflag & ECHO, 0U);
    close(terminal);
    close(controller);
}

TEST(TerminalPasswordTest, StandardInputGivesOneLine) {
    std::istringstream lines("kane\r\nnext\n");
    EXPECT_EQ(ReadPasswordLine(lines), "kane");
    EXPECT_EQ(ReadPasswordLine(lines), "next");
    EXPECT_EQ(ReadPasswordLine(lines), std::nullopt);
    std::istringstream unended("kane");
    EXPECT_EQ(ReadPasswordLine(unended), "kane");
    std::istringstream empty("\n");
    EXPECT_EQ(ReadPasswordLine(empty), "");
}

} // namespace
} // namespace mitoran
