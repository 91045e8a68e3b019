// Spawning a program on a fresh pseudo-terminal of its own, the way a user's
// terminal would start it, and reading everything it writes there.
#pragma once

#include <chrono>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

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

// What the kernel has counted for a running process (Linux /proc): CPU time and
// the times it was switched out, voluntarily (it blocked) or not. Only Linux's /proc tells
// them while the process runs; macOS and the BSDs count a process for others once it has
// ended (wait4), and macOS's context switch counts are not kept reliably, so there a spell
// cannot be measured and only a whole life's CPU share (LifeCpuShare) is known.
struct ProcessFigures {
    bool ok = false;          // the process was there to read
    double cpuSeconds = 0;    // user + system
    long contextSwitches = 0; // voluntary + involuntary
};
ProcessFigures ReadProcessFigures(pid_t pid);
// Whether this system shows ReadProcessFigures a running process (a Linux-style /proc).
bool RunningProcessFiguresKnown();

// The steady clock's time `seconds` from now.
std::chrono::steady_clock::time_point After(double seconds);

// Types `keys` (none when empty), then takes output until `text` has arrived in
// full (blanks and escape sequences aside, only what arrived after the keys);
// false after 10 s.
bool TypeAndAwait(const PtyChild& child, const std::string& keys, const std::string& text);

// The share of one core a waiting child used over a spell, and how often it woke.
struct Spell {
    bool ok = false;             // the process was there to read at both ends
    double cpuShare = 0;         // CPU seconds over wall seconds
    double wakeUpsPerSecond = 0; // context switches over wall seconds
};

// Measures `seconds` of the child waiting, taking (and dropping) what it writes
// meanwhile.
Spell MeasureSpell(const PtyChild& child, double seconds);

// Ends the child with SIGTERM if it still runs, takes what it writes on the way
// out (into rest, when given), reaps it (SIGKILL when it has not ended by the
// time its terminal closes or goes quiet for 2 s) and closes the master. When
// usage is given it receives the child's resource usage from wait4.
void EndChild(PtyChild& child, std::string* rest, rusage* usage = nullptr);

// The share of one core the child used from its start until now, from the usage wait4
// gave when it was reaped (just before): start-up and every wait together, on any system.
double LifeCpuShare(const PtyChild& child, const rusage& usage);

// Offset just past `text` in the printed characters of `stream`, ignoring escape
// sequences and blanks (a presenter may skip unchanged blanks with cursor
// moves); npos while it has not arrived in full.
// ArrivalOffset("\x1b[2;4HOrvane\x1b[2;11H6.0", "Orvane 6.0") is 22.
size_t ArrivalOffset(const std::string& stream, const std::string& text);
