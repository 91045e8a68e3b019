// The signal handlers of the terminal session. They only write the restore
// text, set modes and record what happened; all real work is left to the main
// flow, which the pipe wakes.
#include "platform/posix/terminal_signals.h"

#include "platform/posix/terminal_system.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// Flags as ints: std::atomic<bool> is not lock-free on every processor
// (riscv64 has no byte-wide atomics), and a handler may only touch lock-free ones.
static_assert(std::atomic<int>::is_always_lock_free, "signal handlers read these");

HandBack handBack;
std::atomic<int> attached{0}; // the handlers may touch the terminal
std::atomic<int> wantRaw{0};  // the mode the program last set, 1 for raw
int signalPipe[2] = {-1, -1};
volatile sig_atomic_t redraw = 0;

// The bytes a signal handler writes to hand the terminal back. Built in the
// main flow after every frame into the half that handlers do not read, then
// published by a release store of its index: a handler that loads the index
// (acquire) sees the whole text and its length, never a half-built one.
char restoreText[2][128];
std::size_t restoreLength[2] = {0, 0};
std::atomic<int> restoreCurrent{0};

void SetModes(const termios& modes) {
    while (TheTerminalSystem().setModes(handBack.keyboardFd, TCSANOW, &modes) != 0 &&
           errno == EINTR) {
    }
}

void Notify() {
    const char byte = 1;
    if (TheTerminalSystem().write(signalPipe[1], &byte, 1) < 0) {
        // The pipe is full: a wake-up is already waiting.
    }
}

// Ends the process by `signal` under its default action, as if no handler
// had been there.
void EndBySignal(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
}

void HandBackIfAttached() {
    if (attached.load() != 0) {
        HandTerminalBack();
    }
}

// Continued after any stop (ours, or a SIGSTOP that no handler sees): the
// terminal goes back into the mode the program last set, and whatever the
// shell drew meanwhile is drawn over.
//
// Only in the foreground: continued in the background (bash's `kill %1` sends
// SIGCONT, `bg` too), the terminal belongs to the shell, whose modes must not
// be changed. Such a process stops at its first read of the terminal, and the
// continue that `fg` sends then finds it in the foreground.
void OnContinue(int) {
    const int saved = errno;
    if (attached.load() != 0 && TheTerminalSystem().inForeground(handBack.keyboardFd)) {
        SetModes(wantRaw.load() != 0 ? handBack.raw : handBack.original);
        redraw = 1;
        Notify();
    }
    errno = saved;
}

void OnResize(int) {
    const int saved = errno;
    redraw = 1;
    Notify();
    errno = saved;
}

// While a handler runs SIGTTOU is blocked, so a handler that finds its process
// in the background (the shell took the terminal back when Ctrl+Z stopped a
// script the tool runs under) can still hand the terminal back, instead of
// being stopped inside the handler with the terminal left in raw mode.
void BlockTerminalStops(struct sigaction& action) {
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTTOU);
}

// The actions our handlers replaced, to be put back in the reverse order: no
// more than one per signal a system can have (64 on Linux, fewer elsewhere).
struct Replaced {
    int signal;
    struct sigaction previous;
};
Replaced replaced[128];
std::size_t replacedCount = 0;

// Sets `action` for signal and keeps the one it replaces, the first time only.
bool Replace(int signal, const struct sigaction& action) {
    struct sigaction previous {};
    if (TheTerminalSystem().setAction(signal, &action, &previous) != 0) {
        return false;
    }
    const bool known = std::any_of(replaced, replaced + replacedCount,
                                   [&](const Replaced& r) { return r.signal == signal; });
    if (!known && replacedCount < std::size(replaced)) {
        replaced[replacedCount++] = {signal, previous};
    }
    return true;
}

struct sigaction HandlerAction(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    BlockTerminalStops(action);
    action.sa_flags = SA_RESTART;
    return action;
}

// From inside a handler, which must not touch the record of replaced actions.
void Reinstall(int signal, void (*handler)(int)) {
    const struct sigaction action = HandlerAction(handler);
    TheTerminalSystem().setAction(signal, &action, nullptr);
}

bool Install(int signal, void (*handler)(int)) {
    return Replace(signal, HandlerAction(handler));
}

