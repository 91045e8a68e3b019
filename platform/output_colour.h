// Whether standard output is a screen that shows colour sequences, asked once
// by the run that prints its results there without taking the terminal.
#pragma once

// True for a terminal (POSIX: not TERM=dumb, TERM set) or a Windows console
// with virtual terminal processing on; false for a file, a pipe or /dev/null.
// NO_COLOR is the program's own decision, not the platform's.
bool StandardOutputTakesColour();
