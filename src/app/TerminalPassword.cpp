// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminalPassword.h"

#include <istream>

#ifdef _WIN32
#include <windows.h>
#else
#include <array>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <termios.h>
#include <unistd.h>
#endif

namespace mitoran {

std::optional<std::string> ReadPasswordLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line) && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

#ifdef _WIN32

namespace {

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int size = static_cast<int>(utf8.size());
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size)));
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(size));
    return utf8;
}

} // namespace

std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt) {
    const HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE output = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    std::optional<std::string> line;
    if (input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE && GetConsoleMode(input, &mode)) {
        const std::wstring shown = Wide(prompt);
        DWORD count = 0;
        WriteConsoleW(output, shown.data(), static_cast<DWORD>(shown.size()), &count, nullptr);
        SetConsoleMode(input, (mode | ENABLE_LINE_INPUT) & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
        std::wstring typed;
        wchar_t c = 0;
        bool ended = false;
        while (!ended && ReadConsoleW(input, &c, 1, &count, nullptr) && count == 1) {
            ended = c == L'\n';
            if (!ended && c != L'\r')
                typed += c;
        }
        SetConsoleMode(input, mode);
        WriteConsoleW(output, L"\r\n", 2, &count, nullptr);
        if (ended || !typed.empty())
            line = Utf8(typed);
    }
    if (input != INVALID_HANDLE_VALUE)
        CloseHandle(input);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    return line;
}

#else

namespace {

// The terminal whose echo is off, and its settings from before, for the signal handler.
int g_terminal = -1;
termios g_saved{};
constexpr int kRestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

extern "C" void RestoreEchoAndStop(int signal) {
    tcsetattr(g_terminal, TCSAFLUSH, &g_saved);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void WriteAll(int terminal, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(terminal, text.data(), text.size());
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace

std::optional<std::string> ReadHiddenLine(int terminal, std::string_view prompt) {
    termios saved{};
    if (tcgetattr(terminal, &saved) != 0)
        return std::nullopt;
    termios hidden = saved;
    // The line end is still shown, so that what follows starts on a line of its own.
    hidden.c_lflag = (hidden.c_lflag & ~static_cast<tcflag_t>(ECHO)) | ECHONL | ICANON;
    g_terminal = terminal;
    g_saved = saved;
    std::array<void (*)(int), std::size(kRestoringSignals)> previous{};
    for (std::size_t i = 0; i < previous.size(); ++i)
        previous[i] = std::signal(kRestoringSignals[i], RestoreEchoAndStop);
    std::optional<std::string> line;
    if (tcsetattr(terminal, TCSAFLUSH, &hidden) == 0) {
        WriteAll(terminal, prompt);
        std::string typed;
        char c = 0;
        ssize_t got = 0;
        while ((got = read(terminal, &c, 1)) == 1 && c != '\n')
            typed += c;
        if (got == 1 || !typed.empty())
            line = typed;
        tcsetattr(terminal, TCSAFLUSH, &saved);
    }
    for (std::size_t i = 0; i < previous.size(); ++i)
        std::signal(kRestoringSignals[i], previous[i]);
    g_terminal = -1;
    return line;
}

std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt) {
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0)
        return std::nullopt;
    std::optional<std::string> line = ReadHiddenLine(terminal, prompt);
    close(terminal);
    return line;
}

#endif

} // namespace mitoran
