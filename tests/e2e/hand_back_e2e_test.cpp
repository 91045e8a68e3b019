// Every way out hands the terminal back: a signal from outside while an
// answer is being typed (a crash signal sent with kill among them) restores
// the modes and the cursor, keeps the last screen and ends the tool by that
// signal; the terminal's interrupt and quit keys end the tool the same way at
// every wait, and its suspend key stops it until fg, which redraws and goes on.
#include "app/model/screen_texts.h"
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"
#include "tests/golden/screen_compare.h"
#include "tests/golden/screen_grid.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>
#include <vector>

namespace e2e::hand_back {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;
const std::string kFirstQuestion(screen::kFrontBackPrompt);

// One run of the tool that records its process number, in its own terminal.
struct ToolRun : TerminalRun {
    std::string pidFile; // where the tool's shell writes the tool's process number
    ~ToolRun() { std::remove(pidFile.c_str()); }
};

void Launch(ToolRun& tool) {
    tool.pidFile = ::testing::TempDir() + "orvane-pid-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
    // In a sanitizer build the sanitizer's fault handlers are the ones the
    // tool puts back before raising a crash signal again; they would report a
    // kill as a fault and exit instead of letting the process die by it.
    const std::string noFaultReports =
        "export ASAN_OPTIONS=handle_segv=0:handle_sigbus=0:handle_sigill=0:handle_sigfpe=0; ";
    StartTerminalRun(tool,
                     {.command = "sh -c " + ShellQuote(noFaultReports + "ulimit -c 0; echo $$ > " +
                                                       ShellQuote(tool.pidFile) + "; exec " +
                                                       ProgramCommand(kTool))});
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
    // The crash signals are sent with kill: nothing repeats them, so the
    // tool must end by them itself once the terminal is back.
    const Case cases[] = {{SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"},   {SIGQUIT, "SIGQUIT"},
                          {SIGINT, "SIGINT"},   {SIGSEGV, "SIGSEGV"}, {SIGBUS, "SIGBUS"},
                          {SIGILL, "SIGILL"},   {SIGFPE, "SIGFPE"}};
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
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(tool, 128 + c.signal));
        const Screen after = CaptureScreen(tool.terminal);
        EXPECT_TRUE(after.cursorVisible);
        EXPECT_EQ(RowText(after, 8).substr(0, kFirstQuestion.size()), kFirstQuestion);
        EXPECT_EQ(RowText(after, 8).substr(72, 2), "12");
        // The shell goes on below the row in use: on row 9, or on row 10 after
        // its own one-line report of the signal ("Terminated") on row 9. An emulator reports
        // a signal that dumps core on a line of its own first.
        const bool dumpsCore = c.signal != SIGTERM && c.signal != SIGHUP && c.signal != SIGINT;
        const int emulatorLine = ProgramArguments(kTool).size() > 1 && dumpsCore;
        EXPECT_TRUE(after.cursorRow == 9 + emulatorLine || after.cursorRow == 10 + emulatorLine)
            << after.cursorRow;
        EXPECT_EQ(after.cursorColumn, 1);
    }
}

// Where the tool waits when the key comes: each needs its own keys to get there.
struct WaitPoint {
    const char* name;
    std::vector<std::string> answers; // typed, each followed by Enter
    int row;                          // pane row that shows the wait has begun; 0: any row
    std::string text;                 // what that row shows then
};

