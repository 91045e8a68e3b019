#include "platform/posix/console_backend.h"

#include "platform/posix/terminal.h"

#include <algorithm>
#include <string>
#include <unistd.h>

ConsoleBackend& TheConsoleBackend() {
    static ConsoleBackend backend = TerminalConsoleBackend();
    return backend;
}

ConsoleBackend TerminalConsoleBackend() {
    return {
        .outputIsScreen = [] { return isatty(STDOUT_FILENO) != 0; },
        .look =
            [] {
                PresentScreen();
                PumpTerminalInput();
            },
        .await = WaitForTerminal,
        .sleep =
            [](DWORD ms) { SleepOnTerminal(static_cast<int>(std::min<DWORD>(ms, 1000000000))); },
        .beep = RingTerminalBell,
        // The terminal has no window for the add-on to shape; its message box is shown.
        .addOnCalled = [](std::string_view, std::initializer_list<long>,
                          std::initializer_list<std::string_view>) {},
        .messageBox =
            [](std::string_view title, std::string_view text) {
                ShowTerminalMessageBox(std::string(title), std::string(text));
            },
    };
}
