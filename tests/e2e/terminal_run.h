// A wrapped run of a program in its own private terminal, both stopped and
// removed however a test ends: how it is started, the bells it rang, and how
// it must end.
#pragma once

#include "tests/e2e/host_process.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace e2e {

struct TerminalRun {
    WrappedRun run;        // script, status and stty records
    TmuxTerminal terminal; // the servers it runs under
    TerminalRun() = default;
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;
    ~TerminalRun() {
        StopTerminal(terminal);
        RemoveWrappedRun(run);
    }
};

// Opens a pane of width x height for programCommand (a shell command line);
// the program itself starts once ReleaseWrappedRun lets the script go on.
inline void PrepareTerminalRun(TerminalRun& run, const std::string& programCommand, int width = 80,
                               int height = 25) {
    run.run = PrepareWrappedRun(programCommand);
    run.terminal = StartTerminal({WrappedRunCommand(run.run), width, height});
}

// How to start a program in its terminal.
struct Launch {
    std::string command;       // shell command line, e.g. ProgramCommand(path)
    int width = 80;            // of the terminal
    int height = 25;           // ditto
    bool recordOutput = false; // every byte sent to the terminal into PaneOutputPath(run.run)
    bool countBells = false;   // every bell of the terminal counted, for BellCount
};

// Opens the terminal, sets up what `launch` asks for and lets the program start.
void StartTerminalRun(TerminalRun& run, const Launch& launch);

// The bells rung in a run started with countBells. Under Wine, MessageBeep
// rings no terminal bell; its relay trace, which the launcher writes to
// beeps.log in the run's folder, counts each call instead.
int BellCount(const TerminalRun& run);

// Waits up to 3 s until `count` bells have rung, and no more.
bool WaitForBells(const TerminalRun& run, int count);

// The program ends within 5 s with one of `statuses`, and the terminal's modes
// are back as it found them. Call it under ASSERT_NO_FATAL_FAILURE where the
// test cannot go on after a run that never ended.
inline void ExpectEndsWithModesBack(const TerminalRun& run, const std::vector<int>& statuses) {
    ASSERT_TRUE(WaitUntil([&] { return WrappedRunFinished(run.run); }, std::chrono::seconds(5)))
        << CaptureText(run.terminal);
    const int status = WrappedRunStatus(run.run);
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), status), statuses.end())
        << "ended with status " << status;
    EXPECT_EQ(SttySettingsAfter(run.run), SttySettingsBefore(run.run));
}

inline void ExpectEndsWithModesBack(const TerminalRun& run, int status) {
    ExpectEndsWithModesBack(run, std::vector<int>{status});
}

} // namespace e2e
