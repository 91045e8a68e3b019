// A wrapped run of a program in its own private terminal, both stopped and
// removed however a test ends.
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
