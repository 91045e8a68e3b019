// Whole-process start-up: from spawning the tool on a fresh 80 x 25
// pseudo-terminal until its banner has reached the terminal, against /bin/true
// spawned the same way, in the same run. Also counts the bytes the tool sends.
#include "app/model/screen_texts.h"
#include "tests/process/child_process.h"
#include "tests/process/terminal_stream.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Its leading blanks need not arrive as such: the screen is white already.
const std::string kBannerTitle(screen::kBannerTitle.substr(3));

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
    PtyChild child = SpawnOnPty(ORVANE_EXECUTABLE, envList, 80, 25);
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
    PtyChild child = SpawnOnPty(TrueProgram(), envList, 80, 25);
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

// Each iteration starts /bin/true and then the tool, so both see the same
// machine load; the reported time is the tool's, vs_true the ratio of the sums.
void BM_StartToBanner(benchmark::State& state) {
    double toolTotal = 0;
    double trueTotal = 0;
    BannerTiming first = TimeToBanner(PtyEnvironment(), true);
    for (auto _ : state) {
        double trueSeconds = TimeTrue(PtyEnvironment());
        BannerTiming timing = TimeToBanner(PtyEnvironment(), false);
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
        double seconds = TimeTrue(PtyEnvironment());
        if (seconds < 0) {
            state.SkipWithError("cannot spawn /bin/true");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_TrueExits)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