TEST(HandBack, InterruptAndQuitKeysEndTheToolAtEveryWait) {
    const WaitPoint atQuestion{"at a question", {}, 8, kFirstQuestion};
    const WaitPoint withBox{"with the error box up", {"5", "4", "x"}, 0, "You must respond"};
    const WaitPoint atClose{"at press any key", kTypicalAnswers, 24,
                            std::string(screen::kClosingLine)};
    struct Case {
        const WaitPoint& wait;
        const char* key; // tmux name of the key
        int status;
    };
    const Case cases[] = {
        {atQuestion, "C-c", 128 + SIGINT},
        {withBox, "C-c", 128 + SIGINT},
        {atClose, "C-c", 128 + SIGINT},
        {atQuestion, "C-\\", 128 + SIGQUIT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wait.name) + ", " + c.key);
        ToolRun tool;
        Launch(tool);
        ASSERT_TRUE(WaitForRowText(tool.terminal, 8, kFirstQuestion, seconds(5)));
        TypeAnswersAhead(tool.terminal, c.wait.answers);
        const bool waiting =
            c.wait.row == 0 ? WaitForText(tool.terminal, c.wait.text, seconds(5))
                            : WaitForRowText(tool.terminal, c.wait.row, c.wait.text, seconds(5));
        ASSERT_TRUE(waiting) << CaptureText(tool.terminal);
        const Screen before = CaptureScreen(tool.terminal);
        SendKeys(tool.terminal, {c.key});
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(tool, c.status));
        const Screen after = CaptureScreen(tool.terminal);
        EXPECT_TRUE(after.cursorVisible);
        EXPECT_EQ(RowText(after, 8), RowText(before, 8)) << "the screen is kept";
    }
}

// The tool as a job of an interactive shell, as a user starts it: the shell
// records the modes and the status around it, and takes the terminal while
// the tool is stopped.
struct ShellRun : TerminalRun {};

void LaunchUnderShell(ShellRun& shell) {
    shell.run = PrepareWrappedRun(":");
    shell.terminal = StartTerminal({"env ENV= PS1='$ ' sh -i", 80, 25});
    // The shell does not give up the rest of a line whose job an interrupt ended.
    SendText(shell.terminal, "trap : INT; cd " + ShellQuote(shell.run.directory) +
                                 " && stty -g > stty-before.g && " + ProgramCommand(kTool));
    SendKeys(shell.terminal, {"Enter"});
}

// Typed at the shell once the tool has stopped: continue it, then record.
void ForegroundAndRecord(const ShellRun& shell) {
    SendText(shell.terminal,
             "fg; echo $? > status.tmp; stty -g > stty-after.g; mv status.tmp status");
    SendKeys(shell.terminal, {"Enter"});
}

TEST(HandBack, SuspendKeyStopsTheToolAndFgRedrawsAndGoesOn) {
    ShellRun shell;
    LaunchUnderShell(shell);
    ASSERT_TRUE(WaitForRowText(shell.terminal, 8, kFirstQuestion, seconds(5)))
        << CaptureText(shell.terminal);
    SendText(shell.terminal, "1");
    ASSERT_TRUE(WaitForRowText(shell.terminal, 8, "  1", seconds(5)));
    const Screen asked = CaptureScreen(shell.terminal);

    SendKeys(shell.terminal, {"C-z"});
    ASSERT_TRUE(WaitForText(shell.terminal, "Stopped", seconds(5))) << CaptureText(shell.terminal);
    // Handed back while stopped: the shell's line is below the screen, typed
    // text is echoed and the cursor shows.
    const Screen stopped = CaptureScreen(shell.terminal);
    EXPECT_TRUE(stopped.cursorVisible);
    EXPECT_EQ(RowText(stopped, 8), RowText(asked, 8));
    EXPECT_NE(RowText(stopped, 9).find("Stopped"), std::string::npos) << ScreenText(stopped);

    ForegroundAndRecord(shell);
    // Redrawn as it was, the answer's first digit still in the line editor.
    Screen redrawn;
    EXPECT_TRUE(WaitUntil(
        [&] {
            redrawn = CaptureScreen(shell.terminal);
            return RowText(redrawn, 9) == RowText(asked, 9);
        },
        seconds(5)))
        << ScreenText(redrawn);
    ExpectSameCells(redrawn, asked, "redrawn after fg");
    EXPECT_EQ(redrawn.cursorRow, asked.cursorRow);
    EXPECT_EQ(redrawn.cursorColumn, asked.cursorColumn);
    SendText(shell.terminal, "2");
    SendKeys(shell.terminal, {"Enter"});
    ASSERT_TRUE(WaitForRowText(shell.terminal, 9, std::string(screen::kSideSidePrompt), seconds(5)))
        << CaptureText(shell.terminal);
    EXPECT_EQ(RowText(CaptureScreen(shell.terminal), 8).substr(72, 3), "12 ");

    SendKeys(shell.terminal, {"C-c"});
    ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(shell, 128 + SIGINT));
}

} // namespace
} // namespace e2e::hand_back
