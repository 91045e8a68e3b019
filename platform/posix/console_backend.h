// Where the emulated console is shown and typed into. The program has one such
// place, the controlling terminal; a test puts a console without a terminal in
// its place, to push keys and read cells back.
#pragma once

#include "windows_console.h"

#include <initializer_list>
#include <string_view>

struct ConsoleBackend {
    // Whether standard output shows the console, rather than a file or a pipe.
    bool (*outputIsScreen)();
    // Shows the last frame and takes what was typed into the input queue, without waiting.
    void (*look)();
    // Waits until more input may have come; false when none ever can, which fails the read.
    bool (*await)();
    // The emulated Sleep.
    void (*sleep)(DWORD ms);
    // MessageBeep.
    void (*beep)();
    // An add-on operation was called, with its number and text arguments in order.
    void (*addOnCalled)(std::string_view name, std::initializer_list<long> numbers,
                        std::initializer_list<std::string_view> texts);
    // The add-on's modal message box, until it is dismissed.
    void (*messageBox)(std::string_view title, std::string_view text);
};

// The backend in use: the terminal's unless a test put another in its place.
ConsoleBackend& TheConsoleBackend();

// The controlling terminal (terminal.h) as the console's backend.
ConsoleBackend TerminalConsoleBackend();
