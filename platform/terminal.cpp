// The controlling terminal behind the emulated console: raw mode entered and
// left in one place, frames written, typed bytes decoded into the input queue,
// and every way out of the process handing the terminal back as it was found.
#include "platform/terminal.h"

#include "platform/console_model.h"
#include "platform/frame.h"
#include "platform/key_decoder.h"
#include "platform/message_box.h"
#include "platform/presenter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Reading stops while this many records wait, so a flood of typing stays in
// the terminal's own bounded buffer instead of growing ours.
constexpr std::size_t kInputQueueLimit = 1024;

struct Session {
    bool active = false;              // attached to a terminal
    int keyboardFd = -1;              // the controlling terminal, our own non-blocking open
    int screenFd = -1;                // where frames are written
    termios original{};               // the terminal's modes as found
    termios raw{};                    // the same with echo, line editing and key signals off
    TerminalStyle style;              // encoding and colours of the terminal
    PresenterState presenter;         // what the terminal shows
    View view;                        // the part of the buffer shown
    int width = 80;                   // terminal columns
    int height = 25;                  // terminal rows
    unsigned long presented = 0;      // the model's change count at the last frame
    bool redraw = true;               // the next frame must be composed whatever the count says
    std::string pending;              // typed bytes not yet decoded
    Clock::time_point lastByte;       // when the newest typed byte arrived
    const Overlay* overlay = nullptr; // a message box over the screen
};

Session session;
int signalPipe[2] = {-1, -1};
volatile sig_atomic_t resized = 0;

// The bytes a signal handler writes to hand the terminal back. Built in the
// main flow after every frame, double-buffered so a handler never reads a
// half-built one.
char restoreText[2][128];
volatile sig_atomic_t restoreLength[2] = {0, 0};
volatile sig_atomic_t restoreCurrent = 0;

void WriteAll(const std::string& bytes);
void RestoreFromSignal();

[[noreturn]] void TerminalGone() {
    // Nothing more can be shown or typed: give the modes back if the device
    // still takes them and end, instead of polling a terminal that is gone.
    session.active = false;
    RestoreFromSignal();
    std::_Exit(1);
}

void WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(session.screenFd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd out{session.screenFd, POLLOUT, 0};
            poll(&out, 1, 100);
        } else {
            if (session.active) {
                TerminalGone();
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
    const std::string text = "\x18" + RestoreSequence(session.presenter, PromptRow());
    const int next = 1 - restoreCurrent;
    const std::size_t length = std::min(text.size(), sizeof restoreText[0]);
    std::memcpy(restoreText[next], text.data(), length);
    restoreLength[next] = static_cast<sig_atomic_t>(length);
    restoreCurrent = next;
}

// Async-signal-safe: a write and a tcsetattr. The CAN byte first ends any
// control sequence that the interrupted frame left half-written.
void RestoreFromSignal() {
    const int current = restoreCurrent;
    if (write(session.screenFd, restoreText[current],
              static_cast<std::size_t>(restoreLength[current])) < 0) {
        // Nothing more to try from inside a signal handler.
    }
    tcsetattr(session.keyboardFd, TCSADRAIN, &session.original);
}

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
    RestoreFromSignal();
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
    RestoreFromSignal();
    std::signal(signal, SIG_DFL);
    Unblock(signal);
    raise(signal);
    Install(signal, OnStop);
    tcsetattr(session.keyboardFd, TCSANOW, &session.raw);
    resized = 1;
    Notify();
    errno = saved;
}

// A crash still hands the terminal back; the fault then repeats under the
// handler that was there before (the default, or a sanitizer's).
struct sigaction crashActions[NSIG];

void OnCrash(int signal) {
    RestoreFromSignal();
    sigaction(signal, &crashActions[signal], nullptr);
    if (signal == SIGABRT) {
        Unblock(signal);
        raise(signal);
    }
}

