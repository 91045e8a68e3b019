// A run of a program inside a pane, wrapped by a shell script that records the
// terminal modes before and after it and its exit status, then keeps the pane
// open so that its last screen can be read.
#pragma once

#include <string>

namespace e2e {

// The private folder of one wrapped run; the script waits in it until released.
struct WrappedRun {
    std::string directory; // holds run.sh, go, status, stty-*.txt/.g, pane-output
};

// Writes the script for `programCommand` (a shell command line, e.g.
// "'/build/app/orvane' < /dev/null") into a fresh folder.
WrappedRun PrepareWrappedRun(const std::string& programCommand);

// The command line a pane runs for it: "sh <folder>/run.sh".
std::string WrappedRunCommand(const WrappedRun& run);

// Where RecordPaneOutput should write, so it is removed with the run.
std::string PaneOutputPath(const WrappedRun& run);

// Lets the script go on: it records the modes and starts the program.
void ReleaseWrappedRun(const WrappedRun& run);

// True once the program has ended and the modes after it are recorded.
bool WrappedRunFinished(const WrappedRun& run);

// The program's exit status; -1 before it has finished.
int WrappedRunStatus(const WrappedRun& run);

// `stty -a` before and after the program, and the same as `stty -g` (exact settings).
std::string SttyBefore(const WrappedRun& run);
std::string SttyAfter(const WrappedRun& run);
std::string SttySettingsBefore(const WrappedRun& run);
std::string SttySettingsAfter(const WrappedRun& run);

// Whether `stty -a` text has a mode switched on, e.g. SttyHasMode(text, "icanon")
// is false when the text says "-icanon".
bool SttyHasMode(const std::string& sttyText, const std::string& mode);

// Quotes a word for sh: "/a b" gives "'/a b'".
std::string ShellQuote(const std::string& word);

// The shell command line that starts a program under test: its path, quoted,
// through the emulator where the build has one (the arm64 build under QEMU),
// unless the environment's ORVANE_E2E_COMMAND gives another (the Windows build
// runs orvane.exe under Wine that way).
std::string ProgramCommand(const std::string& path);

void RemoveWrappedRun(WrappedRun& run);

} // namespace e2e
