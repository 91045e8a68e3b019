// Whole runs of the tool in a real terminal: six answers typed into a tmux
// pane, refusals with their bell and error box, the results screen read back
// cell by cell against its golden screen, and the terminal checked after the
// closing key.
#include "app/model/screen_texts.h"
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_compare.h"
#include "tests/golden/screen_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string_view>

namespace e2e::whole_run {
namespace {

using golden::GoldenScreen;
using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;
constexpr int kWidth = golden::kWidth;
constexpr int kHeight = golden::kHeight;

// The pane shows the golden screen from buffer row `topRow` on (the view of a
// shorter terminal starts lower), up to `lastRow`, within the 80 x 25 buffer.
// The text colour of blanks is the terminal's business.
void ExpectScreenShows(const Screen& screen, const GoldenScreen& expected, int topRow,
                       int lastRow = kHeight) {
    lastRow = std::min(lastRow, topRow + screen.height - 1);
    ExpectSameCells(screen, GoldenInPane(expected, topRow, lastRow), "against the golden screen",
                    {.blankForegrounds = false});
}

void StartTool(TerminalRun& tool, int width = kWidth, int height = kHeight) {
    StartTerminalRun(
        tool,
        {.command = ProgramCommand(kTool), .width = width, .height = height, .countBells = true});
}

bool WaitForClosingLine(const TerminalRun& tool, int paneRow) {
    return WaitForRowText(tool.terminal, paneRow, std::string(screen::kClosingLine), seconds(5));
}

// The key ends the run with status 0, leaving the results on screen and the
// terminal as it was found.
void QuitAndExpectTerminalBack(TerminalRun& tool, const std::string& key,
                               const GoldenScreen& expected, int topRow) {
    SendKeys(tool.terminal, {key});
    ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(tool, 0)) << "after " << key;
    const std::string after = SttyAfter(tool.run);
    EXPECT_TRUE(SttyHasMode(after, "icanon")) << after;
    EXPECT_TRUE(SttyHasMode(after, "echo")) << after;
    Screen screen = CaptureScreen(tool.terminal);
    EXPECT_TRUE(screen.cursorVisible);
    SCOPED_TRACE("after the run");
    ExpectScreenShows(screen, expected, topRow, kHeight - 1);
}

// A whole run: the answers, its golden screen and the key that ends it.
struct RunCase {
    const char* golden; // tests/golden/<golden>.screen, made by tests/app/whole_run_test
    std::vector<std::string> answers;
    const char* quitKey;
};

// Answers on the rows the anchors give, then the results screen with the cursor
// hidden until the key, and the terminal back after it.
void ExpectWholeRun(const RunCase& run) {
    SCOPED_TRACE(run.golden);
    const GoldenScreen expected = golden::ReadGoldenScreen(run.golden);
    TerminalRun tool;
    StartTool(tool);
    ASSERT_NO_FATAL_FAILURE(AnswerQuestions(tool.terminal, run.answers));
    ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
    Screen screen = CaptureScreen(tool.terminal);
    ExpectScreenShows(screen, expected, 1);
    EXPECT_FALSE(screen.cursorVisible) << "cursor shown on the results screen";
    EXPECT_FALSE(WrappedRunFinished(tool.run)) << "ended before a key was pressed";
    QuitAndExpectTerminalBack(tool, run.quitKey, expected, 1);
    EXPECT_EQ(BellCount(tool), 0);
}

// ---- the tests ----

TEST(WholeRunInTerminal, ResultsScreensAndExit) {
    const RunCase cases[] = {
        {"typical_run", kTypicalAnswers, "Space"},
        {"fixed_spacing_over_maximum", {"4", "3", "Y", "3", "1", "110"}, "Escape"},
        {"values_of_ten_and_more", {"20", "20", "N", "20", "1", "110"}, "F1"},
        {"long_paste_under_the_results",
         {"5", "4", "n", "4 " + std::string(600, '9'), "0.5", "120"},
         "Enter"},
        {"values_of_eight_characters_and_more", {"1e6", "1e6", "N", "1e6", "1", "110"}, "q"},
    };
    for (const RunCase& c : cases) {
        ExpectWholeRun(c);
    }
}

// All six answers typed at once as soon as the banner shows, before the
// first question waits: each question takes its own from the keys waiting.
TEST(WholeRunInTerminal, AnswersTypedAheadAreKept) {
    const GoldenScreen expected = golden::ReadGoldenScreen("typical_run");
    TerminalRun tool;
    StartTool(tool);
    ASSERT_TRUE(WaitForRowText(tool.terminal, 2, std::string(screen::kBannerTitle), seconds(10)))
        << CaptureText(tool.terminal);
    TypeAnswersAhead(tool.terminal, kTypicalAnswers);
    ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
    ExpectScreenShows(CaptureScreen(tool.terminal), expected, 1);
    QuitAndExpectTerminalBack(tool, "q", expected, 1);
}

// The anchors keep the answers on rows 8 to 13 (AnswerQuestions waits there),
// while the second prompt is pushed to row 10, where the third prompt covers it.
TEST(WholeRunInTerminal, LongFirstAnswerMovesTheFollowingPrompts) {
    const RunCase cases[] = {
        {"first_answer_to_column_80", {"5.000000", "4", "n", "4", "0.5", "120"}, "Enter"},
        {"first_answer_wrapped", {"5.0000000000", "4", "n", "4", "0.5", "120"}, "Enter"},
    };
    for (const RunCase& c : cases) {
        ExpectWholeRun(c);
    }
}

// ---- refusals ----

// Where the error box stands, counted from 1.
struct BoxFrame {
    int top = 0;    // row of the frame's top edge
    int left = 0;   // column of its left edge
    int bottom = 0; // row of its bottom edge
    int right = 0;  // column of its right edge
};

std::optional<BoxFrame> FindBox(const Screen& screen) {
    BoxFrame box;
    for (int row = 1; row <= screen.height; ++row) {
        for (int column = 1; column <= screen.width; ++column) {
            const std::string& glyph = CellAt(screen, row, column).glyph;
            if (glyph == "╔" && box.top == 0) {
                box.top = row;
                box.left = column;
            } else if (glyph == "╝") {
                box.bottom = row;
                box.right = column;
            }
        }
    }
    if (box.top == 0 || box.bottom <= box.top || box.right <= box.left) {
        return std::nullopt;
    }
    return box;
}

bool BoxShown(const TerminalRun& tool) {
    return CaptureText(tool.terminal).find("╔") != std::string::npos;
}

std::string Cells(const Screen& screen, int row, int from, int to) {
    std::string text;
    for (int column = from; column <= to; ++column) {
        text += CellAt(screen, row, column).glyph;
    }
    return text;
}

// A framed box titled "  ERROR" with the message and an OK button inside,
// drawn over the screen: every cell outside the frame as it was.
void ExpectErrorBox(const Screen& screen, const std::string& message, const Screen& underneath) {
    SCOPED_TRACE("with the box:\n" + ScreenText(screen));
    std::optional<BoxFrame> found = FindBox(screen);
    ASSERT_TRUE(found.has_value()) << "no framed box";
    const BoxFrame& box = *found;
    std::string top = Cells(screen, box.top, box.left, box.right);
    EXPECT_NE(top.find(screen::kErrorTitle), std::string::npos) << "title in the top edge: " << top;
    EXPECT_EQ(CellAt(screen, box.top, box.right).glyph, "╗");
    EXPECT_EQ(CellAt(screen, box.bottom, box.left).glyph, "╚");
    bool messageShown = false;
    bool buttonShown = false;
    for (int row = box.top + 1; row < box.bottom; ++row) {
        EXPECT_EQ(CellAt(screen, row, box.left).glyph, "║") << "row " << row;
        EXPECT_EQ(CellAt(screen, row, box.right).glyph, "║") << "row " << row;
        std::string inside = Cells(screen, row, box.left + 1, box.right - 1);
        messageShown = messageShown || inside.find(message) != std::string::npos;
        buttonShown = buttonShown || inside.find("OK") != std::string::npos;
    }
    EXPECT_TRUE(messageShown) << "\"" << message << "\" inside the box";
    EXPECT_TRUE(buttonShown) << "OK button inside the box";
    ExpectSameCells(screen, underneath, "cells outside the box changed",
                    {.skipTop = box.top,
                     .skipLeft = box.left,
                     .skipBottom = box.bottom,
                     .skipRight = box.right});
}

// One refused answer and how the user gets rid of the box.
struct Refusal {
    std::string answer;     // typed, then Enter
    std::string typedInBox; // typed while the box shows; must not reach the answer
    std::string dismissKey; // Enter, Space or Escape
    bool twice = false;     // Enter typed twice at once: the second is the question's
};

// Types a refused answer on `row`; expects the bell, the box over the screen,
// then, after dismissal, the screen as it was before the answer (the echo
// blanked, wrapped part included) with the question waiting on the same row.
void RefuseOnce(TerminalRun& tool, int row, const Refusal& refusal, std::string_view message,
                int bellsBefore) {
    SCOPED_TRACE("refused answer \"" + refusal.answer + "\", dismissed with " + refusal.dismissKey);
    Screen asked = CaptureScreen(tool.terminal);
    if (!refusal.answer.empty()) {
        SendText(tool.terminal, refusal.answer);
    }
    // What the box will cover: the screen with the answer echoed in full.
    Screen typed;
    ASSERT_TRUE(WaitUntil(
        [&] {
            typed = CaptureScreen(tool.terminal);
            const size_t cells = refusal.answer.size();
            int lastRow = row + static_cast<int>((kAnswerColumn - 1 + cells) / kWidth);
            int lastColumn = kAnswerColumn + static_cast<int>(cells);
            lastColumn = (lastColumn - 1) % kWidth + 1;
            return typed.cursorRow == lastRow && typed.cursorColumn == lastColumn;
        },
        seconds(5)))
        << CaptureText(tool.terminal);
    SendKeys(tool.terminal, refusal.twice ? std::vector<std::string>{"Enter", "Enter"}
                                          : std::vector<std::string>{"Enter"});
    ASSERT_TRUE(WaitUntil([&] { return BoxShown(tool); }, seconds(5)))
        << "no box after the refused answer:\n"
        << CaptureText(tool.terminal);
    EXPECT_TRUE(WaitForBells(tool, bellsBefore + 1))
        << "bells rung: " << BellCount(tool) - bellsBefore;
    Screen withBox = CaptureScreen(tool.terminal);
    ExpectErrorBox(withBox, std::string(message), typed);

    SendText(tool.terminal, refusal.typedInBox);
    SendKeys(tool.terminal, {refusal.dismissKey});
    if (refusal.twice) {
        // It answers the question asked again, with nothing, refused in turn.
        ASSERT_TRUE(WaitForBells(tool, bellsBefore + 2));
        ASSERT_TRUE(WaitUntil(
            [&] {
                return BoxShown(tool) && Cells(CaptureScreen(tool.terminal), row, kAnswerColumn,
                                               kWidth) == std::string(8, ' ');
            },
            seconds(5)))
            << CaptureText(tool.terminal);
        SendKeys(tool.terminal, {"Escape"});
    }
    ASSERT_TRUE(WaitUntil([&] { return !BoxShown(tool); }, seconds(5)))
        << "box still there after " << refusal.dismissKey;
    ASSERT_TRUE(WaitForEditor(tool.terminal, row))
        << "question not asked again on row " << row << ":\n"
        << CaptureText(tool.terminal);
    Screen again = CaptureScreen(tool.terminal);
    SCOPED_TRACE("asked again:\n" + ScreenText(again));
    ExpectSameCells(again, asked, "not as before the refused answer");
    EXPECT_EQ(Cells(again, row, kAnswerColumn, kWidth), std::string(8, ' '));
    if (refusal.answer.size() > 8) {
        EXPECT_EQ(Cells(again, row + 1, 1, static_cast<int>(refusal.answer.size()) - 8),
                  std::string(refusal.answer.size() - 8, ' '))
            << "wrapped part of the refused answer not blanked";
    }
}

TEST(WholeRunInTerminal, RefusedAnswersRingBoxBlankAndAskAgain) {
    const Refusal yesNoRefusals[] = {
        {"yes", "n", "Enter"},
        {"Y ", "Y", "Space"},
        {"", "N", "Escape"},
        {"no", "", "Space", true},
    };
    const Refusal angleRefusals[] = {
        {"109.99", "120", "Enter"},
        {"145.01", "1", "Space"},
        {"145.000000000000001", "120", "Escape"},
        {"abc", "", "Enter"},
    };
    std::vector<std::string> answers = kTypicalAnswers;
    answers[5] = "120abc";
    const GoldenScreen expected = golden::ReadGoldenScreen("refused_answers");

    TerminalRun tool;
    StartTool(tool);
    int bells = 0;
    for (int q = 0; q < 6; ++q) {
        const int row = kFirstQuestionRow + q;
        ASSERT_TRUE(WaitForEditor(tool.terminal, row))
            << "question " << q + 1 << " not asked on row " << row << ":\n"
            << CaptureText(tool.terminal);
        if (q == 2) {
            for (const Refusal& refusal : yesNoRefusals) {
                ASSERT_NO_FATAL_FAILURE(RefuseOnce(tool, row, refusal, screen::kYesNoError, bells));
                bells += refusal.twice ? 2 : 1;
            }
        } else if (q == 5) {
            for (const Refusal& refusal : angleRefusals) {
                ASSERT_NO_FATAL_FAILURE(
                    RefuseOnce(tool, row, refusal, screen::kAngleError, bells++));
            }
        }
        TypeAnswer(tool.terminal, answers[static_cast<size_t>(q)]);
    }
    ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
    ExpectScreenShows(CaptureScreen(tool.terminal), expected, 1);
    EXPECT_EQ(BellCount(tool), 9) << "bells for accepted answers";
    QuitAndExpectTerminalBack(tool, "Space", expected, 1);
}

// Ctrl+C at a question and in the box ends the run: screen kept, terminal (under
// Wine the console, checked by hand_back_probe) handed back, status 130.
TEST(WholeRunInTerminal, InterruptEndsTheRunAtAQuestionAndInTheBox) {
    for (const bool inTheBox : {false, true}) {
        SCOPED_TRACE(inTheBox ? "in the box" : "at a question");
        TerminalRun tool;
        StartTool(tool);
        ASSERT_NO_FATAL_FAILURE(AnswerQuestions(tool.terminal, {"5", "4"}));
        ASSERT_TRUE(WaitForEditor(tool.terminal, kFirstQuestionRow + 2));
        if (inTheBox) {
            TypeAnswer(tool.terminal, "x");
            ASSERT_TRUE(WaitUntil([&] { return BoxShown(tool); }, seconds(5)))
                << CaptureText(tool.terminal);
        }
        const Screen before = CaptureScreen(tool.terminal);
        SendKeys(tool.terminal, {"C-c"});
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(tool, 130));
        const Screen after = CaptureScreen(tool.terminal);
        EXPECT_TRUE(after.cursorVisible);
        EXPECT_EQ(RowText(after, kFirstQuestionRow + 1), RowText(before, kFirstQuestionRow + 1));
    }
}

// ---- other terminal sizes ----

TEST(WholeRunInTerminal, TypicalRunInOtherTerminalSizes) {
    struct Case {
        int width;       // columns of the terminal
        int height;      // rows of the terminal
        int topRowAtEnd; // buffer row shown on the terminal's first row at the end
    };
    const Case cases[] = {
        // One row short: the view follows the cursor to row 25 below the closing line.
        {80, 24, 2},
        // Larger: the 80 x 25 screen at the top left.
        {100, 30, 1},
    };
    const GoldenScreen expected = golden::ReadGoldenScreen("typical_run");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        TerminalRun tool;
        StartTool(tool, c.width, c.height);
        ASSERT_NO_FATAL_FAILURE(AnswerQuestions(tool.terminal, kTypicalAnswers));
        ASSERT_TRUE(WaitForClosingLine(tool, 24 - c.topRowAtEnd + 1)) << CaptureText(tool.terminal);
        ExpectScreenShows(CaptureScreen(tool.terminal), expected, c.topRowAtEnd);
        QuitAndExpectTerminalBack(tool, "Space", expected, c.topRowAtEnd);
    }
}

} // namespace
} // namespace e2e::whole_run
