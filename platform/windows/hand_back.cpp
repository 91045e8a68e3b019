#include "hand_back.h"

#include "addon_window.h"
#include "windows_console.h"

#include <atomic>
#include <cstdlib>

namespace {

constexpr UINT kCodePage437 = 437;

// What the console had when the run began.
struct FoundConsole {
    UINT inputCodePage;         // GetConsoleCP
    UINT outputCodePage;        // GetConsoleOutputCP
    bool hasScreen;             // whether the two below were read
    CONSOLE_CURSOR_INFO cursor; // size and visibility
    WORD textAttribute;         // colours of new text
};

FoundConsole found{};
std::atomic<bool> held{false}; // the hand-back runs once, from whichever way out comes first

BOOL WINAPI OnConsoleEvent(DWORD) {
    GiveConsoleBack();
    return FALSE; // the default handler ends the process as before
}

} // namespace

bool HoldConsoleForTheRun() {
    const UINT inputCodePage = GetConsoleCP();
    const UINT outputCodePage = GetConsoleOutputCP();
    if (inputCodePage == 0 || outputCodePage == 0) {
        return false;
    }
    if (held.exchange(true)) {
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
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    std::atexit(GiveConsoleBack);
    SetConsoleCP(kCodePage437);
    SetConsoleOutputCP(kCodePage437);
    return true;
}

void GiveConsoleBack() {
    if (!held.exchange(false)) {
        return;
    }
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
