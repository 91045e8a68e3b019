// What waiting for a key costs the real tool, on an 80 x 25 pseudo-terminal:
// CPU share and wake-ups per second over 5 s at its first question, with the
// error box up and at "press any key", and how fast a typed key is echoed
// (from the byte written to the terminal to the first byte of the echo, median
// of 15 keys), and how long a paste of 8,000 characters into the first answer
// takes (from its first byte to the second question on the screen); with
// ORVANE_EARLIER_BUILD, the same for an earlier build. The
// baseline, in the same run and the same kind of terminal, is a bare blocking
// read: a shell that puts the terminal in raw mode and execs cat, which sleeps
// in read() and writes each byte back. Where a running process cannot be read
// (no Linux /proc: macOS, the BSDs) the spells and wake-ups are left out, and
// only each whole run's CPU share, from wait4, is reported.
#include "app/model/screen_texts.h"
#include "tests/process/process_figures.h"
#include "tests/process/terminal_stream.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kSpellSeconds = 5;
constexpr int kEchoKeys = 15;
constexpr std::size_t kPasteLength = 8000;

// One spell, once the last frame has settled.
Spell SettledSpell(const PtyChild& child) {
    DrainUntil(child.master, nullptr, After(0.3));
    return MeasureSpell(child, kSpellSeconds);
}

// Median milliseconds from a typed byte to the first byte the child writes back.
double MedianEchoMs(const PtyChild& child, char key) {
    std::vector<double> delays;
    for (int i = 0; i < kEchoKeys; ++i) {
        DrainUntil(child.master, nullptr, After(0.05));
        std::string echo;
        const Clock::time_point typed = Clock::now();
        if (write(child.master, &key, 1) != 1 || !ReadSome(child.master, echo, 2000)) {
            return -1;
        }
        delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - typed).count());
    }
    std::sort(delays.begin(), delays.end());
    return delays[delays.size() / 2];
}

