// A wrapped run of a program in its own private terminal, both stopped and
// removed however a test ends.
#pragma once

#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"

#include <string>

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

} // namespace e2e
