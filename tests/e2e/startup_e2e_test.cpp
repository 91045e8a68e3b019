// Start-up as a user sees it: the tool in a real 80 x 25 terminal, its banner
// read back cell by cell, and the terminal checked after it has gone.
#include "app/model/screen_texts.h"
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_grid.h"
#include "tests/process/terminal_stream.h"

#include <gtest/gtest.h>

namespace e2e::startup {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;
const std::string kBannerTitle(screen::kBannerTitle);
const std::string kWindowTitle(screen::kWindowTitle);

// How the tool's standard input is connected, and the name of the case.
struct InputCase {
    const char* name;        // for the trace
    const char* redirection; // appended to the tool's command line
};

// One run of the tool in its own terminal; stopped however the case ends.
using ToolRun = TerminalRun;

void Launch(ToolRun& tool, const std::string& redirection) {
    StartTerminalRun(tool, {.command = ProgramCommand(kTool) + redirection, .recordOutput = true});
}

bool IsBlankRow(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// The whole banner is on screen: title row and the web-address row below it.
bool BannerShown(const TmuxTerminal& terminal) {
    std::string text = CaptureText(terminal);
    size_t row2 = text.find('\n') + 1;
    size_t row4 = text.find('\n', text.find('\n', row2) + 1) + 1;
    return text.compare(row2, kBannerTitle.size(), kBannerTitle) == 0 && text.size() > row4 + 3 &&
           text[row4 + 3] != ' ' && text[row4 + 3] != '\n';
}

// How a run came to its end.
enum class RunEnd {
    byItself,     // the tool that only shows the banner ends on its own
    afterAnswers, // the tool asked its questions and got the typical run's answers
    never,        // still running after the answers
};

// Ends the run the way a user would: waits for it to end on its own, or else
// types the typical run's answers and a key to quit.
RunEnd FinishRun(ToolRun& tool) {
    auto finished = [&] { return WrappedRunFinished(tool.run); };
    if (WaitUntil(finished, seconds(1))) {
        return RunEnd::byItself;
    }
    TypeAnswersAhead(tool.terminal, kTypicalAnswers);
    SendKeys(tool.terminal, {"Space"});
    return WaitUntil(finished, seconds(10)) ? RunEnd::afterAnswers : RunEnd::never;
}

void ExpectBannerScreen(const Screen& screen) {
    SCOPED_TRACE("screen:\n" + ScreenText(screen));
    ASSERT_EQ(screen.width, 80);
    ASSERT_EQ(screen.height, 25);
    EXPECT_EQ(RowText(screen, 2), kBannerTitle + std::string(80 - kBannerTitle.size(), ' '));
    for (int row : {3, 4}) {
        std::string text = RowText(screen, row);
        EXPECT_EQ(text.substr(0, 3), "   ") << "row " << row;
        EXPECT_NE(text[3], ' ') << "row " << row << " has its text from column 4";
    }
    for (int row : {1, 5, 6, 7}) {
        EXPECT_TRUE(IsBlankRow(RowText(screen, row))) << "row " << row;
    }
    int wrongBackground = 0;
    int wrongForeground = 0;
    for (int row = 1; row <= screen.height; ++row) {
        for (int column = 1; column <= screen.width; ++column) {
            const Cell& cell = CellAt(screen, row, column);
            wrongBackground += cell.background != ConsoleToSgr(screen::kBackground);
            bool bannerText = row >= 2 && row <= 4 && cell.glyph != " ";
            wrongForeground += bannerText && cell.foreground != ConsoleToSgr(screen::kAnswerColour);
        }
    }
    EXPECT_EQ(wrongBackground, 0) << "cells not on bright white";
    EXPECT_EQ(wrongForeground, 0) << "banner cells not in black";
}

// From the bytes sent, for a run too short to look at live: the cursor was
// hidden on the last screen, until the tool showed it again on the way out.
void ExpectCursorHiddenUntilExit(const std::string& stream) {
    size_t bannerEnd = ArrivalOffset(stream, kBannerTitle);
    ASSERT_NE(bannerEnd, std::string::npos) << "banner text never sent";
    std::vector<VisibilityChange> changes = CursorVisibilityChanges(stream);
    ASSERT_GE(changes.size(), 2u);
    EXPECT_TRUE(changes.back().visible) << "cursor shown on the way out";
    EXPECT_GT(changes.back().offset, bannerEnd);
    EXPECT_FALSE(changes[changes.size() - 2].visible) << "cursor hidden while the banner stood";
}

TEST(StartupInTerminal, BannerOnWhiteThenTerminalHandedBack) {
    const InputCase cases[] = {
        {"standard input from the terminal", ""},
        {"standard input from /dev/null", " < /dev/null"},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        ToolRun tool;
        Launch(tool, c.redirection);
        ASSERT_TRUE(WaitUntil([&] { return BannerShown(tool.terminal); }, seconds(5)))
            << CaptureText(tool.terminal);
        Screen screen = CaptureScreen(tool.terminal);
        bool capturedWhileRunning = !WrappedRunFinished(tool.run);
        ExpectBannerScreen(screen);
        if (capturedWhileRunning) {
            EXPECT_EQ(screen.title, kWindowTitle);
            // Once the first question is asked, the cursor shows for its answer.
            if (IsBlankRow(RowText(screen, 8))) {
                EXPECT_FALSE(screen.cursorVisible);
            }
        }

        RunEnd end = FinishRun(tool);
        ASSERT_NE(end, RunEnd::never) << CaptureText(tool.terminal);
        EXPECT_EQ(WrappedRunStatus(tool.run), 0);
        std::string stream = ReadWholeFile(PaneOutputPath(tool.run));
        EXPECT_TRUE(SetsTitle(stream, kWindowTitle));
        ExpectCursorHiddenUntilExit(stream);
        EXPECT_TRUE(SttyHasMode(SttyAfter(tool.run), "icanon")) << SttyAfter(tool.run);
        EXPECT_TRUE(SttyHasMode(SttyAfter(tool.run), "echo")) << SttyAfter(tool.run);
        EXPECT_EQ(SttySettingsAfter(tool.run), SttySettingsBefore(tool.run));
        Screen after = CaptureScreen(tool.terminal);
        EXPECT_TRUE(after.cursorVisible);
        if (end == RunEnd::byItself) {
            EXPECT_EQ(RowText(after, 2).substr(0, kBannerTitle.size()), kBannerTitle)
                << "the last screen stays visible";
        }
    }
}

TEST(StartupWithoutTerminal, EndsAtOnceWithStatusOneAndOneLine) {
    DetachedResult result = RunWithoutTerminal(kTool, seconds(5));
    ASSERT_TRUE(result.exited) << "still running after 5 s";
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_LT(result.elapsed, seconds(1));
    EXPECT_EQ(result.standardOut, "") << "no drawing without a terminal";
    const std::string& message = result.standardError;
    EXPECT_GT(message.size(), 1u);
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
    EXPECT_EQ(message.rfind("orvane: no terminal to run in (/dev/tty: ", 0), 0u)
        << "names the cause and the device: " << message;
}

} // namespace
} // namespace e2e::startup
