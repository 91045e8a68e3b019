// The application flow: one pass from window set-up to the final key press.
#pragma once

#include "app/command_line.h"
#include "windows_console.h"

// The only entry into the program's logic, called once by the process
// start-up. Only the instance handle is used. Returns the exit status.
int WINMAIN(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// WINMAIN's flow with what the command line asked for: the plan is delivered
// once the results are on the screen, before the final key, and nothing on the
// screen changes for it. Returns the status and the texts that the start-up
// writes once the terminal is handed back (a plan for "-", a file that could
// not be written, with status 1).
CommandLineOutcome RunInteractive(const CommandLineOutcome& command, HINSTANCE instance);

// Prepares the console window through the add-on, clears it to white and hides the cursor.
void SetUpConsoleWindow(HINSTANCE instance);

// A blank row, the title, a credit row, a web-address row and three blank rows.
void ShowBanner();
