// The line editor as a user at a real terminal meets it: keys typed into a
// tmux pane that runs the line driver, and what it echoed and got read back.
// The driver asks "   answer?" on row 2, reads the line at column 73 of that
// row and shows "   got N: <bytes>" below it.
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_grid.h"

#include <gtest/gtest.h>

#include <sstream>

namespace e2e::line_editor {
namespace {

using std::chrono::seconds;

const std::string kDriver = LINE_DRIVER;
constexpr int kBlack = 0;        // console colour of the echo
constexpr int kBrightWhite = 15; // console colour behind it
// Longer than the wait after which a lone ESC is the Escape key, so the
// next key is not taken as Alt with it.
constexpr int kPauseAfterEscapeMs = 300;

// One run of the driver in its own terminal; stopped however the case ends.
using DriverRun = TerminalRun;

// Starts the driver's pane; the driver itself starts only once released.
void Prepare(DriverRun& driver, const std::string& arguments) {
    PrepareTerminalRun(driver, ProgramCommand(kDriver) + arguments);
}

void Launch(DriverRun& driver, const std::string& arguments = "") {
    Prepare(driver, arguments);
    ReleaseWrappedRun(driver.run);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The "   got ..." rows on screen, top to bottom.
std::vector<std::string> GotLines(const TmuxTerminal& terminal) {
    std::vector<std::string> got;
    for (const std::string& line : Lines(CaptureText(terminal))) {
        if (line.rfind("   got ", 0) == 0) {
            got.push_back(line);
        }
    }
    return got;
}

bool WaitForGotLines(const TmuxTerminal& terminal, size_t count) {
    return WaitUntil([&] { return GotLines(terminal).size() >= count; }, seconds(5));
}

// What the user does: types a text as it stands, presses named keys, or pauses.
struct Step {
    std::string text;              // typed as it stands when not empty
    std::vector<std::string> keys; // tmux key names pressed after the text
    int pauseMs = 0;               // how long the user waits afterwards
};

Step Type(const std::string& text) {
    return {text, {}, 0};
}
Step Press(std::vector<std::string> keys) {
    return {"", std::move(keys), 0};
}
Step PressAlone(const std::string& key) {
    return {"", {key}, kPauseAfterEscapeMs};
}

void Perform(const TmuxTerminal& terminal, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (!step.text.empty()) {
            SendText(terminal, step.text);
        }
        if (!step.keys.empty()) {
            SendKeys(terminal, step.keys);
        }
        if (step.pauseMs > 0) {
            SleepMilliseconds(step.pauseMs);
        }
    }
}

std::string Padded(const std::string& text, size_t width) {
    return text + std::string(width - text.size(), ' ');
}

// Row `row` holds "   answer?" and the echo from column 73, black on white.
void ExpectAnswerRow(const Screen& screen, int row, const std::string& echo, size_t echoCells) {
    std::string text = RowText(screen, row);
    EXPECT_EQ(text.substr(0, kAnswerColumn - 1), Padded("   answer?", kAnswerColumn - 1));
    std::string shown;
    for (int column = kAnswerColumn; column <= screen.width; ++column) {
        shown += CellAt(screen, row, column).glyph;
    }
    std::string expected = echo + std::string(8 - echoCells, ' ');
    EXPECT_EQ(shown, expected) << "echo on row " << row;
    for (int column = 1; column <= screen.width; ++column) {
        const Cell& cell = CellAt(screen, row, column);
        EXPECT_EQ(cell.background, ConsoleToSgr(kBrightWhite))
            << "row " << row << " col " << column;
        if (column >= kAnswerColumn && cell.glyph != " ") {
            EXPECT_EQ(cell.foreground, ConsoleToSgr(kBlack)) << "col " << column;
        }
    }
}

// Types "quit", then checks the driver ended and left the terminal as it found it.
void QuitAndExpectTerminalBack(DriverRun& driver, size_t linesSoFar) {
    SendText(driver.terminal, "quit");
    SendKeys(driver.terminal, {"Enter"});
    ASSERT_TRUE(WaitUntil([&] { return WrappedRunFinished(driver.run); }, seconds(5)))
        << CaptureText(driver.terminal);
    EXPECT_EQ(GotLines(driver.terminal).size(), linesSoFar + 1);
    EXPECT_EQ(WrappedRunStatus(driver.run), 0);
    std::string after = SttyAfter(driver.run);
    EXPECT_TRUE(SttyHasMode(after, "icanon")) << after;
    EXPECT_TRUE(SttyHasMode(after, "echo")) << after;
    EXPECT_EQ(SttySettingsAfter(driver.run), SttySettingsBefore(driver.run));
    EXPECT_TRUE(CaptureScreen(driver.terminal).cursorVisible);
}

// One line typed into a fresh driver: what it got, and what stood on screen.
struct LineCase {
    const char* name;        // for the trace
    std::vector<Step> steps; // what the user does before Enter
    std::string got;         // the driver's report of the bytes, e.g. "d\x82 f" for "dé f"
    size_t gotLength;        // number of bytes in the line
    std::string echo;        // glyphs shown from column 73
    size_t echoCells;        // cells the echo takes
};

TEST(LineEditorInTerminal, KeysAndWhatTheyLeave) {
    const std::vector<std::string> editingKeys = {"Left", "Right", "Up", "Down",  "Home",
                                                  "End",  "IC",    "DC", "PPage", "NPage"};
    const std::vector<std::string> functionKeys = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                   "F7", "F8", "F9", "F10", "F11", "F12"};
    const std::vector<std::string> modifiedKeys = {"C-Left", "M-Right", "S-Up",  "C-Home",
                                                   "M-End",  "C-F5",    "S-F12", "M-DC"};
    // Ctrl+S last: with flow control left on it would stop the driver's output.
    // Not Ctrl+C, Ctrl+\ or Ctrl+Z: the terminal's interrupt, quit and suspend
    // keys signal the driver (tests/e2e/hand_back_e2e_test.cpp).
    const std::vector<std::string> controlKeys = {"C-q", "C-a", "C-b", "C-d", "C-x", "C-g",
                                                  "C-y", "C-v", "C-o", "Tab", "C-s"};
    const LineCase cases[] = {
        {"empty line", {}, "", 0, "", 0},
        {"Backspace",
         {Type("abcd"), Press({"BSpace", "BSpace"}), Type("xy")},
         "abxy",
         4,
         "abxy",
         4},
        {"Backspace on an empty line", {Press({"BSpace", "BSpace"}), Type("a")}, "a", 1, "a", 1},
        {"Ctrl+H is Backspace", {Type("ab"), Press({"C-h"}), Type("c")}, "ac", 2, "ac", 2},
        {"cursor and editing keys", {Type("a"), Press(editingKeys), Type("b")}, "ab", 2, "ab", 2},
        {"function keys", {Type("a"), Press(functionKeys), Type("b")}, "ab", 2, "ab", 2},
        {"keys with modifiers", {Type("a"), Press(modifiedKeys), Type("b")}, "ab", 2, "ab", 2},
        {"Alt+letter", {Type("a"), Press({"M-x", "M-q", "M-A"}), Type("b")}, "ab", 2, "ab", 2},
        {"Ctrl+letter and Tab", {Type("a"), Press(controlKeys), Type("b")}, "ab", 2, "ab", 2},
        {"Escape alone",
         {Type("a"), PressAlone("Escape"), Type("b"), PressAlone("Escape")},
         "ab",
         2,
         "ab",
         2},
        {"blanks and case kept", {Type(" y N ")}, " y N ", 5, " y N ", 5},
        {"e acute in a UTF-8 terminal", {Type("é")}, "\\x82", 1, "é", 1},
        {"other code page characters",
         {Type("ü£ñ°"), Type("€"), Type("x")},
         "\\x81\\x9C\\xA4\\xF8x",
         5,
         "ü£ñ°x",
         5},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        DriverRun driver;
        Launch(driver);
        ASSERT_TRUE(WaitForEditor(driver.terminal, 2)) << CaptureText(driver.terminal);
        Perform(driver.terminal, c.steps);
        SendKeys(driver.terminal, {"Enter"});
        ASSERT_TRUE(WaitForGotLines(driver.terminal, 1)) << CaptureText(driver.terminal);
        Screen screen = CaptureScreen(driver.terminal);
        SCOPED_TRACE("screen:\n" + ScreenText(screen));
        EXPECT_EQ(RowText(screen, 3),
                  Padded("   got " + std::to_string(c.gotLength) + ": " + c.got, 80));
        ExpectAnswerRow(screen, 2, c.echo, c.echoCells);
        QuitAndExpectTerminalBack(driver, 1);
    }
}

TEST(LineEditorInTerminal, WrapPastColumn80AndBackspaceBackOverIt) {
    DriverRun driver;
    Launch(driver);
    ASSERT_TRUE(WaitForEditor(driver.terminal, 2)) << CaptureText(driver.terminal);

    SendText(driver.terminal, "ABCDEFGHIJKL");
    ASSERT_TRUE(WaitForRowText(driver.terminal, 3, "IJKL", seconds(5)))
        << CaptureText(driver.terminal);
    Screen wrapped = CaptureScreen(driver.terminal);
    SCOPED_TRACE("wrapped:\n" + ScreenText(wrapped));
    ExpectAnswerRow(wrapped, 2, "ABCDEFGH", 8);
    EXPECT_EQ(RowText(wrapped, 3), Padded("IJKL", 80));
    EXPECT_EQ(wrapped.cursorRow, 3);
    EXPECT_EQ(wrapped.cursorColumn, 5);

    // Four steps back clear the second row, the fifth crosses the wrap and
    // blanks the last cell of the row above.
    SendKeys(driver.terminal, {"BSpace", "BSpace", "BSpace", "BSpace", "BSpace"});
    ASSERT_TRUE(WaitUntil(
        [&] {
            Screen s = CaptureScreen(driver.terminal);
            return s.cursorRow == 2 && s.cursorColumn == 80;
        },
        seconds(5)))
        << CaptureText(driver.terminal);
    Screen back = CaptureScreen(driver.terminal);
    SCOPED_TRACE("after Backspace:\n" + ScreenText(back));
    ExpectAnswerRow(back, 2, "ABCDEFG", 7);
    EXPECT_EQ(RowText(back, 3), std::string(80, ' '));
    EXPECT_EQ(CellAt(back, 3, 1).background, ConsoleToSgr(kBrightWhite));

    // Filling column 80 again passes the cursor to the next row before Enter
    // moves it down once more.
    SendText(driver.terminal, "z");
    SendKeys(driver.terminal, {"Enter"});
    ASSERT_TRUE(WaitForGotLines(driver.terminal, 1)) << CaptureText(driver.terminal);
    Screen done = CaptureScreen(driver.terminal);
    SCOPED_TRACE("after Enter:\n" + ScreenText(done));
    ExpectAnswerRow(done, 2, "ABCDEFGz", 8);
    EXPECT_EQ(RowText(done, 3), std::string(80, ' '));
    EXPECT_EQ(RowText(done, 4), Padded("   got 8: ABCDEFGz", 80));
    QuitAndExpectTerminalBack(driver, 1);
}

TEST(LineEditorInTerminal, KeysTypedBeforeTheEditorStartsAreTakenInOrder) {
    DriverRun driver;
    Launch(driver, " 2000");
    ASSERT_TRUE(WaitForRowText(driver.terminal, 1, "   line editor", seconds(5)))
        << CaptureText(driver.terminal);
    SendText(driver.terminal, "one");
    SendKeys(driver.terminal, {"Enter"});
    SendText(driver.terminal, "twé");
    SendKeys(driver.terminal, {"Enter"});
    SendText(driver.terminal, "thr");
    // The driver's pause is a plain Sleep(2000), which should hold whether
    // keys come or not, so the keys went in before the editor started.
    EXPECT_EQ(Lines(CaptureText(driver.terminal)).at(1).find("answer?"), std::string::npos)
        << "the editor started within the driver's 2-second pause: Sleep returned early";

    ASSERT_TRUE(WaitForEditor(driver.terminal, 6, kAnswerColumn + 3))
        << CaptureText(driver.terminal);
    SendText(driver.terminal, "ee");
    SendKeys(driver.terminal, {"Enter"});
    ASSERT_TRUE(WaitForGotLines(driver.terminal, 3)) << CaptureText(driver.terminal);
    Screen screen = CaptureScreen(driver.terminal);
    SCOPED_TRACE("screen:\n" + ScreenText(screen));
    ExpectAnswerRow(screen, 2, "one", 3);
    ExpectAnswerRow(screen, 4, "twé", 3);
    ExpectAnswerRow(screen, 6, "three", 5);
    EXPECT_EQ(GotLines(driver.terminal),
              (std::vector<std::string>{"   got 3: one", "   got 3: tw\\x82", "   got 5: three"}));
    QuitAndExpectTerminalBack(driver, 3);
}

TEST(LineEditorInTerminal, AnswersTypedBeforeTheProgramStarts) {
    DriverRun driver;
    Prepare(driver, "");
    // The terminal is still in cooked mode: it echoes the keys itself and
    // hands Enter on as a line feed.
    SendText(driver.terminal, "abc");
    SendKeys(driver.terminal, {"Enter"});
    SendText(driver.terminal, "dé f");
    SendKeys(driver.terminal, {"Enter"});
    SendText(driver.terminal, "par");
    ASSERT_TRUE(WaitForRowText(driver.terminal, 3, "par", seconds(5)))
        << CaptureText(driver.terminal);
    ReleaseWrappedRun(driver.run);

    ASSERT_TRUE(WaitForEditor(driver.terminal, 6, kAnswerColumn + 3))
        << CaptureText(driver.terminal);
    SendText(driver.terminal, "tial");
    SendKeys(driver.terminal, {"Enter"});
    ASSERT_TRUE(WaitForGotLines(driver.terminal, 3)) << CaptureText(driver.terminal);
    Screen screen = CaptureScreen(driver.terminal);
    SCOPED_TRACE("screen:\n" + ScreenText(screen));
    ExpectAnswerRow(screen, 2, "abc", 3);
    ExpectAnswerRow(screen, 4, "dé f", 4);
    ExpectAnswerRow(screen, 6, "partial", 7);
    EXPECT_EQ(
        GotLines(driver.terminal),
        (std::vector<std::string>{"   got 3: abc", "   got 4: d\\x82 f", "   got 7: partial"}));
    QuitAndExpectTerminalBack(driver, 3);
}

} // namespace
} // namespace e2e::line_editor
