// Running helper programs from a test: tmux commands, and the tool itself
// with no controlling terminal at all.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

// What a finished helper program left behind.
struct ProgramResult {
    int exitCode = -1;       // exit status, or -1 when it did not exit normally
    std::string standardOut; // everything it wrote to standard output
};

// Runs argv[0] (looked up in PATH) with LC_ALL=C.UTF-8 and without TMUX, standard
// input from /dev/null, standard error discarded, and waits for it.
// Example: RunProgram({"tmux", "-V"}).standardOut is "tmux 3.3a\n".
ProgramResult RunProgram(const std::vector<std::string>& argv);

// How a run without a controlling terminal went.
struct DetachedResult {
    bool exited = false;                  // the process ended on its own within the time limit
    int exitCode = -1;                    // its exit status when it exited normally
    std::string standardOut;              // what it wrote to standard output
    std::string standardError;            // what it wrote to standard error
    std::chrono::milliseconds elapsed{0}; // from start until it ended (or was killed)
};

// Starts `path` with `arguments` in a new session (setsid, so no controlling
// terminal), standard input from /dev/null, standard output and error into
// pipes. Kills it with SIGKILL if it has not ended after `limit`.
DetachedResult RunWithoutTerminal(const std::string& path, std::chrono::milliseconds limit,
                                  const std::vector<std::string>& arguments = {});

// The words that start a built program: the emulator's, where the build is for another
// processor, then the program's path.
std::vector<std::string> ProgramArguments(const std::string& path);

// Polls `condition` every 20 ms until it holds or `limit` has passed; true if it held.
template <typename Condition> bool WaitUntil(Condition condition, std::chrono::milliseconds limit);

void SleepMilliseconds(int ms);

// Whole contents of a file, or "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& text);

// A fresh private directory under /tmp, e.g. "/tmp/orvane-e2e-Ab12Cd".
std::string MakeTemporaryDirectory();
// Removes a directory made by MakeTemporaryDirectory and everything in it.
void RemoveDirectoryTree(const std::string& path);

template <typename Condition> bool WaitUntil(Condition condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        SleepMilliseconds(20);
    }
}

} // namespace e2e