// Ends the process by a signal from outside, the terminal handed back first. A system
// whose default for the signal leaves the process running (NetBSD ignores SIGPWR) gets it
// taken again, as after a continue.
void OnTerminate(int signal) {
    const int saved = errno;
    HandBackIfAttached();
    EndBySignal(signal);
    Reinstall(signal, OnTerminate);
    OnContinue(signal);
    errno = saved;
}

// Suspended from outside: hand the terminal back while stopped; the continue
// takes it again (OnContinue runs before the stop returns here).
void OnStop(int signal) {
    const int saved = errno;
    HandBackIfAttached();
    EndBySignal(signal);
    Reinstall(signal, OnStop);
    errno = saved;
}

// A signal's number where the system's headers name it, 0 where they do not: the name,
// expanded and then made text, is its number's digits only where it is a macro. So one
// table holds the signals that only some systems have, without a condition for each.
constexpr int NumberWhereDefined(std::string_view text) {
    int number = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            number = number * 10 + (c - '0');
        } else if (c != '(' && c != ')' && c != ' ') {
            return 0;
        }
    }
    return number;
}
#define ORVANE_TEXT_OF(expanded) #expanded
#define ORVANE_SIGNAL_WHERE_DEFINED(name) NumberWhereDefined(ORVANE_TEXT_OF(name))

// Every signal whose default action ends the process, but SIGKILL (no handler sees it) and
// SIGPIPE (ignored: a write fails instead), in two kinds; 0 stands for one this system
// lacks: SIGPOLL (Linux), SIGPWR and SIGSTKFLT (Linux), SIGLOST (Linux on SPARC, the
// Hurd), SIGEMT (macOS, the BSDs, Linux on MIPS). The real-time signals come on top.
//
// Signals from outside, handed back and ended by under the default action at once. One
// that is not at its default at start is left as found: ignored (nohup's SIGHUP, a
// shell's `trap '' XFSZ`) or caught by another (a profiler's SIGPROF).
constexpr int kEndingSignals[] = {SIGHUP,
                                  SIGINT,
                                  SIGQUIT,
                                  SIGTERM,
                                  SIGALRM,
                                  SIGUSR1,
                                  SIGUSR2,
                                  SIGPROF,
                                  SIGVTALRM,
                                  SIGXCPU,
                                  SIGXFSZ,
                                  ORVANE_SIGNAL_WHERE_DEFINED(SIGPOLL),
                                  ORVANE_SIGNAL_WHERE_DEFINED(SIGPWR),
                                  ORVANE_SIGNAL_WHERE_DEFINED(SIGSTKFLT),
                                  ORVANE_SIGNAL_WHERE_DEFINED(SIGLOST)};
// The signals a fault of the running code raises (and kill sends as well), with the
// handlers that were there before ours (the default, or a sanitizer's) side by side,
// since NSIG is not in POSIX. One ignored at start stays ignored.
constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS,  SIGILL, SIGFPE,
                                 SIGABRT, SIGTRAP, SIGSYS, ORVANE_SIGNAL_WHERE_DEFINED(SIGEMT)};
struct sigaction crashActions[std::size(kCrashSignals)];

// Hands the terminal back, then raises the signal again under the handler that
// was there before: it is delivered as this handler returns, so a real fault
// and the same signal sent from outside (kill, abort) both end the process by
// it, or reach a sanitizer's handler. Nothing reads si_code to tell the two
// apart, since systems fill it differently (macOS on Apple silicon gives a
// kill the code of a fault, FreeBSD numbers SI_USER 0x10001).
void OnCrash(int signal) {
    HandBackIfAttached();
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i) {
        if (kCrashSignals[i] == signal) {
            sigaction(signal, &crashActions[i], nullptr);
        }
    }
    raise(signal);
}

} // namespace

void PrepareHandBack(const HandBack& next) {
    attached.store(0);
    handBack = next;
}

void AttachHandBack() {
    attached.store(1);
}

void DetachHandBack() {
    attached.store(0);
}

void SetWantedRawMode(bool raw) {
    wantRaw.store(raw ? 1 : 0);
}

void PublishRestoreText(const std::string& text) {
    const int next = 1 - restoreCurrent.load(std::memory_order_relaxed);
    const std::size_t length = std::min(text.size(), sizeof restoreText[0]);
    std::memcpy(restoreText[next], text.data(), length);
    restoreLength[next] = length;
    restoreCurrent.store(next, std::memory_order_release);
}

