// The tool on the terminals users have: the colours that TERM's terminfo
// entry and NO_COLOR allow, a value over its maximum standing out in each,
// the refusal where the cursor cannot be placed, and the error box's frame
// under an ASCII locale and under a UTF-8 one that is not installed.
#include "app/model/screen_texts.h"
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_grid.h"
#include "tests/sgr_parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace e2e::terminal_kinds {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;
constexpr int kFirstResultRow = 16;
constexpr int kClosingRow = 24;

// A run with both warnings: the fixed surround spacing of 3 pushes the
// front-back spacing (2.18, line 1) and the side-side spacing (3.09, line 5)
// past maxima of 1.
const std::vector<std::string> kBothOver = {"1", "1", "Y", "3", "1", "110"};

// Starts the tool under `env <environment>`, recording every byte that
// reaches the terminal.
void Launch(TerminalRun& run, const std::string& environment) {
    StartTerminalRun(
        run, {.command = "env " + environment + " " + ShellQuote(kTool), .recordOutput = true});
}

// How a cell looks: colours as SGR palette numbers, and the attributes.
struct Look {
    int foreground;
    int background;
    bool bold;
    bool reverse;
};

void ExpectLook(const Screen& screen, int row, int column, const Look& look, const char* what) {
    const Cell& cell = CellAt(screen, row, column);
    EXPECT_EQ(cell.foreground, look.foreground) << what;
    EXPECT_EQ(cell.background, look.background) << what;
    EXPECT_EQ(cell.bold, look.bold) << what;
    EXPECT_EQ(cell.reverse, look.reverse) << what;
    EXPECT_FALSE(cell.underline) << what;
}

TEST(TerminalKinds, ResultsInTheColoursTheTerminalHasWithTheWarningsStandingOut) {
    // 16 colours: bright red and dark grey on bright white, as on the console.
    const Look sixteenOver{9, 15, false, false};
    const Look sixteenValue{0, 15, false, false};
    const Look sixteenLabel{8, 15, false, false};
    // 8 colours: the bright ones bold, the background light grey.
    const Look eightOver{1, 7, true, false};
    const Look eightValue{0, 7, false, false};
    const Look eightLabel{0, 7, true, false};
    // None: the terminal's own colours, the warnings in reverse video.
    const Look noneOver{kDefaultColour, kDefaultColour, false, true};
    const Look plain{kDefaultColour, kDefaultColour, false, false};
    struct Case {
        const char* environment;
        bool colourSequences; // whether any colour may be sent at all
        Look over, value, label;
    };
    const Case cases[] = {
        {"TERM=xterm-256color", true, sixteenOver, sixteenValue, sixteenLabel},
        {"TERM=screen-256color", true, sixteenOver, sixteenValue, sixteenLabel},
        {"TERM=linux", true, eightOver, eightValue, eightLabel},
        {"TERM=vt100", false, noneOver, plain, plain},
        {"NO_COLOR=1", false, noneOver, plain, plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment);
        TerminalRun run;
        Launch(run, c.environment);
        ASSERT_NO_FATAL_FAILURE(AnswerQuestions(run.terminal, kBothOver));
        ASSERT_TRUE(WaitForRowText(run.terminal, kClosingRow, std::string(screen::kClosingLine),
                                   seconds(5)))
            << CaptureText(run.terminal);
        const Screen screen = CaptureScreen(run.terminal);
        SCOPED_TRACE("screen:\n" + ScreenText(screen));
        const int line1 = kFirstResultRow;
        const int line2 = kFirstResultRow + 1;
        const int line5 = kFirstResultRow + 4;
        EXPECT_EQ(RowText(screen, line1).substr(kAnswerColumn - 1, 5), "2.18 ");
        EXPECT_EQ(RowText(screen, line5).substr(kAnswerColumn - 1, 5), "3.09 ");
        for (int column = kAnswerColumn; column < kAnswerColumn + 4; ++column) {
            ExpectLook(screen, line1, column, c.over, "line 1, over its maximum");
            ExpectLook(screen, line5, column, c.over, "line 5, over its maximum");
            ExpectLook(screen, line2, column, c.value, "line 2");
        }
        ExpectLook(screen, line1, 4, c.label, "label of line 1");
        ExpectLook(screen, kFirstQuestionRow, 4, c.label, "first question");
        if (!c.colourSequences) {
            for (int parameter : SgrParameters(ReadWholeFile(PaneOutputPath(run.run)))) {
                ASSERT_TRUE(parameter == 0 || parameter == 7) << "SGR " << parameter;
            }
        }
        SendKeys(run.terminal, {"q"});
        ExpectEndsWithModesBack(run, 0);
    }
}

