#include "platform/posix/console_model.h"

#include <algorithm>

ConsoleModel& TheConsole() {
    static ConsoleModel console;
    return console;
}

void ResetConsoleModel(int width, int height) {
    ConsoleModel& console = TheConsole();
    console = ConsoleModel{};
    console.width = std::max(1, width);
    console.height = std::max(1, height);
    console.cells.assign(CellCount(console.width, console.height), ScreenCell{' ', 7});
}

void ResizeConsoleBuffer(int width, int height) {
    ConsoleModel& console = TheConsole();
    width = std::clamp(width, 1, 9999);
    height = std::clamp(height, 1, 9999);
    std::vector<ScreenCell> cells(CellCount(width, height), ScreenCell{' ', console.textAttribute});
    for (int y = 0; y < std::min(height, console.height); ++y) {
        for (int x = 0; x < std::min(width, console.width); ++x) {
            cells[CellIndex(width, x, y)] = CellAt(console, x, y);
        }
    }
    console.cells = std::move(cells);
    console.width = width;
    console.height = height;
    console.cursorX = std::min(console.cursorX, width - 1);
    console.cursorY = std::min(console.cursorY, height - 1);
    ++console.changes;
}

ScreenCell& CellAt(ConsoleModel& console, int x, int y) {
    return console.cells[CellIndex(console.width, x, y)];
}
