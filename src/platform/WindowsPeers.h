// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What keeps the one-instance channel the user's own on Windows, where it is a named pipe. Pipe names are the
// machine's, not the session's or the user's: the name carries the user's security id and the session's number,
// the pipe is made with a security descriptor that lets only the user in (QLocalServer's user access), and each
// side checks that the process at the other end runs as this user, so that a pipe or a client of another account
// is never taken for the program's. The "already running" test is a mutex in the session's namespace
// ("Local\"), made with the same descriptor: one held by another account is passed over.
#ifdef _WIN32

#include <windows.h>

#include <string>

namespace mitoran {

// "<security id of the user>-<session number>", for example "S-1-5-21-…-1001-1"; empty when the process's
// token cannot be read.
std::wstring UserSessionId();

// True when the process at the other end of the pipe runs as this process's user.
bool PipeClientIsThisUser(HANDLE pipe);
bool PipeServerIsThisUser(HANDLE pipe);

enum class SessionClaim { Claimed, HeldByThisUser, HeldByAnotherAccount };

// Claims the name in the session's namespace with a mutex only this user may open, owned by this user; the handle
// (kept open while the claim holds) goes to `held`. A mutex that cannot be made at all claims nothing and stops
// nothing: Claimed, with no handle.
SessionClaim ClaimSessionName(const std::wstring& name, HANDLE& held);

} // namespace mitoran

#endif
