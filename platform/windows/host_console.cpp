// The host console on Windows: code page 437 held for the run, and the
// console's code pages, cursor and colours given back (hand_back.h).
#include "platform/host_console.h"

#include "hand_back.h"
#include "windows_console.h"

namespace {

// One look at the keyboard before the first screen: a console host may put
// the terminal it runs on into raw mode only once it is asked for keys, and
// keys typed before that would be echoed and changed by the terminal. Every
// handle to CONIN$ stands for the console's one input buffer, the one the
// console layer reads later, and a peek removes nothing from it.
void TakeKeyboard() {
    const HANDLE keyboard =
        CreateFileA("CONIN$", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (keyboard == INVALID_HANDLE_VALUE) {
        return;
    }
    INPUT_RECORD record{};
    DWORD count = 0;
    PeekConsoleInputA(keyboard, &record, 1, &count);
    CloseHandle(keyboard);
}

} // namespace

std::string TakeHostConsole() {
    if (!HoldConsoleForTheRun()) {
        // Without a console every key wait would wait for ever.
        return "no console to run in; start it from a console window";
    }
    TakeKeyboard();
    return {};
}

void GiveHostConsoleBack() {
    GiveConsoleBack();
}

// With processed input the console turns Ctrl+C into the event that hand_back.h
// answers, rather than a key record that the line editor ignores.
void KeepInterruptKeys() {
    const HANDLE keyboard =
        CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    if (keyboard != INVALID_HANDLE_VALUE && GetConsoleMode(keyboard, &mode) != FALSE) {
        SetConsoleMode(keyboard, mode | ENABLE_PROCESSED_INPUT);
    }
    if (keyboard != INVALID_HANDLE_VALUE) {
        CloseHandle(keyboard);
    }
}
