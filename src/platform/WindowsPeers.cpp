// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowsPeers.h"

#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <vector>

namespace mitoran {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The user (TOKEN_USER, with its security id) of the process, or nothing.
std::vector<BYTE> ProcessUser(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    const UniqueHandle closer(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size))
        return {};
    return user;
}

PSID SidOf(std::vector<BYTE>& user) {
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

bool ProcessIsThisUser(ULONG processId) {
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    std::vector<BYTE> peer = ProcessUser(process.get());
    std::vector<BYTE> own = ProcessUser(GetCurrentProcess());
    return !peer.empty() && !own.empty() && EqualSid(SidOf(peer), SidOf(own));
}

std::wstring OwnSidText() {
    std::vector<BYTE> own = ProcessUser(GetCurrentProcess());
    LPWSTR text = nullptr;
    if (own.empty() || !ConvertSidToStringSidW(SidOf(own), &text))
        return {};
    std::wstring sid(text);
    LocalFree(text);
    return sid;
}

// True when this process's user owns the kernel object (another account could have made one open to all).
bool OwnedByThisUser(HANDLE object) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &security) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> own = ProcessUser(GetCurrentProcess());
    const bool ours = !own.empty() && EqualSid(owner, SidOf(own));
    LocalFree(security);
    return ours;
}

} // namespace

std::wstring UserSessionId() {
    const std::wstring sid = OwnSidText();
    DWORD session = 0;
    if (sid.empty() || !ProcessIdToSessionId(GetCurrentProcessId(), &session))
        return {};
    return sid + L"-" + std::to_wstring(session);
}

bool PipeClientIsThisUser(HANDLE pipe) {
    ULONG processId = 0;
    return GetNamedPipeClientProcessId(pipe, &processId) && ProcessIsThisUser(processId);
}

bool PipeServerIsThisUser(HANDLE pipe) {
    ULONG processId = 0;
    return GetNamedPipeServerProcessId(pipe, &processId) && ProcessIsThisUser(processId);
}

SessionClaim ClaimSessionName(const std::wstring& name, HANDLE& held) {
    held = nullptr;
    // Owned by this user (not by a group an administrator's objects would go to), protected from inherited
    // entries, all access for this user and none for anyone else.
    const std::wstring sid = OwnSidText();
    const std::wstring descriptor = L"O:" + sid + L"D:P(A;;GA;;;" + sid + L")";
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor.c_str(), SDDL_REVISION_1, &security, nullptr))
        return SessionClaim::Claimed;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    const HANDLE mutex = CreateMutexW(&attributes, FALSE, (L"Local\\" + name).c_str());
    const DWORD error = GetLastError();
    LocalFree(security);
    if (mutex == nullptr)
        return error == ERROR_ACCESS_DENIED ? SessionClaim::HeldByAnotherAccount : SessionClaim::Claimed;
    if (error == ERROR_ALREADY_EXISTS) {
        const bool ours = OwnedByThisUser(mutex);
        CloseHandle(mutex);
        return ours ? SessionClaim::HeldByThisUser : SessionClaim::HeldByAnotherAccount;
    }
    held = mutex;
    return SessionClaim::Claimed;
}

} // namespace mitoran
