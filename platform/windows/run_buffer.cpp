#include "run_buffer.h"

#include "addon_window.h"
#include "windows_console.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

HANDLE userBuffer = INVALID_HANDLE_VALUE; // what CONOUT$ opened before the run
HANDLE runBuffer = INVALID_HANDLE_VALUE;
HANDLE userOutput = nullptr; // the standard handles as found
HANDLE userError = nullptr;

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetConsoleMode(handle, &mode) != FALSE;
}

// The run's screen, as many rows as its buffer has, 80 cells each when set up.
struct FinalScreen {
    COORD size{};
    std::vector<CHAR_INFO> cells;
};

FinalScreen ReadFinalScreen() {
    FinalScreen screen;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(runBuffer, &info) == FALSE || info.dwSize.X <= 0 ||
        info.dwSize.Y <= 0) {
        return screen;
    }
    screen.size = info.dwSize;
    screen.cells.resize(static_cast<std::size_t>(info.dwSize.X) *
                        static_cast<std::size_t>(info.dwSize.Y));
    SMALL_RECT region{0, 0, static_cast<SHORT>(info.dwSize.X - 1),
                      static_cast<SHORT>(info.dwSize.Y - 1)};
    if (ReadConsoleOutputA(runBuffer, screen.cells.data(), screen.size, COORD{0, 0}, &region) ==
        FALSE) {
        screen.cells.clear();
    }
    return screen;
}

// Rows down to the last that holds text: blank rows below it would only push
// the shell's prompt further down.
SHORT RowsUsed(const FinalScreen& screen) {
    const auto width = static_cast<std::size_t>(screen.size.X);
    std::size_t rows = screen.cells.size() / width;
    const auto blank = [](const CHAR_INFO& cell) { return cell.Char.AsciiChar == ' '; };
    while (rows > 0 &&
           std::all_of(screen.cells.begin() + static_cast<std::ptrdiff_t>((rows - 1) * width),
                       screen.cells.begin() + static_cast<std::ptrdiff_t>(rows * width), blank)) {
        --rows;
    }
    return static_cast<SHORT>(rows);
}

// New lines below the user's cursor, made as any program's output makes them:
// the buffer scrolls, and the oldest lines go only when it is full, as always.
// Returns the first of them; the cursor ends below the last.
SHORT MakeRoom(HANDLE output, SHORT rows) {
    DWORD mode = 0;
    GetConsoleMode(output, &mode);
    SetConsoleMode(output, ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(output, &info);
    std::string lines(static_cast<std::size_t>(rows) + (info.dwCursorPosition.X > 0 ? 1 : 0), '\n');
    DWORD written = 0;
    WriteConsoleA(output, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    GetConsoleScreenBufferInfo(output, &info);
    SetConsoleMode(output, mode);
    return static_cast<SHORT>(info.dwCursorPosition.Y - rows);
}

void WriteFinalScreen(HANDLE output, const FinalScreen& screen) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (screen.cells.empty() || GetConsoleScreenBufferInfo(output, &info) == FALSE) {
        return;
    }
    // A buffer lower than the screen takes its last rows, one narrower its left columns.
    const SHORT used = RowsUsed(screen);
    const SHORT rows = std::min<SHORT>(used, static_cast<SHORT>(info.dwSize.Y - 1));
    const SHORT columns = std::min(screen.size.X, info.dwSize.X);
    if (rows <= 0 || columns <= 0) {
        return;
    }
    const SHORT top = MakeRoom(output, rows);
    if (top < 0) {
        return;
    }
    SMALL_RECT region{0, top, static_cast<SHORT>(columns - 1), static_cast<SHORT>(top + rows - 1)};
    WriteConsoleOutputA(output, screen.cells.data(), screen.size,
                        COORD{0, static_cast<SHORT>(used - rows)}, &region);
}

} // namespace

bool OpenRunBuffer() {
    if (runBuffer != INVALID_HANDLE_VALUE) {
        return true;
    }
    userBuffer = OpenConsoleOutput();
    runBuffer =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (userBuffer == INVALID_HANDLE_VALUE || runBuffer == INVALID_HANDLE_VALUE ||
        SetConsoleActiveScreenBuffer(runBuffer) == FALSE) {
        if (runBuffer != INVALID_HANDLE_VALUE) {
            CloseHandle(runBuffer);
        }
        if (userBuffer != INVALID_HANDLE_VALUE) {
            CloseHandle(userBuffer);
        }
        runBuffer = userBuffer = INVALID_HANDLE_VALUE;
        return false;
    }
    userOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    userError = GetStdHandle(STD_ERROR_HANDLE);
    if (IsConsole(userOutput)) {
        SetStdHandle(STD_OUTPUT_HANDLE, runBuffer);
    }
    if (IsConsole(userError)) {
        SetStdHandle(STD_ERROR_HANDLE, runBuffer);
    }
    return true;
}

void CloseRunBuffer() {
    if (runBuffer == INVALID_HANDLE_VALUE) {
        return;
    }
    const FinalScreen screen = ReadFinalScreen();
    SetConsoleActiveScreenBuffer(userBuffer);
    SetStdHandle(STD_OUTPUT_HANDLE, userOutput);
    SetStdHandle(STD_ERROR_HANDLE, userError);
    CloseHandle(runBuffer);
    runBuffer = INVALID_HANDLE_VALUE;
    WriteFinalScreen(userBuffer, screen);
    CloseHandle(userBuffer);
    userBuffer = INVALID_HANDLE_VALUE;
}
