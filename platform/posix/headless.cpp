#include "platform/posix/headless.h"

void StartHeadlessConsole(int width, int height) {
    ResetConsoleModel(width, height, true);
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

void PushRecord(const INPUT_RECORD& record) {
    TheConsole().input.push_back(record);
}
