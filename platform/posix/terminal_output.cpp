// Frames on the terminal: what changed since the last one is composed and
// written, however slowly the terminal takes it, and the restore text a signal
// handler writes follows every frame.
#include "platform/posix/console_model.h"
#include "platform/posix/console_screen.h"
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/terminal_signals.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>

namespace {

// The terminal is full: waits until it takes more, or a while at most.
void AwaitRoom() {
    const int screenFd = TheSession().screenFd;
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(screenFd, &writable);
    System().select(screenFd + 1, nullptr, &writable, nullptr, 100);
}

} // namespace

void WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            System().write(TheSession().screenFd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            AwaitRoom();
        } else {
            if (TheSession().active) {
                TerminalGone("write");
            }
            return;
        }
    }
}

int PromptRow() {
    const ConsoleModel& console = TheConsole();
    const int row = console.cursorY - TheSession().view.top + (console.cursorX > 0 ? 1 : 0);
    return std::max(row, 0);
}

void UpdateRestoreText() {
    PublishRestoreText("\x18" + RestoreSequence(TheSession().presenter, PromptRow()));
}

void ReadTerminalSize() {
    Session& session = TheSession();
    winsize size{};
    if ((System().windowSize(session.screenFd, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) ||
        (System().windowSize(session.keyboardFd, &size) == 0 && size.ws_col > 0 &&
         size.ws_row > 0)) {
        session.width = size.ws_col;
        session.height = size.ws_row;
    }
}

void TakeResize() {
    if (TakeRedrawSignal()) {
        ReadTerminalSize();
        TheSession().presenter.valid = false;
        TheSession().redraw = true;
    }
}

void PresentScreen() {
    Session& session = TheSession();
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

void RingTerminalBell() {
    if (TheSession().active) {
        PresentScreen();
        WriteAll("\a");
    }
}
