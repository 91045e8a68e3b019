// Where the line editor waits for keys: its cursor shows on the question's
// row, at the answer column or past what it has echoed already.
#pragma once

#include "tests/e2e/host_process.h"
#include "tests/e2e/tmux_terminal.h"

#include <chrono>
#include <string>

namespace e2e {

// Column (from 1) where every answer starts.
constexpr int kAnswerColumn = 73;

// True if the pane's cursor shows at row, column (both counted from 1) right now.
inline bool EditorWaitsAt(const TmuxTerminal& terminal, int row, int column = kAnswerColumn) {
    return PaneFormat(terminal, "#{cursor_x} #{cursor_y} #{cursor_flag}") ==
           std::to_string(column - 1) + " " + std::to_string(row - 1) + " 1";
}

// Waits up to 5 s until the cursor shows there.
inline bool WaitForEditor(const TmuxTerminal& terminal, int row, int column = kAnswerColumn) {
    return WaitUntil([&] { return EditorWaitsAt(terminal, row, column); }, std::chrono::seconds(5));
}

} // namespace e2e
