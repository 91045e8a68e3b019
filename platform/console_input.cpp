// Handles, modes and the keyboard side of the console functions.
#include "platform/console_model.h"
#include "platform/terminal.h"
#include "platform/windows_console.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace {

// A wait that can never end is a fault in a headless test, not a hang.
constexpr long kHeadlessIdleLimit = 100000;

void IdleHeadless(ConsoleModel& console) {
    static long idle = 0;
    if (!console.input.empty()) {
        idle = 0;
        return;
    }
    if (console.idleHandler) {
        console.idleHandler();
        return;
    }
    if (++idle > kHeadlessIdleLimit) {
        std::fputs("headless console: waiting for a key that no test will push\n", stderr);
        std::abort();
    }
}

} // namespace

HANDLE GetStdHandle(DWORD nStdHandle) {
    switch (nStdHandle) {
    case STD_INPUT_HANDLE:
        // Keys only ever come from the terminal, so a redirected standard input
        // still stands for the keyboard: nothing reads it as a file.
        return kKeyboardHandle;
    case STD_OUTPUT_HANDLE:
        return TheConsole().headless || isatty(STDOUT_FILENO) ? kScreenHandle : kFileHandle;
    case STD_ERROR_HANDLE:
        // The screen is shown on whichever terminal the process has, so the
        // error handle is the console whenever standard output is not.
        return kScreenHandle;
    default:
        return INVALID_HANDLE_VALUE;
    }
}

BOOL GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode) {
    if (lpMode == nullptr) {
        return FALSE;
    }
    if (hConsoleHandle == kScreenHandle) {
        *lpMode = TheConsole().outputMode;
        return TRUE;
    }
    if (hConsoleHandle == kKeyboardHandle) {
        *lpMode = TheConsole().inputMode;
        return TRUE;
    }
    return FALSE;
}

BOOL SetConsoleMode(HANDLE hConsoleHandle, DWORD dwMode) {
    ConsoleModel& console = TheConsole();
    if (hConsoleHandle == kScreenHandle) {
        console.outputMode = dwMode;
        return TRUE;
    }
    if (hConsoleHandle == kKeyboardHandle) {
        console.inputMode = dwMode;
        SetTerminalRawMode((dwMode & (ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT)) == 0);
        return TRUE;
    }
    return FALSE;
}

HANDLE CreateFileA(LPCSTR lpFileName, DWORD, DWORD, void*, DWORD dwCreationDisposition, DWORD,
                   HANDLE) {
    if (lpFileName != nullptr && strcasecmp(lpFileName, "CONIN$") == 0 &&
        dwCreationDisposition == OPEN_EXISTING) {
        return kKeyboardHandle;
    }
    return INVALID_HANDLE_VALUE;
}

BOOL PeekConsoleInputA(HANDLE hConsoleInput, INPUT_RECORD* lpBuffer, DWORD nLength,
                       LPDWORD lpNumberOfEventsRead) {
    if (hConsoleInput != kKeyboardHandle || lpBuffer == nullptr ||
        lpNumberOfEventsRead == nullptr) {
        return FALSE;
    }
    PresentScreen();
    PumpTerminalInput();
    const std::deque<INPUT_RECORD>& input = TheConsole().input;
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(nLength, input.size()));
    std::copy_n(input.begin(), count, lpBuffer);
    *lpNumberOfEventsRead = count;
    return TRUE;
}

BOOL ReadConsoleInputA(HANDLE hConsoleInput, INPUT_RECORD* lpBuffer, DWORD nLength,
                       LPDWORD lpNumberOfEventsRead) {
    if (hConsoleInput != kKeyboardHandle || lpBuffer == nullptr ||
        lpNumberOfEventsRead == nullptr) {
        return FALSE;
    }
    ConsoleModel& console = TheConsole();
    PresentScreen();
    PumpTerminalInput();
    // Like the console, a read waits for a record; a headless console has no
    // one to wait for, so an empty queue fails the read instead.
    while (console.input.empty() && !console.headless) {
        WaitForTerminal(1000);
        PumpTerminalInput();
    }
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(nLength, console.input.size()));
    std::copy_n(console.input.begin(), count, lpBuffer);
    console.input.erase(console.input.begin(), console.input.begin() + count);
    *lpNumberOfEventsRead = count;
    return count > 0 ? TRUE : FALSE;
}

void Sleep(DWORD dwMilliseconds) {
    ConsoleModel& console = TheConsole();
    if (console.headless) {
        IdleHeadless(console);
        return;
    }
    SleepOnTerminal(static_cast<int>(std::min<DWORD>(dwMilliseconds, 1000000000)));
}

BOOL MessageBeep(UINT) {
    ConsoleModel& console = TheConsole();
    ++console.beeps;
    RingTerminalBell();
    return TRUE;
}

HINSTANCE GetModuleHandleA(LPCSTR lpModuleName) {
    static char module;
    return lpModuleName == nullptr ? &module : nullptr;
}

LPSTR GetCommandLineA() {
    static char commandLine[] = "orvane";
    return commandLine;
}
