// The process start-up that every system's entry calls (app/posix, app/windows)
// once it has the arguments as UTF-8 text.
#pragma once

// Reads the command line, argv[0] being the program's name, and runs what it
// asks for; returns the exit status.
int StartProgram(int argc, const char* const argv[]);
