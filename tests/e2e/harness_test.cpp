// The harness against small fake programs, so that an end-to-end failure can be
// trusted to be about the tool and not about the way the terminal is read.
#include "tests/e2e/host_process.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_grid.h"
#include "tests/process/terminal_stream.h"

#include <functional>
#include <gtest/gtest.h>

namespace e2e::harness {
namespace {

using std::chrono::seconds;

// A fake program, the terminal it runs in and what must be seen there.
struct HarnessCase {
    const char* name; // what the case shows
    int width;        // pane size
    int height;
    bool wrapped;        // run command through the wrapped-run script
    std::string command; // shell command line of the fake program
    std::function<void(const TmuxTerminal&, const WrappedRun&)> check; // drives and checks
};

// Stops the servers and removes the run's files however the case ends.
struct CaseCleanup {
    TmuxTerminal& terminal; // servers to stop
    WrappedRun& run;        // folder to remove
    ~CaseCleanup() {
        StopTerminal(terminal);
        RemoveWrappedRun(run);
    }
};

void ExpectColours(const Screen& screen, int row, int column, const std::string& glyph,
                   int foreground, int background) {
    const Cell& cell = CellAt(screen, row, column);
    EXPECT_EQ(cell.glyph, glyph) << "row " << row << " column " << column;
    EXPECT_EQ(cell.foreground, foreground) << "row " << row << " column " << column;
    EXPECT_EQ(cell.background, background) << "row " << row << " column " << column;
}

const std::vector<HarnessCase>& Cases() {
    static const std::vector<HarnessCase> cases = {
        {"colours in each SGR form, and an erased row tail in its colour", 80, 25, false,
         "printf '\\033[30;107m\\033[2J\\033[H\\033[31;44mA\\033[91;104mB"
         "\\033[38;5;13;48;5;2mC\\033[38:5:14mD\\033[0mE\\033[2;1H\\033[30;107m\\342\\226\\222"
         "\\033[25;80Hz'; exec sleep 3600",
         [](const TmuxTerminal& terminal, const WrappedRun&) {
             ASSERT_TRUE(WaitForRowText(terminal, 25, "z", seconds(5)));
             Screen screen = CaptureScreen(terminal);
             ExpectColours(screen, 1, 1, "A", 1, 4);
             ExpectColours(screen, 1, 2, "B", 9, 12);
             ExpectColours(screen, 1, 3, "C", 13, 2);
             ExpectColours(screen, 1, 4, "D", 14, 2);
             ExpectColours(screen, 1, 5, "E", kDefaultColour, kDefaultColour);
             ExpectColours(screen, 2, 1, "\u2592", 0, 15);
             EXPECT_EQ(CellAt(screen, 1, 6).background, 15) << "erased after E";
             EXPECT_EQ(CellAt(screen, 13, 40).background, 15) << "erased, never written";
             EXPECT_EQ(RowText(screen, 2), "\u2592" + std::string(79, ' '));
             EXPECT_EQ(ConsoleToSgr(12), 9);
             EXPECT_EQ(ConsoleToSgr(1), 4);
             EXPECT_EQ(ConsoleToSgr(8), 8);
             EXPECT_EQ(ConsoleToSgr(15), 15);
         }},
        {"cursor, title, locale and terminal type at 100 x 30", 100, 30, false,
         "printf '\\033]2;Fake Title\\007%s %s\\033[?25l\\033[5;7H' \"$TERM\" \"$LC_ALL\";"
         " exec sleep 3600",
         [](const TmuxTerminal& terminal, const WrappedRun&) {
             ASSERT_TRUE(WaitForRowText(terminal, 1, "C.UTF-8", seconds(5)));
             Screen screen = CaptureScreen(terminal);
             EXPECT_EQ(screen.width, 100);
             EXPECT_EQ(screen.height, 30);
             EXPECT_EQ(PaneFormat(terminal, "#{pane_width}x#{pane_height}"), "100x30");
             EXPECT_FALSE(screen.cursorVisible);
             EXPECT_EQ(screen.cursorRow, 5);
             EXPECT_EQ(screen.cursorColumn, 7);
             EXPECT_EQ(screen.title, "Fake Title");
             EXPECT_EQ(RowText(screen, 1).rfind(
                           PaneFormat(terminal, "#{default-terminal}") + " C.UTF-8", 0),
                       0u);
         }},
        {"typed text and named keys reach the program as terminal bytes at 80 x 24", 80, 24, false,
         "stty raw -echo; printf 'ready\\r\\n'; dd bs=1 count=15 2>/dev/null | od -An -tx1 -v;"
         " exec sleep 3600",
         [](const TmuxTerminal& terminal, const WrappedRun&) {
             ASSERT_TRUE(WaitForRowText(terminal, 1, "ready", seconds(5)));
             SendText(terminal, "a\u00e9");
             SendKeys(terminal, {"Enter", "BSpace", "Escape", "Left", "F1", "M-x", "C-x"});
             const std::string bytes = "61 c3 a9 0d 7f 1b 1b 5b 44 1b 4f 50 1b 78 18";
             EXPECT_TRUE(WaitForRowText(terminal, 2, bytes, seconds(5))) << CaptureText(terminal);
             EXPECT_EQ(CaptureScreen(terminal).height, 24);
         }},
        {"a wrapped run reports status, modes before and after, and the cursor left hidden", 80, 25,
         true, "printf '\\033[?25l'; stty raw -echo; (exit 3)",
         [](const TmuxTerminal& terminal, const WrappedRun& run) {
             ASSERT_TRUE(WaitUntil([&] { return WrappedRunFinished(run); }, seconds(5)));
             EXPECT_EQ(WrappedRunStatus(run), 3);
             EXPECT_TRUE(SttyHasMode(SttyBefore(run), "icanon"));
             EXPECT_TRUE(SttyHasMode(SttyBefore(run), "echo"));
             EXPECT_TRUE(SttyHasMode(SttyAfter(run), "-icanon"));
             EXPECT_FALSE(SttyHasMode(SttyAfter(run), "echo"));
             EXPECT_NE(SttySettingsBefore(run), SttySettingsAfter(run));
             EXPECT_FALSE(CaptureScreen(terminal).cursorVisible);
             EXPECT_FALSE(PaneCommandExited(terminal)) << "the script keeps the pane open";
             std::vector<VisibilityChange> changes;
             EXPECT_TRUE(WaitUntil(
                 [&] {
                     changes = CursorVisibilityChanges(ReadWholeFile(PaneOutputPath(run)));
                     return !changes.empty();
                 },
                 seconds(5)));
             ASSERT_EQ(changes.size(), 1u);
             EXPECT_FALSE(changes[0].visible);
         }},
    };
    return cases;
}

TEST(E2eHarness, ReadsFakeProgramsInRealTerminals) {
    for (const HarnessCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        WrappedRun run;
        TmuxTerminal terminal;
        CaseCleanup cleanup{terminal, run};
        std::string command = c.command;
        if (c.wrapped) {
            run = PrepareWrappedRun(c.command);
            command = WrappedRunCommand(run);
        }
        terminal = StartTerminal({command, c.width, c.height});
        if (c.wrapped) {
            RecordPaneOutput(terminal, PaneOutputPath(run));
            ReleaseWrappedRun(run);
        }
        c.check(terminal, run);
    }
}

TEST(E2eHarness, FindsTextInTerminalStreams) {
    const std::string stream = "\x1b]0;Title\a\x1b[?25l\x1b[2;4HOrvane\x1b[2;11H6.0\x1b[?25h";
    EXPECT_EQ(ArrivalOffset(stream, "Orvane 6.0"), stream.find("6.0") + 3);
    EXPECT_EQ(ArrivalOffset(stream, "Title"), std::string::npos);
    // A false start that ends with the text's first letters: matching must begin again inside it.
    EXPECT_EQ(ArrivalOffset("aaab", "aab"), 4u);
    EXPECT_EQ(ArrivalOffset("\x1b[2;4HOrvane\x1b[2;11H6.0", "Orvane 6.0"), 22u);
    EXPECT_EQ(ArrivalOffset("Orvane", ""), std::string::npos);
    EXPECT_TRUE(SetsTitle(stream, "Title"));
    EXPECT_FALSE(SetsTitle(stream, "Titl"));
    std::vector<VisibilityChange> changes = CursorVisibilityChanges(stream);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_FALSE(changes[0].visible);
    EXPECT_TRUE(changes[1].visible);
}

TEST(E2eHarness, ReadsBoldUnderlineAndReverseFromACapture) {
    const Screen screen =
        ParseCapture("\x1b[1mA\x1b[4mB\x1b[22;7mC\x1b[24;27mD\x1b[7;31mE\x1b[0mF\n", 6, 1);
    struct Expected {
        bool bold, underline, reverse;
    };
    const Expected expected[] = {{true, false, false}, {true, true, false},
                                 {false, true, true},  {false, false, false},
                                 {false, false, true}, {false, false, false}};
    for (int column = 1; column <= 6; ++column) {
        const Cell& cell = CellAt(screen, 1, column);
        EXPECT_EQ(cell.bold, expected[column - 1].bold) << column;
        EXPECT_EQ(cell.underline, expected[column - 1].underline) << column;
        EXPECT_EQ(cell.reverse, expected[column - 1].reverse) << column;
    }
    EXPECT_EQ(CellAt(screen, 1, 5).foreground, 1);
}

} // namespace
} // namespace e2e::harness
