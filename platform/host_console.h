// The console the process was started from, taken for the run and given back
// at its end: on POSIX the terminal, shown the emulated console; on Windows
// the console window. Each side implements the pair in its own folder.
#pragma once

#include <string>

// Takes the console for the run. Empty when taken; otherwise nothing was
// changed and the text says why in one line, without the program's name or a
// newline: "no console to run in; start it from a console window".
std::string TakeHostConsole();

// Gives the console back as it was found; safe to call more than once.
void GiveHostConsoleBack();

// Called once the console layer has set its input mode, which makes Ctrl+C an
// ordinary key: Ctrl+C ends the run instead, as on a terminal, whose interrupt
// keys the emulated console keeps anyway.
void KeepInterruptKeys();
