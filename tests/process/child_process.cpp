#include "tests/process/child_process.h"

#include "tests/process/terminal_stream.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <poll.h>
#include <stdexcept>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace {

// ---- what a child starts with ----

// Ours without the variables named in `dropped` (by "NAME="), then `added`.
std::vector<std::string> ChildEnvironment(std::initializer_list<std::string_view> dropped,
                                          std::initializer_list<std::string_view> added) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        bool drop = false;
        for (std::string_view name : dropped) {
            drop = drop || text.substr(0, name.size()) == name;
        }
        if (!drop) {
            env.emplace_back(text);
        }
    }
    env.insert(env.end(), added.begin(), added.end());
    return env;
}

// The pointer list exec takes, into `texts`, which must outlive it.
std::vector<char*> PointerList(std::vector<std::string>& texts) {
    std::vector<char*> list;
    for (std::string& text : texts) {
        list.push_back(text.data());
    }
    list.push_back(nullptr);
    return list;
}

void RedirectFromDevNull(int fd) {
    int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
        dup2(devNull, fd);
        close(devNull);
    }
}

// Appends what is readable now; false once the pipe is at end of file.
bool DrainPipe(int fd, std::string& into) {
    char buffer[4096];
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
        into.append(buffer, static_cast<size_t>(got));
        return true;
    }
    return got < 0 && (errno == EINTR || errno == EAGAIN);
}

// pipe2 is not in POSIX 2008 (macOS has none): a pipe, then close-on-exec on each end. Children
// are started from one thread, so no exec can come between the two.
bool OpenPipe(int ends[2]) {
    if (pipe(ends) != 0) {
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        if (fcntl(ends[i], F_SETFD, FD_CLOEXEC) != 0) {
            close(ends[0]);
            close(ends[1]);
            return false;
        }
    }
    return true;
}

int ExitCodeOf(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
}

// Environment strings and the pointer list execve takes, kept together.
struct Environment {
    std::vector<std::string> texts; // "NAME=value" entries
    std::vector<char*> list;        // pointers into texts, null-ended
};

Environment MakePtyEnvironment() {
    Environment env;
    env.texts = ChildEnvironment({"TERM=", "LC_ALL="}, {"TERM=xterm-256color", "LC_ALL=C.UTF-8"});
    env.list = PointerList(env.texts);
    return env;
}

} // namespace

// ---- programs that run to completion ----

ProgramResult RunProgram(const std::vector<std::string>& argv) {
    std::vector<std::string> args = argv;
    // Without the variable that would make tmux think it runs nested inside another tmux.
    std::vector<std::string> env = ChildEnvironment({"TMUX=", "LC_ALL="}, {"LC_ALL=C.UTF-8"});
    std::vector<char*> argList = PointerList(args);
    std::vector<char*> envList = PointerList(env);
    int out[2];
    if (!OpenPipe(out)) {
        throw std::runtime_error("pipe failed");
    }
    pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        RedirectFromDevNull(STDIN_FILENO);
        RedirectFromDevNull(STDERR_FILENO);
        dup2(out[1], STDOUT_FILENO);
        // execvpe is glibc's: the child's own environment, then the PATH search of execvp.
        environ = envList.data();
        execvp(argList[0], argList.data());
        _exit(127);
    }
    close(out[1]);
    ProgramResult result;
    while (DrainPipe(out[0], result.standardOut)) {
    }
    close(out[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = ExitCodeOf(status);
    return result;
}

DetachedResult RunDetached(const std::vector<std::string>& argv, std::chrono::milliseconds limit) {
    std::vector<std::string> words = argv;
    std::vector<char*> argList = PointerList(words);
    int out[2];
    int err[2];
    if (!OpenPipe(out) || !OpenPipe(err)) {
        throw std::runtime_error("pipe failed");
    }
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        setsid();
        RedirectFromDevNull(STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execvp(argList[0], argList.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    DetachedResult result;
    bool outOpen = true;
    bool errOpen = true;
    bool reaped = false;
    int status = 0;
    auto deadline = start + limit;
    while (!reaped || outOpen || errOpen) {
        if (reaped && std::chrono::steady_clock::now() >= deadline + std::chrono::seconds(1)) {
            break; // something it started still holds the pipes open
        }
        if (!reaped && waitpid(pid, &status, WNOHANG) == pid) {
            reaped = true;
            result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start);
            result.exited = true;
            result.exitCode = ExitCodeOf(status);
        }
        if (!reaped && std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            reaped = true;
            result.elapsed = limit;
        }
        pollfd fds[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
        poll(fds, 2, 10);
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP)) != 0) {
            outOpen = DrainPipe(out[0], result.standardOut);
        }
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP)) != 0) {
            errOpen = DrainPipe(err[0], result.standardError);
        }
    }
    close(out[0]);
    close(err[0]);
    return result;
}

