// Signals while a terminal is attached: every way the process is ended or
// stopped from outside hands the terminal back first, a continue takes it
// again in the mode the program last set, and a resize or continue wakes the
// main flow through a pipe.
#pragma once

#include <string>
#include <termios.h>
#include <vector>

// What a signal handler needs to hand the terminal back and take it again.
struct HandBack {
    int keyboardFd = -1; // where the modes are set
    int screenFd = -1;   // where the restore text goes
    termios original{};  // the terminal's modes as found
    termios raw{};       // the modes of raw mode
};

// Records what the handlers work with; they touch the terminal only between
// AttachHandBack and DetachHandBack.
void PrepareHandBack(const HandBack& handBack);
void AttachHandBack();
void DetachHandBack();

// The mode a continue puts the terminal back into: raw, or as found.
void SetWantedRawMode(bool raw);

// The bytes a handler writes to hand the terminal back, replacing the last
// ones (at most 127 bytes are kept).
void PublishRestoreText(const std::string& text);

// Writes the restore text and gives the terminal its modes back, when the
// process is in the terminal's foreground. Async-signal-safe.
void HandTerminalBack();

// Opens the pipe through which handlers wake the main flow; false when it
// cannot be had, and then there is no end to watch.
bool OpenSignalPipe();

// Closes both ends, if open.
void CloseSignalPipe();

// Installs the handlers; false (errno set) when one of them cannot be. Every signal whose
// default action ends the process hands the terminal back first, then ends it by that
// signal; one that is ignored at start stays ignored.
bool InstallTerminalSignals();

// Puts back every action the handlers replaced, the last replaced first, however
// far InstallTerminalSignals came. Nothing is left to put back after it.
void RemoveTerminalSignals();

// Those signals, as this system numbers them: the ones POSIX names and the ones only
// some systems have (SIGEMT, SIGPWR ...), the real-time ones among them.
std::vector<int> SignalsThatEndTheProcess();

// The real-time signals, SIGRTMIN to SIGRTMAX, or none (first > last) on a system that
// has none (macOS, OpenBSD); the build picks the file that says which.
struct SignalRange {
    int first;
    int last;
};
SignalRange RealTimeSignals();

// The end of the pipe to watch for wake-ups, -1 when there is none.
int SignalWakeFd();

// Takes the wake-ups waiting in the pipe.
void DrainSignalWakeUps();

// True once after a resize or a continue: the next frame must be drawn whole.
bool TakeRedrawSignal();
