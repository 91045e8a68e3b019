#include "platform/posix/terminal_system.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

int OpenFile(const char* path, int flags) {
    return ::open(path, flags);
}

int WindowSize(int fd, winsize* size) {
    return ::ioctl(fd, TIOCGWINSZ, size);
}

int MakePipe(int fds[2]) {
    return ::pipe2(fds, O_NONBLOCK | O_CLOEXEC);
}

std::chrono::steady_clock::time_point Now() {
    return std::chrono::steady_clock::now();
}

// A terminal that gives no foreground group (gone, or not a terminal) counts as
// ours: whatever can still be handed back is.
bool InForeground(int fd) {
    const pid_t group = ::tcgetpgrp(fd);
    return group < 0 || group == ::getpgrp();
}

void ExitNow(int status) {
    std::_Exit(status);
}

TerminalSystem installed = RealTerminalSystem();

} // namespace

TerminalSystem& TheTerminalSystem() {
    return installed;
}

TerminalSystem RealTerminalSystem() {
    return {OpenFile,   ::close,  ::read,   ::write,     ::poll, ::tcgetattr, ::tcsetattr,
            WindowSize, ::isatty, MakePipe, ::sigaction, Now,    ExitNow,     InForeground};
}
