#include "tests/headless/headless_console.h"

#include "platform/posix/console_backend.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A wait that can never end is a fault in a test, not a hang.
constexpr long kIdleLimit = 100000;

HeadlessRecord record;

// A sleep or a wait for a key found nothing to do.
void Idle() {
    static long idle = 0;
    if (!TheConsole().input.empty()) {
        idle = 0;
        return;
    }
    if (record.idleHandler) {
        record.idleHandler();
        return;
    }
    if (++idle > kIdleLimit) {
        std::fputs("headless console: waiting for a key that no test will push\n", stderr);
        std::abort();
    }
}

void RecordAddOnCall(std::string_view name, std::initializer_list<long> numbers,
                     std::initializer_list<std::string_view> texts) {
    record.addOnCalls.push_back({std::string(name), numbers, {texts.begin(), texts.end()}});
    if (record.addOnHook) {
        record.addOnHook();
    }
}

ConsoleBackend HeadlessBackend() {
    return {
        .outputIsScreen = [] { return true; },
        .look = [] {},
        // Nothing can be typed while the program waits: an empty queue fails the read.
        .await = [] { return false; },
        .sleep = [](DWORD) { Idle(); },
        .beep = [] { ++record.beeps; },
        .addOnCalled = RecordAddOnCall,
        .messageBox = [](std::string_view, std::string_view) {},
    };
}

} // namespace

void StartHeadlessConsole(int width, int height) {
    ResetConsoleModel(width, height);
    record = HeadlessRecord{};
    TheConsoleBackend() = HeadlessBackend();
}

HeadlessRecord& Recorded() {
    return record;
}

ConsoleModel& HeadlessConsole() {
    return TheConsole();
}

std::string ScreenRow(int y) {
    ConsoleModel& console = TheConsole();
    std::string row;
    for (int x = 0; x < console.width; ++x) {
        row += static_cast<char>(CellAt(console, x, y).character);
    }
    return row;
}

void PushKey(const KeyPress& key) {
    TheConsole().input.push_back(KeyRecord(key, true));
    TheConsole().input.push_back(KeyRecord(key, false));
}

void PushTyping(std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // ASCII as a terminal would send it; 127 and the code page bytes beyond
        // it as a bare character, the way a key of another layout arrives.
        const std::string one(1, c);
        const DecodeResult decoded =
            byte < 127 ? DecodeKey(one, kEscapeTimeoutMs, kEscapeTimeoutMs, TerminalEncoding::Ascii)
                       : DecodeResult{DecodeStatus::Skip, 1, {}};
        if (decoded.status == DecodeStatus::Key) {
            PushKey(decoded.key);
        } else {
            PushKey(KeyPress{0, 0, byte, 0});
        }
    }
}

void PushRecord(const INPUT_RECORD& input) {
    TheConsole().input.push_back(input);
}
