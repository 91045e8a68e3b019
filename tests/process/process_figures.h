// What the kernel counts for a process while it waits: CPU time and wake-ups, for the
// benchmarks and the test that a wait blocks instead of spinning.
#pragma once

#include "tests/process/child_process.h"

#include <sys/resource.h>
#include <sys/types.h>

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

// The share of one core a waiting child used over a spell, and how often it woke.
struct Spell {
    bool ok = false;             // the process was there to read at both ends
    double cpuShare = 0;         // CPU seconds over wall seconds
    double wakeUpsPerSecond = 0; // context switches over wall seconds
};

// Measures `seconds` of the child waiting, taking (and dropping) what it writes
// meanwhile.
Spell MeasureSpell(const PtyChild& child, double seconds);

// The share of one core the child used from its start until now, from the usage wait4
// gave when it was reaped (just before): start-up and every wait together, on any system.
double LifeCpuShare(const PtyChild& child, const rusage& usage);
