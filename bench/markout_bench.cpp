// A whole run that answers without a terminal: `orvane --markout --json 5 4 n 4 0.5 120` from
// spawn to exit with its standard output read through a pipe, against /bin/true spawned and
// waited for the same way, in the same run.
#include "tests/process/child_process.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds from spawning `path` until it has exited and its output has been read; negative on
// failure, or when it ends with a status other than 0. `bytes` gets how much it wrote.
double TimeRun(const char* path, std::vector<std::string> arguments, std::size_t* bytes) {
    arguments.insert(arguments.begin(), path);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const Clock::time_point start = Clock::now();
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, path, &actions, nullptr, argv.data(), PtyEnvironment().data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::size_t read = 0;
    char buffer[65536];
    for (ssize_t got; failed == 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        read += static_cast<std::size_t>(got);
    }
    close(pipeEnds[0]);
    int status = 0;
    if (failed != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    if (bytes != nullptr) {
        *bytes = read;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::vector<std::string> kMarkoutRun = {"--markout", "--json", "5",   "4",
                                              "n",         "4",      "0.5", "120"};

// Each iteration runs /bin/true and then the tool, so both see the same machine load; the
// reported time is the tool's, vs_true the ratio of the sums.
void BM_MarkoutJson(benchmark::State& state) {
    double toolTotal = 0;
    double trueTotal = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const double trueSeconds = TimeRun(TrueProgram(), {}, nullptr);
        const double toolSeconds = TimeRun(ORVANE_EXECUTABLE, kMarkoutRun, &bytes);
        if (trueSeconds < 0 || toolSeconds < 0) {
            state.SkipWithError("a run failed");
            break;
        }
        state.SetIterationTime(toolSeconds);
        toolTotal += toolSeconds;
        trueTotal += trueSeconds;
    }
    state.counters["true_us"] =
        benchmark::Counter(trueTotal * 1e6 / static_cast<double>(state.iterations()));
    state.counters["vs_true"] = trueTotal > 0 ? toolTotal / trueTotal : 0;
    state.counters["json_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MarkoutJson)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
