// Starting programs from tests and benchmarks and taking what they write: helpers that run to
// completion (tmux commands), a program with no controlling terminal at all, and a program on
// a fresh pseudo-terminal of its own, the way a user's terminal would start it.
#pragma once

#include <chrono>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

// ---- programs that run to completion ----

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

// Starts argv[0] (looked up in PATH) in a new session (setsid, so no controlling terminal),
// standard input from /dev/null, standard output and error into pipes. Kills it with SIGKILL
// if it has not ended after `limit`.
DetachedResult RunDetached(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

// ---- a program on a pseudo-terminal of its own ----

// A spawned process and the master side of its terminal.
struct PtyChild {
    pid_t pid = -1;  // the child, leader of its own session
    int master = -1; // read end of everything it writes to its terminal
    std::chrono::steady_clock::time_point started; // when it was forked
};

// The system's true(1) for a baseline: /bin/true, or /usr/bin/true where there is none
// (macOS, the BSDs).
const char* TrueProgram();

// The environment a user's terminal would give: ours, with a UTF-8 locale and
// a common terminal type, as the null-ended pointer list execve takes. Made once.
const std::vector<char*>& PtyEnvironment();

// Starts `path` with `arguments` and a new pseudo-terminal of columns x rows as
// its controlling terminal and standard input, output and error. pid stays -1
// on failure. SpawnOnPty("/bin/true", PtyEnvironment(), 80, 25) runs it on an
// 80 x 25 terminal.
PtyChild SpawnOnPty(const char* path, const std::vector<char*>& envList, int columns, int rows,
                    const std::vector<std::string>& arguments = {});

// Appends what is there within `timeoutMs`; false at end of file (Linux gives
// EIO once the child side is closed) or on time-out.
bool ReadSome(int master, std::string& into, int timeoutMs);

// Takes everything the child writes until `until`, so it never blocks on a full
// terminal; appended to `into` when given. False when its terminal closed first.
bool DrainUntil(int master, std::string* into, std::chrono::steady_clock::time_point until);

// The steady clock's time `seconds` from now.
std::chrono::steady_clock::time_point After(double seconds);

// Types `keys` (none when empty), then takes output until `text` has arrived in
// full (blanks and escape sequences aside, only what arrived after the keys);
// false after 10 s.
bool TypeAndAwait(const PtyChild& child, const std::string& keys, const std::string& text);

// Ends the child with SIGTERM if it still runs, takes what it writes on the way
// out (into rest, when given), reaps it (SIGKILL when it has not ended by the
// time its terminal closes or goes quiet for 2 s) and closes the master. When
// usage is given it receives the child's resource usage from wait4.
void EndChild(PtyChild& child, std::string* rest, rusage* usage = nullptr);
