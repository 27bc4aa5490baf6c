// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef _WIN32

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace mitoran::test {

// What a copy of the test program started by ChildProcess is asked to do; empty in the test program itself.
inline std::wstring ChildRole() {
    const wchar_t* role = _wgetenv(L"MITORAN_TEST_CHILD");
    return role ? role : L"";
}

// Another process for the running test, where Windows has no fork: the test program started again with
// only the current test selected and MITORAN_TEST_CHILD set to the role. The test's body asks ChildRole
// first and, in the copy, does its part instead. Ended with TerminateProcess when the object goes.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& role) {
        std::wstring program(32768, L'\0');
        program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string filter = std::string(info->test_suite_name()) + "." + info->name();
        std::wstring command = L"\"" + program + L"\" --gtest_filter=" + std::wstring(filter.begin(), filter.end());
        // The copy's output would only interleave with the test's own: it goes nowhere.
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        SetEnvironmentVariableW(L"MITORAN_TEST_CHILD", role.c_str());
        m_started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_process) != 0;
        SetEnvironmentVariableW(L"MITORAN_TEST_CHILD", nullptr);
    }
    ~ChildProcess() {
        if (m_started) {
            Kill();
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_started; }

    // Ends the process at once, as a crash or a power cut would, and waits until it has gone.
    void Kill() {
        TerminateProcess(m_process.hProcess, 9);
        WaitForSingleObject(m_process.hProcess, INFINITE);
    }

    // True when the process ended by itself within the time.
    bool Ended(DWORD milliseconds) const {
        return WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
    }

    // The exit code once the process has ended (STILL_ACTIVE before).
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_process{};
    bool m_started = false;
};

// A named event that the child sets when it has done its first step and the test waits for.
class Signal {
public:
    explicit Signal(const std::wstring& name) : m_handle(CreateEventW(nullptr, TRUE, FALSE, name.c_str())) {}
    ~Signal() {
        if (m_handle)
            CloseHandle(m_handle);
    }
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    HANDLE Handle() const { return m_handle; }
    void Set() { SetEvent(m_handle); }
    bool Wait(DWORD milliseconds) { return WaitForSingleObject(m_handle, milliseconds) == WAIT_OBJECT_0; }

private:
    HANDLE m_handle;
};

// A name for a Signal that is the test program's and this test's own.
inline std::wstring SignalName(const std::wstring& what) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = std::string(info->test_suite_name()) + "." + info->name();
    return L"mitoran-test-" + what + L"-" + std::wstring(test.begin(), test.end());
}

} // namespace mitoran::test

#endif
