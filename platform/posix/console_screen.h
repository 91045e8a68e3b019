// The emulated console's buffer and cursor as the terminal side takes them.
#pragma once

#include "platform/posix/console_model.h"
#include "platform/terminal_text/frame.h"

// A view of console, valid while console is unchanged.
inline ScreenContent ContentOf(const ConsoleModel& console) {
    return {console.width,   console.height,        console.cells, console.cursorX,
            console.cursorY, console.cursorVisible, console.title};
}
