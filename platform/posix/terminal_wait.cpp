// Waiting on the terminal: for the keyboard, a signal or a time. The sleep and
// the message box run the same loop, so both draw a resize at once, decode a
// lone ESC after its timeout and end the process on a terminal that went away.
#include "platform/message_box.h"
#include "platform/posix/console_model.h"
#include "platform/posix/console_screen.h"
#include "platform/posix/sleep_timer.h"
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/terminal_signals.h"

#include <algorithm>
#include <utility>

namespace {

// Without the signal pipe a signal that comes just before a wait would not
// end it, so no wait lasts longer than this: a resize is drawn a little late
// instead of only at the next key.
constexpr int kWaitWithoutPipeMs = 100;

// Blocks until the keyboard is readable (when watching it), a signal, or ms
// milliseconds (-1: no limit). What a readable keyboard means is for the read
// that follows to tell: a hang-up makes it readable as a key does, and a
// readiness may also turn out to hold nothing, so only a read's end of file or
// error ends the session.
void AwaitInput(int ms, bool watchKeyboard) {
    const int keyboardFd = TheSession().keyboardFd;
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
        FD_SET(keyboardFd, &readable);
        count = std::max(count, keyboardFd + 1);
    }
    if (System().select(count, &readable, nullptr, nullptr, ms) > 0 && wakeFd >= 0 &&
        FD_ISSET(wakeFd, &readable)) {
        DrainSignalWakeUps();
    }
}

// What a wait does besides waiting.
struct WaitSteps {
    std::function<void()> beforeFrame;   // before each frame is shown
    std::function<void()> take;          // takes what was typed
    std::function<int()> nextWaitMs;     // then: 0 ends the wait, -1 waits without a limit
    std::function<bool()> watchKeyboard; // whether typing may end the next wait
};

// The one wait loop: show, take what was typed, wait, until the steps say the wait is over.
void WaitThrough(const WaitSteps& steps) {
    for (;;) {
        steps.beforeFrame();
        PresentScreen();
        steps.take();
        const int ms = steps.nextWaitMs();
        if (ms == 0) {
            return;
        }
        AwaitInput(ms, steps.watchKeyboard());
    }
}

} // namespace

bool WaitForTerminal() {
    if (!TheSession().active) {
        return false;
    }
    AwaitInput(MsUntilPendingDecides(), true);
    PumpTerminalInput();
    return true;
}

void SleepOnTerminal(int ms) {
    if (!TheSession().active) {
        return;
    }
    const std::chrono::steady_clock::time_point start = System().now();
    bool first = true;
    WaitThrough({
        .beforeFrame = [] {},
        .take = PumpTerminalInput,
        .nextWaitMs =
            [&] {
                const bool queued = !TheConsole().input.empty();
                if (std::exchange(first, false) && queued) {
                    return 0; // a key already typed: the look that follows takes it
                }
                return SleepWaitMs(System().now() - start, ms, queued, MsUntilPendingDecides());
            },
        // A full queue takes no more bytes, so a readable keyboard must not end the wait.
        .watchKeyboard = [] { return RoomForTyping() > 0; },
    });
}

void ShowTerminalMessageBox(const std::string& title, const std::string& text) {
    Session& session = TheSession();
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
    WaitThrough({
        // Centred on the part of the terminal that shows the buffer, as a console
        // centres it on its window; laid out again only after a resize changes that part.
        .beforeFrame =
            [&] {
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
            },
        .take =
            [&] {
                ReadTyped(256);
                DecodePending(dismiss);
            },
        .nextWaitMs = [&] { return dismissed ? 0 : MsUntilPendingDecides(); },
        .watchKeyboard = [] { return true; },
    });
    session.overlay = nullptr;
    session.redraw = true;
    PresentScreen();
}
