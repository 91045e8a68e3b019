// The console window as the run finds it on the screen: set up through the
// add-on, then the banner above the questions.
#pragma once

#include "windows_console.h"

// Prepares the console window through the add-on, clears it to white and hides the cursor.
void SetUpConsoleWindow(HINSTANCE instance);

// A blank row, the title, a credit row, a web-address row and three blank rows.
void ShowBanner();
