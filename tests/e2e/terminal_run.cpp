#include "tests/e2e/terminal_run.h"

#include <algorithm>
#include <stdexcept>

namespace e2e {

namespace {

std::string BellLogPath(const TerminalRun& run) {
    return run.run.directory + "/bells";
}

int LoggedMessageBeeps(const TerminalRun& run) {
    const std::string path = run.run.directory + "/beeps.log";
    const std::string call = "Call user32.MessageBeep(";
    if (!FileExists(path)) {
        return 0;
    }
    const std::string log = ReadWholeFile(path);
    int calls = 0;
    for (size_t at = log.find(call); at != std::string::npos; at = log.find(call, at + 1)) {
        ++calls;
    }
    return calls;
}

} // namespace

void StartTerminalRun(TerminalRun& run, const Launch& launch) {
    PrepareTerminalRun(run, launch.command, launch.width, launch.height);
    if (launch.recordOutput) {
        RecordPaneOutput(run.terminal, PaneOutputPath(run.run));
    }
    if (launch.countBells) {
        // tmux runs this hook for every bell from the pane, whether or not a
        // client looks at the window, so each ring leaves a line.
        ProgramResult hook = RunProgram(
            {"tmux", "-L", run.terminal.server, "-f", "/dev/null", "set-hook", "-g", "alert-bell",
             "run-shell \"echo bell >> " + ShellQuote(BellLogPath(run)) + "\""});
        if (hook.exitCode != 0) {
            throw std::runtime_error("tmux set-hook failed");
        }
    }
    ReleaseWrappedRun(run.run);
}

int BellCount(const TerminalRun& run) {
    const std::string log = ReadWholeFile(BellLogPath(run));
    return static_cast<int>(std::count(log.begin(), log.end(), '\n')) + LoggedMessageBeeps(run);
}

bool WaitForBells(const TerminalRun& run, int count) {
    return WaitUntil([&] { return BellCount(run) >= count; }, std::chrono::seconds(3)) &&
           BellCount(run) == count;
}

} // namespace e2e
