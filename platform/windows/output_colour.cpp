#include "platform/output_colour.h"

#include "windows_console.h"

bool StandardOutputTakesColour() {
    // Only a console that already reads escape sequences: turning it on here
    // would change the console for whatever runs in it after us.
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0 &&
           (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}
