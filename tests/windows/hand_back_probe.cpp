// Starts a program in this console as a shell would, sharing it, set up as a
// shell leaves it: code pages 850 (as in much of Europe), cmd's input mode,
// escape sequences on (as PowerShell keeps them), a title and a 120 x 300
// buffer with its last row marked. Exits with the program's status; or with 3
// when any of these, the cursor or the colours did not come back, or a run
// that ended with status 0 left no results in the buffer. Each property, before
// and after, goes to standard error. The end-to-end tests start orvane.exe so.
#include "windows_console.h"

#include <cstdio>
#include <string>

namespace {

constexpr UINT kCodePage850 = 850;
constexpr DWORD kShellInputMode = 0x1F7; // cmd's: line input, echo, quick edit, insert...
constexpr DWORD kShellOutputMode =
    ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;
constexpr wchar_t kShellTitle[] = L"Shell \u6771\u4eac";
constexpr COORD kShellBuffer{120, 300};
constexpr char kLastRowText[] = "scrollback";
constexpr char kResultsLine[] = "press any key to quit";
constexpr int kNotHandedBack = 3;

HANDLE Open(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

std::string RowText(HANDLE output, SHORT row) {
    std::string text(static_cast<std::size_t>(kShellBuffer.X), ' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterA(output, text.data(), static_cast<DWORD>(text.size()), COORD{0, row},
                                &read);
    text.resize(read);
    return text;
}

// What a program must leave as it found it, each as a line of text.
struct ConsoleLook {
    std::string lines[9];
    SHORT cursorRow;
};

constexpr const char* kNames[9] = {"code pages",  "cursor", "colours", "input mode", "output mode",
                                   "title bytes", "buffer", "window",  "last row"};

ConsoleLook Look(HANDLE input, HANDLE output) {
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    CONSOLE_CURSOR_INFO cursor{};
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    wchar_t title[256] = {};
    GetConsoleScreenBufferInfo(output, &screen);
    GetConsoleCursorInfo(output, &cursor);
    GetConsoleMode(input, &inputMode);
    GetConsoleMode(output, &outputMode);
    const DWORD titleLength = GetConsoleTitleW(title, 256);
    const SMALL_RECT& window = screen.srWindow;
    auto text = [](auto... values) { return ((std::to_string(values) + " ") + ...); };
    return {{text(GetConsoleCP(), GetConsoleOutputCP()), text(cursor.dwSize, cursor.bVisible),
             text(screen.wAttributes), text(inputMode), text(outputMode),
             text(titleLength, title[0], title[titleLength > 0 ? titleLength - 1 : 0]),
             text(screen.dwSize.X, screen.dwSize.Y),
             text(window.Right - window.Left + 1, window.Bottom - window.Top + 1),
             RowText(output, static_cast<SHORT>(kShellBuffer.Y - 1)).substr(0, 12)},
            screen.dwCursorPosition.Y};
}

// Whether a row above the cursor holds the results' closing line.
bool ResultsVisible(HANDLE output, SHORT cursorRow) {
    bool found = false;
    for (SHORT y = 0; y < cursorRow; ++y) {
        found = found || RowText(output, y).find(kResultsLine) != std::string::npos;
    }
    return found;
}

BOOL WINAPI KeepWaiting(DWORD) {
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: hand_back_probe PROGRAM\n", stderr);
        return 2;
    }
    const HANDLE input = Open("CONIN$");
    const HANDLE output = Open("CONOUT$");
    SetConsoleCP(kCodePage850);
    SetConsoleOutputCP(kCodePage850);
    SetConsoleMode(input, kShellInputMode);
    SetConsoleMode(output, kShellOutputMode);
    SetConsoleTitleW(kShellTitle);
    SetConsoleScreenBufferSize(output, kShellBuffer);
    DWORD written = 0;
    WriteConsoleOutputCharacterA(output, kLastRowText, sizeof kLastRowText - 1,
                                 COORD{0, static_cast<SHORT>(kShellBuffer.Y - 1)}, &written);
    // As cmd does while it waits: Ctrl+C is the program's to answer. (A null
    // handler would be inherited, and the program would never see Ctrl+C.)
    SetConsoleCtrlHandler(KeepWaiting, TRUE);
    const ConsoleLook before = Look(input, output);

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

    const ConsoleLook after = Look(input, output);
    bool handedBack = true;
    for (int i = 0; i < 9; ++i) {
        const bool same = before.lines[i] == after.lines[i];
        handedBack = handedBack && same;
        std::fprintf(stderr, "%-12s before %-16s after %-16s%s\n", kNames[i],
                     before.lines[i].c_str(), after.lines[i].c_str(), same ? "" : "CHANGED");
    }
    const bool resultsShown = ResultsVisible(output, after.cursorRow);
    std::fprintf(stderr, "status %#lx, results %s\n", static_cast<unsigned long>(status),
                 resultsShown ? "visible" : "not visible");
    return handedBack && (status != 0 || resultsShown) ? static_cast<int>(status) : kNotHandedBack;
}
