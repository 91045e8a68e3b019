// The line editor every answer is typed with.
#include "console/console.h"
#include "console/console_state.h"

namespace {

constexpr std::size_t kLineLimit = 10000;

// Back one cell: to the cell written last when its scroll is still due, else
// left, else to the end of the row above (on row 1 the row stays).
void StepBack() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(consoleState.outputHandle, &info);
    const int width = info.dwSize.X;
    const int height = info.dwSize.Y;
    const int column = info.dwCursorPosition.X + 1;
    const int row = info.dwCursorPosition.Y + 1;
    if (consoleState.pendingScroll) {
        consoleState.pendingScroll = false;
        Locate(height, width);
    } else if (column > 1) {
        Locate(row, column - 1);
    } else {
        Locate(row > 1 ? row - 1 : 1, width);
    }
}

} // namespace

std::string LineInput() {
    ShowCursorForDuration();
    std::string line;
    line.reserve(kLineLimit);
    for (;;) {
        const unsigned char ch = NextCharacter();
        if (ch == 8) {
            if (!line.empty()) {
                StepBack();
                WriteCells(" ");
                StepBack();
                line.pop_back();
            }
        } else if (ch == 13) {
            break;
        } else if (ch >= 32 && line.size() < kLineLimit) {
            line += static_cast<char>(ch);
            WriteCells(std::string_view(&line.back(), 1));
        }
    }
    NewLine();
    PutCursorBack();
    return line;
}