// ---- a program on a pseudo-terminal of its own ----

const std::vector<char*>& PtyEnvironment() {
    static const Environment environment = MakePtyEnvironment();
    return environment.list;
}

const char* TrueProgram() {
    return access("/bin/true", X_OK) == 0 ? "/bin/true" : "/usr/bin/true";
}

PtyChild SpawnOnPty(const char* path, const std::vector<char*>& envList, int columns, int rows,
                    const std::vector<std::string>& arguments) {
    PtyChild child;
    std::vector<char*> argv = {const_cast<char*>(path)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    // POSIX names only O_RDWR and O_NOCTTY for posix_openpt (macOS refuses others): the
    // close-on-exec flag comes after.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        return child;
    }
    if (fcntl(master, F_SETFD, FD_CLOEXEC) != 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        close(master);
        return child;
    }
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    ioctl(master, TIOCSWINSZ, &size);
    std::string slaveName = ptsname(master);
    child.started = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        setsid();
        int slave = open(slaveName.c_str(), O_RDWR);
        if (slave < 0 || ioctl(slave, TIOCSCTTY, 0) != 0) {
            _exit(126);
        }
        dup2(slave, STDIN_FILENO);
        dup2(slave, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        if (slave > STDERR_FILENO) {
            close(slave);
        }
        execve(path, argv.data(), envList.data());
        _exit(127);
    }
    if (pid < 0) {
        close(master);
        return child;
    }
    child.pid = pid;
    child.master = master;
    return child;
}

bool ReadSome(int master, std::string& into, int timeoutMs) {
    pollfd fd{master, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0) {
        return false;
    }
    char buffer[4096];
    ssize_t got = read(master, buffer, sizeof buffer);
    if (got > 0) {
        into.append(buffer, static_cast<size_t>(got));
        return true;
    }
    return got < 0 && errno == EINTR;
}

bool DrainUntil(int master, std::string* into, std::chrono::steady_clock::time_point until) {
    std::string ignored;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now())
                .count();
        if (left <= 0) {
            return true;
        }
        pollfd fd{master, POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        if (ready > 0 && !ReadSome(master, into != nullptr ? *into : ignored, 0)) {
            return false;
        }
    }
}

std::chrono::steady_clock::time_point After(double seconds) {
    using Clock = std::chrono::steady_clock;
    return Clock::now() +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

bool TypeAndAwait(const PtyChild& child, const std::string& keys, const std::string& text) {
    if (!keys.empty() &&
        write(child.master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
        return false;
    }
    std::string stream;
    const auto limit = After(10);
    while (std::chrono::steady_clock::now() < limit) {
        if (ArrivalOffset(stream, text) != std::string::npos) {
            return true;
        }
        ReadSome(child.master, stream, 100);
    }
    return false;
}

void EndChild(PtyChild& child, std::string* rest, rusage* usage) {
    kill(child.pid, SIGTERM);
    std::string ignored;
    while (ReadSome(child.master, rest != nullptr ? *rest : ignored, 2000)) {
    }
    int status = 0;
    rusage spent{};
    if (wait4(child.pid, &status, WNOHANG, &spent) == 0) {
        // Still there once its terminal is closed or quiet: a SIGKILL to a
        // process already on its way out changes nothing it has spent.
        kill(child.pid, SIGKILL);
        wait4(child.pid, &status, 0, &spent);
    }
    close(child.master);
    if (usage != nullptr) {
        *usage = spent;
    }
}
