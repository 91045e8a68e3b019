// Bytes the presenter sends to the terminal: the whole banner screen, one
// changed cell, one echoed character and one Backspace, each against the
// number of cells that changed; the whole results screen in each terminal
// style against the 16-colour UTF-8 one; and the time to render the whole
// screen against copying as many bytes with memcpy, in the same run.
#include "app/flow/window_setup.h"
#include "app/model/screen_texts.h"
#include "console/console.h"
#include "platform/posix/console_screen.h"
#include "platform/terminal_text/frame.h"
#include "platform/terminal_text/presenter.h"
#include "tests/headless/headless_console.h"
#include "tests/headless/headless_run.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 80;
constexpr int kHeight = 25;

// The console just after start-up: window set up, banner shown, cursor hidden.
void StartOnBanner() {
    StartHeadlessRun(kWidth, kHeight);
    SetUpConsoleWindow(GetModuleHandleA(nullptr));
    ShowBanner();
}

Frame CurrentFrame() {
    View view;
    return ComposeFrame(ContentOf(HeadlessConsole()), kWidth, kHeight, view, nullptr);
}

// Cells of next that differ from what the terminal shows; all of them before
// the first frame, when the terminal holds only its own blank margin.
int ChangedCells(const PresenterState& state, const Frame& next) {
    if (!state.valid || state.shown.width != next.width || state.shown.height != next.height) {
        return next.width * next.height;
    }
    int changed = 0;
    for (std::size_t i = 0; i < next.cells.size(); ++i) {
        const ScreenCell& a = next.cells[i];
        const ScreenCell& b = state.shown.cells[i];
        changed += a.character != b.character || a.attribute != b.attribute ? 1 : 0;
    }
    return changed;
}

// One frame sent: its bytes and the cells that changed.
struct Update {
    std::string bytes; // what went to the terminal
    int cells = 0;     // cells that differed from the last frame
};

Update Present(PresenterState& state) {
    const Frame next = CurrentFrame();
    Update update;
    update.cells = ChangedCells(state, next);
    RenderFrame(state, next, TerminalStyle{}, update.bytes);
    return update;
}

