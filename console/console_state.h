// The console layer's own record of what it set, kept between calls.
#pragma once

#include "windows_console.h"

// The one process-wide record of the console layer.
struct ConsoleState {
    HANDLE outputHandle = nullptr;     // the screen buffer all output goes to
    int foreground = 7;                // current text colour 0..15
    int background = 0;                // current background colour 0..15
    bool pendingScroll = false;        // the bottom-right cell was filled; its scroll is still due
    int cursorSize = 25;               // cursor size in percent of the cell, when shown
    bool cursorVisible = true;         // whether the cursor is to be shown
    bool cursorRestorePending = false; // an operation changed the cursor for its own duration
    HANDLE keyboardHandle = nullptr;   // the console's input buffer ("CONIN$")
};

extern ConsoleState consoleState;