// Milliseconds from the first byte of a paste of kPasteLength digits and Enter into the
// first answer to the second question on the screen; -1 when it has not come within 60 s.
// The paste is written as the terminal takes it, the screen read meanwhile.
double PasteMs(const char* executable) {
    PtyChild child = SpawnOnPty(executable, PtyEnvironment(), 80, 25);
    double pasteMs = -1;
    if (child.pid >= 0 && TypeAndAwait(child, "", std::string(screen::kFrontBackPrompt))) {
        const std::string paste = std::string(kPasteLength, '9') + "\r";
        fcntl(child.master, F_SETFL, fcntl(child.master, F_GETFL) | O_NONBLOCK);
        std::string stream;
        std::size_t written = 0;
        std::size_t afterPaste = 0; // where the stream stood when the paste was all written
        const Clock::time_point start = Clock::now();
        while (pasteMs < 0 && Clock::now() - start < std::chrono::seconds(60)) {
            if (written < paste.size()) {
                const ssize_t n =
                    write(child.master, paste.data() + written, paste.size() - written);
                written += n > 0 ? static_cast<std::size_t>(n) : 0;
                afterPaste = stream.size();
            }
            ReadSome(child.master, stream, written < paste.size() ? 1 : 100);
            if (written == paste.size() &&
                ArrivalOffset(stream.substr(afterPaste), std::string(screen::kSideSidePrompt)) !=
                    std::string::npos) {
                pasteMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
        }
    }
    EndChild(child, nullptr);
    return pasteMs;
}

struct Figures {
    Spell question;
    Spell box;
    Spell anyKey;
    double echoMs = -1;
    double lifeCpuShare = -1; // start to end, spells and typing together
    double pasteMs = -1;      // a paste of kPasteLength characters, to the next question
};

// The spell was measured, or none can be on this system.
bool Measured(const Spell& spell) {
    return spell.ok || !RunningProcessFiguresKnown();
}

// The tool: each spell, then the echo at a question (after the box is gone).
Figures MeasureTool(const char* executable) {
    Figures figures;
    PtyChild child = SpawnOnPty(executable, PtyEnvironment(), 80, 25);
    if (child.pid < 0) {
        return figures;
    }
    if (TypeAndAwait(child, "", "Maximum front-back spacing")) {
        figures.question = SettledSpell(child);
        figures.echoMs = MedianEchoMs(child, '1');
    }
    // The echoed digits are the first answer; the rest leads to the box.
    if (TypeAndAwait(child, "\r4\rmaybe\r", "ERROR")) {
        figures.box = SettledSpell(child);
    }
    if (TypeAndAwait(child, "\rn\r4\r0.5\r120\r", "press any key to quit")) {
        figures.anyKey = SettledSpell(child);
    }
    rusage usage{};
    EndChild(child, nullptr, &usage);
    figures.lifeCpuShare = LifeCpuShare(child, usage);
    figures.pasteMs = PasteMs(executable);
    return figures;
}

// The baseline: a bare blocking read and write on the same kind of terminal.
Figures MeasureBlockingRead() {
    Figures figures;
    PtyChild child = SpawnOnPty("/bin/sh", PtyEnvironment(), 80, 25,
                                {"-c", "stty raw -echo; echo ready; exec cat"});
    if (child.pid < 0) {
        return figures;
    }
    if (TypeAndAwait(child, "", "ready")) {
        figures.question = SettledSpell(child);
        figures.echoMs = MedianEchoMs(child, '1');
    }
    rusage usage{};
    EndChild(child, nullptr, &usage);
    figures.lifeCpuShare = LifeCpuShare(child, usage);
    return figures;
}

void Report(benchmark::State& state, const char* name, const Spell& spell, const Spell& baseline) {
    if (!RunningProcessFiguresKnown()) {
        return;
    }
    state.counters[std::string(name) + "_cpu_pct"] = spell.cpuShare * 100;
    state.counters[std::string(name) + "_wakeups_per_s"] = spell.wakeUpsPerSecond;
    state.counters[std::string(name) + "_wakeups_minus_baseline"] =
        spell.wakeUpsPerSecond - baseline.wakeUpsPerSecond;
}

// With ORVANE_EARLIER_BUILD naming another build of the tool, its figures in the
// same run, so that a change is measured against the code before it.
void ReportEarlierBuild(benchmark::State& state) {
    const char* earlier = std::getenv("ORVANE_EARLIER_BUILD");
    if (earlier == nullptr || *earlier == '\0') {
        return;
    }
    const Figures before = MeasureTool(earlier);
    if (RunningProcessFiguresKnown()) {
        state.counters["earlier_question_cpu_pct"] = before.question.cpuShare * 100;
        state.counters["earlier_box_cpu_pct"] = before.box.cpuShare * 100;
        state.counters["earlier_any_key_cpu_pct"] = before.anyKey.cpuShare * 100;
        state.counters["earlier_question_wakeups_per_s"] = before.question.wakeUpsPerSecond;
    }
    state.counters["earlier_echo_ms"] = before.echoMs;
    state.counters["earlier_paste_ms"] = before.pasteMs;
}

// Reported time is the tool's median echo; counters hold every figure, the
// baseline's, and the differences.
void BM_IdleWait(benchmark::State& state) {
    for (auto _ : state) {
        const Figures tool = MeasureTool(ORVANE_EXECUTABLE);
        const Figures baseline = MeasureBlockingRead();
        if (!Measured(tool.question) || !Measured(tool.box) || !Measured(tool.anyKey) ||
            tool.echoMs < 0 || tool.pasteMs < 0 || !Measured(baseline.question) ||
            baseline.echoMs < 0) {
            state.SkipWithError("a spell could not be measured (the tool or baseline did not "
                                "reach the expected screen)");
            break;
        }
        state.SetIterationTime(tool.echoMs / 1000);
        Report(state, "question", tool.question, baseline.question);
        Report(state, "box", tool.box, baseline.question);
        Report(state, "any_key", tool.anyKey, baseline.question);
        if (RunningProcessFiguresKnown()) {
            state.counters["baseline_cpu_pct"] = baseline.question.cpuShare * 100;
            state.counters["baseline_wakeups_per_s"] = baseline.question.wakeUpsPerSecond;
        }
        state.counters["life_cpu_pct"] = tool.lifeCpuShare * 100;
        state.counters["baseline_life_cpu_pct"] = baseline.lifeCpuShare * 100;
        state.counters["echo_ms"] = tool.echoMs;
        state.counters["baseline_echo_ms"] = baseline.echoMs;
        state.counters["echo_vs_baseline"] = tool.echoMs / baseline.echoMs;
        state.counters["paste_ms"] = tool.pasteMs;
        ReportEarlierBuild(state);
    }
}
BENCHMARK(BM_IdleWait)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
