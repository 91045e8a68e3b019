// A fresh headless console of a given size with the console layer started on it.
#pragma once

#include "console/console.h"
#include "tests/headless/headless_console.h"

#include <gtest/gtest.h>

#include <string>

struct Position {
    int row;    // 1-based
    int column; // 1-based
    bool operator==(const Position&) const = default;
};

inline void StartTestConsole(int width, int height) {
    StartHeadlessConsole(width, height);
    StartConsole();
}

inline Position CursorAt() {
    const ConsoleModel& console = HeadlessConsole();
    return {console.cursorY + 1, console.cursorX + 1};
}

// Row r (1-based) as text.
inline std::string Row(int row) {
    return ScreenRow(row - 1);
}

inline WORD AttributeAt(int row, int column) {
    return CellAt(HeadlessConsole(), column - 1, row - 1).attribute;
}

inline void PrintTo(const Position& p, std::ostream* os) {
    *os << "row " << p.row << ", column " << p.column;
}
