// Starts a program in this console as a shell would, sharing the console, and
// checks that it hands the console back whole: hand_back_probe PROGRAM [ARG...].
// Code pages 850 (as in much of Europe), a shell's input and output modes
// (escape sequences on, as PowerShell keeps them) and a title of its own are set
// first. It waits for the program and exits with its status; or with status 3
// when the code pages, cursor, colours, modes, title or buffer size did not come
// back, a line of the buffer was lost, or a run that ended with status 0 left
// no results in the buffer.
// What it saw goes to standard error, one line per property, before and after.
// The end-to-end tests start orvane.exe through it.
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
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    GetConsoleScreenBufferInfo(output, &screen);
    std::string row(static_cast<std::size_t>(screen.dwSize.X), ' ');
    for (SHORT y = 0; y < cursorRow; ++y) {
        DWORD read = 0;
        ReadConsoleOutputCharacterA(output, row.data(), static_cast<DWORD>(row.size()), COORD{0, y},
                                    &read);
        if (row.find(kResultsLine) != std::string::npos) {
            return true;
        }
    }
    return false;
}

BOOL WINAPI KeepWaiting(DWORD) {
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: hand_back_probe PROGRAM [ARG...]\n", stderr);
        return 2;
    }
    const HANDLE input = Open("CONIN$");
    const HANDLE output = Open("CONOUT$");
    SetConsoleCP(kCodePage850);
    SetConsoleOutputCP(kCodePage850);
    SetConsoleMode(input, kShellInputMode);
    if (SetConsoleMode(output, kShellOutputMode) == FALSE) {
        SetConsoleMode(output, ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT);
    }
    SetConsoleTitleW(kShellTitle);
    // A shell's scrollback, wider than the program's screen, its last row marked.
    SetConsoleScreenBufferSize(output, kShellBuffer);
    DWORD written = 0;
    WriteConsoleOutputCharacterA(output, kLastRowText, sizeof kLastRowText - 1,
                                 COORD{0, static_cast<SHORT>(kShellBuffer.Y - 1)}, &written);
    // As cmd does while it waits: Ctrl+C is the program's to answer. (A null
    // handler would be inherited, and the program would never see Ctrl+C.)
    SetConsoleCtrlHandler(KeepWaiting, TRUE);
    const ConsoleLook before = Look(input, output);

    std::string commandLine = std::string("\"") + argv[1] + "\"";
    for (int i = 2; i < argc; ++i) {
        commandLine += std::string(" \"") + argv[i] + "\"";
    }
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
    const bool resultsWanted = status == 0;
    const bool resultsShown = ResultsVisible(output, after.cursorRow);
    std::fprintf(stderr, "status %#lx, results %s\n", static_cast<unsigned long>(status),
                 resultsShown ? "visible" : "not visible");
    if (!handedBack || (resultsWanted && !resultsShown)) {
        return kNotHandedBack;
    }
    return static_cast<int>(status);
}
