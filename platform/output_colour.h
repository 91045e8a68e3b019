// Whether standard output is a screen that shows colour sequences, asked once
// by the run that prints its results there without taking the terminal.
#pragma once

// True for a terminal whose terminfo entry (POSIX: TERM's) has eight colours or
// more, or a Windows console with virtual terminal processing on; false for a
// terminal without colours or without an entry, a file, a pipe or /dev/null.
// NO_COLOR is the program's own decision, not the platform's.
bool StandardOutputTakesColour();
