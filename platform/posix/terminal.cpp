// The controlling terminal behind the emulated console: raw mode entered and
// left in one place, frames written, typed bytes decoded into the input queue,
// and every way out of the process handing the terminal back as it was found.
#include "platform/posix/terminal.h"

#include "platform/message_box.h"
#include "platform/posix/console_model.h"
#include "platform/posix/console_screen.h"
#include "platform/posix/key_record.h"
#include "platform/posix/sleep_timer.h"
#include "platform/posix/terminal_facts.h"
#include "platform/posix/terminal_signals.h"
#include "platform/posix/terminal_system.h"
#include "platform/terminal_text/frame.h"
#include "platform/terminal_text/key_decoder.h"
#include "platform/terminal_text/presenter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Reading stops while this many records wait, so a flood of typing stays in
// the terminal's own bounded buffer instead of growing ours.
constexpr std::size_t kInputQueueLimit = 1024;

// Without the signal pipe a signal that comes just before a wait would not
// end it, so no wait lasts longer than this: a resize is drawn a little late
// instead of only at the next key.
constexpr int kWaitWithoutPipeMs = 100;

constexpr const char* kTerminalDevice = "/dev/tty";

// The buffer a program finds at start takes the terminal's size, but no more than this:
// a terminal may report any size up to 65535 x 65535, and a buffer of that size alone
// would take 17 GB. The program sets its own size (80 x 25) before it shows anything.
constexpr int kLargestStartColumns = 256;
constexpr int kLargestStartRows = 128;

struct Session {
    bool active = false;              // attached to a terminal
    int keyboardFd = -1;              // the controlling terminal, our own non-blocking open
    int screenFd = -1;                // where frames are written
    termios original{};               // the terminal's modes as found
    termios raw{};                    // the same with echo and line editing off
    TerminalStyle style;              // encoding and colours of the terminal
    PresenterState presenter;         // what the terminal shows
    View view;                        // the part of the buffer shown
    int width = 80;                   // terminal columns, as it reports them
    int height = 25;                  // terminal rows, as it reports them
    unsigned long presented = 0;      // the model's change count at the last frame
    bool redraw = true;               // the next frame must be composed whatever the count says
    std::string pending;              // typed bytes not yet decoded
    Clock::time_point lastByte;       // when the newest typed byte arrived
    const Overlay* overlay = nullptr; // a message box over the screen
};

Session session;

TerminalSystem& System() {
    return TheTerminalSystem();
}

// Says on standard error what went wrong with the terminal, in one line.
void Complain(const std::string& what) {
    const std::string line = std::string("orvane: ") + what + " (" + kTerminalDevice + ")\n";
    if (System().write(STDERR_FILENO, line.data(), line.size()) < 0) {
        // Standard error is gone too; the exit status still tells.
    }
}

// Nothing more can be shown or typed: give the modes back if the device still
// takes them and end, instead of waiting on a terminal that is gone. `what`
// names the call that failed, with errno still its error.
[[noreturn]] void TerminalGone(const char* what) {
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
    session.active = false;
    DetachHandBack();
    HandTerminalBack();
    Complain(std::string("the terminal went away: ") + what + reason);
    System().exit(1);
    std::_Exit(1);
}

