#include "hand_back.h"

#include "addon_window.h"
#include "run_buffer.h"
#include "windows_console.h"

#include <atomic>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT kCodePage437 = 437;

// What the console had when the run began.
struct FoundConsole {
    UINT inputCodePage;         // GetConsoleCP
    UINT outputCodePage;        // GetConsoleOutputCP
    bool hasScreen;             // whether the two below were read
    CONSOLE_CURSOR_INFO cursor; // size and visibility
    WORD textAttribute;         // colours of new text
    bool hasInputMode;          // whether inputMode was read
    DWORD inputMode;            // line editing, echo, Ctrl+C processing, mouse...
    bool hasOutputMode;         // whether outputMode was read
    DWORD outputMode;           // escape sequences (PowerShell's colours), wrapping
    std::wstring title;         // as the shell set it, in any script
};

FoundConsole found{};
// The hand-back runs once, from whichever way out comes first. Ctrl+C comes on
// a thread of its own and ends the process: it waits for a hand-back begun on
// the main thread rather than cut it short. No lock: a thread ended while
// holding one would leave the exit waiting for ever.
enum HoldState : int { kFree, kHeld, kGivingBack };
std::atomic<int> holdState{kFree};
constexpr int kLongestHandBackMs = 2000;

HANDLE OpenConsoleInput() {
    return CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

std::wstring CurrentTitle() {
    std::wstring title(1024, L'\0');
    for (;;) {
        const DWORD length = GetConsoleTitleW(title.data(), static_cast<DWORD>(title.size()));
        if (length + 1 < title.size() || title.size() >= 65536) {
            title.resize(length < title.size() ? length : 0);
            return title;
        }
        title.resize(title.size() * 2);
    }
}

// The shell's console is not the run's alone when another process (the shell)
// is attached to it; one started by a double-click holds only us.
bool SharedWithTheShell() {
    DWORD processes[2] = {};
    return GetConsoleProcessList(processes, 2) > 1;
}

void NoteModes() {
    const HANDLE input = OpenConsoleInput();
    found.hasInputMode =
        input != INVALID_HANDLE_VALUE && GetConsoleMode(input, &found.inputMode) != FALSE;
    if (input != INVALID_HANDLE_VALUE) {
        CloseHandle(input);
    }
    const HANDLE output = OpenConsoleOutput();
    found.hasOutputMode =
        output != INVALID_HANDLE_VALUE && GetConsoleMode(output, &found.outputMode) != FALSE;
    if (output != INVALID_HANDLE_VALUE) {
        CloseHandle(output);
    }
}

void GiveModesBack() {
    const HANDLE input = OpenConsoleInput();
    if (input != INVALID_HANDLE_VALUE) {
        if (found.hasInputMode) {
            SetConsoleMode(input, found.inputMode);
        }
        CloseHandle(input);
    }
    const HANDLE output = OpenConsoleOutput();
    if (output != INVALID_HANDLE_VALUE) {
        if (found.hasOutputMode) {
            SetConsoleMode(output, found.outputMode);
        }
        CloseHandle(output);
    }
}

// The screen buffer first: the rest is given back to the user's buffer.
void GiveEverythingBack() {
    CloseRunBuffer();
    GiveModesBack();
    SetConsoleTitleW(found.title.c_str());
    SetConsoleCP(found.inputCodePage);
    SetConsoleOutputCP(found.outputCodePage);
    const HANDLE output = OpenConsoleOutput();
    if (output != INVALID_HANDLE_VALUE) {
        if (found.hasScreen) {
            SetConsoleCursorInfo(output, &found.cursor);
            SetConsoleTextAttribute(output, found.textAttribute);
        }
        CloseHandle(output);
    }
}

// Ctrl+C and Ctrl+Break end the run as an interrupt does on a terminal: the
// console comes back first, then the status Windows gives a program ended by
// Ctrl+C. Closing the window, logging off and shutting down still end it as
// the system's own handler does.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    GiveConsoleBack();
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
    }
    return FALSE;
}

} // namespace

bool HoldConsoleForTheRun() {
    const UINT inputCodePage = GetConsoleCP();
    const UINT outputCodePage = GetConsoleOutputCP();
    if (inputCodePage == 0 || outputCodePage == 0) {
        return false;
    }
    int expected = kFree;
    if (!holdState.compare_exchange_strong(expected, kHeld)) {
        return true; // held already: what was found first stays
    }
    found.inputCodePage = inputCodePage;
    found.outputCodePage = outputCodePage;
    const HANDLE output = OpenConsoleOutput();
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    found.hasScreen = output != INVALID_HANDLE_VALUE &&
                      GetConsoleCursorInfo(output, &found.cursor) != FALSE &&
                      GetConsoleScreenBufferInfo(output, &screen) != FALSE;
    found.textAttribute = screen.wAttributes;
    if (output != INVALID_HANDLE_VALUE) {
        CloseHandle(output);
    }
    NoteModes();
    found.title = CurrentTitle();
    if (SharedWithTheShell()) {
        OpenRunBuffer();
    }
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    std::atexit(GiveConsoleBack);
    SetConsoleCP(kCodePage437);
    SetConsoleOutputCP(kCodePage437);
    return true;
}

void GiveConsoleBack() {
    int expectedHeld = kHeld;
    if (holdState.compare_exchange_strong(expectedHeld, kGivingBack)) {
        GiveEverythingBack();
        holdState = kFree;
        return;
    }
    for (int waited = 0; holdState == kGivingBack && waited < kLongestHandBackMs; ++waited) {
        Sleep(1);
    }
}
