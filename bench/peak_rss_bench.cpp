// Peak resident memory of a whole run on a fresh 80 x 25 pseudo-terminal, the
// answers typed ahead as soon as the banner shows, against /bin/true and (when
// installed) a dialog input box answered the same way, in the same run; and of
// the tool reaching its first question on an 80 x 25 terminal and on one that
// reports 65535 x 65535. ORVANE_RSS_PROGRAM names another build of the tool to
// measure, e.g. the release binary:
// ORVANE_RSS_PROGRAM=build/release/app/orvane peak_rss_bench
#include "app/model/screen_texts.h"
#include "tests/process/child_process.h"
#include "tests/process/terminal_stream.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kDialog = "/usr/bin/dialog";

const char* ToolPath() {
    const char* chosen = std::getenv("ORVANE_RSS_PROGRAM");
    return chosen != nullptr && *chosen != '\0' ? chosen : ORVANE_EXECUTABLE;
}

long Kilobytes(const rusage& usage) {
#ifdef __APPLE__
    return usage.ru_maxrss / 1024; // bytes there, kilobytes elsewhere
#else
    return usage.ru_maxrss;
#endif
}

// Starts the program on a terminal of columns x rows, waits until `shown` has
// arrived (nothing for "") and then types `keys` at once; returns its peak
// resident set in KB once it has ended (by itself, or with SIGTERM right after
// `shown` when endThere), or -1 when it never showed `shown` or never ended.
long PeakKilobytes(const char* path, const std::vector<std::string>& arguments,
                   const std::string& shown, const std::string& keys, int columns = 80,
                   int rows = 25, bool endThere = false) {
    PtyChild child = SpawnOnPty(path, PtyEnvironment(), columns, rows, arguments);
    if (child.pid < 0) {
        return -1;
    }
    std::string stream;
    bool arrived = shown.empty();
    while (!arrived && ReadSome(child.master, stream, 5000)) {
        arrived = ArrivalOffset(stream, shown) != std::string::npos;
    }
    bool ended = endThere;
    if (arrived && !endThere &&
        write(child.master, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size())) {
        while (ReadSome(child.master, stream, 5000)) {
        }
        ended = true; // end of file: every holder of the terminal is gone
    }
    rusage usage{};
    EndChild(child, nullptr, &usage);
    return arrived && ended ? Kilobytes(usage) : -1;
}

long ToolRun() {
    return PeakKilobytes(ToolPath(), {}, std::string(screen::kBannerTitle.substr(3)),
                         "5\r4\rn\r4\r0.5\r120\r ");
}

long DialogRun() {
    return PeakKilobytes(kDialog, {"--inputbox", "Maximum front-back spacing?", "8", "60"},
                         "Maximum front-back spacing?", "5\r");
}

long TrueRun() {
    return PeakKilobytes(TrueProgram(), {}, "", "");
}

// Each iteration runs all three one after the other; the counters hold the
// largest peak each reached, in KB, and the tool's ratio to the others.
void BM_WholeRunPeakRss(benchmark::State& state) {
    const bool haveDialog = access(kDialog, X_OK) == 0;
    long tool = 0;
    long dialog = 0;
    long baseline = 0;
    for (auto _ : state) {
        const long toolKb = ToolRun();
        const long trueKb = TrueRun();
        const long dialogKb = haveDialog ? DialogRun() : 0;
        if (toolKb < 0 || trueKb < 0 || dialogKb < 0) {
            state.SkipWithError("a run did not show its screen or did not end");
            return;
        }
        tool = std::max(tool, toolKb);
        baseline = std::max(baseline, trueKb);
        dialog = std::max(dialog, dialogKb);
    }
    state.counters["tool_kb"] = static_cast<double>(tool);
    state.counters["true_kb"] = static_cast<double>(baseline);
    state.counters["vs_true"] = static_cast<double>(tool) / static_cast<double>(baseline);
    if (haveDialog) {
        state.counters["dialog_kb"] = static_cast<double>(dialog);
        state.counters["vs_dialog"] = static_cast<double>(tool) / static_cast<double>(dialog);
    }
}
BENCHMARK(BM_WholeRunPeakRss)->Iterations(5)->Unit(benchmark::kMillisecond);

long FirstQuestionRun(int columns, int rows) {
    return PeakKilobytes(ToolPath(), {}, std::string(screen::kFrontBackPrompt.substr(3)), "",
                         columns, rows, true);
}

// The tool at its first question on an 80 x 25 terminal and on the largest size a
// terminal can report: the largest peak of each in KB, and the difference.
void BM_FirstQuestionPeakRss(benchmark::State& state) {
    long ordinary = 0;
    long huge = 0;
    for (auto _ : state) {
        const long ordinaryKb = FirstQuestionRun(80, 25);
        const long hugeKb = FirstQuestionRun(65535, 65535);
        if (ordinaryKb < 0 || hugeKb < 0) {
            state.SkipWithError("a run did not reach its first question");
            return;
        }
        ordinary = std::max(ordinary, ordinaryKb);
        huge = std::max(huge, hugeKb);
    }
    state.counters["80x25_kb"] = static_cast<double>(ordinary);
    state.counters["65535x65535_kb"] = static_cast<double>(huge);
    state.counters["difference_kb"] = static_cast<double>(huge - ordinary);
}
BENCHMARK(BM_FirstQuestionPeakRss)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
