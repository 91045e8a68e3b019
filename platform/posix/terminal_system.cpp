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

// Non-blocking and close-on-exec, set in steps since pipe2 is not everywhere.
int MakePipe(int fds[2]) {
    if (::pipe(fds) != 0) {
        return -1;
    }
    for (int i = 0; i < 2; ++i) {
        const int statusFlags = ::fcntl(fds[i], F_GETFL);
        const int descriptorFlags = ::fcntl(fds[i], F_GETFD);
        if (statusFlags < 0 || descriptorFlags < 0 ||
            ::fcntl(fds[i], F_SETFL, statusFlags | O_NONBLOCK) != 0 ||
            ::fcntl(fds[i], F_SETFD, descriptorFlags | FD_CLOEXEC) != 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            return -1;
        }
    }
    return 0;
}

int Select(int count, fd_set* readable, fd_set* writable, fd_set* exceptional, int timeoutMs) {
    if (timeoutMs < 0) {
        return ::select(count, readable, writable, exceptional, nullptr);
    }
    timeval timeout{};
    timeout.tv_sec = timeoutMs / 1000;
    timeout.tv_usec = (timeoutMs % 1000) * 1000;
    return ::select(count, readable, writable, exceptional, &timeout);
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
    return {OpenFile,   ::close,  ::read,   ::write,     Select, ::tcgetattr, ::tcsetattr,
            WindowSize, ::isatty, MakePipe, ::sigaction, Now,    ExitNow,     InForeground};
}
