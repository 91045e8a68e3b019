// Reads what terminal_style.h decides on: TERM's terminfo entry through
// ncurses' libtinfo, the colour variables and the character locale. Reading
// only: nothing is written to the terminal and its modes stay as they are.
#pragma once

#include "platform/terminal_text/terminal_style.h"

// Also puts the character locale in force (setlocale(LC_CTYPE, "")). fd is
// the terminal, which terminfo may ask for its size.
TerminalFacts ReadTerminalFacts(int fd);