// tcsetattr, again when a signal interrupts it. False (errno set) on failure.
bool SetModes(int when, const termios& modes) {
    for (;;) {
        if (System().setModes(session.keyboardFd, when, &modes) == 0) {
            return true;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

// The terminal is full: waits until it takes more, or a while at most.
void AwaitRoom() {
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(session.screenFd, &writable);
    System().select(session.screenFd + 1, nullptr, &writable, nullptr, 100);
}

void WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            System().write(session.screenFd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            AwaitRoom();
        } else {
            if (session.active) {
                TerminalGone("write");
            }
            return;
        }
    }
}

int PromptRow() {
    const ConsoleModel& console = TheConsole();
    const int row = console.cursorY - session.view.top + (console.cursorX > 0 ? 1 : 0);
    return std::max(row, 0);
}

void UpdateRestoreText() {
    PublishRestoreText("\x18" + RestoreSequence(session.presenter, PromptRow()));
}

void ReadTerminalSize() {
    winsize size{};
    if ((System().windowSize(session.screenFd, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) ||
        (System().windowSize(session.keyboardFd, &size) == 0 && size.ws_col > 0 &&
         size.ws_row > 0)) {
        session.width = size.ws_col;
        session.height = size.ws_row;
    }
}

int QuietMs() {
    return static_cast<int>(std::min<long long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(System().now() - session.lastByte)
            .count(),
        1000000));
}

// Decodes pending bytes, handing each key to deliver until it says stop.
void DecodePending(const std::function<bool(const KeyPress&)>& deliver) {
    while (!session.pending.empty()) {
        const DecodeResult result =
            DecodeKey(session.pending, QuietMs(), kEscapeTimeoutMs, session.style.encoding);
        if (result.status == DecodeStatus::NeedMore) {
            return;
        }
        session.pending.erase(0, std::max<std::size_t>(result.length, 1));
        if (result.status == DecodeStatus::Key && !deliver(result.key)) {
            return;
        }
    }
}

// Reads what the terminal has, without waiting, up to room bytes.
void ReadTyped(std::size_t room) {
    char buffer[256];
    while (room > 0) {
        const ssize_t n = System().read(session.keyboardFd, buffer, std::min(sizeof buffer, room));
        if (n > 0) {
            session.pending.append(buffer, static_cast<std::size_t>(n));
            session.lastByte = System().now();
            room -= std::min(room, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            return;
        } else if (n == 0) {
            errno = 0;
            TerminalGone("end of file");
        } else {
            TerminalGone("read");
        }
    }
}

// Bytes to read at most now: each key takes two records, and the queue stops
// growing at its limit.
std::size_t RoomForTyping() {
    const std::size_t queued = TheConsole().input.size();
    return queued < kInputQueueLimit ? (kInputQueueLimit - queued) / 2 : 0;
}

bool QueueKey(const KeyPress& key) {
    TheConsole().input.push_back(KeyRecord(key, true));
    TheConsole().input.push_back(KeyRecord(key, false));
    return true;
}

// Milliseconds until the typed bytes still pending (a lone ESC, a sequence cut
// short) form a key, or -1 when none are waiting. Never 0, so a wait for them
// blocks instead of spinning.
int MsUntilPendingDecides() {
    if (session.pending.empty()) {
        return -1;
    }
    return std::max(1, kEscapeTimeoutMs - QuietMs());
}

// Blocks until the keyboard is readable (when watching it), a signal, or ms
// milliseconds (-1: no limit). What a readable keyboard means is for the read
// that follows to tell: a hang-up makes it readable as a key does, and a
// readiness may also turn out to hold nothing, so only a read's end of file or
// error ends the session.
void AwaitInput(int ms, bool watchKeyboard = true) {
    const int wakeFd = SignalWakeFd();
    if (wakeFd < 0 && (ms < 0 || ms > kWaitWithoutPipeMs)) {
        ms = kWaitWithoutPipeMs;
    }
    fd_set readable;
    FD_ZERO(&readable);
    int count = 0;
    if (wakeFd >= 0) {
        FD_SET(wakeFd, &readable);
        count = wakeFd + 1;
    }
    if (watchKeyboard) {
        FD_SET(session.keyboardFd, &readable);
        count = std::max(count, session.keyboardFd + 1);
    }
    if (System().select(count, &readable, nullptr, nullptr, ms) > 0 && wakeFd >= 0 &&
        FD_ISSET(wakeFd, &readable)) {
        DrainSignalWakeUps();
    }
}

// A resize since the last look: new size, and the next frame drawn whole.
void TakeResize() {
    if (TakeRedrawSignal()) {
        ReadTerminalSize();
        session.presenter.valid = false;
        session.redraw = true;
    }
}

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
    session.raw = session.original;
    session.raw.c_iflag &=
        ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | IXON | PARMRK);
    // ISIG stays as found: the terminal's interrupt, quit and suspend keys are
    // the user's way out, as in any terminal program, and the signal handlers
    // hand the terminal back.
    session.raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);
    session.raw.c_cc[VMIN] = 1;
    session.raw.c_cc[VTIME] = 0;
    ReadTerminalSize();
    ResetConsoleModel(std::min(session.width, kLargestStartColumns),
                      std::min(session.height, kLargestStartRows));
    OpenSignalPipe(); // without it, waits are bounded instead (see AwaitInput)
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

