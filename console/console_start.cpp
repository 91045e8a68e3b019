#include "console/console.h"
#include "console/console_state.h"

ConsoleState consoleState;

namespace {

void StartScreen() {
    const HANDLE standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    consoleState.outputHandle = GetConsoleMode(standardOutput, &mode) != FALSE
                                    ? standardOutput
                                    : GetStdHandle(STD_ERROR_HANDLE);
    SetConsoleMode(consoleState.outputHandle, ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT);

    CONSOLE_CURSOR_INFO cursor{};
    if (GetConsoleCursorInfo(consoleState.outputHandle, &cursor) == FALSE || cursor.dwSize == 0) {
        if (GetConsoleCursorInfo(standardOutput, &cursor) == FALSE || cursor.dwSize == 0) {
            cursor = {10, TRUE};
            SetConsoleCursorInfo(consoleState.outputHandle, &cursor);
        }
    }
    consoleState.cursorSize = static_cast<int>(cursor.dwSize);
    consoleState.cursorVisible = cursor.bVisible != FALSE;
    consoleState.foreground = 7;
    consoleState.background = 0;
    consoleState.pendingScroll = false;
    consoleState.cursorRestorePending = false;
}

void StartKeyboard() {
    consoleState.keyboardHandle =
        CreateFileA("CONIN$", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    // Mode 0: no line editing, no echo, Ctrl+C an ordinary key.
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), 0);
}

} // namespace

void StartConsole() {
    StartScreen();
    StartKeyboard();
}
