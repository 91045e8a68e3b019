// Answering the tool's questions in its terminal. The line editor waits for
// keys where its cursor shows: on the question's row, at the answer column or
// past what it has echoed already.
#pragma once

#include "app/model/screen_texts.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/tmux_terminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

// Column (from 1) where every answer starts.
constexpr int kAnswerColumn = screen::kAnswerColumn;
// The anchor rows put the six questions' answers on rows 8 to 13, long answers or not.
constexpr int kFirstQuestionRow = 8;

// The answers of the worked run in the README: 5, 4, n, 4, 0.5, 120.
inline const std::vector<std::string> kTypicalAnswers = {"5", "4", "n", "4", "0.5", "120"};

// True if the pane's cursor shows at row, column (both counted from 1) right now.
inline bool EditorWaitsAt(const TmuxTerminal& terminal, int row, int column = kAnswerColumn) {
    return PaneFormat(terminal, "#{cursor_x} #{cursor_y} #{cursor_flag}") ==
           std::to_string(column - 1) + " " + std::to_string(row - 1) + " 1";
}

// Waits up to 30 s until the cursor shows there: orvane.exe takes a long paste
// one key per sleep of the system's timer, which under Wine on a busy machine
// runs to many seconds.
inline bool WaitForEditor(const TmuxTerminal& terminal, int row, int column = kAnswerColumn) {
    return WaitUntil([&] { return EditorWaitsAt(terminal, row, column); },
                     std::chrono::seconds(30));
}

// Types an answer (it may be empty) and Enter.
inline void TypeAnswer(const TmuxTerminal& terminal, const std::string& answer) {
    if (!answer.empty()) {
        SendText(terminal, answer);
    }
    SendKeys(terminal, {"Enter"});
}

// Types the answers at once, without waiting for the questions.
inline void TypeAnswersAhead(const TmuxTerminal& terminal,
                             const std::vector<std::string>& answers) {
    for (const std::string& answer : answers) {
        TypeAnswer(terminal, answer);
    }
}

// Types each answer once its question waits on its row, 8 and on. Call it
// under ASSERT_NO_FATAL_FAILURE.
inline void AnswerQuestions(const TmuxTerminal& terminal, const std::vector<std::string>& answers) {
    for (size_t q = 0; q < answers.size(); ++q) {
        const int row = kFirstQuestionRow + static_cast<int>(q);
        ASSERT_TRUE(WaitForEditor(terminal, row))
            << "question " << q + 1 << " not asked on row " << row << ":\n"
            << CaptureText(terminal);
        TypeAnswer(terminal, answers[q]);
    }
}

} // namespace e2e
