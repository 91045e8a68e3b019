// Typed bytes: read without waiting, decoded into keys once they form one (a
// lone ESC after its timeout), and queued as the console's input records.
#include "platform/posix/console_model.h"
#include "platform/posix/key_record.h"
#include "platform/posix/terminal.h"
#include "platform/posix/terminal_session.h"

#include <algorithm>
#include <cerrno>

namespace {

// Reading stops while this many records wait, so a flood of typing stays in
// the terminal's own bounded buffer instead of growing ours.
constexpr std::size_t kInputQueueLimit = 1024;

int QuietMs() {
    return static_cast<int>(
        std::min<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                System().now() - TheSession().lastByte)
                                .count(),
                            1000000));
}

bool QueueKey(const KeyPress& key) {
    TheConsole().input.push_back(KeyRecord(key, true));
    TheConsole().input.push_back(KeyRecord(key, false));
    return true;
}

} // namespace

void DecodePending(const std::function<bool(const KeyPress&)>& deliver) {
    Session& session = TheSession();
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

void ReadTyped(std::size_t room) {
    Session& session = TheSession();
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

// Each key takes two records.
std::size_t RoomForTyping() {
    const std::size_t queued = TheConsole().input.size();
    return queued < kInputQueueLimit ? (kInputQueueLimit - queued) / 2 : 0;
}

int MsUntilPendingDecides() {
    if (TheSession().pending.empty()) {
        return -1;
    }
    return std::max(1, kEscapeTimeoutMs - QuietMs());
}

void PumpTerminalInput() {
    if (!TheSession().active) {
        return;
    }
    ReadTyped(RoomForTyping());
    DecodePending(QueueKey);
}
