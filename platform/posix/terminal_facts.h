// Reads what terminal_style.h decides on: TERM's terminfo entry through
// ncurses' libtinfo, the colour variables and the character locale. Reading
// only: nothing is written to the terminal and its modes stay as they are.
#pragma once

#include "platform/terminal_text/terminal_style.h"

// TERM and what its terminfo entry says (lookup, colours, canPlaceCursor),
// nothing else: no locale is put in force. fd as below.
TerminalFacts ReadTerminfoEntry(int fd);

// Also puts the character locale in force (setlocale(LC_CTYPE, "")) when its
// name does not already say UTF-8 (CodesetNamesUtf8). fd is the terminal, which
// terminfo may ask for its size.
TerminalFacts ReadTerminalFacts(int fd);
