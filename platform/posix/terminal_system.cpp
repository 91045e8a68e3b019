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
            WindowSize, ::isatty, MakePipe, ::sigaction, Now,    ExitNow};
}
