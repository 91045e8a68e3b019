// The screen side of the console functions, over the emulated console.
#include "platform/posix/console_model.h"
#include "windows_console.h"

#include <algorithm>

namespace {

bool IsScreen(HANDLE handle) {
    return handle == kScreenHandle;
}

bool Inside(const ConsoleModel& console, COORD at) {
    return at.X >= 0 && at.Y >= 0 && at.X < console.width && at.Y < console.height;
}

} // namespace

BOOL GetConsoleScreenBufferInfo(HANDLE hConsoleOutput, CONSOLE_SCREEN_BUFFER_INFO* info) {
    if (!IsScreen(hConsoleOutput) || info == nullptr) {
        return FALSE;
    }
    const ConsoleModel& console = TheConsole();
    info->dwSize = {static_cast<SHORT>(console.width), static_cast<SHORT>(console.height)};
    info->dwCursorPosition = {static_cast<SHORT>(console.cursorX),
                              static_cast<SHORT>(console.cursorY)};
    info->wAttributes = console.textAttribute;
    info->srWindow = {0, 0, static_cast<SHORT>(console.width - 1),
                      static_cast<SHORT>(console.height - 1)};
    info->dwMaximumWindowSize = info->dwSize;
    return TRUE;
}

BOOL WriteConsoleOutputA(HANDLE hConsoleOutput, const CHAR_INFO* lpBuffer, COORD dwBufferSize,
                         COORD dwBufferCoord, SMALL_RECT* lpWriteRegion) {
    if (!IsScreen(hConsoleOutput) || lpBuffer == nullptr || lpWriteRegion == nullptr ||
        dwBufferCoord.X < 0 || dwBufferCoord.Y < 0) {
        return FALSE;
    }
    ConsoleModel& console = TheConsole();
    SMALL_RECT& region = *lpWriteRegion;
    // The block is clipped by the buffer and by what the source holds; the
    // source is read from dwBufferCoord on, shifted by any clipping at the left or top.
    const int left = std::max<int>(region.Left, 0);
    const int top = std::max<int>(region.Top, 0);
    const int right = std::min({static_cast<int>(region.Right), console.width - 1,
                                region.Left + dwBufferSize.X - dwBufferCoord.X - 1});
    const int bottom = std::min({static_cast<int>(region.Bottom), console.height - 1,
                                 region.Top + dwBufferSize.Y - dwBufferCoord.Y - 1});
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const int sourceX = dwBufferCoord.X + (x - region.Left);
            const int sourceY = dwBufferCoord.Y + (y - region.Top);
            const CHAR_INFO& source = lpBuffer[sourceY * dwBufferSize.X + sourceX];
            CellAt(console, x, y) = {static_cast<unsigned char>(source.Char.AsciiChar),
                                     source.Attributes};
        }
    }
    region = {static_cast<SHORT>(left), static_cast<SHORT>(top), static_cast<SHORT>(right),
              static_cast<SHORT>(bottom)};
    ++console.changes;
    return TRUE;
}

BOOL ScrollConsoleScreenBufferA(HANDLE hConsoleOutput, const SMALL_RECT* lpScrollRectangle,
                                const SMALL_RECT* lpClipRectangle, COORD dwDestinationOrigin,
                                const CHAR_INFO* lpFill) {
    if (!IsScreen(hConsoleOutput) || lpScrollRectangle == nullptr || lpFill == nullptr) {
        return FALSE;
    }
    ConsoleModel& console = TheConsole();
    const SMALL_RECT& scroll = *lpScrollRectangle;
    const int dx = dwDestinationOrigin.X - scroll.Left;
    const int dy = dwDestinationOrigin.Y - scroll.Top;
    int clipLeft = 0, clipTop = 0, clipRight = console.width - 1, clipBottom = console.height - 1;
    if (lpClipRectangle != nullptr) {
        clipLeft = std::max<int>(clipLeft, lpClipRectangle->Left);
        clipTop = std::max<int>(clipTop, lpClipRectangle->Top);
        clipRight = std::min<int>(clipRight, lpClipRectangle->Right);
        clipBottom = std::min<int>(clipBottom, lpClipRectangle->Bottom);
    }
    const int left = std::max<int>(scroll.Left, 0);
    const int top = std::max<int>(scroll.Top, 0);
    const int right = std::min<int>(scroll.Right, console.width - 1);
    const int bottom = std::min<int>(scroll.Bottom, console.height - 1);
    if (left > right || top > bottom) {
        return FALSE;
    }
    const std::vector<ScreenCell> before = console.cells;
    auto clipped = [&](int x, int y) {
        return x >= clipLeft && x <= clipRight && y >= clipTop && y <= clipBottom;
    };
    // Vacated source cells take the fill; then the moved cells land on top.
    const ScreenCell fill{static_cast<unsigned char>(lpFill->Char.AsciiChar), lpFill->Attributes};
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (clipped(x, y)) {
                CellAt(console, x, y) = fill;
            }
        }
    }
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (clipped(x + dx, y + dy)) {
                CellAt(console, x + dx, y + dy) = before[CellIndex(console.width, x, y)];
            }
        }
    }
    ++console.changes;
    return TRUE;
}

