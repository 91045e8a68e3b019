// The terminfo header of the macOS SDK (ncurses 5.7), cut down to what the terminal facts call,
// for the macOS cross build (Zig carries no curses headers) and a build check on Linux: its
// functions take `char*` where newer ncurses takes `const char*`, and code that passes c_str()
// or a literal does not compile there.
#pragma once

typedef struct term TERMINAL;

extern "C" {
extern TERMINAL* cur_term;
int setupterm(char* term, int fd, int* error);
int tigetflag(char* name);
int tigetnum(char* name);
char* tigetstr(char* name);
int del_curterm(TERMINAL* terminal);
}
