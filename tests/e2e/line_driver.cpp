// A small program for end-to-end tests of the line editor: it reads lines with
// LineInput at column 73, as the questionnaire does, and shows each one it got
// on the row below as "   got N: <bytes>" (bytes outside 32..126 as \xNN).
// It ends after the line "quit". An optional argument is a pause in
// milliseconds before the first line is read, for typing ahead.
#include "app/model/screen_texts.h"
#include "console/console.h"
#include "platform/floating_point.h"
#include "platform/posix/terminal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Shown(const std::string& line) {
    std::string shown;
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && byte != '\\') {
            shown += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            shown += hex;
        }
    }
    return shown;
}

} // namespace

int main(int argc, char** argv) {
    if (StartTerminalConsole().cause != TerminalRefusalCause::None) {
        std::fputs("line_driver: no terminal\n", stderr);
        return 1;
    }
    SetFloatingPointControl();
    StartConsole();
    SetColor(0, 15);
    ClearScreen();
    SetCursor(0);
    PrintText("   line editor");
    NewLine();
    if (argc > 1) {
        Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    }
    for (;;) {
        const int row = CursorRow();
        SetColor(8, 15);
        PrintText("   answer?");
        NewLine();
        SetColor(0, 15);
        Locate(row, screen::kAnswerColumn);
        const std::string line = LineInput();
        SetColor(8, 15);
        PrintText("   got " + std::to_string(line.size()) + ": " + Shown(line));
        NewLine();
        if (line == "quit") {
            break;
        }
    }
    StopTerminalConsole();
    return 0;
}
