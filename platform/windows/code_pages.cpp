#include "code_pages.h"

#include "windows_console.h"

#include <cstdlib>

namespace {

constexpr UINT kCodePage437 = 437;

// The console's code pages found at start; zero while nothing is held.
UINT previousInput = 0;
UINT previousOutput = 0;

BOOL WINAPI OnConsoleEvent(DWORD) {
    GiveBackCodePages();
    return FALSE; // the default handler ends the process as before
}

void GiveBackAtExit() {
    GiveBackCodePages();
}

} // namespace

void HoldCodePage437() {
    const UINT input = GetConsoleCP();
    const UINT output = GetConsoleOutputCP();
    if (input == 0 || output == 0 || previousInput != 0) {
        return; // no console, or held already
    }
    previousInput = input;
    previousOutput = output;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    std::atexit(GiveBackAtExit);
    SetConsoleCP(kCodePage437);
    SetConsoleOutputCP(kCodePage437);
}

void GiveBackCodePages() {
    if (previousInput == 0) {
        return;
    }
    SetConsoleCP(previousInput);
    SetConsoleOutputCP(previousOutput);
    previousInput = 0;
    previousOutput = 0;
}
