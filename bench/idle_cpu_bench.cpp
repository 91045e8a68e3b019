// CPU the tool spends while it waits for a key: spawned on an 80 x 25
// pseudo-terminal, left at its first question for ten seconds, ended with
// SIGTERM and measured with wait4, less a run ended as soon as the question
// appears (its start-up). The baseline, in the same run, is the wait the tool is
// meant to do, done here: a 1 ms poll on a pipe and a non-blocking read, again
// and again for as long.
#include "pty_child.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kFirstQuestion = "Maximum front-back spacing";
constexpr double kWaitSeconds = 10;

double CpuSeconds(const rusage& usage) {
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Reads whatever the child writes, so it never blocks on a full terminal, until
// `until`; false when its terminal closed before then.
bool DrainUntil(int master, Clock::time_point until) {
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0) {
            return true;
        }
        pollfd fd{master, POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        if (ready <= 0) {
            continue;
        }
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0 && !(got < 0 && errno == EINTR)) {
            return false;
        }
    }
}

// One run of the tool: CPU it used in all, and how long it was left waiting.
struct ToolRun {
    bool ok = false;       // the question arrived and the tool was still running
    double cpuSeconds = 0; // user + system, from wait4
    double waited = 0;     // seconds between the question's arrival and SIGTERM
};

// Spawns the tool, waits for its first question, leaves it there for `wait`
// seconds while taking its output, then ends it.
ToolRun RunToQuestion(double wait) {
    ToolRun run;
    PtyChild child = SpawnOnPty(ORVANE_EXECUTABLE, PtyEnvironment(), 80, 25);
    if (child.pid < 0) {
        return run;
    }
    std::string stream;
    bool asked = false;
    while (!asked && ReadSome(child.master, stream, 5000)) {
        asked = ArrivalOffset(stream, kFirstQuestion) != std::string::npos;
    }
    const Clock::time_point questionSeen = Clock::now();
    bool alive = asked;
    if (asked && wait > 0) {
        alive = DrainUntil(child.master, questionSeen + std::chrono::duration_cast<Clock::duration>(
                                                            std::chrono::duration<double>(wait)));
    }
    const Clock::time_point ended = Clock::now();
    rusage usage{};
    EndChild(child, nullptr, &usage);
    run.ok = alive;
    run.cpuSeconds = CpuSeconds(usage);
    run.waited = std::chrono::duration<double>(ended - questionSeen).count();
    return run;
}

// CPU share of one core of the wait done right, for `seconds`, on this thread.
struct BaselineRun {
    double share = 0;       // CPU seconds per second
    double turnsPerSec = 0; // looks at the input per second
};

BaselineRun RunBaselineWait(double seconds) {
    BaselineRun run;
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        return run;
    }
    rusage before{};
    rusage after{};
    long turns = 0;
    getrusage(RUSAGE_THREAD, &before);
    const Clock::time_point start = Clock::now();
    const Clock::time_point until =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    char buffer[256];
    while (Clock::now() < until) {
        pollfd fd{fds[0], POLLIN, 0};
        poll(&fd, 1, 1);
        benchmark::DoNotOptimize(read(fds[0], buffer, sizeof buffer));
        ++turns;
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    getrusage(RUSAGE_THREAD, &after);
    close(fds[0]);
    close(fds[1]);
    run.share = (CpuSeconds(after) - CpuSeconds(before)) / elapsed;
    run.turnsPerSec = static_cast<double>(turns) / elapsed;
    return run;
}

// Reported time is the tool's waiting CPU over the ten seconds; counters in
// percent of one core, and vs_baseline the ratio of the two shares.
void BM_IdleCpu(benchmark::State& state) {
    for (auto _ : state) {
        const ToolRun startOnly = RunToQuestion(0);
        const ToolRun waiting = RunToQuestion(kWaitSeconds);
        if (!startOnly.ok || !waiting.ok || waiting.waited <= 0) {
            state.SkipWithError(
                "the tool did not reach its first question, or ended while waiting");
            break;
        }
        const BaselineRun baseline = RunBaselineWait(kWaitSeconds);
        const double waitingCpu = waiting.cpuSeconds - startOnly.cpuSeconds;
        const double share = waitingCpu / waiting.waited;
        state.SetIterationTime(waitingCpu > 0 ? waitingCpu : 0);
        state.counters["startup_cpu_ms"] = startOnly.cpuSeconds * 1e3;
        state.counters["whole_run_cpu_ms"] = waiting.cpuSeconds * 1e3;
        state.counters["waited_s"] = waiting.waited;
        state.counters["tool_share_pct"] = share * 100;
        state.counters["baseline_share_pct"] = baseline.share * 100;
        state.counters["baseline_turns_per_s"] = baseline.turnsPerSec;
        state.counters["vs_baseline"] = baseline.share > 0 ? share / baseline.share : 0;
    }
}
BENCHMARK(BM_IdleCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