// Control bytes spelled out, so a short update can be read in the output:
// "\b \b" for a Backspace.
std::string Spelled(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x1b) {
            out += "\\e";
        } else if (byte == '\b') {
            out += "\\b";
        } else if (byte < 0x20 || byte == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

void Report(benchmark::State& state, const std::string& name, const Update& update) {
    state.counters[name + "_bytes"] = static_cast<double>(update.bytes.size());
    state.counters[name + "_cells"] = update.cells;
    if (update.cells > 0) {
        state.counters[name + "_bytes_per_cell"] =
            static_cast<double>(update.bytes.size()) / update.cells;
    }
}

// The whole banner screen, then small changes on the same terminal, as the
// tool sends them: frames are presented before every wait, so the cursor is
// already shown at the answer's place when a key arrives.
void BM_TerminalBytes(benchmark::State& state) {
    Update banner;
    Update oneCell;
    Update cursorShown;
    Update echo;
    Update backspace;
    for (auto _ : state) {
        StartOnBanner();
        PresenterState presenter;
        banner = Present(presenter);

        Locate(8, screen::kAnswerColumn);
        WriteCells("X");
        oneCell = Present(presenter);

        // The line editor starts: cursor shown where the answer goes.
        ShowCursorForDuration();
        Locate(8, screen::kAnswerColumn);
        cursorShown = Present(presenter);
        WriteCells("5");
        echo = Present(presenter);

        // Backspace: step back, blank the cell, step back.
        Locate(8, screen::kAnswerColumn);
        WriteCells(" ");
        Locate(8, screen::kAnswerColumn);
        backspace = Present(presenter);
        PutCursorBack();
    }
    Report(state, "banner", banner);
    Report(state, "one_cell", oneCell);
    state.counters["cursor_shown_bytes"] = static_cast<double>(cursorShown.bytes.size());
    Report(state, "echo", echo);
    Report(state, "backspace", backspace);
    state.SetLabel("one_cell=\"" + Spelled(oneCell.bytes) + "\" cursor_shown=\"" +
                   Spelled(cursorShown.bytes) + "\" echo=\"" + Spelled(echo.bytes) +
                   "\" backspace=\"" + Spelled(backspace.bytes) + "\"");
}
BENCHMARK(BM_TerminalBytes)->Iterations(1);

// The results screen of a run whose two spacings exceed their maxima, drawn
// whole on a fresh terminal in each style; ratio is against 16 colours in UTF-8.
void BM_ResultsScreenBytes(benchmark::State& state) {
    struct Style {
        const char* name;
        TerminalStyle style;
    };
    const Style styles[] = {
        {"utf8_16", {TerminalEncoding::Utf8, TerminalColours::Sixteen}},
        {"utf8_8", {TerminalEncoding::Utf8, TerminalColours::Eight}},
        {"utf8_none", {TerminalEncoding::Utf8, TerminalColours::None}},
        {"ascii_16", {TerminalEncoding::Ascii, TerminalColours::Sixteen}},
        {"ascii_none", {TerminalEncoding::Ascii, TerminalColours::None}},
    };
    std::vector<std::size_t> bytes(std::size(styles));
    for (auto _ : state) {
        RunHeadless({"1", "1", "Y", "3", "1", "110"});
        const Frame frame = CurrentFrame();
        for (std::size_t i = 0; i < std::size(styles); ++i) {
            PresenterState presenter;
            std::string out;
            RenderFrame(presenter, frame, styles[i].style, out);
            bytes[i] = out.size();
        }
    }
    std::string label;
    for (std::size_t i = 0; i < std::size(styles); ++i) {
        const std::string name = styles[i].name;
        state.counters[name + "_ratio"] =
            static_cast<double>(bytes[i]) / static_cast<double>(bytes[0]);
        label += (i == 0 ? "" : " ") + name + "=" + std::to_string(bytes[i]);
    }
    state.SetLabel("bytes: " + label);
}
BENCHMARK(BM_ResultsScreenBytes)->Iterations(1);

// Copies of the baseline per timed batch: one copy of a few kilobytes is too
// short for the clock.
constexpr int kCopiesPerBatch = 256;

// Rendering the whole banner screen from a fresh presenter (what a start or a
// resize costs), against memcpy of as many bytes, alternating in every
// iteration; the reported time is the render's, vs_memcpy the ratio of the sums.
void BM_FullScreenRender(benchmark::State& state) {
    StartOnBanner();
    const Frame frame = CurrentFrame();
    std::string sample;
    {
        PresenterState presenter;
        RenderFrame(presenter, frame, TerminalStyle{}, sample);
    }
    std::vector<char> copy(sample.size());
    double renderTotal = 0;
    double copyTotal = 0;
    for (auto _ : state) {
        const Clock::time_point renderStart = Clock::now();
        PresenterState presenter;
        std::string out;
        RenderFrame(presenter, frame, TerminalStyle{}, out);
        benchmark::DoNotOptimize(out.data());
        const Clock::time_point copyStart = Clock::now();
        for (int i = 0; i < kCopiesPerBatch; ++i) {
            std::memcpy(copy.data(), sample.data(), sample.size());
            benchmark::DoNotOptimize(copy.data());
            benchmark::ClobberMemory();
        }
        const Clock::time_point copyEnd = Clock::now();
        const double renderSeconds = std::chrono::duration<double>(copyStart - renderStart).count();
        renderTotal += renderSeconds;
        copyTotal += std::chrono::duration<double>(copyEnd - copyStart).count() / kCopiesPerBatch;
        state.SetIterationTime(renderSeconds);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["bytes"] = static_cast<double>(sample.size());
    state.counters["memcpy_ns"] = copyTotal * 1e9 / iterations;
    state.counters["vs_memcpy"] = copyTotal > 0 ? renderTotal / copyTotal : 0;
}
BENCHMARK(BM_FullScreenRender)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
