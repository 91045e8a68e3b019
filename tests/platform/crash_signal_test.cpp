// A crash signal that carries the code of a real fault though nothing faulted,
// as macOS on Apple silicon reports a `kill -SEGV`, still hands the terminal
// back and ends the process by that very signal. Only Linux lets a process
// send itself a signal with any code, so this one runs there.
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_signals.h"
#include "platform/posix/terminal_system.h"
#include "tests/platform/fake_terminal.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

using fake::Fake;

// Sends this thread `signal` with si_code `code` and no fault behind it.
void SendWithCode(int signal, int code) {
    siginfo_t info{};
    info.si_signo = signal;
    info.si_code = code;
    if (syscall(SYS_rt_tgsigqueueinfo, getpid(), syscall(SYS_gettid), signal, &info) != 0) {
        std::perror("rt_tgsigqueueinfo");
    }
}

// The dying child: a session on the fake terminal under the real handlers, its
// screen copied to copyFd, which outlives it. One that lives on ends with status 0.
void CrashWhileAttached(int signal, int code, int copyFd, void (*atStart)(int) = SIG_DFL) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    // The action the handler puts back: the default, whatever a sanitizer set.
    std::signal(signal, atStart);
    fake::InstallFakeTerminal();
    TheTerminalSystem().setAction = RealTerminalSystem().setAction;
    Fake().screenCopyFd = copyFd;
    fake::StartTyping({});
    PresentScreen();
    SendWithCode(signal, code);
    std::_Exit(0);
}

// What the screen gets from the first frame and a signal's hand-back.
std::string FrameAndHandBack() {
    fake::FakeTerminalScope scope;
    fake::StartTyping({});
    PresentScreen();
    HandTerminalBack();
    return Fake().screen;
}

std::string ReadToEnd(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

TEST(TerminalCrash, ASignalWithTheCodeOfAFaultEndsByItWithTheTerminalHandedBack) {
    // Forked, not started again: a test binary under qemu-user cannot exec itself.
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string handedBack = FrameAndHandBack();
    struct Case {
        const char* name;
        int signal;
        int code;
    };
    const Case cases[] = {
        {"SIGSEGV, access error", SIGSEGV, SEGV_ACCERR},
        {"SIGSEGV, no mapping", SIGSEGV, SEGV_MAPERR},
        {"SIGBUS, address error", SIGBUS, BUS_ADRERR},
        {"SIGILL, trap", SIGILL, ILL_ILLTRP},
        {"SIGSEGV from kill", SIGSEGV, SI_USER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // qemu-user takes a fault's code on a signal for a fault of its own
        // guest and stops on an assertion; only the plain kill stays testable there.
        if (ORVANE_TESTS_UNDER_EMULATOR && c.code != SI_USER) {
            continue;
        }
        int copy[2];
        ASSERT_EQ(pipe(copy), 0);
        EXPECT_EXIT(CrashWhileAttached(c.signal, c.code, copy[1]),
                    testing::KilledBySignal(c.signal), "");
        close(copy[1]);
        EXPECT_EQ(ReadToEnd(copy[0]), handedBack) << "the frame, then the hand-back";
        close(copy[0]);
    }
}

// Sent from outside, every signal whose default action ends the process hands the terminal
// back first and then ends it by that very signal: the ones POSIX names, then the system's
// own list (SIGEMT, SIGPWR, the real-time ones ...). SIGHUP ignored at start, as nohup
// leaves it, stays ignored: the process goes on with the terminal.
TEST(TerminalCrash, EverySignalThatEndsTheProcessHandsTheTerminalBackFirst) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string handedBack = FrameAndHandBack();
    std::vector<int> signals = {SIGHUP,  SIGINT,    SIGQUIT, SIGTERM, SIGALRM, SIGUSR1,
                                SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ, SIGTRAP,
                                SIGSYS,  SIGABRT,   SIGSEGV, SIGBUS,  SIGFPE,  SIGILL};
    const std::vector<int> systems = SignalsThatEndTheProcess();
    signals.insert(signals.end(), systems.begin(), systems.end());
    for (int signal : signals) {
        SCOPED_TRACE(strsignal(signal));
        if (ORVANE_TESTS_UNDER_EMULATOR && signal >= SIGRTMIN) {
            continue; // qemu-user keeps some real-time signals for itself
        }
        int copy[2];
        ASSERT_EQ(pipe(copy), 0);
        EXPECT_EXIT(CrashWhileAttached(signal, SI_USER, copy[1]), testing::KilledBySignal(signal),
                    "");
        close(copy[1]);
        EXPECT_EQ(ReadToEnd(copy[0]), handedBack);
        close(copy[0]);
    }
    int copy[2];
    ASSERT_EQ(pipe(copy), 0);
    EXPECT_EXIT(CrashWhileAttached(SIGHUP, SI_USER, copy[1], SIG_IGN), testing::ExitedWithCode(0),
                "");
    close(copy[1]);
    EXPECT_EQ(ReadToEnd(copy[0]), handedBack.substr(0, handedBack.rfind('\x18'))) << "frame alone";
    close(copy[0]);
}

} // namespace
