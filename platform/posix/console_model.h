// The one process-wide emulated console: a screen buffer of cells, a cursor, the
// current text attribute, an input queue and the modes. Every console function
// works on this model; the terminal only ever shows it.
#pragma once

#include "platform/screen_cells.h"
#include "windows_console.h"

#include <deque>
#include <string>
#include <vector>

struct ConsoleModel {
    int width = 80;                 // buffer columns
    int height = 25;                // buffer rows
    std::vector<ScreenCell> cells;  // width * height, row by row
    int cursorX = 0;                // 0-based column
    int cursorY = 0;                // 0-based row
    DWORD cursorSize = 25;          // percent of the cell height
    bool cursorVisible = true;      // whether the cursor shows
    WORD textAttribute = 7;         // attribute of new text and fills
    DWORD outputMode = 3;           // console output mode
    DWORD inputMode = 7;            // console input mode
    std::deque<INPUT_RECORD> input; // records not yet read
    std::string title;              // window title, code page 437
    unsigned long changes = 0;      // counts every change the terminal must show
};

ConsoleModel& TheConsole();

// A fresh model of the given size: blank cells in attribute 7, cursor at the top left.
void ResetConsoleModel(int width, int height);

// Changes the buffer's size, keeping the cells that still fit.
void ResizeConsoleBuffer(int width, int height);

ScreenCell& CellAt(ConsoleModel& console, int x, int y);

// Handles the platform gives out. Standard output is a console handle only
// when it is a terminal; the keyboard handle always stands for the terminal.
inline HANDLE const kScreenHandle = reinterpret_cast<HANDLE>(0x10);
inline HANDLE const kKeyboardHandle = reinterpret_cast<HANDLE>(0x20);
inline HANDLE const kFileHandle = reinterpret_cast<HANDLE>(0x30);
