// Starts a program in this console as a shell would, with code pages 850 set
// first (as in much of Europe), waits for it and exits with its status; or
// with status 3 when the console's code pages, cursor or text colours did not
// come back as they were. The end-to-end tests start orvane.exe through it.
#include "windows_console.h"

#include <cstdio>
#include <string>

namespace {

constexpr UINT kCodePage850 = 850;
constexpr int kNotHandedBack = 3;

// What a program must leave as it found it.
struct ConsoleLook {
    UINT inputCodePage;
    UINT outputCodePage;
    CONSOLE_CURSOR_INFO cursor;
    WORD textAttribute;
};

ConsoleLook Look(HANDLE output) {
    ConsoleLook look{GetConsoleCP(), GetConsoleOutputCP(), {}, 0};
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    GetConsoleCursorInfo(output, &look.cursor);
    GetConsoleScreenBufferInfo(output, &screen);
    look.textAttribute = screen.wAttributes;
    return look;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: hand_back_probe PROGRAM\n", stderr);
        return 2;
    }
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    SetConsoleCP(kCodePage850);
    SetConsoleOutputCP(kCodePage850);
    const ConsoleLook before = Look(output);

    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == FALSE) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const ConsoleLook after = Look(output);
    if (after.inputCodePage != before.inputCodePage ||
        after.outputCodePage != before.outputCodePage ||
        after.cursor.bVisible != before.cursor.bVisible ||
        after.cursor.dwSize != before.cursor.dwSize ||
        after.textAttribute != before.textAttribute) {
        std::fprintf(stderr,
                     "not handed back: code pages %u/%u (were %u/%u), cursor %d (was %d), "
                     "colours %#x (were %#x)\n",
                     after.inputCodePage, after.outputCodePage, before.inputCodePage,
                     before.outputCodePage, after.cursor.bVisible, before.cursor.bVisible,
                     after.textAttribute, before.textAttribute);
        return kNotHandedBack;
    }
    std::fprintf(stderr, "handed back: code pages %u/%u\n", after.inputCodePage,
                 after.outputCodePage);
    return static_cast<int>(status);
}
