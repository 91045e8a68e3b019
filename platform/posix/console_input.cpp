// Handles, modes and the keyboard side of the console functions.
#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"
#include "windows_console.h"

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

namespace {

// Shows the last frame, takes what was typed, and copies up to length records
// from the head of the queue. False for a handle that is not the keyboard.
bool LookAtInput(HANDLE handle, INPUT_RECORD* records, DWORD length, LPDWORD count) {
    if (handle != kKeyboardHandle || records == nullptr || count == nullptr) {
        return false;
    }
    PresentScreen();
    PumpTerminalInput();
    const std::deque<INPUT_RECORD>& input = TheConsole().input;
    *count = static_cast<DWORD>(std::min<std::size_t>(length, input.size()));
    std::copy_n(input.begin(), *count, records);
    return true;
}

} // namespace

BOOL PeekConsoleInputA(HANDLE hConsoleInput, INPUT_RECORD* lpBuffer, DWORD nLength,
                       LPDWORD lpNumberOfEventsRead) {
    return LookAtInput(hConsoleInput, lpBuffer, nLength, lpNumberOfEventsRead) ? TRUE : FALSE;
}

BOOL ReadConsoleInputA(HANDLE hConsoleInput, INPUT_RECORD* lpBuffer, DWORD nLength,
                       LPDWORD lpNumberOfEventsRead) {
    ConsoleModel& console = TheConsole();
    // Like the console, a read waits for a record; a headless console has no
    // one to wait for, so an empty queue fails the read instead.
    while (LookAtInput(hConsoleInput, lpBuffer, nLength, lpNumberOfEventsRead)) {
        if (*lpNumberOfEventsRead > 0) {
            console.input.erase(console.input.begin(),
                                console.input.begin() + *lpNumberOfEventsRead);
            return TRUE;
        }
        if (console.headless || nLength == 0) {
            return FALSE;
        }
        WaitForTerminal();
    }
    return FALSE;
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
