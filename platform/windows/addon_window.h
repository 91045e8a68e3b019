// The console window that the add-on decorates and the screen buffer it sizes.
#pragma once

#include "windows_console.h"

// The console's window when it was made for this process alone and is shown.
// NULL in Windows Terminal and other pseudo-consoles (their window is hidden),
// over SSH, under Wine without a display, and when the console is the shell's
// that started us: its icon, window menu and place would outlive our run.
HWND OwnConsoleWindow();

// The screen buffer the console shows, even when standard output is redirected.
// INVALID_HANDLE_VALUE without a console; the caller closes it.
HANDLE OpenConsoleOutput();

// Buffer and window both columns x rows, so no scroll bars show.
void SizeConsole(int columns, int rows);

// Moves the window to x, y on its monitor's work area; 32767 on an axis centres it there.
void PlaceConsoleWindow(HWND window, int x, int y);
