// Taking the controlling terminal and handing it back. The start acquires the
// device, the signal pipe and the handlers in that order; one teardown gives
// back whatever it got, whether the start is refused half-way or the run ends.
#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_facts.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/terminal_signals.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The buffer a program finds at start takes the terminal's size, but no more than this:
// a terminal may report any size up to 65535 x 65535, and a buffer of that size alone
// would take 17 GB. The program sets its own size (80 x 25) before it shows anything.
constexpr int kLargestStartColumns = 256;
constexpr int kLargestStartRows = 128;

Session session;

// Gives back what the start acquired, the last acquired first, however far it
// came: the handlers, the pipe, the device. A second call finds nothing left.
void ReleaseSession() {
    session.active = false;
    DetachHandBack();
    RemoveTerminalSignals();
    CloseSignalPipe();
    if (session.keyboardFd >= 0) {
        System().close(session.keyboardFd);
        session.keyboardFd = -1;
    }
}

// Releases what the start acquired and says why the terminal cannot be used.
TerminalRefusal Refusal(TerminalRefusalCause cause) {
    TerminalRefusal refusal{cause, kTerminalDevice, std::strerror(errno)};
    ReleaseSession();
    return refusal;
}

} // namespace

Session& TheSession() {
    return session;
}

void Complain(const std::string& what) {
    const std::string line = std::string("orvane: ") + what + " (" + kTerminalDevice + ")\n";
    if (System().write(STDERR_FILENO, line.data(), line.size()) < 0) {
        // Standard error is gone too; the exit status still tells.
    }
}

void TerminalGone(const char* what) {
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
    session.active = false;
    DetachHandBack();
    HandTerminalBack();
    Complain(std::string("the terminal went away: ") + what + reason);
    System().exit(1);
    std::_Exit(1);
}

TerminalRefusal StartTerminalConsole() {
    ReleaseSession();
    session = Session{};
    session.keyboardFd = System().open(kTerminalDevice, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (session.keyboardFd < 0) {
        return Refusal(TerminalRefusalCause::NoTerminal);
    }
    if (!Selectable(session.keyboardFd)) {
        const std::string detail = "descriptor " + std::to_string(session.keyboardFd) +
                                   ", select watches only 0 to " + std::to_string(FD_SETSIZE - 1);
        TerminalRefusal refusal = Refusal(TerminalRefusalCause::CannotWatchKeyboard);
        refusal.detail = detail;
        return refusal;
    }
    session.screenFd = System().isTerminal(STDOUT_FILENO)   ? STDOUT_FILENO
                       : System().isTerminal(STDERR_FILENO) ? STDERR_FILENO
                                                            : session.keyboardFd;
    int got;
    while ((got = System().getModes(session.keyboardFd, &session.original)) != 0 &&
           errno == EINTR) {
    }
    if (got != 0) {
        return Refusal(TerminalRefusalCause::CannotReadModes);
    }
    // Decided before anything is written to the terminal or set on it, so a
    // terminal the tool cannot drive is left exactly as it was.
    const TerminalVerdict verdict = DecideTerminal(ReadTerminalFacts(session.keyboardFd));
    if (!verdict.problem.empty()) {
        TerminalRefusal refusal = Refusal(TerminalRefusalCause::CannotPlaceCursor);
        refusal.detail = verdict.problem;
        return refusal;
    }
    // Setting the modes as found changes nothing, and finds out early whether
    // raw mode could be entered and left.
    if (!SetModes(TCSANOW, session.original)) {
        return Refusal(TerminalRefusalCause::CannotSetModes);
    }
    session.style = verdict.style;
    session.raw = RawModesOf(session.original);
    ReadTerminalSize();
    ResetConsoleModel(std::min(session.width, kLargestStartColumns),
                      std::min(session.height, kLargestStartRows));
    OpenSignalPipe(); // without it, waits are bounded instead (see terminal_wait.cpp)
    session.lastByte = System().now();
    UpdateRestoreText();
    PrepareHandBack({session.keyboardFd, session.screenFd, session.original, session.raw});
    SetWantedRawMode(false);
    if (!InstallTerminalSignals()) {
        return Refusal(TerminalRefusalCause::CannotWatchSignals);
    }
    AttachHandBack();
    session.active = true;
    static const bool stopAtExit = std::atexit(StopTerminalConsole) == 0;
    (void)stopAtExit;
    return {};
}

void StopTerminalConsole() {
    if (!session.active) {
        ReleaseSession(); // what a terminal that went away left
        return;
    }
    PresentScreen();
    WriteAll(RestoreSequence(session.presenter, PromptRow()));
    session.active = false;
    const bool restored = SetModes(TCSADRAIN, session.original);
    const int error = errno;
    ReleaseSession();
    if (!restored && error != EIO) {
        // The device is there but keeps its raw modes: the user must mend it.
        Complain(std::string("cannot give the terminal its modes back: ") + std::strerror(error) +
                 "; type 'stty sane' and Enter");
    }
}

std::string TerminalRefusalMessage(const TerminalRefusal& refusal) {
    const std::string where = " (" + refusal.device + ": " + refusal.detail + ")";
    switch (refusal.cause) {
    case TerminalRefusalCause::None:
        return "";
    case TerminalRefusalCause::NoTerminal:
        return "no terminal to run in" + where + "; start it from an interactive terminal";
    case TerminalRefusalCause::CannotReadModes:
        return "cannot read the terminal's modes" + where;
    case TerminalRefusalCause::CannotSetModes:
        return "cannot set the terminal's modes" + where;
    case TerminalRefusalCause::CannotPlaceCursor:
        return refusal.detail;
    case TerminalRefusalCause::CannotWatchSignals:
        return "cannot install the signal handlers that hand the terminal back" + where;
    case TerminalRefusalCause::CannotWatchKeyboard:
        // Only a parent that left that many descriptors open gets here.
        return "too many files open to wait for keys" + where;
    }
    return "cannot use the terminal" + where;
}
