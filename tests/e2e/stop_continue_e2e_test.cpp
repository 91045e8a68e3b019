// Stop and continue from outside: the terminal is handed back while the
// program is stopped and taken again, when continued, in the mode the program
// last set: raw mode, or the modes as found when it had switched raw mode off.
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>

namespace e2e::stop_continue {
namespace {

using std::chrono::seconds;

const std::string kDriver = MODE_DRIVER;
const std::string kJobHost = JOB_HOST;

// The pane's terminal modes right now, as `stty -g` gives them. The terminal is given as
// stty's standard input: GNU names it with -F, the BSDs and macOS with -f.
std::string PaneModes(const TmuxTerminal& terminal) {
    return RunProgram({"sh", "-c", "stty -g < \"$1\"", "sh", PaneFormat(terminal, "#{pane_tty}")})
        .standardOut;
}

// The state letter of a process as ps tells it (R, S, T, Z ...), or '?' when gone. ps, not
// /proc, which macOS has not and the BSDs need not mount; BSD's ps may add flags after it.
char ProcessState(pid_t pid) {
    const std::string state =
        RunProgram({"ps", "-o", "state=", "-p", std::to_string(pid)}).standardOut;
    const std::size_t letter = state.find_first_not_of(" \n");
    return letter != std::string::npos ? state[letter] : '?';
}

// Types a key the driver reads, and Enter to end the line in cooked mode
// (where the terminal itself echoes the key at column 1).
bool DriverTakesKey(const TmuxTerminal& terminal, const std::string& key) {
    SendText(terminal, key);
    SendKeys(terminal, {"Enter"});
    return WaitForText(terminal, "key " + key, seconds(5));
}

// An interactive bash in a pane of its own, with job control, stopped with the test.
struct ShellRun {
    TmuxTerminal terminal;
    ShellRun() = default;
    ShellRun(const ShellRun&) = delete;
    ShellRun& operator=(const ShellRun&) = delete;
    ~ShellRun() { StopTerminal(terminal); }
};

bool StartShell(ShellRun& shell) {
    shell.terminal = StartTerminal({"env PS1='$ ' bash --norc --noprofile -i", 80, 25});
    return WaitForText(shell.terminal, "$", seconds(5));
}

// Starts the driver in `mode` at the shell's prompt, as a job of its own.
bool StartDriverFromShell(const TmuxTerminal& shell, const std::string& mode) {
    SendText(shell, ShellQuote(kDriver) + " " + mode);
    SendKeys(shell, {"Enter"});
    return WaitForRowText(shell, 1, "   " + mode + ", waiting", seconds(5));
}

// Ctrl+Z, and the shell reports the job stopped.
bool SuspendFromShell(const TmuxTerminal& shell) {
    SendKeys(shell, {"C-z"});
    return WaitForText(shell, "Stopped", seconds(5));
}

// The process of job 1, as `jobs -p` at the shell's prompt tells it.
pid_t JobPid(const TmuxTerminal& shell) {
    SendText(shell, "jobs -p %1 | sed 's/^/job pid /'");
    SendKeys(shell, {"Enter"});
    pid_t pid = 0;
    WaitUntil(
        [&] {
            const std::string text = CaptureText(shell);
            const std::size_t at = text.rfind("\njob pid ");
            if (at == std::string::npos) {
                return false;
            }
            pid = static_cast<pid_t>(std::atol(text.c_str() + at + 9));
            return pid > 0;
        },
        seconds(5));
    return pid;
}

TEST(StopContinue, KillTstpThenContAgainGivesTheModeTheProgramLastSet) {
    struct Case {
        const char* mode; // the driver's argument
        bool raw;         // whether the terminal is in raw mode while it runs
    };
    for (const Case& c : {Case{"cooked", false}, Case{"raw", true}}) {
        SCOPED_TRACE(c.mode);
        TerminalRun driver;
        PrepareTerminalRun(driver,
                           ShellQuote(kJobHost) + " pid " + ShellQuote(kDriver) + " " + c.mode);
        ReleaseWrappedRun(driver.run);
        ASSERT_TRUE(WaitForRowText(driver.terminal, 1, std::string("   ") + c.mode + ", waiting",
                                   seconds(5)))
            << CaptureText(driver.terminal);
        const std::string running = PaneModes(driver.terminal);
        EXPECT_EQ(running == SttySettingsBefore(driver.run), !c.raw);
        pid_t pid = 0;
        std::ifstream(driver.run.directory + "/pid") >> pid;
        ASSERT_GT(pid, 0);

        ASSERT_EQ(::kill(pid, SIGTSTP), 0);
        ASSERT_TRUE(WaitUntil([&] { return ProcessState(pid) == 'T'; }, seconds(5)));
        EXPECT_EQ(PaneModes(driver.terminal), SttySettingsBefore(driver.run)) << "while stopped";
        ASSERT_EQ(::kill(pid, SIGCONT), 0);
        // A key it answers was read after the continue had been handled.
        ASSERT_TRUE(DriverTakesKey(driver.terminal, "k")) << CaptureText(driver.terminal);
        EXPECT_EQ(PaneModes(driver.terminal), running) << "after the continue";

        ASSERT_TRUE(DriverTakesKey(driver.terminal, "q"));
        ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(driver, 0));
    }
}

TEST(StopContinue, CtrlZAndFgFromAShellAfterRawModeWasSwitchedOff) {
    ShellRun shell;
    ASSERT_TRUE(StartShell(shell));
    ASSERT_TRUE(StartDriverFromShell(shell.terminal, "cooked")) << CaptureText(shell.terminal);
    const std::string running = PaneModes(shell.terminal);

    ASSERT_TRUE(SuspendFromShell(shell.terminal)) << CaptureText(shell.terminal);
    SendText(shell.terminal, "fg");
    SendKeys(shell.terminal, {"Enter"});
    ASSERT_TRUE(WaitForRowText(shell.terminal, 1, "   cooked, waiting", seconds(5)))
        << CaptureText(shell.terminal);
    ASSERT_TRUE(DriverTakesKey(shell.terminal, "k")) << CaptureText(shell.terminal);
    EXPECT_EQ(PaneModes(shell.terminal), running);
    ASSERT_TRUE(DriverTakesKey(shell.terminal, "q"));
}

// bash's `kill %1` on a stopped job sends SIGTERM and SIGCONT while the shell
// owns the terminal: the tool, continued in the background, must still end by
// the signal instead of stopping again inside its handler (SIGTTOU), and must
// not put the shell's terminal into its own raw mode.
TEST(StopContinue, AStoppedProgramKilledFromTheShellEndsInTheBackground) {
    ShellRun shell;
    ASSERT_TRUE(StartShell(shell));
    const std::string atPrompt = PaneModes(shell.terminal);
    ASSERT_TRUE(StartDriverFromShell(shell.terminal, "raw")) << CaptureText(shell.terminal);

    ASSERT_TRUE(SuspendFromShell(shell.terminal)) << CaptureText(shell.terminal);
    const pid_t pid = JobPid(shell.terminal);
    ASSERT_GT(pid, 0) << CaptureText(shell.terminal);
    SendText(shell.terminal, "kill %1");
    SendKeys(shell.terminal, {"Enter"});
    // Gone, or a zombie the shell has yet to collect: never stopped again.
    ASSERT_TRUE(
        WaitUntil([&] { return ProcessState(pid) == '?' || ProcessState(pid) == 'Z'; }, seconds(5)))
        << "state " << ProcessState(pid) << "\n"
        << CaptureText(shell.terminal);
    // bash may still list the job as stopped after collecting it, and then
    // tells how it ended only after its next child: run one until it does.
    ASSERT_TRUE(WaitUntil(
        [&] {
            SendText(shell.terminal, "/usr/bin/env true");
            SendKeys(shell.terminal, {"Enter"});
            SleepMilliseconds(200);
            return CaptureTextWithHistory(shell.terminal).find("Terminated") != std::string::npos;
        },
        seconds(5)))
        << CaptureTextWithHistory(shell.terminal);
    EXPECT_EQ(PaneModes(shell.terminal), atPrompt) << "the shell's terminal modes changed";
}

} // namespace
} // namespace e2e::stop_continue
