// Writing cells, wrapping and scrolling. Buffer size and cursor are asked of
// the console every time, never kept, so a resize takes effect at once.
#include "console/console.h"
#include "console/console_state.h"

#include <vector>

namespace {

struct BufferView {
    int width;   // W
    int height;  // H
    int cursorX; // 0-based
    int cursorY; // 0-based
};

BufferView ReadBuffer() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(consoleState.outputHandle, &info);
    return {info.dwSize.X, info.dwSize.Y, info.dwCursorPosition.X, info.dwCursorPosition.Y};
}

WORD CurrentAttribute() {
    return static_cast<WORD>(consoleState.background * 16 + consoleState.foreground);
}

void MoveCursor(int x, int y) {
    SetConsoleCursorPosition(consoleState.outputHandle,
                             COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)});
}

void ScrollUpOneRow() {
    const BufferView buffer = ReadBuffer();
    const SMALL_RECT rows{0, 1, static_cast<SHORT>(buffer.width - 1),
                          static_cast<SHORT>(buffer.height - 1)};
    CHAR_INFO fill{};
    fill.Char.AsciiChar = ' ';
    fill.Attributes = CurrentAttribute();
    ScrollConsoleScreenBufferA(consoleState.outputHandle, &rows, nullptr, COORD{0, 0}, &fill);
}

} // namespace

void WriteCells(std::string_view text) {
    if (text.empty()) {
        return;
    }
    const WORD attribute = CurrentAttribute();
    BufferView buffer = ReadBuffer();
    // A console that answers with no size has no cells to write into.
    if (buffer.width <= 0 || buffer.height <= 0) {
        return;
    }
    int x = buffer.cursorX;
    int y = buffer.cursorY;
    std::vector<CHAR_INFO> row(static_cast<std::size_t>(buffer.width));
    while (!text.empty()) {
        if (consoleState.pendingScroll) {
            consoleState.pendingScroll = false;
            ScrollUpOneRow();
        }
        const std::size_t count = std::min(text.size(), static_cast<std::size_t>(buffer.width - x));
        for (std::size_t i = 0; i < count; ++i) {
            row[i].Char.AsciiChar = text[i];
            row[i].Attributes = attribute;
        }
        SMALL_RECT region{static_cast<SHORT>(x), static_cast<SHORT>(y),
                          static_cast<SHORT>(x + static_cast<int>(count) - 1),
                          static_cast<SHORT>(y)};
        WriteConsoleOutputA(consoleState.outputHandle, row.data(),
                            COORD{static_cast<SHORT>(count), 1}, COORD{0, 0}, &region);
        text.remove_prefix(count);
        x += static_cast<int>(count);
        if (x >= buffer.width) {
            x = 0;
            if (y == buffer.height - 1) {
                consoleState.pendingScroll = true;
            } else {
                ++y;
            }
        }
    }
    MoveCursor(x, y);
}

void PrintText(std::string_view text) {
    WriteCells(text);
}

void NewLine() {
    const BufferView buffer = ReadBuffer();
    if (buffer.cursorY < buffer.height - 1) {
        MoveCursor(0, buffer.cursorY + 1);
        return;
    }
    const bool scrollDue = consoleState.pendingScroll;
    consoleState.pendingScroll = false;
    if (scrollDue) {
        ScrollUpOneRow();
    }
    ScrollUpOneRow();
    MoveCursor(0, buffer.height - 1);
}

void Locate(int row, int column) {
    const BufferView buffer = ReadBuffer();
    if (column < 1 || column > buffer.width) {
        column = buffer.cursorX + 1;
    }
    if (row < 1 || row > buffer.height) {
        row = buffer.cursorY + 1;
    }
    MoveCursor(column - 1, row - 1);
    consoleState.pendingScroll = false;
}

int CursorRow() {
    return ReadBuffer().cursorY + 1;
}

void SetColor(int foreground, int background, int count) {
    if (static_cast<unsigned>(foreground) < 16) {
        consoleState.foreground = foreground;
    }
    if (static_cast<unsigned>(background) < 16) {
        consoleState.background = background;
    }
    const WORD attribute = CurrentAttribute();
    SetConsoleTextAttribute(consoleState.outputHandle, attribute);
    if (count > 0) {
        const BufferView buffer = ReadBuffer();
        DWORD written = 0;
        FillConsoleOutputAttribute(
            consoleState.outputHandle, attribute, static_cast<DWORD>(count),
            COORD{static_cast<SHORT>(buffer.cursorX), static_cast<SHORT>(buffer.cursorY)},
            &written);
    }
}

void ClearScreen() {
    HideCursorForDuration();
    const BufferView buffer = ReadBuffer();
    const DWORD cells = static_cast<DWORD>(
        buffer.width > 0 && buffer.height > 0 ? buffer.width * buffer.height : 0);
    DWORD written = 0;
    FillConsoleOutputCharacterA(consoleState.outputHandle, ' ', cells, COORD{0, 0}, &written);
    FillConsoleOutputAttribute(consoleState.outputHandle, CurrentAttribute(), cells, COORD{0, 0},
                               &written);
    Locate(1, 1);
    PutCursorBack();
}
