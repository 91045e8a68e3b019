#include "tests/e2e/host_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace e2e {

namespace {

// ---- child process set-up ----

// The environment helpers run with: ours, with a UTF-8 locale and without the
// variable that would make tmux think it runs nested inside another tmux.
std::vector<std::string> HelperEnvironment() {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        if (text.rfind("TMUX=", 0) == 0 || text.rfind("LC_ALL=", 0) == 0) {
            continue;
        }
        env.push_back(text);
    }
    env.push_back("LC_ALL=C.UTF-8");
    return env;
}

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

// pipe2 is not in POSIX 2008 (macOS has none): a pipe, then close-on-exec on each end. The
// harness starts its children from one thread, so no exec can come between the two.
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

} // namespace

// ---- helpers that run to completion ----

ProgramResult RunProgram(const std::vector<std::string>& argv) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = HelperEnvironment();
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

// ---- a run with no controlling terminal ----

std::vector<std::string> ProgramArguments(const std::string& path) {
    std::vector<std::string> words;
    std::istringstream launcher(ORVANE_PROGRAM_LAUNCHER);
    for (std::string word; launcher >> word;)
        words.push_back(word);
    words.push_back(path);
    return words;
}

DetachedResult RunWithoutTerminal(const std::string& path, std::chrono::milliseconds limit,
                                  const std::vector<std::string>& arguments) {
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
        std::vector<std::string> words = ProgramArguments(path);
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argList = PointerList(words);
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

// ---- time and files ----

void SleepMilliseconds(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

void WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string MakeTemporaryDirectory() {
    std::string pattern = "/tmp/orvane-e2e-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error(std::string("mkdtemp failed: ") + std::strerror(errno));
    }
    return pattern;
}

void RemoveDirectoryTree(const std::string& path) {
    if (path.rfind("/tmp/orvane-e2e-", 0) != 0) {
        return; // only what MakeTemporaryDirectory made
    }
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

} // namespace e2e
