// Whole runs of the tool in a real terminal: six answers typed into a tmux
// pane, refusals with their bell and error box, the results screen read back
// cell by cell, and the terminal checked after the closing key.
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/screen_grid.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

namespace e2e {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;

constexpr int kBlack = 0;
constexpr int kDarkGrey = 8;
constexpr int kBrightRed = 12;
constexpr int kBrightWhite = 15;
constexpr int kWidth = 80;  // the tool's screen buffer
constexpr int kHeight = 25; // ditto

const std::string kBannerTitle = "   Orvane 6.0 Layout Assistant v1";
const std::string kFrontBackPrompt =
    "   Maximum front-back spacing of the front and surround speakers?";
const std::string kSideSidePrompt =
    "   Maximum side-side spacing of the left-side and right-side speakers?";
const std::string kFixedPrompt = "   Is the surround speaker side-to-side spacing fixed [Y/N]?";
const std::string kFixedSpacingPrompt = "   Side-to-side spacing of the surround speakers?";
const std::string kMaximumSpacingPrompt =
    "   Maximum side-to-side spacing of the surround speakers?";
const std::string kHeightPrompt = "   Height of surround speakers above the listening position?";
const std::string kAnglePrompt =
    "   Angular position of surround speakers in degrees [110 to 145]?";
const std::string kResultLabels[6] = {
    "   Front-back spacing of the front L/R and surround speakers",
    "   Front-back spacing of the front L/R and front side speakers",
    "   Front-back spacing of the front L/R speakers and listening position",
    "   Listening distance and side-side spacing of the front L/R speakers",
    "   Side-side spacing of the front left-side and right-side speakers",
    "   Side-side spacing of the surround speakers",
};
const std::string kClosingLine = "   press any key to quit";
const std::string kErrorTitle = "  ERROR";
const std::string kYesNoError = "You must respond either Y or N  ";
const std::string kAngleError = "You must respond with an angle between 110 and 145 degrees  ";

// ---- the screen a run should leave, built the way the tool places text ----

// The 80 x 25 screen buffer as it should look, with a pen that writes into it.
struct ExpectedScreen {
    std::vector<std::string> text;        // text[row - 1], 80 characters each
    std::vector<std::vector<int>> colour; // console foreground per cell; -1 where blank
    std::vector<bool> freeText; // rows whose text is the tool's own choice (banner credit, address)
    int row = 1;                // where the next character goes
    int column = 1;             // ditto
    int ink = kBlack;           // console colour of the next characters
    int answerRows[6] = {};     // the row each answer is typed on
};

ExpectedScreen BlankScreen() {
    ExpectedScreen screen;
    screen.text.assign(kHeight, std::string(kWidth, ' '));
    screen.colour.assign(kHeight, std::vector<int>(kWidth, -1));
    screen.freeText.assign(kHeight, false);
    return screen;
}

// Writes cell by cell; a character in column 80 passes the pen to the next row.
void Print(ExpectedScreen& screen, const std::string& text) {
    for (char c : text) {
        const auto r = static_cast<size_t>(screen.row - 1);
        const auto col = static_cast<size_t>(screen.column - 1);
        screen.text.at(r).at(col) = c;
        screen.colour[r][col] = c == ' ' ? -1 : screen.ink;
        if (screen.column < kWidth) {
            ++screen.column;
        } else {
            ++screen.row;
            screen.column = 1;
        }
    }
}

void NewLine(ExpectedScreen& screen) {
    ++screen.row;
    screen.column = 1;
}

// Column 0 keeps the column.
void Locate(ExpectedScreen& screen, int row, int column) {
    screen.row = row;
    screen.column = column == 0 ? screen.column : column;
}

void AskExpected(ExpectedScreen& screen, int question, const std::string& prompt, int answerRow,
                 const std::string& answer) {
    screen.ink = kDarkGrey;
    Print(screen, prompt);
    NewLine(screen);
    screen.ink = kBlack;
    Locate(screen, answerRow, kAnswerColumn);
    Print(screen, answer);
    NewLine(screen);
    screen.answerRows[question - 1] = answerRow;
}

// What the user types, and what the results screen should then show.
struct RunCase {
    const char* name;                 // for the trace
    std::vector<std::string> answers; // the six answers as typed
    std::vector<std::string> values;  // the result lines' values, five or six of them
    std::vector<int> valueColours;    // console colour of each value
};

// Banner, questions on the rows that the three anchor rows give, then the
// results table below them and the closing line three rows further down.
ExpectedScreen FinalScreen(const RunCase& run) {
    ExpectedScreen screen = BlankScreen();
    NewLine(screen);
    Print(screen, kBannerTitle);
    NewLine(screen);
    screen.freeText[2] = true;
    screen.freeText[3] = true;
    for (int i = 0; i < 5; ++i) {
        NewLine(screen);
    }

    const std::vector<std::string>& a = run.answers;
    const bool fixed = a[2] == "Y" || a[2] == "y";
    const int r1 = screen.row;
    AskExpected(screen, 1, kFrontBackPrompt, r1, a[0]);
    AskExpected(screen, 2, kSideSidePrompt, r1 + 1, a[1]);
    const int r2 = screen.row;
    Locate(screen, r2, 0);
    AskExpected(screen, 3, kFixedPrompt, r2, a[2]);
    AskExpected(screen, 4, fixed ? kFixedSpacingPrompt : kMaximumSpacingPrompt, r2 + 1, a[3]);
    AskExpected(screen, 5, kHeightPrompt, r2 + 2, a[4]);
    const int r3 = screen.row;
    Locate(screen, r3, 0);
    AskExpected(screen, 6, kAnglePrompt, r3, a[5]);

    NewLine(screen);
    NewLine(screen);
    const int r = screen.row;
    for (size_t k = 0; k < run.values.size(); ++k) {
        screen.ink = kDarkGrey;
        Print(screen, kResultLabels[k]);
        NewLine(screen);
        Locate(screen, r + static_cast<int>(k), kAnswerColumn);
        screen.ink = run.valueColours[k];
        Print(screen, run.values[k]);
        NewLine(screen);
    }
    if (run.values.size() == 5) {
        NewLine(screen);
    }
    NewLine(screen);
    NewLine(screen);
    screen.ink = kDarkGrey;
    Print(screen, kClosingLine);
    NewLine(screen);
    return screen;
}

// ---- comparing ----

// Compares pane rows with the expected buffer rows from `topRow` on (the view
// of a shorter terminal starts lower), within the 80 x 25 buffer. Reports each
// differing cell, at most a dozen.
void ExpectScreenShows(const Screen& screen, const ExpectedScreen& expected, int topRow,
                       int lastRow = kHeight) {
    SCOPED_TRACE("screen:\n" + ScreenText(screen));
    int reported = 0;
    auto differs = [&](int row, int column, const std::string& what) {
        if (++reported <= 12) {
            ADD_FAILURE() << "row " << row << " column " << column << ": " << what;
        }
    };
    for (int row = topRow; row <= lastRow && row - topRow < screen.height; ++row) {
        const int paneRow = row - topRow + 1;
        const auto r = static_cast<size_t>(row - 1);
        const std::string& text = expected.text[r];
        if (expected.freeText[r]) {
            std::string shown = RowText(screen, paneRow);
            EXPECT_EQ(shown.substr(0, 3), "   ") << "row " << row;
            EXPECT_NE(shown[3], ' ') << "row " << row << " has its text from column 4";
        }
        for (int column = 1; column <= kWidth; ++column) {
            const Cell& cell = CellAt(screen, paneRow, column);
            const auto c = static_cast<size_t>(column - 1);
            const bool blankCell = cell.glyph == " ";
            if (!expected.freeText[r] && cell.glyph != std::string(1, text[c])) {
                differs(row, column, "'" + cell.glyph + "' instead of '" + text[c] + "'");
            }
            if (cell.background != ConsoleToSgr(kBrightWhite)) {
                differs(row, column, "background " + std::to_string(cell.background));
            }
            int ink = expected.freeText[r] ? kBlack : expected.colour[r][c];
            if (!blankCell && ink >= 0 && cell.foreground != ConsoleToSgr(ink)) {
                differs(row, column,
                        "'" + cell.glyph + "' in SGR colour " + std::to_string(cell.foreground) +
                            " instead of " + std::to_string(ConsoleToSgr(ink)));
            }
        }
    }
    EXPECT_LE(reported, 12) << reported - 12 << " more cells differ";
}

// Every cell the same glyph and colours as before.
void ExpectSameCells(const Screen& now, const Screen& before, const char* what) {
    int differing = 0;
    for (int row = 1; row <= now.height; ++row) {
        for (int column = 1; column <= now.width; ++column) {
            const Cell& a = CellAt(now, row, column);
            const Cell& b = CellAt(before, row, column);
            if (a.glyph != b.glyph || a.foreground != b.foreground ||
                a.background != b.background) {
                if (++differing <= 8) {
                    ADD_FAILURE() << what << ": row " << row << " column " << column << " shows '"
                                  << a.glyph << "', was '" << b.glyph << "'";
                }
            }
        }
    }
}

// ---- running the tool ----

// One run of the tool in its own terminal; stopped however the case ends.
struct ToolRun : TerminalRun {
    std::string bellLog; // a line is added to it each time the terminal's bell rings
};

void Launch(ToolRun& tool, int width = kWidth, int height = kHeight) {
    PrepareTerminalRun(tool, ProgramCommand(kTool), width, height);
    tool.bellLog = tool.run.directory + "/bells";
    // tmux runs this hook for every bell from the pane, whether or not a
    // client looks at the window, so each ring leaves a line.
    ProgramResult hook =
        RunProgram({"tmux", "-L", tool.terminal.server, "-f", "/dev/null", "set-hook", "-g",
                    "alert-bell", "run-shell \"echo bell >> " + ShellQuote(tool.bellLog) + "\""});
    ASSERT_EQ(hook.exitCode, 0) << "tmux set-hook failed";
    ReleaseWrappedRun(tool.run);
}

// Under Wine, MessageBeep rings no terminal bell; its relay trace, which the
// launcher writes to beeps.log in the run's folder, logs each call instead.
int LoggedMessageBeeps(const ToolRun& tool) {
    const std::string path = tool.run.directory + "/beeps.log";
    const std::string call = "Call user32.MessageBeep(";
    if (!FileExists(path)) {
        return 0;
    }
    std::string log = ReadWholeFile(path);
    int calls = 0;
    for (size_t at = log.find(call); at != std::string::npos; at = log.find(call, at + 1)) {
        ++calls;
    }
    return calls;
}

int BellCount(const ToolRun& tool) {
    std::string log = ReadWholeFile(tool.bellLog);
    return static_cast<int>(std::count(log.begin(), log.end(), '\n')) + LoggedMessageBeeps(tool);
}

bool WaitForBells(const ToolRun& tool, int count) {
    return WaitUntil([&] { return BellCount(tool) >= count; }, seconds(3)) &&
           BellCount(tool) == count;
}

void TypeAnswer(const ToolRun& tool, const std::string& answer) {
    if (!answer.empty()) {
        SendText(tool.terminal, answer);
    }
    SendKeys(tool.terminal, {"Enter"});
}

// Answers each question once its editor waits on the row the anchors give.
void AnswerAll(const ToolRun& tool, const RunCase& run, const ExpectedScreen& expected) {
    for (int q = 0; q < 6; ++q) {
        ASSERT_TRUE(WaitForEditor(tool.terminal, expected.answerRows[q]))
            << "question " << q + 1 << " not asked on row " << expected.answerRows[q] << ":\n"
            << CaptureText(tool.terminal);
        TypeAnswer(tool, run.answers[static_cast<size_t>(q)]);
    }
}

// The key ends the run with status 0, leaving the results on screen and the
// terminal as it was found.
void QuitAndExpectTerminalBack(ToolRun& tool, const std::string& key,
                               const ExpectedScreen& expected, int topRow) {
    SendKeys(tool.terminal, {key});
    ASSERT_TRUE(WaitUntil([&] { return WrappedRunFinished(tool.run); }, seconds(5)))
        << "still running after " << key << ":\n"
        << CaptureText(tool.terminal);
    EXPECT_EQ(WrappedRunStatus(tool.run), 0);
    std::string after = SttyAfter(tool.run);
    EXPECT_TRUE(SttyHasMode(after, "icanon")) << after;
    EXPECT_TRUE(SttyHasMode(after, "echo")) << after;
    EXPECT_EQ(SttySettingsAfter(tool.run), SttySettingsBefore(tool.run));
    Screen screen = CaptureScreen(tool.terminal);
    EXPECT_TRUE(screen.cursorVisible);
    SCOPED_TRACE("after the run");
    ExpectScreenShows(screen, expected, topRow, kHeight - 1);
}

bool WaitForClosingLine(const ToolRun& tool, int paneRow) {
    return WaitForRowText(tool.terminal, paneRow, kClosingLine, seconds(5));
}

// Literal expectations on the results, apart from the screen model: value k
// at column 73 of row 15 + k in its colour.
void ExpectValuesOnRows(const Screen& screen, const RunCase& run, int firstRow) {
    for (size_t k = 0; k < run.values.size(); ++k) {
        const int row = firstRow + static_cast<int>(k);
        std::string tail = RowText(screen, row).substr(kAnswerColumn - 1);
        EXPECT_EQ(tail.substr(0, run.values[k].size()), run.values[k]) << "row " << row;
        EXPECT_EQ(CellAt(screen, row, kAnswerColumn).foreground, ConsoleToSgr(run.valueColours[k]))
            << "row " << row;
    }
    if (run.values.size() == 5) {
        EXPECT_EQ(RowText(screen, firstRow + 5), std::string(80, ' ')) << "row of line 6";
    }
}

const RunCase kTypicalRun = {"typical run",
                             {"5", "4", "n", "4", "0.5", "120"},
                             {"3.20", "0.69", "2.05", "2.36", "3.87", "4.00"},
                             {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}};

// ---- the tests ----

TEST(WholeRunInTerminal, ResultsScreensAndExit) {
    struct Case {
        RunCase run;         // answers and results
        const char* quitKey; // the key that ends the run
    };
    const Case cases[] = {
        {kTypicalRun, "Space"},
        {{"fixed spacing beyond the side-side maximum",
          {"4", "3", "Y", "3", "1", "110"},
          {"2.18", "0.55", "1.63", "1.88", "3.09"},
          {kBlack, kBlack, kBlack, kBlack, kBrightRed}},
         "Escape"},
        {{"values of 10 and more",
          {"20", "20", "N", "20", "1", "110"},
          {"12.90", "3.13", "9.26", "10.69", "17.51", "20.00"},
          {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}},
         "F1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.run.name);
        ExpectedScreen expected = FinalScreen(c.run);
        ToolRun tool;
        ASSERT_NO_FATAL_FAILURE(Launch(tool));
        ASSERT_NO_FATAL_FAILURE(AnswerAll(tool, c.run, expected));
        ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
        Screen screen = CaptureScreen(tool.terminal);
        ExpectScreenShows(screen, expected, 1);
        ExpectValuesOnRows(screen, c.run, 16);
        EXPECT_FALSE(screen.cursorVisible) << "cursor shown on the results screen";
        EXPECT_FALSE(WrappedRunFinished(tool.run)) << "ended before a key was pressed";
        QuitAndExpectTerminalBack(tool, c.quitKey, expected, 1);
        EXPECT_EQ(BellCount(tool), 0);
    }
}

// All six answers typed at once as soon as the banner shows, before the
// first question waits: each question takes its own from the keys waiting.
TEST(WholeRunInTerminal, AnswersTypedAheadAreKept) {
    const RunCase run = kTypicalRun;
    ExpectedScreen expected = FinalScreen(run);
    ToolRun tool;
    ASSERT_NO_FATAL_FAILURE(Launch(tool));
    ASSERT_TRUE(WaitForRowText(tool.terminal, 2, kBannerTitle, seconds(10)))
        << CaptureText(tool.terminal);
    for (const std::string& answer : run.answers) {
        TypeAnswer(tool, answer);
    }
    ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
    Screen screen = CaptureScreen(tool.terminal);
    ExpectScreenShows(screen, expected, 1);
    ExpectValuesOnRows(screen, run, 16);
    QuitAndExpectTerminalBack(tool, "q", expected, 1);
}

TEST(WholeRunInTerminal, LongFirstAnswerMovesTheFollowingPrompts) {
    const RunCase cases[] = {
        {"8 characters, up to column 80",
         {"5.000000", "4", "n", "4", "0.5", "120"},
         kTypicalRun.values,
         kTypicalRun.valueColours},
        {"12 characters, wrapped onto the next row",
         {"5.0000000000", "4", "n", "4", "0.5", "120"},
         kTypicalRun.values,
         kTypicalRun.valueColours},
    };
    for (const RunCase& run : cases) {
        SCOPED_TRACE(run.name);
        ExpectedScreen expected = FinalScreen(run);
        // The anchors give: answer 2 still on row 9, the second prompt pushed
        // to row 10 where the third prompt covers it, the rest as usual.
        ASSERT_EQ(std::vector<int>(expected.answerRows, expected.answerRows + 6),
                  (std::vector<int>{8, 9, 10, 11, 12, 13}));
        ToolRun tool;
        ASSERT_NO_FATAL_FAILURE(Launch(tool));
        ASSERT_NO_FATAL_FAILURE(AnswerAll(tool, run, expected));
        ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
        Screen screen = CaptureScreen(tool.terminal);
        ExpectScreenShows(screen, expected, 1);
        ExpectValuesOnRows(screen, run, 16);
        std::string wrapped = run.answers[0].size() > 8 ? run.answers[0].substr(8) : "";
        EXPECT_EQ(RowText(screen, 8).substr(kAnswerColumn - 1), run.answers[0].substr(0, 8));
        EXPECT_EQ(RowText(screen, 9),
                  wrapped + std::string(72 - wrapped.size(), ' ') + "4" + std::string(7, ' '));
        EXPECT_EQ(RowText(screen, 10), kFixedPrompt + " speakers?" + "  n" + std::string(7, ' '));
        QuitAndExpectTerminalBack(tool, "Enter", expected, 1);
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

bool BoxShown(const ToolRun& tool) {
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
    EXPECT_NE(top.find(kErrorTitle), std::string::npos) << "title in the top edge: " << top;
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
    int changedOutside = 0;
    for (int row = 1; row <= screen.height; ++row) {
        for (int column = 1; column <= screen.width; ++column) {
            bool inBox =
                row >= box.top && row <= box.bottom && column >= box.left && column <= box.right;
            const Cell& a = CellAt(screen, row, column);
            const Cell& b = CellAt(underneath, row, column);
            changedOutside += !inBox && (a.glyph != b.glyph || a.foreground != b.foreground ||
                                         a.background != b.background);
        }
    }
    EXPECT_EQ(changedOutside, 0) << "cells outside the box changed";
}

// One refused answer and how the user gets rid of the box.
struct Refusal {
    std::string answer;     // typed, then Enter
    std::string typedInBox; // typed while the box shows; must not reach the answer
    std::string dismissKey; // Enter, Space or Escape
};

// Types a refused answer on `row`; expects the bell, the box over the screen,
// then, after dismissal, the screen as it was before the answer (the echo
// blanked, wrapped part included) with the question waiting on the same row.
void RefuseOnce(ToolRun& tool, int row, const Refusal& refusal, const std::string& message,
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
    SendKeys(tool.terminal, {"Enter"});
    ASSERT_TRUE(WaitUntil([&] { return BoxShown(tool); }, seconds(5)))
        << "no box after the refused answer:\n"
        << CaptureText(tool.terminal);
    EXPECT_TRUE(WaitForBells(tool, bellsBefore + 1))
        << "bells rung: " << BellCount(tool) - bellsBefore;
    Screen withBox = CaptureScreen(tool.terminal);
    ExpectErrorBox(withBox, message, typed);

    SendText(tool.terminal, refusal.typedInBox);
    SendKeys(tool.terminal, {refusal.dismissKey});
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
    };
    const Refusal angleRefusals[] = {
        {"109.99", "120", "Enter"},
        {"145.01", "1", "Space"},
        {"145.000000000000001", "120", "Escape"},
        {"abc", "", "Enter"},
    };
    RunCase run = kTypicalRun;
    run.answers[5] = "120abc";
    ExpectedScreen expected = FinalScreen(run);

    ToolRun tool;
    ASSERT_NO_FATAL_FAILURE(Launch(tool));
    int bells = 0;
    for (int q = 0; q < 6; ++q) {
        const int row = expected.answerRows[q];
        ASSERT_TRUE(WaitForEditor(tool.terminal, row))
            << "question " << q + 1 << " not asked on row " << row << ":\n"
            << CaptureText(tool.terminal);
        if (q == 2) {
            for (const Refusal& refusal : yesNoRefusals) {
                ASSERT_NO_FATAL_FAILURE(RefuseOnce(tool, row, refusal, kYesNoError, bells++));
            }
        } else if (q == 5) {
            for (const Refusal& refusal : angleRefusals) {
                ASSERT_NO_FATAL_FAILURE(RefuseOnce(tool, row, refusal, kAngleError, bells++));
            }
        }
        TypeAnswer(tool, run.answers[static_cast<size_t>(q)]);
    }
    ASSERT_TRUE(WaitForClosingLine(tool, 24)) << CaptureText(tool.terminal);
    Screen screen = CaptureScreen(tool.terminal);
    ExpectScreenShows(screen, expected, 1);
    ExpectValuesOnRows(screen, run, 16);
    EXPECT_EQ(RowText(screen, 13).substr(kAnswerColumn - 1), "120abc  ");
    EXPECT_EQ(BellCount(tool), 7) << "bells for accepted answers";
    QuitAndExpectTerminalBack(tool, "Space", expected, 1);
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
    ExpectedScreen expected = FinalScreen(kTypicalRun);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ToolRun tool;
        ASSERT_NO_FATAL_FAILURE(Launch(tool, c.width, c.height));
        ASSERT_NO_FATAL_FAILURE(AnswerAll(tool, kTypicalRun, expected));
        ASSERT_TRUE(WaitForClosingLine(tool, 24 - c.topRowAtEnd + 1)) << CaptureText(tool.terminal);
        Screen screen = CaptureScreen(tool.terminal);
        ExpectScreenShows(screen, expected, c.topRowAtEnd);
        ExpectValuesOnRows(screen, kTypicalRun, 16 - c.topRowAtEnd + 1);
        QuitAndExpectTerminalBack(tool, "Space", expected, c.topRowAtEnd);
    }
}

} // namespace
} // namespace e2e