// Async-signal-safe: a write and a tcsetattr.
//
// Only from the foreground: in the background (the shell took the terminal back
// when Ctrl+Z stopped a script the tool runs under, or a stopped tool is killed
// with bash's `kill %1`) the shell owns the terminal and has set its own modes,
// and the tool handed the terminal back when it was stopped.
void HandTerminalBack() {
    if (!TheTerminalSystem().inForeground(handBack.keyboardFd)) {
        return;
    }
    const int current = restoreCurrent.load(std::memory_order_acquire);
    if (TheTerminalSystem().write(handBack.screenFd, restoreText[current], restoreLength[current]) <
        0) {
        // Nothing more to try from inside a signal handler.
    }
    TheTerminalSystem().setModes(handBack.keyboardFd, TCSADRAIN, &handBack.original);
}

bool OpenSignalPipe() {
    CloseSignalPipe();
    if (TheTerminalSystem().makePipe(signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return false;
    }
    if (!Selectable(signalPipe[0]) || !Selectable(signalPipe[1])) {
        // Beyond what select can watch: the waits are bounded instead.
        CloseSignalPipe();
        return false;
    }
    return true;
}

void CloseSignalPipe() {
    for (int& end : signalPipe) {
        if (end >= 0) {
            TheTerminalSystem().close(end);
            end = -1;
        }
    }
}

namespace {

// The action `signal` has now; false (errno set) when it cannot be asked.
bool FindAction(int signal, struct sigaction& found) {
    return TheTerminalSystem().setAction(signal, nullptr, &found) == 0;
}

bool AtDefault(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_DFL;
}

bool Ignored(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

// An ending signal from outside, when it is at its default.
bool InstallEnding(int signal) {
    struct sigaction found {};
    return signal == 0 ||
           (FindAction(signal, found) && (!AtDefault(found) || Install(signal, OnTerminate)));
}

// A crash signal, chained to the action it has now, unless that ignores it.
bool InstallCrash(std::size_t i) {
    const int signal = kCrashSignals[i];
    if (signal == 0) {
        return true;
    }
    if (!FindAction(signal, crashActions[i])) {
        return false;
    }
    if (Ignored(crashActions[i])) {
        return true;
    }
    struct sigaction action {};
    action.sa_handler = OnCrash;
    BlockTerminalStops(action);
    return Replace(signal, action);
}

} // namespace

bool InstallTerminalSignals() {
    bool installed = Install(SIGWINCH, OnResize);
    for (int signal : kEndingSignals) {
        installed = installed && InstallEnding(signal);
    }
    // As many as the system lets a program catch: an emulator (qemu-user) may keep
    // some for itself.
    const SignalRange realTime = RealTimeSignals();
    for (int signal = realTime.first; signal <= realTime.last; ++signal) {
        InstallEnding(signal);
    }
    installed = installed && Install(SIGTSTP, OnStop) && Install(SIGCONT, OnContinue);
    // Not put back with the handlers: the plan written to standard output after the
    // hand-back must see a closed pipe as a failed write too, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    for (std::size_t i = 0; i < std::size(kCrashSignals); ++i) {
        installed = installed && InstallCrash(i);
    }
    return installed;
}

void RemoveTerminalSignals() {
    while (replacedCount > 0) {
        const Replaced& last = replaced[--replacedCount];
        TheTerminalSystem().setAction(last.signal, &last.previous, nullptr);
    }
}

std::vector<int> SignalsThatEndTheProcess() {
    std::vector<int> signals;
    for (int signal : kEndingSignals) {
        signals.push_back(signal);
    }
    for (int signal : kCrashSignals) {
        signals.push_back(signal);
    }
    const SignalRange realTime = RealTimeSignals();
    for (int signal = realTime.first; signal <= realTime.last; ++signal) {
        signals.push_back(signal);
    }
    signals.erase(std::remove(signals.begin(), signals.end(), 0), signals.end());
    return signals;
}

int SignalWakeFd() {
    return signalPipe[0];
}

void DrainSignalWakeUps() {
    char buffer[64];
    while (TheTerminalSystem().read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
}

bool TakeRedrawSignal() {
    if (redraw == 0) {
        return false;
    }
    redraw = 0;
    return true;
}
