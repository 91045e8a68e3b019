#include "tests/platform/fake_terminal.h"

#include "platform/posix/console_model.h"
#include "platform/posix/terminal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>
#include <utility>

namespace fake {

namespace {

FakeTerminal fakeTerminal;

using std::chrono::microseconds;

ssize_t Fail(int error) {
    errno = error;
    return -1;
}

// Lets every event of the script that is due by now happen.
void Happen() {
    FakeTerminal& t = fakeTerminal;
    while (t.happened < t.script.size() && t.script[t.happened].at <= t.now) {
        const KeyboardEvent& event = t.script[t.happened++];
        switch (event.what) {
        case Happening::Typed:
            t.typed += event.bytes;
            break;
        case Happening::HangUp:
            t.hungUp = true;
            break;
        case Happening::ReadError:
            t.readError = event.error;
            break;
        case Happening::EndOfFile:
            t.endOfFile = true;
            break;
        case Happening::Spurious:
            t.spurious = true;
            break;
        }
    }
}

std::optional<microseconds> NextEventTime() {
    const FakeTerminal& t = fakeTerminal;
    if (t.happened < t.script.size()) {
        return microseconds(t.script[t.happened].at);
    }
    return std::nullopt;
}

bool Readable(int fd) {
    const FakeTerminal& t = fakeTerminal;
    if (fd == kPipeReadFd) {
        return t.wakeUps > 0;
    }
    return fd == kKeyboardFd &&
           (!t.typed.empty() || t.readError != 0 || t.endOfFile || t.hungUp || t.spurious);
}

// Leaves in readable those of asked that are readable now, as a real select
// does; their number.
int MarkReady(int count, const fd_set& asked, fd_set* readable) {
    int ready = 0;
    FD_ZERO(readable);
    for (int fd = 0; fd < count; ++fd) {
        if (FD_ISSET(fd, &asked) && Readable(fd)) {
            FD_SET(fd, readable);
            ++ready;
        }
    }
    return ready;
}

int Open(const char* path, int) {
    if (fakeTerminal.openError != 0) {
        return static_cast<int>(Fail(fakeTerminal.openError));
    }
    if (std::strcmp(path, "/dev/tty") != 0) {
        return static_cast<int>(Fail(ENOENT));
    }
    fakeTerminal.openFds.insert(fakeTerminal.openedFd);
    return fakeTerminal.openedFd;
}

int Close(int fd) {
    EXPECT_EQ(fakeTerminal.openFds.erase(fd), 1u) << "closed " << fd << ", which is not open";
    return 0;
}

ssize_t Read(int fd, void* buffer, std::size_t size) {
    FakeTerminal& t = fakeTerminal;
    if (fd == kPipeReadFd) {
        if (t.wakeUps == 0) {
            return Fail(EAGAIN);
        }
        t.wakeUps = 0;
        return 1;
    }
    Happen();
    if (t.interruptedReads > 0) {
        --t.interruptedReads;
        return Fail(EINTR);
    }
    t.spurious = false;
    if (!t.typed.empty()) {
        const std::size_t n = std::min(size, t.typed.size());
        std::memcpy(buffer, t.typed.data(), n);
        t.typed.erase(0, n);
        return static_cast<ssize_t>(n);
    }
    if (t.readError != 0) {
        return Fail(t.readError);
    }
    if (t.endOfFile) {
        return 0;
    }
    return Fail(t.hungUp ? EIO : EAGAIN);
}

ssize_t Write(int fd, const void* bytes, std::size_t size) {
    FakeTerminal& t = fakeTerminal;
    const char* text = static_cast<const char*>(bytes);
    if (fd == STDERR_FILENO) {
        t.errorOutput.append(text, size);
        return static_cast<ssize_t>(size);
    }
    if (fd == kPipeWriteFd) {
        ++t.wakeUps;
        return 1;
    }
    if (t.interruptedWrites > 0) {
        --t.interruptedWrites;
        return Fail(EINTR);
    }
    if (t.fullWrites > 0) {
        --t.fullWrites;
        return Fail(EAGAIN);
    }
    if (t.screen.size() >= t.writeLimit) {
        return Fail(EIO);
    }
    const std::size_t n = std::min({size, t.writeChunk, t.writeLimit - t.screen.size()});
    t.screen.append(text, n);
    if (t.screenCopyFd >= 0 && ::write(t.screenCopyFd, text, n) != static_cast<ssize_t>(n)) {
        ADD_FAILURE() << "the copy of the screen lost bytes";
    }
    return static_cast<ssize_t>(n);
}

int Select(int count, fd_set* readable, fd_set* writable, fd_set* exceptional, int timeoutMs) {
    FakeTerminal& t = fakeTerminal;
    EXPECT_LE(count, FD_SETSIZE);
    EXPECT_EQ(exceptional, nullptr) << "only a read tells what a readiness meant";
    if (writable != nullptr) {
        // Only the wait for room watches for writing, and the screen takes
        // more at once: the set stays as asked, all ready.
        EXPECT_EQ(readable, nullptr);
        ++t.waitsForRoom;
        return 1;
    }
    t.waitTimeouts.push_back(timeoutMs);
    const fd_set asked = *readable;
    const auto mark = [&] { return MarkReady(count, asked, readable); };
    const std::optional<microseconds> deadline =
        timeoutMs < 0 ? std::nullopt : std::optional<microseconds>(t.now + milliseconds(timeoutMs));
    for (;;) {
        Happen();
        const int ready = mark();
        if (ready > 0) {
            return ready;
        }
        const std::optional<microseconds> next = NextEventTime();
        if (deadline && (!next || *deadline <= *next)) {
            t.now = *deadline;
            Happen();
            return mark();
        }
        if (!next) {
            throw BlockedForEver();
        }
        t.now = *next;
    }
}

int GetModes(int, termios* modes) {
    if (fakeTerminal.interruptedGetModes > 0) {
        --fakeTerminal.interruptedGetModes;
        return static_cast<int>(Fail(EINTR));
    }
    if (fakeTerminal.getModesError != 0) {
        return static_cast<int>(Fail(fakeTerminal.getModesError));
    }
    *modes = fakeTerminal.modes;
    return 0;
}

int SetModes(int, int, const termios* modes) {
    FakeTerminal& t = fakeTerminal;
    if (t.interruptedSetModes > 0) {
        --t.interruptedSetModes;
        return static_cast<int>(Fail(EINTR));
    }
    if (t.setModesError != 0) {
        return static_cast<int>(Fail(t.setModesError));
    }
    t.modes = *modes;
    return 0;
}

int WindowSize(int, winsize* size) {
    size->ws_col = static_cast<unsigned short>(fakeTerminal.width);
    size->ws_row = static_cast<unsigned short>(fakeTerminal.height);
    return 0;
}

int IsTerminal(int fd) {
    return fd == kScreenFd ? 1 : 0;
}

int MakePipe(int fds[2]) {
    if (fakeTerminal.pipeError != 0) {
        return static_cast<int>(Fail(fakeTerminal.pipeError));
    }
    fds[0] = fakeTerminal.pipeEnds[0];
    fds[1] = fakeTerminal.pipeEnds[1];
    fakeTerminal.openFds.insert({fds[0], fds[1]});
    return 0;
}

int SetAction(int signal, const struct sigaction* action, struct sigaction* previous) {
    if (signal == fakeTerminal.actionErrorSignal) {
        return static_cast<int>(Fail(EINVAL));
    }
    const auto found = fakeTerminal.actions.find(signal);
    struct sigaction current {};
    current.sa_handler = SIG_DFL;
    if (found != fakeTerminal.actions.end()) {
        current = found->second;
    }
    if (previous != nullptr) {
        *previous = current;
    }
    if (action != nullptr) {
        fakeTerminal.actions[signal] = *action;
    }
    return 0;
}

std::chrono::steady_clock::time_point Now() {
    // Far from the epoch, so that no time computed backwards goes below it.
    return std::chrono::steady_clock::time_point(std::chrono::hours(1000) + fakeTerminal.now);
}

void Exit(int status) {
    throw Exited{status};
}

} // namespace

FakeTerminal& Fake() {
    return fakeTerminal;
}

termios CookedModes() {
    termios modes{};
    modes.c_iflag = ICRNL | IXON | BRKINT;
    modes.c_oflag = OPOST | ONLCR;
    modes.c_cflag = CS8 | CREAD;
    modes.c_lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
    modes.c_cc[VMIN] = 1;
    modes.c_cc[VINTR] = 3;
    return modes;
}

std::set<int> CaughtSignals() {
    std::set<int> caught;
    for (const auto& [signal, action] : fakeTerminal.actions) {
        if ((action.sa_flags & SA_SIGINFO) != 0 || action.sa_handler != SIG_DFL) {
            caught.insert(signal);
        }
    }
    return caught;
}

bool InForeground(int) {
    return fakeTerminal.foreground;
}

void InstallFakeTerminal() {
    fakeTerminal = FakeTerminal{};
    fakeTerminal.modes = CookedModes();
    TheTerminalSystem() = {Open,      Close,    Read,       Write,       Select,
                           GetModes,  SetModes, WindowSize, IsTerminal,  MakePipe,
                           SetAction, Now,      Exit,       InForeground};
}

void RemoveFakeTerminal() {
    fakeTerminal.setModesError = 0;
    fakeTerminal.writeLimit = SIZE_MAX;
    try {
        StopTerminalConsole();
    } catch (const Exited&) {
        // A session that ends through a failing write is detached all the same.
    }
    TheTerminalSystem() = RealTerminalSystem();
}

std::string QueuedKeys() {
    std::string keys;
    const std::deque<INPUT_RECORD>& input = TheConsole().input;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const KEY_EVENT_RECORD& key = input[i].Event.KeyEvent;
        if (input[i].EventType != KEY_EVENT || !key.bKeyDown) {
            keys += '?';
            continue;
        }
        keys += key.uChar.AsciiChar;
        const bool released = i + 1 < input.size() && input[i + 1].EventType == KEY_EVENT &&
                              !input[i + 1].Event.KeyEvent.bKeyDown &&
                              input[i + 1].Event.KeyEvent.wVirtualKeyCode == key.wVirtualKeyCode;
        keys += released ? "" : "?";
        i += released ? 1 : 0;
    }
    return keys;
}

bool StartOnFake() {
    return StartTerminalConsole().cause == TerminalRefusalCause::None;
}

void StartTyping(std::vector<KeyboardEvent> script) {
    ASSERT_TRUE(StartOnFake());
    SetTerminalRawMode(true);
    fakeTerminal.script = std::move(script);
}

void Advance(milliseconds span) {
    fakeTerminal.now += span;
    Happen();
}

} // namespace fake
