// The signal handlers of the terminal session. They only write the restore
// text, set modes and record what happened; all real work is left to the main
// flow, which the pipe wakes.
#include "platform/posix/terminal_signals.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

HandBack handBack;
int signalPipe[2] = {-1, -1};
volatile sig_atomic_t resized = 0;

// The bytes a signal handler writes to hand the terminal back. Built in the
// main flow after every frame, double-buffered so a handler never reads a
// half-built one.
char restoreText[2][128];
volatile sig_atomic_t restoreLength[2] = {0, 0};
volatile sig_atomic_t restoreCurrent = 0;

void Unblock(int signal) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

void Notify() {
    const char byte = 1;
    if (write(signalPipe[1], &byte, 1) < 0) {
        // The pipe is full: a wake-up is already waiting.
    }
}

void OnTerminate(int signal) {
    HandTerminalBack();
    std::signal(signal, SIG_DFL);
    Unblock(signal);
    raise(signal);
}

void OnStop(int signal);

// Continued after any stop: whatever the shell drew meanwhile is drawn over.
void OnContinue(int) {
    const int saved = errno;
    resized = 1;
    Notify();
    errno = saved;
}

void OnResize(int) {
    const int saved = errno;
    resized = 1;
    Notify();
    errno = saved;
}

void Install(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

// Suspended from outside: hand the terminal back while stopped and take it
// again, redrawn, when continued.
void OnStop(int signal) {
    const int saved = errno;
    HandTerminalBack();
    std::signal(signal, SIG_DFL);
    Unblock(signal);
    raise(signal);
    Install(signal, OnStop);
    tcsetattr(handBack.keyboardFd, TCSANOW, &handBack.raw);
    resized = 1;
    Notify();
    errno = saved;
}

// A crash still hands the terminal back; the fault then repeats under the
// handler that was there before (the default, or a sanitizer's).
struct sigaction crashActions[NSIG];

void OnCrash(int signal) {
    HandTerminalBack();
    sigaction(signal, &crashActions[signal], nullptr);
    if (signal == SIGABRT) {
        Unblock(signal);
        raise(signal);
    }
}

} // namespace

void PrepareHandBack(const HandBack& next) {
    handBack = next;
}

void PublishRestoreText(const std::string& text) {
    const int next = 1 - restoreCurrent;
    const std::size_t length = std::min(text.size(), sizeof restoreText[0]);
    std::memcpy(restoreText[next], text.data(), length);
    restoreLength[next] = static_cast<sig_atomic_t>(length);
    restoreCurrent = next;
}

// Async-signal-safe: a write and a tcsetattr. The CAN byte first ends any
// control sequence that the interrupted frame left half-written.
void HandTerminalBack() {
    const int current = restoreCurrent;
    if (write(handBack.screenFd, restoreText[current],
              static_cast<std::size_t>(restoreLength[current])) < 0) {
        // Nothing more to try from inside a signal handler.
    }
    tcsetattr(handBack.keyboardFd, TCSADRAIN, &handBack.original);
}

void OpenSignalPipe() {
    if (pipe2(signalPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void InstallTerminalSignals() {
    Install(SIGWINCH, OnResize);
    for (int signal : {SIGTERM, SIGHUP, SIGQUIT, SIGINT}) {
        Install(signal, OnTerminate);
    }
    Install(SIGTSTP, OnStop);
    Install(SIGCONT, OnContinue);
    std::signal(SIGPIPE, SIG_IGN);
    for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) {
        struct sigaction action {};
        action.sa_handler = OnCrash;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, &crashActions[signal]);
    }
}

int SignalWakeFd() {
    return signalPipe[0];
}

void DrainSignalWakeUps() {
    char buffer[64];
    while (read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
}

bool TakeRedrawSignal() {
    if (resized == 0) {
        return false;
    }
    resized = 0;
    return true;
}
