// Raw mode, entered and left in one place: the modes as found, and the same
// with echo and line editing off.
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/terminal_signals.h"

#include <cerrno>

bool SetModes(int when, const termios& modes) {
    for (;;) {
        if (System().setModes(TheSession().keyboardFd, when, &modes) == 0) {
            return true;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

termios RawModesOf(const termios& original) {
    termios raw = original;
    raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | IXON | PARMRK);
    // ISIG stays as found: the terminal's interrupt, quit and suspend keys are
    // the user's way out, as in any terminal program, and the signal handlers
    // hand the terminal back.
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    return raw;
}

void SetTerminalRawMode(bool raw) {
    const Session& session = TheSession();
    if (!session.active) {
        return;
    }
    SetWantedRawMode(raw);
    if (!SetModes(TCSANOW, raw ? session.raw : session.original)) {
        TerminalGone("tcsetattr");
    }
}
