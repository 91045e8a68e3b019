// The system calls of the terminal session, gathered in one table so that a
// test can put a fake terminal (and a fake clock) behind them. The table is
// filled with the real calls; nothing but a test replaces it.
#pragma once

#include <chrono>
#include <csignal>
#include <cstddef>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <sys/types.h>
#include <termios.h>

struct TerminalSystem {
    int (*open)(const char* path, int flags);                      // open(2)
    int (*close)(int fd);                                          // close(2)
    ssize_t (*read)(int fd, void* buffer, std::size_t size);       // read(2)
    ssize_t (*write)(int fd, const void* bytes, std::size_t size); // write(2)
    // select(2), each set may be null; timeoutMs -1 waits without a limit.
    // Not poll: macOS answers poll on a terminal device with POLLNVAL alone,
    // whatever was typed, so select is the wait that works on every system.
    int (*select)(int count, fd_set* readable, fd_set* writable, fd_set* exceptional,
                  int timeoutMs);
    int (*getModes)(int fd, termios* modes);                 // tcgetattr
    int (*setModes)(int fd, int when, const termios* modes); // tcsetattr
    int (*windowSize)(int fd, winsize* size);                // ioctl TIOCGWINSZ
    int (*isTerminal)(int fd);                               // isatty
    int (*makePipe)(int fds[2]); // pipe, both ends non-blocking and close-on-exec
    int (*setAction)(int signal, const struct sigaction* action,
                     struct sigaction* previous);   // sigaction
    std::chrono::steady_clock::time_point (*now)(); // the clock of sleeps and the escape timeout
    void (*exit)(int status); // ends the process at once (no atexit); a test's may throw instead
    bool (*inForeground)(int fd); // the terminal's foreground group is ours, or it has none
};

// Whether select can watch fd: FD_SET on a descriptor at or above FD_SETSIZE
// would write past the end of the set.
inline bool Selectable(int fd) {
    return fd >= 0 && fd < FD_SETSIZE;
}

// The table in use; a signal handler reads it, so a test swaps it only while
// no terminal is attached.
TerminalSystem& TheTerminalSystem();

// The table of the real calls.
TerminalSystem RealTerminalSystem();