void InstallHandlers() {
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

TerminalStyle DetectStyle() {
    TerminalStyle style;
    std::setlocale(LC_CTYPE, "");
    const std::string codeset = nl_langinfo(CODESET);
    if (codeset == "UTF-8" || codeset == "utf8") {
        style.encoding = TerminalEncoding::Utf8;
    } else if (codeset == "ISO-8859-1" || codeset == "ISO-8859-15") {
        style.encoding = TerminalEncoding::Latin1;
    } else {
        style.encoding = TerminalEncoding::Ascii;
    }
    const char* term = std::getenv("TERM");
    const std::string name = term != nullptr ? term : "";
    style.sixteenColours = !(name == "linux" || name == "ansi" || name.rfind("vt", 0) == 0 ||
                             name == "cons25" || name == "sun");
    return style;
}

void ReadTerminalSize() {
    winsize size{};
    if ((ioctl(session.screenFd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) ||
        (ioctl(session.keyboardFd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0)) {
        session.width = size.ws_col;
        session.height = size.ws_row;
    }
}

void DrainSignalPipe() {
    char buffer[64];
    while (read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
}

int QuietMs() {
    return static_cast<int>(std::min<long long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - session.lastByte)
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

// Reads what the terminal has, without waiting. False once the room is used up.
void ReadTyped(std::size_t room) {
    char buffer[256];
    while (room > 0) {
        const ssize_t n = read(session.keyboardFd, buffer, std::min(sizeof buffer, room));
        if (n > 0) {
            session.pending.append(buffer, static_cast<std::size_t>(n));
            session.lastByte = Clock::now();
            room -= std::min(room, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            return;
        } else {
            TerminalGone();
        }
    }
}

// A non-blocking, close-on-exec pipe, set up in steps since pipe2 is not everywhere.
bool OpenSignalPipe() {
    if (pipe(signalPipe) != 0)
        return false;
    for (const int fd : signalPipe) {
        const int statusFlags = fcntl(fd, F_GETFL);
        const int descriptorFlags = fcntl(fd, F_GETFD);
        if (statusFlags < 0 || descriptorFlags < 0 ||
            fcntl(fd, F_SETFL, statusFlags | O_NONBLOCK) != 0 ||
            fcntl(fd, F_SETFD, descriptorFlags | FD_CLOEXEC) != 0) {
            close(signalPipe[0]);
            close(signalPipe[1]);
            return false;
        }
    }
    return true;
}

bool QueueKey(const KeyPress& key) {
    TheConsole().input.push_back(KeyRecord(key, true));
    TheConsole().input.push_back(KeyRecord(key, false));
    return true;
}

void AwaitInput(int ms) {
    pollfd fds[2] = {{session.keyboardFd, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    if (poll(fds, 2, ms) <= 0) {
        return;
    }
    if (fds[1].revents != 0) {
        DrainSignalPipe();
    }
    if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 && (fds[0].revents & POLLIN) == 0) {
        TerminalGone();
    }
}

// A resize since the last look: new size, and the next frame drawn whole.
void TakeResize() {
    if (resized != 0) {
        resized = 0;
        ReadTerminalSize();
        session.presenter.valid = false;
        session.redraw = true;
    }
}

} // namespace

bool StartTerminalConsole() {
    session.keyboardFd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (session.keyboardFd < 0) {
        return false;
    }
    session.screenFd = isatty(STDOUT_FILENO)   ? STDOUT_FILENO
                       : isatty(STDERR_FILENO) ? STDERR_FILENO
                                               : session.keyboardFd;
    if (tcgetattr(session.keyboardFd, &session.original) != 0) {
        close(session.keyboardFd);
        return false;
    }
    session.raw = session.original;
    session.raw.c_iflag &=
        ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | IXON | PARMRK);
    session.raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    session.raw.c_cc[VMIN] = 1;
    session.raw.c_cc[VTIME] = 0;
    session.style = DetectStyle();
    ReadTerminalSize();
    ResetConsoleModel(session.width, session.height, false);
    if (!OpenSignalPipe()) {
        signalPipe[0] = signalPipe[1] = -1;
    }
    session.lastByte = Clock::now();
    UpdateRestoreText();
    InstallHandlers();
    session.active = true;
    std::atexit(StopTerminalConsole);
    return true;
}

void StopTerminalConsole() {
    if (!session.active) {
        return;
    }
    PresentScreen();
    WriteAll(RestoreSequence(session.presenter, PromptRow()));
    session.active = false;
    tcsetattr(session.keyboardFd, TCSADRAIN, &session.original);
}

void SetTerminalRawMode(bool raw) {
    if (session.active) {
        tcsetattr(session.keyboardFd, TCSANOW, raw ? &session.raw : &session.original);
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
    const Frame frame =
        ComposeFrame(console, session.width, session.height, session.view, session.overlay);
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
    const std::size_t queued = TheConsole().input.size();
    if (queued < kInputQueueLimit) {
        ReadTyped((kInputQueueLimit - queued) / 2);
    }
    DecodePending(QueueKey);
}

void WaitForTerminal(int ms) {
    if (session.active) {
        AwaitInput(ms);
    }
}

void SleepOnTerminal(int ms) {
    if (!session.active) {
        return;
    }
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        PresentScreen();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) {
            return;
        }
        pollfd wakeUp{signalPipe[0], POLLIN, 0};
        if (poll(&wakeUp, 1, static_cast<int>(left)) > 0) {
            DrainSignalPipe();
        }
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
        // Laid out again only after a resize, which re-centres it.
        TakeResize();
        if (session.width != laidOutWidth || session.height != laidOutHeight) {
            box = LayOutMessageBox(title, text, session.width, session.height);
            laidOutWidth = session.width;
            laidOutHeight = session.height;
            session.redraw = true;
        }
        PresentScreen();
        AwaitInput(session.pending.empty() ? 200 : 10);
        ReadTyped(256);
        DecodePending(dismiss);
    }
    session.overlay = nullptr;
    session.redraw = true;
    PresentScreen();
}