// Answers given as arguments, their rows on the terminal: red only where TERM's
// entry has colours and NO_COLOR is unset, the words in every case.
TEST(TerminalKinds, ArgumentRowsInRedOnlyOnAColourTerminal) {
    const struct {
        const char* environment;
        bool red;
    } cases[] = {
        {"TERM=xterm-256color", true},
        {"TERM=linux", true},
        {"TERM=vt100", false},
        {"TERM=xterm-mono", false},
        {"TERM=no-such-terminal", false},
        {"TERM=xterm-256color NO_COLOR=1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment);
        TerminalRun run;
        StartTerminalRun(run, {.command = "env " + std::string(c.environment) + " " +
                                          ShellQuote(kTool) + " 4 3 Y 3 1 110",
                               .recordOutput = true});
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(run, 0));
        std::string written;
        EXPECT_TRUE(WaitUntil(
            [&] {
                written = ReadWholeFile(PaneOutputPath(run.run));
                return written.find("3.09  over the maximum 3.00") != std::string::npos;
            },
            seconds(2)))
            << written;
        const std::vector<int> sgr = SgrParameters(written);
        EXPECT_EQ(std::find(sgr.begin(), sgr.end(), 31) != sgr.end(), c.red) << written;
    }
}

TEST(TerminalKinds, WithoutCursorAddressingOneLineAndTheTerminalUntouched) {
    struct Case {
        const char* environment;
        const char* named; // how the line names TERM
    };
    const Case cases[] = {
        {"TERM=dumb", "TERM=dumb"},
        {"-u TERM", "TERM is not set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment);
        TerminalRun run;
        Launch(run, c.environment);
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(run, 1));
        std::string written;
        WaitUntil(
            [&] {
                written = ReadWholeFile(PaneOutputPath(run.run));
                return written.find('\n') != std::string::npos;
            },
            seconds(2));
        // Only the line on standard error, which the terminal turns into CR LF.
        const std::string line = "orvane: needs a terminal that can place the cursor";
        EXPECT_EQ(written.rfind(line, 0), 0u) << written;
        EXPECT_NE(written.find(c.named), std::string::npos) << written;
        EXPECT_EQ(written.find('\n'), written.size() - 1) << written;
        EXPECT_EQ(written.find('\x1b'), std::string::npos) << written;
    }
}

TEST(TerminalKinds, TheErrorBoxIsFramedInAsciiAndInUtf8ByTheLocaleName) {
    struct Case {
        const char* environment;
        std::string corner, horizontal, vertical; // top left, top edge, left edge
    };
    const Case cases[] = {
        {"-u LC_ALL -u LC_CTYPE LANG=C", "+", "-", "|"},
        // Not installed here (only C, C.UTF-8 and POSIX are): the name decides.
        {"-u LC_ALL -u LC_CTYPE LANG=en_US.UTF-8", "\u2554", "\u2550", "\u2551"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment);
        TerminalRun run;
        Launch(run, c.environment);
        ASSERT_NO_FATAL_FAILURE(AnswerQuestions(run.terminal, {"5", "4", "x"}));
        ASSERT_TRUE(WaitForText(run.terminal, "respond either", seconds(5)))
            << CaptureText(run.terminal);
        const Screen screen = CaptureScreen(run.terminal);
        SCOPED_TRACE("screen:\n" + ScreenText(screen));
        // The frame around the message: its top-left corner is the first corner glyph.
        int top = 0;
        int left = 0;
        for (int row = 1; row <= screen.height && top == 0; ++row) {
            for (int column = 1; column < screen.width; ++column) {
                if (CellAt(screen, row, column).glyph == c.corner &&
                    CellAt(screen, row, column + 1).glyph == c.horizontal) {
                    top = row;
                    left = column;
                    break;
                }
            }
        }
        ASSERT_GT(top, 0) << "no frame corner";
        // The right edge: the next frame glyph on the row below the top.
        int right = left + 1;
        while (right < screen.width && CellAt(screen, top + 1, right).glyph != c.vertical) {
            ++right;
        }
        int bottom = top + 1;
        while (bottom < screen.height && CellAt(screen, bottom, left).glyph == c.vertical) {
            ++bottom;
        }
        ASSERT_GE(bottom - top, 4) << "frame too short";
        EXPECT_EQ(CellAt(screen, top, right).glyph, c.corner == "+" ? "+" : "\u2557");
        EXPECT_EQ(CellAt(screen, bottom, left).glyph, c.corner == "+" ? "+" : "\u255A");
        EXPECT_EQ(CellAt(screen, bottom, right).glyph, c.corner == "+" ? "+" : "\u255D");
        for (int column = left + 1; column < right; ++column) {
            EXPECT_EQ(CellAt(screen, bottom, column).glyph, c.horizontal) << column;
        }
        for (int row = top + 1; row < bottom; ++row) {
            EXPECT_EQ(CellAt(screen, row, right).glyph, c.vertical) << row;
        }
        for (int row = top; row <= bottom; ++row) {
            for (int column = left; column <= right; ++column) {
                EXPECT_NE(CellAt(screen, row, column).glyph, "?") << row << "," << column;
            }
        }
        SendKeys(run.terminal, {"Enter"});
        ASSERT_TRUE(WaitForEditor(run.terminal, kFirstQuestionRow + 2));
        SendKeys(run.terminal, {"C-c"});
        ExpectEndsWithModesBack(run, 130);
    }
}

} // namespace
} // namespace e2e::terminal_kinds
