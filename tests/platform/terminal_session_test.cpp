// The terminal session's branches on a fake terminal: writes that come back
// short, interrupted or full, a terminal that goes away while a frame or a
// key is on its way, the modes given back, and the refusals at start-up.
#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_signals.h"
#include "tests/platform/fake_terminal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using fake::Fake;
using fake::FakeTerminalScope;
using fake::Happening;
using std::chrono::milliseconds;

bool SameModes(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

void ExpectNothingHeld() {
    EXPECT_TRUE(Fake().openFds.empty()) << "descriptors left open";
    EXPECT_TRUE(fake::CaughtSignals().empty()) << "handlers left installed";
    EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
}

// Gives the next frame something to show.
void ChangeCells(const std::string& text) {
    for (std::size_t x = 0; x < text.size(); ++x) {
        CellAt(TheConsole(), static_cast<int>(x), 0) = {static_cast<unsigned char>(text[x]), 0x1F};
    }
    ++TheConsole().changes;
}

// The bytes of the first frame on an obliging terminal.
std::string ReferenceFrame() {
    FakeTerminalScope scope;
    EXPECT_TRUE(fake::StartOnFake());
    ChangeCells("frame");
    PresentScreen();
    return Fake().screen;
}

// The C library's text for an error code: macOS and the BSDs word some differently from
// glibc ("Device not configured" for ENXIO).
std::string Text(int code) {
    return std::strerror(code);
}

bool SaysOnce(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos && output.find('\n') == output.size() - 1;
}

TEST(TerminalSession, AFrameArrivesWholeThroughShortInterruptedAndFullWrites) {
    const std::string reference = ReferenceFrame();
    ASSERT_GT(reference.size(), 20u);
    struct Case {
        const char* name;
        std::size_t chunk; // most bytes one write takes
        int interrupted;   // writes failing with EINTR first
        int full;          // writes failing with EAGAIN first
    };
    const Case cases[] = {
        {"short writes of 7 bytes", 7, 0, 0},
        {"interrupted three times", SIZE_MAX, 3, 0},
        {"full three times", SIZE_MAX, 0, 3},
        {"one byte at a time, interrupted and full", 1, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        ASSERT_TRUE(fake::StartOnFake());
        Fake().writeChunk = c.chunk;
        Fake().interruptedWrites = c.interrupted;
        Fake().fullWrites = c.full;
        ChangeCells("frame");
        PresentScreen();
        EXPECT_EQ(Fake().screen, reference);
        EXPECT_EQ(Fake().waitsForRoom, c.full) << "waits for room instead of spinning";
        EXPECT_EQ(Fake().errorOutput, "");
    }
}

// On a terminal of the given size: the buffer's cells at start, and the bytes the screen
// gets once the buffer is 80 x 25 (as Console80x makes it) and an error box has come and gone.
std::pair<std::size_t, std::string> StartAndShowABox(int width, int height) {
    FakeTerminalScope scope;
    Fake().width = width;
    Fake().height = height;
    fake::StartTyping({{milliseconds(10), Happening::Typed, "\r"}});
    const std::size_t startCells = TheConsole().cells.size();
    ResizeConsoleBuffer(80, 25);
    ChangeCells("frame");
    ShowTerminalMessageBox("Error", "It went wrong.");
    return {startCells, Fake().screen};
}

// Whatever size a terminal reports, every buffer stays as large as what can be shown: the
// buffer at start is the terminal's size up to 256 x 128, and a terminal larger than the
// 80 x 25 buffer gets the very bytes an 80 x 25 one gets, the box centred on the buffer.
TEST(TerminalSession, AnyTerminalSizeKeepsEveryBufferToWhatCanBeShown) {
    const std::string reference = StartAndShowABox(80, 25).second;
    const std::pair<int, int> sizes[] = {{100, 30}, {300, 25}, {10000, 10000}, {65535, 65535}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const auto [startCells, screen] = StartAndShowABox(width, height);
        EXPECT_EQ(startCells, CellCount(std::min(width, 256), std::min(height, 128)));
        EXPECT_EQ(screen, reference);
    }
}

TEST(TerminalSession, ATerminalThatGoesAwayMidFrameEndsTheProcessWithItsModesBack) {
    const std::string reference = ReferenceFrame();
    FakeTerminalScope scope;
    ASSERT_TRUE(fake::StartOnFake());
    SetTerminalRawMode(true);
    Fake().writeLimit = reference.size() / 2;
    ChangeCells("frame");
    EXPECT_EQ(fake::ExitStatusOf(PresentScreen), 1) << "went on writing to a terminal that is gone";
    EXPECT_EQ(Fake().screen, reference.substr(0, reference.size() / 2));
    EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
    EXPECT_TRUE(
        SaysOnce(Fake().errorOutput, "the terminal went away: write: " + Text(EIO) + " (/dev/tty)"))
        << Fake().errorOutput;
    // Detached: nothing more is written or read.
    ChangeCells("again");
    PresentScreen();
    PumpTerminalInput();
    SleepOnTerminal(5);
    EXPECT_EQ(Fake().screen.size(), reference.size() / 2);
}

TEST(TerminalSession, ReadingTheKeyboard) {
    struct Case {
        const char* name;
        std::vector<fake::KeyboardEvent> script; // all at 0 ms
        int interruptedReads;                    // reads failing with EINTR first
        const char* keys;                        // queued afterwards
        std::string gone;                        // the complaint when it ends, or ""
    };
    const Case cases[] = {
        {"keys after EINTR", {{milliseconds(0), Happening::Typed, "ab"}}, 2, "ab", ""},
        {"nothing typed (EAGAIN)", {}, 0, "", ""},
        {"EIO", {{milliseconds(0), Happening::ReadError, "", EIO}}, 0, "", "read: " + Text(EIO)},
        {"end of file", {{milliseconds(0), Happening::EndOfFile, ""}}, 0, "", "end of file ("},
        {"keys, then end of file",
         {{milliseconds(0), Happening::Typed, "ab"}, {milliseconds(0), Happening::EndOfFile, ""}},
         0,
         "",
         "end of file ("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        fake::StartTyping(c.script);
        Fake().interruptedReads = c.interruptedReads;
        const int status = fake::ExitStatusOf(PumpTerminalInput);
        EXPECT_EQ(fake::QueuedKeys(), c.keys);
        if (c.gone.empty()) {
            EXPECT_EQ(status, -1);
            EXPECT_EQ(Fake().errorOutput, "");
        } else {
            EXPECT_EQ(status, 1);
            EXPECT_TRUE(SaysOnce(Fake().errorOutput, c.gone)) << Fake().errorOutput;
            EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
        }
    }
}

// A readiness alone ends nothing (macOS's select may report one that holds no
// byte); the read after a hang-up does.
TEST(TerminalSession, AHangUpEndsEveryWaitAndAReadinessAloneDoesNot) {
    struct Case {
        const char* name;
        void (*wait)();
    };
    const Case cases[] = {
        {"sleep", [] { SleepOnTerminal(1); }},
        // As a read of the console's input waits again while nothing came.
        {"read of the input queue",
         [] {
             for (;;) {
                 WaitForTerminal();
             }
         }},
        {"message box", [] { ShowTerminalMessageBox("Error", "It went wrong."); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        fake::StartTyping({{milliseconds(200), Happening::Spurious, ""},
                           {milliseconds(500), Happening::HangUp, ""}});
        EXPECT_EQ(fake::ExitStatusOf(c.wait), 1);
        EXPECT_EQ(Fake().now, milliseconds(500));
        EXPECT_TRUE(SaysOnce(Fake().errorOutput,
                             "the terminal went away: read: " + Text(EIO) + " (/dev/tty)"))
            << Fake().errorOutput;
        EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
    }
}

TEST(TerminalSession, ModesAreSetAndGivenBack) {
    FakeTerminalScope scope;
    Fake().interruptedGetModes = 2;
    Fake().interruptedSetModes = 2;
    ASSERT_TRUE(fake::StartOnFake()) << "interrupted calls at start are retried";
    EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes())) << "start changes nothing";
    SetTerminalRawMode(true);
    EXPECT_EQ(Fake().modes.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(Fake().modes.c_cc[VMIN], 1);
    SetTerminalRawMode(false);
    EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
    SetTerminalRawMode(true);
    Fake().interruptedSetModes = 2;
    StopTerminalConsole();
    EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()))
        << "an interrupted tcsetattr is retried";
    EXPECT_EQ(Fake().errorOutput, "");
}

TEST(TerminalSession, ModesThatCannotBeSetAreReported) {
    {
        SCOPED_TRACE("while running: the terminal is as good as gone");
        FakeTerminalScope scope;
        ASSERT_TRUE(fake::StartOnFake());
        Fake().setModesError = EIO;
        EXPECT_THROW(SetTerminalRawMode(true), fake::Exited);
        EXPECT_TRUE(SaysOnce(Fake().errorOutput, "tcsetattr: " + Text(EIO) + " (/dev/tty)"))
            << Fake().errorOutput;
    }
    {
        SCOPED_TRACE("at the end: the user is told how to mend it");
        FakeTerminalScope scope;
        ASSERT_TRUE(fake::StartOnFake());
        SetTerminalRawMode(true);
        Fake().setModesError = EPERM;
        StopTerminalConsole();
        EXPECT_TRUE(
            SaysOnce(Fake().errorOutput, "cannot give the terminal its modes back: " + Text(EPERM) +
                                             "; type 'stty sane' and Enter (/dev/tty)"))
            << Fake().errorOutput;
    }
}

TEST(TerminalSession, TheRestoreTextOfASignalIsTheOneOfAnOrdinaryEnd) {
    FakeTerminalScope scope;
    ASSERT_TRUE(fake::StartOnFake());
    SetTerminalRawMode(true);
    ChangeCells("frame");
    PresentScreen();
    std::size_t mark = Fake().screen.size();
    HandTerminalBack();
    const std::string fromSignal = Fake().screen.substr(mark);
    EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
    mark = Fake().screen.size();
    StopTerminalConsole();
    const std::string atExit = Fake().screen.substr(mark);
    ASSERT_FALSE(atExit.empty());
    // CAN first, to end any control sequence that a signal cut short.
    EXPECT_EQ(fromSignal, "\x18" + atExit);
}

// Killed or stopped while in the background, the terminal is the shell's:
// a signal's hand-back leaves its screen and modes alone.
TEST(TerminalSession, ASignalInTheBackgroundLeavesTheShellsTerminalAlone) {
    FakeTerminalScope scope;
    ASSERT_TRUE(fake::StartOnFake());
    SetTerminalRawMode(true);
    ChangeCells("frame");
    PresentScreen();
    const termios raw = Fake().modes;
    const std::size_t mark = Fake().screen.size();
    Fake().foreground = false;
    HandTerminalBack();
    EXPECT_EQ(Fake().screen.size(), mark);
    EXPECT_TRUE(SameModes(Fake().modes, raw));
    Fake().foreground = true;
}

// Whichever step fails, the refusal leaves the process holding nothing of the
// terminal: no descriptor, no handler, the modes as found.
TEST(TerminalSession, StartRefusesWithTheCauseAndTheDevice) {
    const std::string kNoHandlers =
        "cannot install the signal handlers that hand the terminal back (/dev/tty: " +
        Text(EINVAL) + ")";
    struct Case {
        const char* name;
        void (*breakIt)();
        TerminalRefusalCause cause;
        std::string message;
    };
    const Case cases[] = {
        {"no controlling terminal", [] { Fake().openError = ENXIO; },
         TerminalRefusalCause::NoTerminal,
         "no terminal to run in (/dev/tty: " + Text(ENXIO) +
             "); start it from an interactive terminal"},
        {"not a terminal", [] { Fake().getModesError = ENOTTY; },
         TerminalRefusalCause::CannotReadModes,
         "cannot read the terminal's modes (/dev/tty: " + Text(ENOTTY) + ")"},
        {"modes cannot be set", [] { Fake().setModesError = EIO; },
         TerminalRefusalCause::CannotSetModes,
         "cannot set the terminal's modes (/dev/tty: " + Text(EIO) + ")"},
        {"a keyboard descriptor beyond select", [] { Fake().openedFd = FD_SETSIZE; },
         TerminalRefusalCause::CannotWatchKeyboard,
         "too many files open to wait for keys (/dev/tty: descriptor " +
             std::to_string(FD_SETSIZE) + ", select watches only 0 to " +
             std::to_string(FD_SETSIZE - 1) + ")"},
        {"no handler for stops", [] { Fake().actionErrorSignal = SIGTSTP; },
         TerminalRefusalCause::CannotWatchSignals, kNoHandlers},
        {"no handler for resizes, the first", [] { Fake().actionErrorSignal = SIGWINCH; },
         TerminalRefusalCause::CannotWatchSignals, kNoHandlers},
        {"no handler for the interrupt key", [] { Fake().actionErrorSignal = SIGINT; },
         TerminalRefusalCause::CannotWatchSignals, kNoHandlers},
        {"no handler for faults, the last", [] { Fake().actionErrorSignal = SIGSYS; },
         TerminalRefusalCause::CannotWatchSignals, kNoHandlers},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        c.breakIt();
        const TerminalRefusal refusal = StartTerminalConsole();
        EXPECT_EQ(refusal.cause, c.cause);
        EXPECT_EQ(refusal.device, "/dev/tty");
        EXPECT_EQ(TerminalRefusalMessage(refusal), c.message);
        ++TheConsole().changes;
        PresentScreen();
        EXPECT_EQ(Fake().screen, "") << "nothing is drawn";
        EXPECT_TRUE(SameModes(Fake().modes, fake::CookedModes()));
        ExpectNothingHeld();
    }
    EXPECT_EQ(TerminalRefusalMessage({}), "");
}

TEST(TerminalSession, StopReleasesWhatTheStartAcquiredOnce) {
    FakeTerminalScope scope;
    ASSERT_TRUE(fake::StartOnFake());
    EXPECT_FALSE(Fake().openFds.empty());
    EXPECT_FALSE(fake::CaughtSignals().empty());
    SetTerminalRawMode(true);
    StopTerminalConsole();
    ExpectNothingHeld();
    const std::string screen = Fake().screen;
    StopTerminalConsole();
    EXPECT_EQ(Fake().screen, screen) << "a second stop writes nothing";
    EXPECT_EQ(Fake().errorOutput, "");
}

TEST(TerminalSession, WithoutTheSignalPipeWaitsAreBoundedInsteadOfEndless) {
    struct Case {
        const char* name;
        void (*breakIt)();
    };
    const Case cases[] = {
        {"no pipe to be had", [] { Fake().pipeError = EMFILE; }},
        {"its ends beyond select",
         [] { Fake().pipeEnds[0] = FD_SETSIZE, Fake().pipeEnds[1] = FD_SETSIZE + 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTerminalScope scope;
        c.breakIt();
        ASSERT_TRUE(fake::StartOnFake());
        SetTerminalRawMode(true);
        Fake().script = {{milliseconds(350), Happening::Typed, "x"}};
        SleepOnTerminal(1);
        EXPECT_EQ(fake::QueuedKeys(), "x");
        EXPECT_EQ(Fake().now, milliseconds(350));
        for (int timeout : Fake().waitTimeouts) {
            EXPECT_TRUE(timeout > 0 && timeout <= 100) << timeout;
        }
        StopTerminalConsole();
        ExpectNothingHeld();
    }
}

} // namespace
