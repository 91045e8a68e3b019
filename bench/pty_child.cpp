#include "pty_child.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace {

// Environment strings and the pointer list execve takes.
struct Environment {
    std::vector<std::string> texts; // "NAME=value" entries
    std::vector<char*> list;        // pointers into texts, null-ended
};

Environment MakeEnvironment() {
    Environment env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        if (text.rfind("TERM=", 0) != 0 && text.rfind("LC_ALL=", 0) != 0) {
            env.texts.push_back(text);
        }
    }
    env.texts.push_back("TERM=xterm-256color");
    env.texts.push_back("LC_ALL=C.UTF-8");
    for (std::string& text : env.texts) {
        env.list.push_back(text.data());
    }
    env.list.push_back(nullptr);
    return env;
}

} // namespace

const std::vector<char*>& PtyEnvironment() {
    static const Environment environment = MakeEnvironment();
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

ProcessFigures ReadProcessFigures(pid_t pid) {
    ProcessFigures figures;
    const std::string folder = "/proc/" + std::to_string(pid);
    std::ifstream stat(folder + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) {
        return figures;
    }
    // Fields after the command name, which may itself hold blanks: state is the
    // first, utime and stime the 12th and 13th.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::vector<std::string> values{std::istream_iterator<std::string>(fields), {}};
    if (values.size() < 13) {
        return figures;
    }
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    figures.cpuSeconds = (std::stod(values[11]) + std::stod(values[12])) / tick;
    std::ifstream status(folder + "/status");
    while (std::getline(status, line)) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            figures.contextSwitches += std::stol(line.substr(line.find(':') + 1));
        }
    }
    figures.ok = true;
    return figures;
}

bool RunningProcessFiguresKnown() {
    return access("/proc/self/stat", R_OK) == 0;
}

double LifeCpuShare(const PtyChild& child, const rusage& usage) {
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - child.started).count();
    return wall > 0 ? (seconds(usage.ru_utime) + seconds(usage.ru_stime)) / wall : 1;
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

Spell MeasureSpell(const PtyChild& child, double seconds) {
    Spell spell;
    const ProcessFigures before = ReadProcessFigures(child.pid);
    const auto start = std::chrono::steady_clock::now();
    DrainUntil(child.master, nullptr, After(seconds));
    const ProcessFigures after = ReadProcessFigures(child.pid);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    spell.ok = before.ok && after.ok && wall > 0;
    spell.cpuShare = (after.cpuSeconds - before.cpuSeconds) / wall;
    spell.wakeUpsPerSecond =
        static_cast<double>(after.contextSwitches - before.contextSwitches) / wall;
    return spell;
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

size_t ArrivalOffset(const std::string& stream, const std::string& text) {
    std::string wanted;
    for (char c : text) {
        if (c != ' ') {
            wanted += c;
        }
    }
    size_t matched = 0;
    for (size_t pos = 0; pos < stream.size(); ++pos) {
        char c = stream[pos];
        if (c == '\x1b' && pos + 1 < stream.size()) {
            char kind = stream[pos + 1];
            if (kind == '[') {
                pos += 2;
                while (pos < stream.size() && (stream[pos] < 0x40 || stream[pos] > 0x7e)) {
                    ++pos;
                }
            } else if (kind == ']') {
                pos = stream.find_first_of("\a\x1b", pos + 2);
                if (pos == std::string::npos) {
                    return std::string::npos;
                }
                if (stream[pos] == '\x1b') {
                    ++pos;
                }
            } else {
                ++pos;
            }
            continue;
        }
        if (c == ' ' || static_cast<unsigned char>(c) < 0x20) {
            continue;
        }
        matched = c == wanted[matched] ? matched + 1 : (c == wanted[0] ? 1 : 0);
        if (matched == wanted.size()) {
            return pos + 1;
        }
    }
    return std::string::npos;
}
