// The cursor as the program sets it, and the temporary state an operation
// gives it for its own duration (hidden while clearing, shown while typing).
#include "console/console.h"
#include "console/console_state.h"

#include <algorithm>

namespace {

void GiveCursor(bool visible) {
    const CONSOLE_CURSOR_INFO cursor{static_cast<DWORD>(consoleState.cursorSize),
                                     visible ? TRUE : FALSE};
    SetConsoleCursorInfo(consoleState.outputHandle, &cursor);
}

} // namespace

void SetCursor(int n) {
    if (n == 0) {
        consoleState.cursorVisible = false;
    } else if (n < 0) {
        consoleState.cursorVisible = true;
    } else {
        consoleState.cursorSize = std::clamp(n, 10, 99);
        consoleState.cursorVisible = true;
    }
    GiveCursor(consoleState.cursorVisible);
}

void HideCursorForDuration() {
    if (consoleState.cursorVisible) {
        GiveCursor(false);
        consoleState.cursorRestorePending = true;
    }
}

void ShowCursorForDuration() {
    if (!consoleState.cursorVisible) {
        GiveCursor(true);
        consoleState.cursorRestorePending = true;
    }
}

void PutCursorBack() {
    if (consoleState.cursorRestorePending) {
        GiveCursor(consoleState.cursorVisible);
        consoleState.cursorRestorePending = false;
    }
}
