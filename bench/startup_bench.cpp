// Whole-process start-up: from spawning the tool on a fresh 80 x 25
// pseudo-terminal until its banner has reached the terminal, against /bin/true
// spawned the same way, in the same run. Also counts the bytes the tool sends.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

const char* const kBannerTitle = "Orvane 6.0 Layout Assistant v1";

// ---- a child on a pseudo-terminal ----

// A spawned process and the master side of its terminal.
struct PtyChild {
    pid_t pid = -1;  // the child, leader of its own session
    int master = -1; // read end of everything it writes to its terminal
};

// The environment a user's terminal would give: ours, with a UTF-8 locale and
// a common terminal type.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        if (text.rfind("TERM=", 0) != 0 && text.rfind("LC_ALL=", 0) != 0) {
            env.push_back(text);
        }
    }
    env.push_back("TERM=xterm-256color");
    env.push_back("LC_ALL=C.UTF-8");
    return env;
}

// Starts `path` with a new 80 x 25 pseudo-terminal as its controlling terminal
// and standard input, output and error. pid stays -1 on failure.
PtyChild SpawnOnPty(const char* path, const std::vector<char*>& envList) {
    PtyChild child;
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        return child;
    }
    winsize size{};
    size.ws_col = 80;
    size.ws_row = 25;
    ioctl(master, TIOCSWINSZ, &size);
    std::string slaveName = ptsname(master);
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
        char* argv[] = {const_cast<char*>(path), nullptr};
        execve(path, argv, envList.data());
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

// Reads what is there within `timeoutMs`; false at end of file (Linux gives EIO
// once the child side is closed) or on time-out.
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

// Ends the child if it still runs, takes what it writes on the way out, reaps it.
void EndChild(PtyChild& child, std::string* rest) {
    kill(child.pid, SIGTERM);
    std::string ignored;
    while (ReadSome(child.master, rest != nullptr ? *rest : ignored, 2000)) {
    }
    int status = 0;
    if (waitpid(child.pid, &status, WNOHANG) == 0) {
        kill(child.pid, SIGKILL);
        waitpid(child.pid, &status, 0);
    }
    close(child.master);
}

// ---- finding the banner in the byte stream ----

// Offset just past `text` in the printed characters of `stream`, ignoring escape
// sequences and blanks (a presenter may skip unchanged blanks with cursor
// moves); npos while it has not arrived in full.
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
                pos += stream[pos] == '\x1b' ? 1 : 0;
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

// ---- one timed start ----

// Seconds from spawning the tool until its banner title has arrived, and the
// bytes it sent up to the end of that text; negative seconds on failure.
struct BannerTiming {
    double seconds = -1;      // spawn to banner title on the terminal
    size_t bytesToBanner = 0; // terminal bytes up to the title's last character
    size_t bytesUntilQuiet =
        0; // every byte until it ended or went quiet for 300 ms (its first full screen)
};

BannerTiming TimeToBanner(const std::vector<char*>& envList, bool wholeRun) {
    BannerTiming timing;
    Clock::time_point start = Clock::now();
    PtyChild child = SpawnOnPty(ORVANE_EXECUTABLE, envList);
    if (child.pid < 0) {
        return timing;
    }
    std::string stream;
    size_t arrival = std::string::npos;
    while (arrival == std::string::npos && ReadSome(child.master, stream, 5000)) {
        arrival = ArrivalOffset(stream, kBannerTitle);
    }
    Clock::time_point shown = Clock::now();
    if (wholeRun) {
        while (ReadSome(child.master, stream, 300)) {
        }
        timing.bytesUntilQuiet = stream.size();
    }
    EndChild(child, nullptr);
    if (arrival != std::string::npos) {
        timing.seconds = std::chrono::duration<double>(shown - start).count();
        timing.bytesToBanner = arrival;
    }
    return timing;
}

// Seconds from spawning /bin/true the same way until it has exited.
double TimeTrue(const std::vector<char*>& envList) {
    Clock::time_point start = Clock::now();
    PtyChild child = SpawnOnPty("/bin/true", envList);
    if (child.pid < 0) {
        return -1;
    }
    int status = 0;
    waitpid(child.pid, &status, 0);
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    close(child.master);
    return seconds;
}

// ---- benchmarks ----

// Environment strings and the pointer list execve takes, made once.
struct Environment {
    std::vector<std::string> texts = ChildEnvironment(); // "NAME=value" entries
    std::vector<char*> list;                             // pointers into texts, null-ended
    Environment() {
        for (std::string& text : texts) {
            list.push_back(text.data());
        }
        list.push_back(nullptr);
    }
};

const std::vector<char*>& EnvList() {
    static Environment environment;
    return environment.list;
}

// Each iteration starts /bin/true and then the tool, so both see the same
// machine load; the reported time is the tool's, vs_true the ratio of the sums.
void BM_StartToBanner(benchmark::State& state) {
    double toolTotal = 0;
    double trueTotal = 0;
    BannerTiming first = TimeToBanner(EnvList(), true);
    for (auto _ : state) {
        double trueSeconds = TimeTrue(EnvList());
        BannerTiming timing = TimeToBanner(EnvList(), false);
        if (timing.seconds < 0 || trueSeconds < 0) {
            state.SkipWithError("the banner did not arrive");
            break;
        }
        state.SetIterationTime(timing.seconds);
        toolTotal += timing.seconds;
        trueTotal += trueSeconds;
    }
    state.counters["true_us"] =
        benchmark::Counter(trueTotal * 1e6 / static_cast<double>(state.iterations()));
    state.counters["vs_true"] = trueTotal > 0 ? toolTotal / trueTotal : 0;
    state.counters["bytes_to_banner"] = static_cast<double>(first.bytesToBanner);
    state.counters["bytes_until_quiet"] = static_cast<double>(first.bytesUntilQuiet);
}
BENCHMARK(BM_StartToBanner)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The floor: a process that does nothing, spawned on a terminal the same way.
void BM_TrueExits(benchmark::State& state) {
    for (auto _ : state) {
        double seconds = TimeTrue(EnvList());
        if (seconds < 0) {
            state.SkipWithError("cannot spawn /bin/true");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_TrueExits)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
