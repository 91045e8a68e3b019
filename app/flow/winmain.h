// The application flow: one pass from window set-up to the final key press.
#pragma once

#include "app/model/answers.h"
#include "app/model/layout.h"
#include "windows_console.h"

// The only entry into the program's logic, called once by the process
// start-up. Only the instance handle is used. Returns the exit status.
int WINMAIN(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// What the run has on the screen once the results are shown.
struct ShownLayout {
    Answers answers;     // as typed and read
    LayoutResult layout; // computed from them
};

// WINMAIN's flow up to the final key: window, banner, questions and results.
// What the command line asked for besides (a plan) is delivered between this
// and the key, without changing the screen.
ShownLayout RunToResults(HINSTANCE instance);
