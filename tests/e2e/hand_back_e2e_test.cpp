// Every way out hands the terminal back: a signal from outside while an
// answer is being typed restores the modes and the cursor and keeps the last
// screen; Ctrl+C typed at the keyboard is only a key.
#include "tests/e2e/host_process.h"
#include "tests/e2e/screen_grid.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

namespace e2e {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;
const std::string kFirstQuestion = "   Maximum front-back spacing";

// One run of the tool that records its process number, in its own terminal.
struct ToolRun : TerminalRun {
    std::string pidFile; // where the tool's shell writes the tool's process number
    ~ToolRun() { std::remove(pidFile.c_str()); }
};

void Launch(ToolRun& tool) {
    tool.pidFile = ::testing::TempDir() + "orvane-pid-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
    PrepareTerminalRun(tool, "sh -c " + ShellQuote("echo $$ > " + ShellQuote(tool.pidFile) +
                                                   "; exec " + ProgramCommand(kTool)));
    ReleaseWrappedRun(tool.run);
}

pid_t ToolPid(const ToolRun& tool) {
    std::ifstream in(tool.pidFile);
    pid_t pid = 0;
    in >> pid;
    return pid;
}

TEST(HandBack, ASignalWhileTypingRestoresTheTerminalAndKeepsTheScreen) {
    struct Case {
        int signal;
        const char* name;
    };
    const Case cases[] = {
        {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGQUIT, "SIGQUIT"}, {SIGINT, "SIGINT"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ToolRun tool;
        Launch(tool);
        ASSERT_TRUE(WaitForRowText(tool.terminal, 8, kFirstQuestion, seconds(5)))
            << CaptureText(tool.terminal);
        SendText(tool.terminal, "12");
        ASSERT_TRUE(WaitForRowText(tool.terminal, 8, "12", seconds(5)));
        ASSERT_TRUE(CaptureScreen(tool.terminal).cursorVisible);
        const pid_t pid = ToolPid(tool);
        ASSERT_GT(pid, 0);
        ASSERT_EQ(::kill(pid, c.signal), 0);
        ASSERT_TRUE(WaitUntil([&] { return WrappedRunFinished(tool.run); }, seconds(5)));
        EXPECT_EQ(WrappedRunStatus(tool.run), 128 + c.signal);
        EXPECT_EQ(SttySettingsAfter(tool.run), SttySettingsBefore(tool.run));
        const Screen after = CaptureScreen(tool.terminal);
        EXPECT_TRUE(after.cursorVisible);
        EXPECT_EQ(RowText(after, 8).substr(0, kFirstQuestion.size()), kFirstQuestion);
        EXPECT_EQ(RowText(after, 8).substr(72, 2), "12");
        // The shell goes on below the row in use: on row 9, or on row 10 after
        // its own one-line report of the signal ("Terminated") on row 9. An emulator reports
        // a signal that dumps core on a line of its own first.
        const int emulatorLine = ProgramArguments(kTool).size() > 1 && c.signal == SIGQUIT;
        EXPECT_TRUE(after.cursorRow == 9 + emulatorLine || after.cursorRow == 10 + emulatorLine)
            << after.cursorRow;
        EXPECT_EQ(after.cursorColumn, 1);
    }
}

TEST(HandBack, CtrlCAndCtrlZAreOnlyKeys) {
    ToolRun tool;
    Launch(tool);
    ASSERT_TRUE(WaitForRowText(tool.terminal, 8, kFirstQuestion, seconds(5)));
    SendText(tool.terminal, "7");
    SendKeys(tool.terminal, {"C-c", "C-z", "C-\\"});
    SendText(tool.terminal, "8");
    SendKeys(tool.terminal, {"Enter"});
    ASSERT_TRUE(WaitForRowText(tool.terminal, 9, "   Maximum side-side", seconds(5)))
        << CaptureText(tool.terminal);
    EXPECT_FALSE(WrappedRunFinished(tool.run));
    EXPECT_EQ(RowText(CaptureScreen(tool.terminal), 8).substr(72, 3), "78 ");
}

} // namespace
} // namespace e2e
