// The application flow: one pass from window set-up to the final key press.
#pragma once

#include "windows_console.h"

// The only entry into the program's logic, called once by the process
// start-up. Only the instance handle is used. Returns the exit status.
int WINMAIN(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// Prepares the console window through the add-on, clears it to white and hides the cursor.
void SetUpConsoleWindow(HINSTANCE instance);

// A blank row, the title, a credit row, a web-address row and three blank rows.
void ShowBanner();