void SetTerminalRawMode(bool raw) {
    if (!session.active) {
        return;
    }
    SetWantedRawMode(raw);
    if (!SetModes(TCSANOW, raw ? session.raw : session.original)) {
        TerminalGone("tcsetattr");
    }
}

void PresentScreen() {
    if (!session.active) {
        return;
    }
    TakeResize();
    const ConsoleModel& console = TheConsole();
    if (!session.redraw && session.presented == console.changes) {
        return;
    }
    const Frame frame = ComposeFrame(ContentOf(console), session.width, session.height,
                                     session.view, session.overlay);
    std::string out;
    RenderFrame(session.presenter, frame, session.style, out);
    WriteAll(out);
    session.presented = console.changes;
    session.redraw = false;
    UpdateRestoreText();
}

void PumpTerminalInput() {
    if (!session.active) {
        return;
    }
    ReadTyped(RoomForTyping());
    DecodePending(QueueKey);
}

bool WaitForTerminal() {
    if (!session.active) {
        return false;
    }
    AwaitInput(MsUntilPendingDecides());
    PumpTerminalInput();
    return true;
}

void SleepOnTerminal(int ms) {
    if (!session.active) {
        return;
    }
    const Clock::time_point start = System().now();
    PresentScreen();
    PumpTerminalInput();
    if (!TheConsole().input.empty()) {
        return; // a key already typed: the look that follows takes it
    }
    for (;;) {
        const int wait = SleepWaitMs(System().now() - start, ms, !TheConsole().input.empty(),
                                     MsUntilPendingDecides());
        if (wait == 0) {
            return;
        }
        // A full queue takes no more bytes, so a readable keyboard must not end the wait.
        AwaitInput(wait, RoomForTyping() > 0);
        PresentScreen();
        PumpTerminalInput();
    }
}

void RingTerminalBell() {
    if (session.active) {
        PresentScreen();
        WriteAll("\a");
    }
}

void ShowTerminalMessageBox(const std::string& title, const std::string& text) {
    if (!session.active) {
        return;
    }
    bool dismissed = false;
    const auto dismiss = [&](const KeyPress& key) {
        dismissed = key.character == '\r' || key.character == ' ' || key.character == 27;
        return !dismissed;
    };
    Overlay box;
    int laidOutWidth = 0;
    int laidOutHeight = 0;
    session.overlay = &box;
    while (!dismissed) {
        // Centred on the part of the terminal that shows the buffer, as a console
        // centres it on its window; laid out again only after a resize changes that part.
        TakeResize();
        const ScreenContent content = ContentOf(TheConsole());
        const int width = ShownColumns(content, session.width);
        const int height = ShownRows(content, session.height);
        if (width != laidOutWidth || height != laidOutHeight) {
            box = LayOutMessageBox(title, text, width, height);
            laidOutWidth = width;
            laidOutHeight = height;
            session.redraw = true;
        }
        PresentScreen();
        AwaitInput(MsUntilPendingDecides());
        ReadTyped(256);
        DecodePending(dismiss);
    }
    session.overlay = nullptr;
    session.redraw = true;
    PresentScreen();
}
