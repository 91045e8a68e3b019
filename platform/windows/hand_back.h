// The console is handed back as it was found, as a terminal is on POSIX. The
// program's bytes are code page 437 (the box frame, accented letters typed and
// echoed), but a console may be set to 850 or 65001, so code page 437 is held
// for the run; the cursor the run hides, the colours and modes it sets and the
// title it gives would otherwise stay with the shell that started it, and its
// 80 x 25 size would cut the shell's scrollback away (run_buffer.h).
#pragma once

// Notes the console's code pages, cursor, text colours, input and output modes
// and title, runs in a screen buffer of its own when the console is shared with
// the shell, sets code page 437 for input and output, and arranges the hand-back
// at exit, on Ctrl+C and Ctrl+Break (which then end the process with
// STATUS_CONTROL_C_EXIT) and when the console window is closed. False, and
// nothing done, when the process has no console (started detached, or by a service).
bool HoldConsoleForTheRun();

// Gives the screen buffer, code pages, cursor, text colours, modes and title
// back; safe to call more than once.
void GiveConsoleBack();
