// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps the channel the user's own on Windows: names of the user and session, peers of this user, the
// session's claim.
#include "platform/WindowsPeers.h"

#include <gtest/gtest.h>

#include <string>

namespace mitoran {
namespace {

TEST(WindowsPeersTest, TheNameCarriesTheUsersSecurityIdAndTheSession) {
    const std::wstring id = UserSessionId();
    ASSERT_TRUE(id.starts_with(L"S-1-")) << std::string(id.begin(), id.end());
    const std::size_t dash = id.rfind(L'-');
    ASSERT_NE(dash, std::wstring::npos);
    EXPECT_EQ(id.find_first_not_of(L"0123456789", dash + 1), std::wstring::npos);
}

// Both ends of a pipe of this process run as this user; a pipe that is not one has no peer at all.
TEST(WindowsPeersTest, BothEndsOfAPipeOfThisUserAreThisUser) {
    const std::wstring name = L"\\\\.\\pipe\\mitoran-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE server =
        CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 512, 512, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    const HANDLE client =
        CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(client, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(PipeClientIsThisUser(server));
    EXPECT_TRUE(PipeServerIsThisUser(client));
    CloseHandle(client);
    CloseHandle(server);
    EXPECT_FALSE(PipeServerIsThisUser(GetCurrentProcess()));
}

TEST(WindowsPeersTest, TheSessionsNameIsClaimedOnceUntilItIsGivenUp) {
    const std::wstring name = L"mitoran-test-" + UserSessionId() + L"-" + std::to_wstring(GetCurrentProcessId());
    HANDLE first = nullptr;
    ASSERT_EQ(ClaimSessionName(name, first), SessionClaim::Claimed);
    ASSERT_NE(first, nullptr);
    HANDLE second = nullptr;
    EXPECT_EQ(ClaimSessionName(name, second), SessionClaim::HeldByThisUser);
    EXPECT_EQ(second, nullptr);
    CloseHandle(first);
    EXPECT_EQ(ClaimSessionName(name, second), SessionClaim::Claimed);
    CloseHandle(second);
}

} // namespace
} // namespace mitoran
