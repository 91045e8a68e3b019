// The console is handed back as it was found, as a terminal is on POSIX. The
// program's bytes are code page 437 (the box frame, accented letters typed and
// echoed), but a console may be set to 850 or 65001, so code page 437 is held
// for the run; the cursor the run hides and the colours it sets would
// otherwise stay with the shell that started it.
#pragma once

// Notes the console's code pages, cursor and text colours, sets code page 437
// for input and output, and arranges the hand-back at exit, on Ctrl+Break and
// when the console window is closed. False, and nothing done, when the process
// has no console (started detached, or by a service).
bool HoldConsoleForTheRun();

// Gives the code pages, cursor and text colours back; safe to call more than once.
void GiveConsoleBack();