namespace {

template <typename Apply>
BOOL FillCells(HANDLE handle, DWORD length, COORD at, LPDWORD written, Apply apply) {
    ConsoleModel& console = TheConsole();
    if (!IsScreen(handle) || !Inside(console, at)) {
        if (written != nullptr) {
            *written = 0;
        }
        return FALSE;
    }
    const std::size_t start = CellIndex(console.width, at.X, at.Y);
    const std::size_t count = std::min<std::size_t>(length, console.cells.size() - start);
    for (std::size_t i = 0; i < count; ++i) {
        apply(console.cells[start + i]);
    }
    if (written != nullptr) {
        *written = static_cast<DWORD>(count);
    }
    ++console.changes;
    return TRUE;
}

} // namespace

BOOL FillConsoleOutputCharacterA(HANDLE hConsoleOutput, CHAR cCharacter, DWORD nLength,
                                 COORD dwWriteCoord, LPDWORD lpNumberOfCharsWritten) {
    return FillCells(
        hConsoleOutput, nLength, dwWriteCoord, lpNumberOfCharsWritten,
        [&](ScreenCell& cell) { cell.character = static_cast<unsigned char>(cCharacter); });
}

BOOL FillConsoleOutputAttribute(HANDLE hConsoleOutput, WORD wAttribute, DWORD nLength,
                                COORD dwWriteCoord, LPDWORD lpNumberOfAttrsWritten) {
    return FillCells(hConsoleOutput, nLength, dwWriteCoord, lpNumberOfAttrsWritten,
                     [&](ScreenCell& cell) { cell.attribute = wAttribute; });
}

BOOL SetConsoleTextAttribute(HANDLE hConsoleOutput, WORD wAttributes) {
    if (!IsScreen(hConsoleOutput)) {
        return FALSE;
    }
    TheConsole().textAttribute = wAttributes;
    return TRUE;
}

BOOL SetConsoleCursorPosition(HANDLE hConsoleOutput, COORD dwCursorPosition) {
    ConsoleModel& console = TheConsole();
    if (!IsScreen(hConsoleOutput) || !Inside(console, dwCursorPosition)) {
        return FALSE;
    }
    console.cursorX = dwCursorPosition.X;
    console.cursorY = dwCursorPosition.Y;
    ++console.changes;
    return TRUE;
}

BOOL GetConsoleCursorInfo(HANDLE hConsoleOutput, CONSOLE_CURSOR_INFO* lpConsoleCursorInfo) {
    if (!IsScreen(hConsoleOutput) || lpConsoleCursorInfo == nullptr) {
        return FALSE;
    }
    lpConsoleCursorInfo->dwSize = TheConsole().cursorSize;
    lpConsoleCursorInfo->bVisible = TheConsole().cursorVisible ? TRUE : FALSE;
    return TRUE;
}

BOOL SetConsoleCursorInfo(HANDLE hConsoleOutput, const CONSOLE_CURSOR_INFO* lpConsoleCursorInfo) {
    if (!IsScreen(hConsoleOutput) || lpConsoleCursorInfo == nullptr ||
        lpConsoleCursorInfo->dwSize < 1 || lpConsoleCursorInfo->dwSize > 100) {
        return FALSE;
    }
    ConsoleModel& console = TheConsole();
    console.cursorSize = lpConsoleCursorInfo->dwSize;
    console.cursorVisible = lpConsoleCursorInfo->bVisible != FALSE;
    ++console.changes;
    return TRUE;
}
