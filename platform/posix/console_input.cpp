// Handles, modes and the keyboard side of the console functions.
#include "platform/posix/console_backend.h"
#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"
#include "windows_console.h"

#include <algorithm>
#include <strings.h>

HANDLE GetStdHandle(DWORD nStdHandle) {
    switch (nStdHandle) {
    case STD_INPUT_HANDLE:
        // Keys only ever come from the terminal, so a redirected standard input
        // still stands for the keyboard: nothing reads it as a file.
        return kKeyboardHandle;
    case STD_OUTPUT_HANDLE:
        return TheConsoleBackend().outputIsScreen() ? kScreenHandle : kFileHandle;
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
    TheConsoleBackend().look();
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
    std::deque<INPUT_RECORD>& input = TheConsole().input;
    // Like the console, a read waits for a record, as long as one can still come.
    while (LookAtInput(hConsoleInput, lpBuffer, nLength, lpNumberOfEventsRead)) {
        if (*lpNumberOfEventsRead > 0) {
            input.erase(input.begin(), input.begin() + *lpNumberOfEventsRead);
            return TRUE;
        }
        if (nLength == 0 || !TheConsoleBackend().await()) {
            return FALSE;
        }
    }
    return FALSE;
}

void Sleep(DWORD dwMilliseconds) {
    TheConsoleBackend().sleep(dwMilliseconds);
}

BOOL MessageBeep(UINT) {
    TheConsoleBackend().beep();
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
