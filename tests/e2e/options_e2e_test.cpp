// The options as a script meets them: with no terminal at all, and in a
// terminal whose screen and modes they must leave alone.
#include "tests/e2e/answer_cursor.h"
#include "tests/e2e/host_process.h"
#include "tests/e2e/terminal_run.h"
#include "tests/e2e/tmux_terminal.h"
#include "tests/e2e/wrapped_run.h"

#include <gtest/gtest.h>

namespace e2e::options {
namespace {

using std::chrono::seconds;

const std::string kTool = ORVANE_EXECUTABLE;

// One option and what the tool must do with it.
struct OptionCase {
    const char* argument;
    int status;             // exit status
    const char* outStart;   // standard output begins with this ("" : nothing at all)
    const char* errorStart; // standard error is one line beginning with this ("": nothing)
};

const OptionCase kCases[] = {
    {"--help", 0, "Usage: orvane\n", ""},
    {"-h", 0, "Usage: orvane\n", ""},
    {"--version", 0, "orvane 6.0, build ", ""},
    {"-V", 0, "orvane 6.0, build ", ""},
    {"--bogus", 2, "", "orvane: unknown option '--bogus'"},
    {"--json=1", 2, "", "orvane: option '--json' takes no value"},
    {"--help=1", 2, "", "orvane: option '--help' takes no value"},
};

void ExpectStreams(const OptionCase& c, const std::string& out, const std::string& error) {
    if (*c.outStart == '\0') {
        EXPECT_EQ(out, "");
    } else {
        EXPECT_EQ(out.rfind(c.outStart, 0), 0u) << out;
        EXPECT_EQ(out.back(), '\n');
    }
    if (*c.errorStart == '\0') {
        EXPECT_EQ(error, "");
    } else {
        EXPECT_EQ(error.rfind(c.errorStart, 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), error.size() - 1) << "one line: " << error;
    }
}

TEST(OptionsWithoutTerminal, EachEndsAtOnceWithItsStatusOnItsStream) {
    for (const OptionCase& c : kCases) {
        SCOPED_TRACE(c.argument);
        const DetachedResult result = RunWithoutTerminal(kTool, seconds(5), {c.argument});
        ASSERT_TRUE(result.exited) << "still running after 5 s";
        EXPECT_EQ(result.exitCode, c.status);
        EXPECT_LT(result.elapsed, seconds(1));
        ExpectStreams(c, result.standardOut, result.standardError);
    }
}

// A help or version that could not be written must not pass for printed.
TEST(OptionsWithoutTerminal, AFullStandardOutputEndsWithStatusOne) {
    if (!FileExists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here (Linux and FreeBSD have one, macOS has not)";
    }
    for (const char* option : {"--help", "--version"}) {
        SCOPED_TRACE(option);
        const DetachedResult result = RunWithoutTerminal(
            "/bin/sh", seconds(5), {"-c", ShellQuote(kTool) + " " + option + " > /dev/full"});
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.standardError, "orvane: cannot write to standard output\n");
    }
}

// In a terminal, with both streams sent to files: the terminal could only be
// reached through /dev/tty, and nothing may arrive there, not even a mode change.
TEST(OptionsInTerminal, NothingReachesTheTerminal) {
    for (const OptionCase& c : kCases) {
        SCOPED_TRACE(c.argument);
        TerminalRun tool;
        const std::string out = ::testing::TempDir() + "orvane-option-out";
        const std::string error = ::testing::TempDir() + "orvane-option-error";
        StartTerminalRun(tool, {.command = ShellQuote(kTool) + " " + ShellQuote(c.argument) +
                                           " > " + ShellQuote(out) + " 2> " + ShellQuote(error),
                                .recordOutput = true});
        ASSERT_TRUE(WaitUntil([&] { return WrappedRunFinished(tool.run); }, seconds(5)));
        EXPECT_EQ(WrappedRunStatus(tool.run), c.status);
        ExpectStreams(c, ReadWholeFile(out), ReadWholeFile(error));
        EXPECT_EQ(ReadWholeFile(PaneOutputPath(tool.run)), "") << "bytes sent to the terminal";
        EXPECT_EQ(SttySettingsAfter(tool.run), SttySettingsBefore(tool.run));
        const std::string screen = CaptureText(tool.terminal);
        EXPECT_EQ(screen.find_first_not_of(" \n"), std::string::npos) << screen;
        std::remove(out.c_str());
        std::remove(error.c_str());
    }
}

// Started with standard output closed, the tool must not let the terminal it opens take its
// number: the plan for "-" then fails as in argument mode, instead of going onto the screen.
TEST(OptionsInTerminal, APlanForAClosedStandardOutputFailsInsteadOfReachingTheScreen) {
    TerminalRun tool;
    const std::string error = ::testing::TempDir() + "orvane-closed-out-error";
    StartTerminalRun(tool, {.command = ShellQuote(kTool) + " --plan - >&- 2> " + ShellQuote(error),
                            .recordOutput = true});
    ASSERT_NO_FATAL_FAILURE(AnswerQuestions(tool.terminal, kTypicalAnswers));
    ASSERT_TRUE(WaitForText(tool.terminal, "press any key", seconds(5)));
    SendKeys(tool.terminal, {"Space"});
    ASSERT_NO_FATAL_FAILURE(ExpectEndsWithModesBack(tool, 1));
    EXPECT_EQ(ReadWholeFile(error), "orvane: cannot write to standard output\n");
    EXPECT_EQ(ReadWholeFile(PaneOutputPath(tool.run)).find("<svg"), std::string::npos);
    std::remove(error.c_str());
}

} // namespace
} // namespace e2e::options
